#pragma once
// Whether the current records below the project still hang together. The
// current deliverable, task and action are each set by their own editor (or
// by the project viewer and the report, which walk other projects), and a
// record read by its own id says nothing about its parent; an editor that
// listed the children of a parent from another project would save them with
// this project's team as owners and ask about this project's dates.

namespace zorbel::execution {

// The levels below the project whose current record an editor works under.
enum class Level { Deliverable, Task, Action };

// True when the current record of `level` exists and names the current
// record one level up as its parent, and so on up to the current project.
bool currentChainHolds(Level level);

} // namespace zorbel::execution
