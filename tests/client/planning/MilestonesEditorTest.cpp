#include "tests/client/planning/EditorTestSupport.h"

#include "client/planning/frmMilestones.h"
#include "client/planning/frmProjects.h"
#include "platform/ui/Clock.h"

#include <QPlainTextEdit>

namespace zorbel::test {
namespace {

using planning::frmMilestones;
using planning::frmProjects;

class MilestonesEditorTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ann = addContact(QStringLiteral("Ann"), QStringLiteral("Archer"));
        app().g_currentUserID = ann;
        project = addProject(QStringLiteral("Bridge"), ann, at(2024, 3, 1), at(2024, 6, 30));
        // As the projects editor leaves it after a pick.
        app().g_currentProjectID = project;
        app().g_currentProjectName = QStringLiteral("Bridge");
        app().g_projectStart = at(2024, 3, 1);
        app().g_projectEnd = at(2024, 6, 30);
        app().g_projectOwnerID = ann;
        app().g_navTool = 25;
    }
    qint32 addMilestone(const QString& text, const QDateTime& date, qint16 status = 3, qint32 owner = 0) {
        zorbel().AddMilestone(project, text, date, date, status, owner);
        return lastID(QStringLiteral("ZORBEL_MILESTONES"), QStringLiteral("MilestoneID"));
    }
    frmMilestones* openMilestones() { return open<frmMilestones>(QStringLiteral("frmMilestones")); }
    QVariant milestone(qint32 id, const char* column) {
        return stored(QStringLiteral("ZORBEL_MILESTONES"), QString::fromLatin1(column), QStringLiteral("MilestoneID"),
                      id);
    }
    QDateTime projectDate(const char* column) {
        return storedDate(QStringLiteral("ZORBEL_PROJECTS"), QString::fromLatin1(column), QStringLiteral("ProjectID"),
                          project);
    }
    static void describe(QWidget* w, const QString& text) { child<QPlainTextEdit>(w, "txtMilestone")->setPlainText(text); }
    qint32 ann = 0;
    qint32 project = 0;
};

TEST_F(MilestonesEditorTest, EditingTheTextKeepsTheStoredDateAndWritesTheFixedStatusAndOwner) {
    const QDateTime when = at(2024, 4, 2, 14, 45);
    const qint32 id = addMilestone(QStringLiteral("Design signed"), when, 5, 4);
    auto* w = openMilestones();
    EXPECT_EQ(child<QLineEdit>(w, "txtDate")->text(), QStringLiteral("02/04/2024"));
    EXPECT_EQ(grid(w, "FGMilestones")->TextMatrix(1, 3), QStringLiteral("02/04/2024"));
    EXPECT_EQ(child<QLineEdit>(w, "txtEnd")->text(), QStringLiteral("30/06/2024"));
    click(w, "btnEdit");
    describe(w, QStringLiteral("Design approved"));
    click(w, "btnOK");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(milestone(id, "Description").toString(), QStringLiteral("Design approved"));
    EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_MILESTONES"), QStringLiteral("StartDate"),
                         QStringLiteral("MilestoneID"), id),
              when);
    EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_MILESTONES"), QStringLiteral("EndDate"),
                         QStringLiteral("MilestoneID"), id),
              when);
    EXPECT_EQ(milestone(id, "StatusID").toInt(), 3);
    EXPECT_EQ(milestone(id, "OwnerID").toInt(), 0);
}

TEST_F(MilestonesEditorTest, DateAfterTheProjectEndAsksAndYesMovesOnlyTheEnd) {
    // Someone moved the project's start since it was picked: Yes must not put the old start back.
    zorbel().UpdateProjectDates(project, at(2024, 2, 1), at(2024, 6, 30));
    auto* w = openMilestones();
    click(w, "btnAdd");
    describe(w, QStringLiteral("Late"));
    type(w, "txtDate", QStringLiteral("15/08/2024"));
    boxes.script(ui::vbYes);
    click(w, "btnOK");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("The date you have entered is after the current Project End Date"
                                                  "\r\n\r\nDo you want the Project End Date changing ?"));
    EXPECT_EQ(boxes.last().flags, ui::vbYesNo);
    EXPECT_EQ(boxes.last().title, QStringLiteral("Project End Date ?"));
    EXPECT_EQ(projectDate("EndDate"), at(2024, 8, 15));
    EXPECT_EQ(projectDate("StartDate"), at(2024, 2, 1));
    EXPECT_EQ(child<QLineEdit>(w, "txtEnd")->text(), QStringLiteral("15/08/2024"));
    EXPECT_EQ(count(QStringLiteral("ZORBEL_MILESTONES"), QStringLiteral("Description = 'Late'")), 1);

    // The check still uses the end picked with the project; No leaves the project alone,
    // and an earlier date than the one just agreed never shrinks it.
    click(w, "btnAdd");
    describe(w, QStringLiteral("Later"));
    type(w, "txtDate", QStringLiteral("01/08/2024"));
    boxes.script(ui::vbYes);
    click(w, "btnOK");
    EXPECT_EQ(boxes.count(), 2);
    EXPECT_EQ(projectDate("EndDate"), at(2024, 8, 15));

    click(w, "btnAdd");
    describe(w, QStringLiteral("Early"));
    type(w, "txtDate", QStringLiteral("01/01/2024"));
    click(w, "btnOK");
    EXPECT_EQ(boxes.count(), 2); // before the start: no question
    EXPECT_EQ(count(QStringLiteral("ZORBEL_MILESTONES")), 3);
}

