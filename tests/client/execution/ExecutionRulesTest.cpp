#include "client/execution/BreakdownChain.h"
#include "client/execution/ExecutionRules.h"
#include "tests/client/execution/ExecutionTestSupport.h"

#include <gtest/gtest.h>

namespace zorbel::execution {
namespace {

QDateTime at(int y, int m, int d, int h = 0) { return QDateTime(QDate(y, m, d), QTime(h, 0)); }

// Set Date starts the task on the first working day after its predecessor
// and keeps its working-day length through the week-end; a seven-day task
// works through the week-end. Without a length to keep, the end never stays
// before the new start.
TEST(ExecutionRules, SetDateStartsOnTheNextWorkingDayAndKeepsTheWorkingLength) {
    struct Case {
        const char* what;
        QDateTime predecessorEnd;
        std::optional<QDateTime> start, end;
        bool sevenDays;
        std::optional<QDateTime> movedStart, movedEnd;
    };
    const std::optional<QDateTime> none;
    const Case cases[] = {
        {"Mon-Fri after a Friday", at(2024, 5, 31, 17), at(2024, 4, 1), at(2024, 4, 5), false, at(2024, 6, 3),
         at(2024, 6, 7)},
        {"five days after a Friday, seven-day", at(2024, 5, 31, 17), at(2024, 4, 1), at(2024, 4, 5), true,
         at(2024, 6, 1), at(2024, 6, 5)},
        {"Thu-Tue, four working days, over a week-end", at(2024, 6, 5), at(2024, 4, 4), at(2024, 4, 9), false,
         at(2024, 6, 6), at(2024, 6, 11)},
        {"Thu-Tue, six days, seven-day", at(2024, 6, 5), at(2024, 4, 4), at(2024, 4, 9), true, at(2024, 6, 6),
         at(2024, 6, 11)},
        {"a predecessor ending on a Saturday", at(2024, 6, 1), at(2024, 4, 1), at(2024, 4, 1, 17), false,
         at(2024, 6, 3), at(2024, 6, 3)},
        {"no start, the end before the new start", at(2027, 3, 31), none, at(2027, 3, 5), false, at(2027, 4, 1),
         at(2027, 4, 1)},
        {"no start, the end after the new start", at(2027, 3, 31), none, at(2027, 4, 20), false, at(2027, 4, 1),
         at(2027, 4, 20)},
        {"an end typed before the start", at(2024, 5, 31), at(2024, 5, 9), at(2024, 5, 1), false, at(2024, 6, 3),
         at(2024, 6, 3)},
        {"no end", at(2024, 5, 31), at(2024, 5, 1), none, false, at(2024, 6, 3), none},
        {"a predecessor without an end", QDateTime(), at(2024, 5, 1), at(2024, 5, 3), false, none, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto moved = followPredecessor(c.predecessorEnd, c.start, c.end, c.sevenDays);
        ASSERT_EQ(moved.has_value(), c.movedStart.has_value());
        if (!moved)
            continue;
        EXPECT_EQ(moved->start, *c.movedStart);
        EXPECT_EQ(moved->end, c.movedEnd);
    }
}

} // namespace
} // namespace zorbel::execution

namespace zorbel::test {
namespace {

using execution::Level;

class BreakdownChainTest : public ExecutionTest {};

TEST_F(BreakdownChainTest, EveryLinkUpToTheCurrentProjectMustHold) {
    const qint32 task = addTask(deliverable, QStringLiteral("Pour"));
    const qint32 action = addAction(task, QStringLiteral("Mix"));
    const qint32 other = addProject(QStringLiteral("Other"), bob, at(2024, 1, 1), at(2024, 12, 31));
    const qint32 theirDeliverable = addDeliverable(other, QStringLiteral("Theirs"));
    const qint32 theirTask = addTask(theirDeliverable, QStringLiteral("Foreign"));
    const qint32 theirAction = addAction(theirTask, QStringLiteral("Foreign"));
    struct Case {
        const char* what;
        qint32 project, deliverable, task, action;
        bool deliverableHolds, taskHolds, actionHolds;
    };
    const Case cases[] = {
        {"all ours", project, deliverable, task, action, true, true, true},
        {"another project's action", project, deliverable, task, theirAction, true, true, false},
        {"another project's task", project, deliverable, theirTask, theirAction, true, false, false},
        {"their chain under our project", project, theirDeliverable, theirTask, theirAction, false, false, false},
        {"no project", 0, deliverable, task, action, false, false, false},
        {"a deleted task", project, deliverable, task + 1000, action, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        app().g_currentProjectID = c.project;
        app().g_currentDeliverableID = c.deliverable;
        app().g_currentTaskID = c.task;
        app().g_currentActionID = c.action;
        EXPECT_EQ(execution::currentChainHolds(Level::Deliverable), c.deliverableHolds);
        EXPECT_EQ(execution::currentChainHolds(Level::Task), c.taskHolds);
        EXPECT_EQ(execution::currentChainHolds(Level::Action), c.actionHolds);
    }
}

} // namespace
} // namespace zorbel::test
