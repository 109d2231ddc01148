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

// The task moved behind its predecessor. It starts on the first working day
// after the predecessor ends (the very next day with a seven-day week), so a
// weekday task never starts on a weekend. When both of its dates are known
// and in order it keeps its length in working days, so that moving a task
// never silently shortens or stretches it. Without a length to keep, its end
// stays where it is unless that is before the new start, where it would
// make a task that ends before it begins: the task then lasts its start day.
// An empty end stays empty. Nothing when the predecessor has no end date.
std::optional<TaskSpan> followPredecessor(const QDateTime& predecessorEnd, const std::optional<QDateTime>& start,
                                          const std::optional<QDateTime>& end, bool sevenDayWeek);

} // namespace zorbel::execution
