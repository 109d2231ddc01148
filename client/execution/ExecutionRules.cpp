#include "client/execution/ExecutionRules.h"

#include <algorithm>

namespace zorbel::execution {

std::optional<TaskSpan> followPredecessor(const QDateTime& predecessorEnd, const std::optional<QDateTime>& start,
                                          const std::optional<QDateTime>& end) {
    if (!predecessorEnd.isValid())
        return std::nullopt;
    TaskSpan moved;
    moved.start = QDateTime(predecessorEnd.date().addDays(1), QTime(0, 0));
    if (start && end && start->isValid() && end->isValid())
        moved.end = moved.start.addDays(std::max<qint64>(0, start->date().daysTo(end->date())));
    return moved;
}

} // namespace zorbel::execution
