#include "tests/client/execution/ExecutionTestSupport.h"

namespace zorbel::test {
namespace {

class ExecutionEditorTest : public ExecutionTest {};

TEST_F(ExecutionEditorTest, AParentWithoutRecordsOpensOnAnEmptyGridThatTakesTheFirstRecord) {
    // Each window's parent hangs together up to the project and has no records of its own.
    const qint32 bareDeliverable = addDeliverable(project, QStringLiteral("Bare"));
    const qint32 task = addTask(deliverable, QStringLiteral("Pour"));
    const qint32 bareTask = addTask(deliverable, QStringLiteral("Bare"), 2);
    const qint32 bareAction = addAction(task, QStringLiteral("Bare"));
    struct Case {
        const char* window;
        int navTool;
        qint32 deliverable, task, action;
    };
    const Case cases[] = {
        {"frmTasks", 29, bareDeliverable, 0, 0},
        {"frmActions", 31, deliverable, bareTask, 0},
        {"frmProgress", 32, deliverable, task, bareAction},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window);
        app().g_navTool = c.navTool;
        app().g_currentDeliverableID = c.deliverable;
        app().g_currentTaskID = c.task;
        app().g_currentActionID = c.action;
        auto* w = open<QWidget>(QString::fromLatin1(c.window));
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(shown(w, "FG1"));
        EXPECT_EQ(grid(w, "FG1")->Rows(), 1);
        for (const char* b : {"btnAdd", "btnRefresh"})
            EXPECT_TRUE(shown(w, b)) << b;
        for (const char* b : {"btnEdit", "btnDelete", "btnOK", "btnCancel"})
            EXPECT_FALSE(shown(w, b)) << b;

        // The parent holds: a record added under it is listed by a refresh.
        click(w, "btnAdd");
        boxes.script(ui::vbNo); // today lies after the project's end
        click(w, "btnOK");
        click(w, "btnRefresh");
        EXPECT_EQ(grid(w, "FG1")->Rows(), 2);
        ui::closeWindow(QString::fromLatin1(c.window));
    }
}

} // namespace
} // namespace zorbel::test
