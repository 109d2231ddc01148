#include "tests/client/execution/ExecutionTestSupport.h"

#include "client/execution/frmActions.h"

namespace zorbel::test {
namespace {

using execution::frmActions;

class ActionsEditorTest : public ExecutionTest {
protected:
    void SetUp() override {
        ExecutionTest::SetUp();
        app().g_navTool = 31;
        task = addTask(deliverable, QStringLiteral("Pour"));
        app().g_currentTaskID = task;
        app().g_currentTaskName = QStringLiteral("Pour");
    }
    frmActions* openActions() { return open<frmActions>(QStringLiteral("frmActions")); }
    QVariant action(qint32 id, const char* column) { return value("ZORBEL_ACTIONS", "ActionID", id, column); }
    qint32 task = 0;
};

TEST_F(ActionsEditorTest, AddEditAndDeleteKeepWhatTheyDoNotChange) {
    addAction(task, QStringLiteral("Mix"), 4);
    auto* w = openActions();
    click(w, "btnAdd");
    text(w, "txtAction", QStringLiteral("Cure"));
    type(w, "txtActionStart", QStringLiteral("02/04/2024"));
    type(w, "txtActionEnd", QStringLiteral("09/04/2024"));
    combo(w, "ComboOwner")->setCurrentIndex(0); // sorted by surname: Ann Archer
    combo(w, "ComboStatus")->setCurrentIndex(2);
    click(w, "btnOK");
    EXPECT_TRUE(boxes.empty());
    const qint32 cure = lastID(QStringLiteral("ZORBEL_ACTIONS"), QStringLiteral("ActionID"));
    EXPECT_EQ(action(cure, "WBS").toInt(), 5);
    EXPECT_EQ(action(cure, "TaskID").toInt(), task);

    click(w, "btnRefresh");
    pickRow(w, "FG1", 2, 3);
    EXPECT_EQ(app().g_currentActionID, cure);
    click(w, "btnEdit");
    type(w, "txtWBS", QStringLiteral("9"));
    click(w, "btnOK");
    EXPECT_EQ(action(cure, "WBS").toInt(), 9);
    EXPECT_EQ(action(cure, "Description").toString(), QStringLiteral("Cure"));
    EXPECT_EQ(action(cure, "OwnerID").toInt(), annMember);
    EXPECT_EQ(action(cure, "StatusID").toInt(), 3);
    EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_ACTIONS"), QStringLiteral("EndDate"), QStringLiteral("ActionID"), cure),
              at(2024, 4, 9));

    click(w, "btnDelete");
    boxes.script(ui::vbYes);
    click(w, "btnOK");
    EXPECT_EQ(count(QStringLiteral("ZORBEL_ACTIONS")), 1);
}

TEST_F(ActionsEditorTest, ATaskOfAnotherProjectListsNothingAndTakesNothing) {
    // Project A's deliverable is current, but the current task is one of project B's.
    const qint32 other = addProject(QStringLiteral("Other"), bob, at(2024, 1, 1), at(2024, 12, 31));
    const qint32 foreign = addTask(addDeliverable(other, QStringLiteral("Theirs")), QStringLiteral("Foreign"));
    addAction(foreign, QStringLiteral("Not ours"));
    app().g_currentTaskID = foreign;
    app().g_currentActionID = 77;
    auto* w = openActions();
    EXPECT_EQ(grid(w, "FG1")->Rows(), 1);
    EXPECT_EQ(app().g_actionCount, 0);
    EXPECT_EQ(app().g_currentActionID, 0);
    click(w, "btnAdd");
    text(w, "txtAction", QStringLiteral("Sneaked in"));
    click(w, "btnOK");
    ASSERT_FALSE(boxes.empty()) << "an add under another project's task";
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Add Action Failed"));
    EXPECT_EQ(count(QStringLiteral("ZORBEL_ACTIONS")), 1);
}

TEST_F(ActionsEditorTest, OwnerRuleRefusesAnotherMembersAction) {
    app().g_cfgOwnerAdmin = 1;
    const qint32 id = zorbel().AddAction(task, QStringLiteral("Bob's"), at(2024, 4, 1), at(2024, 4, 2), 2, bobMember, 1);
    auto* w = openActions();
    click(w, "btnEdit");
    combo(w, "ComboOwner")->setCurrentIndex(0); // Ann names herself
    click(w, "btnOK");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("You do not have the rights to make changes to this Deliverable"));
    EXPECT_EQ(action(id, "OwnerID").toInt(), bobMember);
}

