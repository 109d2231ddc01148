#include "client/execution/ExecutionRules.h"

#include "client/shell/Dates.h"
#include "client/shell/Zorbel5Data.h"

namespace zorbel::execution {

std::optional<TaskSpan> followPredecessor(const QDateTime& predecessorEnd, const std::optional<QDateTime>& start,
                                          const std::optional<QDateTime>& end, bool sevenDayWeek) {
    if (!predecessorEnd.isValid())
        return std::nullopt;
    TaskSpan moved;
    // The predecessor's last day is day one; the second working day is the first one after it.
    moved.start = shell::AddWorkingDays(QDateTime(predecessorEnd.date(), QTime(0, 0)), 2, sevenDayWeek);
    const bool known = start && end && start->isValid() && end->isValid();
    if (known && !shell::dayBefore(*end, *start))
        moved.end = shell::AddWorkingDays(moved.start, shell::WorkingDaysFrom(*start, *end, sevenDayWeek),
                                          sevenDayWeek);
    else if (end && end->isValid())
        moved.end = shell::dayBefore(*end, moved.start) ? moved.start : *end;
    return moved;
}

} // namespace zorbel::execution