TEST_F(MilestonesEditorTest, NoToTheEndQuestionLeavesTheProjectAndStillSaves) {
    const qint32 id = addMilestone(QStringLiteral("Late"), at(2024, 9, 1));
    auto* w = openMilestones();
    for (int mode : {shell::kEdit, shell::kDelete}) {
        SCOPED_TRACE(mode);
        boxes.clear();
        click(w, mode == shell::kEdit ? "btnEdit" : "btnDelete");
        describe(w, QStringLiteral("Later"));
        boxes.script(ui::vbNo);
        click(w, "btnOK");
        // A delete is asked only whether to delete.
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().title, mode == shell::kEdit ? QStringLiteral("Project End Date ?") : QString());
        EXPECT_EQ(projectDate("EndDate"), at(2024, 6, 30));
        EXPECT_EQ(child<QLineEdit>(w, "txtEnd")->text(), QStringLiteral("30/06/2024"));
    }
    // Edit saved with the milestone's own date; the unconfirmed delete removed nothing.
    EXPECT_EQ(milestone(id, "Description").toString(), QStringLiteral("Later"));
    EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_MILESTONES"), QStringLiteral("StartDate"),
                         QStringLiteral("MilestoneID"), id),
              at(2024, 9, 1));
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Are you sure you want to delete Later"));
}

TEST_F(MilestonesEditorTest, ADateTypedForANewMilestoneIsThatDateNotTheShownRowsMoment) {
    addMilestone(QStringLiteral("Timed"), at(2024, 4, 2, 14, 45));
    auto* w = openMilestones();
    click(w, "btnAdd");
    describe(w, QStringLiteral("Same day"));
    type(w, "txtDate", QStringLiteral("02/04/2024"));
    click(w, "btnOK");
    const qint32 id = lastID(QStringLiteral("ZORBEL_MILESTONES"), QStringLiteral("MilestoneID"));
    EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_MILESTONES"), QStringLiteral("StartDate"),
                         QStringLiteral("MilestoneID"), id),
              at(2024, 4, 2));
}

TEST_F(MilestonesEditorTest, RowSelectionSetsOnlyTheMilestone) {
    addMilestone(QStringLiteral("One"), at(2024, 4, 1));
    const qint32 two = addMilestone(QStringLiteral("Two"), at(2024, 5, 1));
    app().g_deliverableRow = 2;
    app().g_taskRow = 3;
    auto* w = openMilestones();
    EXPECT_EQ(app().g_milestoneRow, 1);
    pickRow(w, "FGMilestones", 2);
    EXPECT_EQ(app().g_currentMilestoneID, two);
    EXPECT_EQ(app().g_milestoneRow, 2);
    EXPECT_EQ(child<QPlainTextEdit>(w, "txtMilestone")->toPlainText(), QStringLiteral("Two"));
    EXPECT_EQ(app().g_deliverableRow, 2);
    EXPECT_EQ(app().g_taskRow, 3);

    // Reopened without a new project pick: the held list, at the saved row, until Refresh.
    ui::closeWindow(QStringLiteral("frmMilestones"));
    QApplication::processEvents();
    addMilestone(QStringLiteral("Three"), at(2024, 6, 1));
    w = openMilestones();
    EXPECT_EQ(grid(w, "FGMilestones")->Rows(), 3);
    EXPECT_EQ(app().g_currentMilestoneID, two);
    click(w, "btnRefresh");
    EXPECT_EQ(grid(w, "FGMilestones")->Rows(), 4);
}

TEST_F(MilestonesEditorTest, EmptyDateSavesNowAsBothDates) {
    const ui::ClockOverride clock(at(2024, 5, 6, 9, 30));
    auto* w = openMilestones();
    EXPECT_EQ(grid(w, "FGMilestones")->Rows(), 1);
    EXPECT_FALSE(shown(w, "btnEdit"));
    EXPECT_FALSE(shown(w, "btnDelete"));
    click(w, "btnAdd");
    describe(w, QStringLiteral("Kick-off"));
    click(w, "btnOK");
    EXPECT_TRUE(boxes.empty());
    const qint32 id = lastID(QStringLiteral("ZORBEL_MILESTONES"), QStringLiteral("MilestoneID"));
    EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_MILESTONES"), QStringLiteral("StartDate"),
                         QStringLiteral("MilestoneID"), id),
              at(2024, 5, 6, 9, 30));
    click(w, "btnRefresh");
    EXPECT_EQ(grid(w, "FGMilestones")->Rows(), 2);
    EXPECT_TRUE(shown(w, "btnEdit"));
}

