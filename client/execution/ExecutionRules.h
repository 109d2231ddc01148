#pragma once
// The rules of the execution editors that need no window: where "Set Date"
// puts a task that follows another one.

#include <QDateTime>
#include <optional>

namespace zorbel::execution {

// A task's dates as its boxes show them.
struct TaskSpan {
    QDateTime start;
    std::optional<QDateTime> end; // nothing: leave the end box as it is
};

// The task moved behind its predecessor: it starts on the day after the
// predecessor ends and, when both of its dates are known, keeps its length in
// days, so that moving a task never silently shortens it (an end before the
// start counts as no length). Nothing when the predecessor has no end date.
std::optional<TaskSpan> followPredecessor(const QDateTime& predecessorEnd, const std::optional<QDateTime>& start,
                                          const std::optional<QDateTime>& end);

} // namespace zorbel::execution