TEST_F(ActionsEditorTest, OnlyAUserWhoMayChangeTheProjectIsAskedToMoveItsDates) {
    // Full control of actions throughout; what differs is the user's hold on the project.
    enum Answer { Saved, AskedStart, AskedEnd, Refused };
    const struct {
        const char* who;
        qint16 rightsOn, projectLevel, ownerRuleOn;
        qint32 projectOwner;
        bool withoutEnd; // the action starts inside a project that has no end
        Answer answer;
    } cases[] = {
        {"rights off", 0, 0, 0, 0, false, AskedStart},
        {"project level Read Only", 1, 2, 0, 0, false, Refused},
        {"project level Edit", 1, 3, 0, 0, false, AskedStart},
        {"owner rule, another's project", 0, 0, 1, bob, false, Refused},
        {"owner rule, own project", 0, 0, 1, ann, false, AskedStart},
        {"project level Read Only, no project end", 1, 2, 0, 0, true, Saved},
        {"project level Edit, no project end", 1, 3, 0, 0, true, AskedEnd},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.who);
        const QDateTime end = c.withoutEnd ? QDateTime() : at(2024, 6, 30);
        zorbel().UpdateProjectDates(project, at(2024, 3, 1), end);
        app().g_projectEnd = end;
        app().g_cfgProjectAdmin = c.rightsOn;
        app().g_cfgOwnerAdmin = c.ownerRuleOn;
        app().g_projectAdminLevel = c.projectLevel;
        app().g_actionAdminLevel = shell::kFullControl;
        app().g_projectOwnerID = c.projectOwner;
        ui::closeWindow(QStringLiteral("frmActions"));
        auto* w = openActions();
        const int before = count(QStringLiteral("ZORBEL_ACTIONS"));
        boxes.clear();
        boxes.script(ui::vbYes);
        click(w, "btnAdd");
        text(w, "txtAction", QStringLiteral("Dated"));
        type(w, "txtActionStart", c.withoutEnd ? QStringLiteral("02/04/2024") : QStringLiteral("01/02/2024"));
        combo(w, "ComboOwner")->setCurrentIndex(0); // Ann, the user
        click(w, "btnOK");
        const bool saved = c.answer != Refused;
        const QString prompt = boxes.empty() ? QString() : boxes.last().prompt;
        EXPECT_EQ(boxes.count(), c.answer == Saved ? 0 : 1) << prompt.toStdString();
        EXPECT_EQ(c.answer == Refused, prompt.endsWith(QStringLiteral(" - nothing has been saved")));
        EXPECT_EQ(c.answer == AskedStart, prompt.endsWith(QStringLiteral("Project Start Date changing ?")));
        EXPECT_EQ(c.answer == AskedEnd, prompt.endsWith(QStringLiteral("Project End Date changing ?")));
        if (c.answer == Refused) {
            ASSERT_FALSE(boxes.empty());
            EXPECT_EQ(boxes.last().title, QStringLiteral("Operation Cancelled"));
        }
        EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_PROJECTS"), QStringLiteral("StartDate"),
                             QStringLiteral("ProjectID"), project),
                  c.answer == AskedStart ? at(2024, 2, 1) : at(2024, 3, 1));
        EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_PROJECTS"), QStringLiteral("EndDate"), QStringLiteral("ProjectID"),
                             project),
                  c.answer == AskedEnd ? at(2024, 4, 3) : end);
        EXPECT_EQ(count(QStringLiteral("ZORBEL_ACTIONS")), before + (saved ? 1 : 0));
        EXPECT_EQ(w->mode(), saved ? shell::kBrowse : shell::kAdd); // refused: the dates may be put right
    }
}

} // namespace
} // namespace zorbel::test