TEST_F(MilestonesEditorTest, DeleteConfirmedAndOwnerRuleOnTheProjectOwner) {
    const qint32 id = addMilestone(QStringLiteral("Go"), at(2024, 4, 1));
    auto* w = openMilestones();
    click(w, "btnDelete");
    boxes.script(ui::vbYes);
    click(w, "btnOK");
    ASSERT_FALSE(boxes.empty()) << "a delete";
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Are you sure you want to delete Go"));
    EXPECT_EQ(milestone(id, "Description"), QVariant());

    app().g_cfgOwnerAdmin = 1;
    app().g_projectOwnerID = ann + 1;
    click(w, "btnAdd");
    describe(w, QStringLiteral("Not mine"));
    click(w, "btnOK");
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("You do not have the rights to make changes to this Milestone"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("Operation Cancelled"));
    EXPECT_EQ(count(QStringLiteral("ZORBEL_MILESTONES")), 0);
    EXPECT_EQ(w->mode(), shell::kBrowse);
}

TEST_F(MilestonesEditorTest, WithoutACurrentProjectTheListIsEmptyAndAddIsRefused) {
    app().g_currentProjectID = 0;
    app().g_projectOwnerID = 0;
    app().g_navTool = 25;
    auto* w = openMilestones();
    EXPECT_EQ(grid(w, "FGMilestones")->Rows(), 1);
    click(w, "btnAdd");
    describe(w, QStringLiteral("Orphan"));
    click(w, "btnOK");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Add Milestone Failed"));
    EXPECT_EQ(boxes.last().flags, ui::vbExclamation);
    EXPECT_EQ(boxes.last().title, QStringLiteral("Update Failure)"));
    EXPECT_EQ(count(QStringLiteral("ZORBEL_MILESTONES")), 0);
}

TEST_F(MilestonesEditorTest, AHeldListIsReusedOnlyForItsOwnProject) {
    addMilestone(QStringLiteral("Ours"), at(2024, 4, 1));
    const qint32 other = addProject(QStringLiteral("Other"), ann, at(2024, 1, 1), at(2024, 12, 1));
    zorbel().AddMilestone(other, QStringLiteral("Theirs"), at(2024, 5, 1), at(2024, 5, 1), 3, 0);
    app().g_rsMilestones = zorbel().GetMilestones(other); // as the project viewer leaves it
    app().g_milestoneRow = 1;
    auto* w = openMilestones();
    ASSERT_EQ(grid(w, "FGMilestones")->Rows(), 2);
    EXPECT_EQ(grid(w, "FGMilestones")->TextMatrix(1, 2), QStringLiteral("Ours"));
}

TEST_F(MilestonesEditorTest, RightsLevelDecidesTheButtons) {
    app().g_cfgProjectAdmin = 1;
    addMilestone(QStringLiteral("Go"), at(2024, 4, 1));
    for (qint16 level : {2, 3, 4}) {
        app().g_projectAdminLevel = level;
        auto* w = openMilestones();
        EXPECT_EQ(status(w, "btnEdit"), level > 2 ? 0 : 2) << level;
        EXPECT_EQ(status(w, "btnAdd"), level > 3 ? 0 : 2) << level;
        EXPECT_EQ(status(w, "btnDelete"), level > 3 ? 0 : 2) << level;
        ui::closeWindow(QStringLiteral("frmMilestones"));
        QApplication::processEvents();
    }
}

TEST_F(MilestonesEditorTest, AnotherWindowOpeningDoesNotChangeThisOnesMode) {
    app().g_navTool = 24;
    auto* projects = open<frmProjects>(QStringLiteral("frmProjects"));
    click(projects, "btnEdit");
    type(projects, "txtReference", QStringLiteral("typed"));

    auto* milestones = openMilestones();
    click(milestones, "btnAdd");
    EXPECT_EQ(app().g_editMode, shell::kAdd);

    click(projects, "btnOK"); // still an update, not an add
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(count(QStringLiteral("ZORBEL_PROJECTS")), 1);
    EXPECT_EQ(stored(QStringLiteral("ZORBEL_PROJECTS"), QStringLiteral("Reference"), QStringLiteral("ProjectID"),
                     project)
                  .toString(),
              QStringLiteral("typed"));
    EXPECT_EQ(milestones->mode(), shell::kAdd);
    describe(milestones, QStringLiteral("Still adding"));
    type(milestones, "txtDate", QStringLiteral("01/04/2024"));
    click(milestones, "btnOK");
    EXPECT_EQ(count(QStringLiteral("ZORBEL_MILESTONES"), QStringLiteral("Description = 'Still adding'")), 1);
}

} // namespace
} // namespace zorbel::test
