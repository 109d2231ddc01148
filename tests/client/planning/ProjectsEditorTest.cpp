#include "tests/client/planning/EditorTestSupport.h"

#include "client/planning/frmProjects.h"
#include "client/shell/Rights.h"
#include "controls/StatusLED.h"
#include "platform/ui/Clock.h"

#include <QCheckBox>

namespace zorbel::test {
namespace {

using planning::frmProjects;

class ProjectsEditorTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ann = addContact(QStringLiteral("Ann"), QStringLiteral("Archer"));
        bob = addContact(QStringLiteral("Bob"), QStringLiteral("Baker"));
        app().g_currentUserID = ann;
        app().g_currentMultiUserID = 7;
    }
    frmProjects* openPhase(int code) {
        app().g_navTool = code;
        return open<frmProjects>(QStringLiteral("frmProjects"));
    }
    QVariant project(qint32 id, const char* column) {
        return stored(QStringLiteral("ZORBEL_PROJECTS"), QString::fromLatin1(column), QStringLiteral("ProjectID"), id);
    }
    QDateTime projectDate(qint32 id, const char* column) {
        return storedDate(QStringLiteral("ZORBEL_PROJECTS"), QString::fromLatin1(column), QStringLiteral("ProjectID"),
                          id);
    }
    qint32 ann = 0;
    qint32 bob = 0;
};

TEST_F(ProjectsEditorTest, EditingOneFieldKeepsEveryOtherStoredValue) {
    const QDateTime start = at(2024, 3, 5, 10, 30);
    const QDateTime end = at(2024, 11, 4, 17, 15);
    const qint32 id = addProject(QStringLiteral("Bridge"), bob, start, end, 5, 7, 3);
    auto* w = openPhase(24);
    EXPECT_EQ(app().g_currentProjectID, id);
    EXPECT_EQ(child<QLineEdit>(w, "txtStart")->text(), QStringLiteral("05/03/2024"));
    EXPECT_EQ(grid(w, "FGProjects")->TextMatrix(1, 7), QStringLiteral("04/11/2024"));

    click(w, "btnEdit");
    EXPECT_EQ(w->mode(), shell::kEdit);
    type(w, "txtReference", QStringLiteral("R-2"));
    click(w, "btnOK");

    EXPECT_TRUE(boxes.empty()) << boxes.last().prompt.toStdString();
    EXPECT_EQ(project(id, "Reference").toString(), QStringLiteral("R-2"));
    EXPECT_EQ(project(id, "Name").toString(), QStringLiteral("Bridge"));
    EXPECT_EQ(project(id, "Description").toString(), QStringLiteral("D-Bridge"));
    EXPECT_EQ(project(id, "OwnerID").toInt(), bob);
    EXPECT_EQ(projectDate(id, "StartDate"), start);
    EXPECT_EQ(projectDate(id, "EndDate"), end);
    EXPECT_EQ(project(id, "StatusID").toInt(), 5);
    EXPECT_EQ(project(id, "WBS").toInt(), 7);
    EXPECT_EQ(project(id, "State").toInt(), 3);
    EXPECT_EQ(w->mode(), shell::kBrowse);
    EXPECT_EQ(app().g_editMode, shell::kBrowse);
}

TEST_F(ProjectsEditorTest, PhaseDecidesTheStateListedAndClosedProjectsReplaceIt) {
    addProject(QStringLiteral("Measured"), ann, at(2024, 1, 1), at(2024, 2, 1), 1, 1, 1);
    addProject(QStringLiteral("Analysed"), ann, at(2024, 1, 1), at(2024, 2, 1), 1, 1, 2);
    addProject(QStringLiteral("Closed"), ann, at(2024, 1, 1), at(2024, 2, 1), 1, 1, 4);
    auto* w = openPhase(15);
    auto* g = grid(w, "FGProjects");
    ASSERT_EQ(g->Rows(), 2);
    EXPECT_EQ(g->TextMatrix(1, 2), QStringLiteral("Analysed"));
    EXPECT_EQ(g->TextArray(2), QStringLiteral("Name"));
    EXPECT_EQ(g->TextArray(7), QStringLiteral("Finish"));
    EXPECT_EQ(g->ColWidth(1), 0);                 // no picture column outside Implement
    EXPECT_FALSE(shown(w, "frStatus"));
    EXPECT_EQ(app().g_projectCount, 1);

    child<QCheckBox>(w, "chkClosedProjects")->setChecked(true);
    ASSERT_EQ(g->Rows(), 2);
    EXPECT_EQ(g->TextMatrix(1, 2), QStringLiteral("Closed"));
    child<QCheckBox>(w, "chkClosedProjects")->setChecked(false);
    EXPECT_EQ(g->TextMatrix(1, 2), QStringLiteral("Analysed"));
}

TEST_F(ProjectsEditorTest, ImplementPhaseShowsStatusControlsAndPictures) {
    addProject(QStringLiteral("Lit"), ann, at(2024, 1, 1), at(2024, 2, 1), 6, 1, 3);
    auto* w = openPhase(24);
    auto* g = grid(w, "FGProjects");
    EXPECT_GT(g->ColWidth(1), 0);
    EXPECT_FALSE(g->CellPicture(1, 1).isNull());
    EXPECT_TRUE(shown(w, "frStatus"));
    EXPECT_EQ(child<controls::StatusLED>(w, "LEDStatus")->Status(), 6);
    EXPECT_EQ(child<QComboBox>(w, "ComboStatus")->currentIndex(), 5);

    // The lamps on white in their exact fills, whatever the status light's own shades.
    const QRgb fills[] = {qRgb(255, 255, 255), qRgb(51, 51, 0),    qRgb(0, 255, 0),  qRgb(204, 204, 204),
                          qRgb(102, 204, 255), qRgb(255, 204, 51), qRgb(255, 0, 0)};
    for (int k = 0; k < 7; ++k) {
        const QImage image = app().g_statusPictures[static_cast<size_t>(k)].toImage();
        ASSERT_EQ(image.size(), QSize(16, 16)) << k;
        EXPECT_EQ(image.pixel(8, 8) & 0xFFFFFF, fills[k] & 0xFFFFFF) << k;
        EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu) << k;
    }
    EXPECT_TRUE(app().g_statusPictures[7].isNull());
}

TEST_F(ProjectsEditorTest, AddUsesNextWBSAndAdvancesIt) {
    addProject(QStringLiteral("First"), ann, at(2024, 1, 1), at(2024, 2, 1), 1, 4, 3);
    auto* w = openPhase(24);
    EXPECT_EQ(w->nextWBS(), 5);
    for (const char* name : {"Second", "Third"}) {
        click(w, "btnAdd");
        EXPECT_TRUE(child<QLineEdit>(w, "txtName")->text().isEmpty());
        type(w, "txtName", QString::fromLatin1(name));
        type(w, "txtWBS", QString());
        type(w, "txtStart", QStringLiteral("13/01/2025"));
        type(w, "txtEnd", QString());
        child<QComboBox>(w, "ComboContact")->setCurrentIndex(0); // Ann Archer
        child<QComboBox>(w, "ComboState")->setCurrentIndex(2);
        click(w, "btnOK");
    }
    EXPECT_TRUE(boxes.empty());
    auto rs = db().query({QStringLiteral("SELECT WBS, StartDate, EndDate, OwnerID, State FROM ZORBEL_PROJECTS "
                                         "WHERE Name = 'Third'"),
                          {}});
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Fields(0).toInt(), 6);
    EXPECT_EQ(planning::dateOf(rs->Fields(1)), at(2025, 1, 13));
    EXPECT_EQ(planning::dateOf(rs->Fields(2)), at(2025, 1, 14)); // empty end: a day after the start
    EXPECT_EQ(rs->Fields(3).toInt(), ann);
    EXPECT_EQ(rs->Fields(4).toInt(), 3);
    EXPECT_EQ(count(QStringLiteral("ZORBEL_PROJECTS"), QStringLiteral("Name = 'Second' AND WBS = 5")), 1);
    // Each OK lists what is stored and selects the project just added.
    EXPECT_EQ(grid(w, "FGProjects")->Rows(), 4);
    EXPECT_EQ(app().g_currentProjectName, QStringLiteral("Third"));
    EXPECT_EQ(app().g_projectCount, 3);
}

TEST_F(ProjectsEditorTest, DeleteAsksAndOnlyYesDeletes) {
    const qint32 id = addProject(QStringLiteral("Doomed"), ann, at(2024, 1, 1), at(2024, 2, 1));
    auto* w = openPhase(24);
    app().g_projectRow = 1;
    click(w, "btnDelete");
    boxes.script(ui::vbNo);
    click(w, "btnOK");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Are you sure you want to delete Doomed"));
    EXPECT_EQ(boxes.last().flags, ui::vbYesNo);
    EXPECT_EQ(count(QStringLiteral("ZORBEL_PROJECTS")), 1);
    EXPECT_EQ(w->mode(), shell::kBrowse);

    click(w, "btnDelete");
    boxes.script(ui::vbYes);
    click(w, "btnOK");
    EXPECT_EQ(count(QStringLiteral("ZORBEL_PROJECTS"), QStringLiteral("ProjectID = %1").arg(id)), 0);
    EXPECT_EQ(app().g_projectRow, 1);

    click(w, "btnRefresh");
    EXPECT_EQ(grid(w, "FGProjects")->Rows(), 1);
    EXPECT_FALSE(shown(w, "btnEdit"));
    EXPECT_FALSE(shown(w, "btnDelete"));
    EXPECT_EQ(app().g_currentProjectID, 0);
}

TEST_F(ProjectsEditorTest, RightsLevelsDecideTheButtons) {
    app().g_cfgProjectAdmin = 1;
    const qint32 p2 = addProject(QStringLiteral("Two"), ann, at(2024, 1, 1), at(2024, 2, 1), 1, 1);
    const qint32 p3 = addProject(QStringLiteral("Three"), ann, at(2024, 1, 1), at(2024, 2, 1), 1, 2);
    const qint32 p4 = addProject(QStringLiteral("Four"), ann, at(2024, 1, 1), at(2024, 2, 1), 1, 3);
    addProject(QStringLiteral("Hidden"), ann, at(2024, 1, 1), at(2024, 2, 1), 1, 4);
    zorbel().AddUserAdmin(7, p2, QStringLiteral("Two"), 2, 2, 2, 2, 2);
    zorbel().AddUserAdmin(7, p3, QStringLiteral("Three"), 3, 1, 1, 1, 1);
    zorbel().AddUserAdmin(7, p4, QStringLiteral("Four"), 4, 4, 4, 4, 4);
    auto* w = openPhase(24);
    auto* g = grid(w, "FGProjects");
    ASSERT_EQ(g->Rows(), 4); // level 1 projects are not listed

    struct Expect { int row; qint16 add, edit, del; };
    for (const Expect& e : {Expect{1, 2, 2, 2}, Expect{2, 2, 0, 2}, Expect{3, 0, 0, 0}}) {
        pickRow(w, "FGProjects", e.row);
        EXPECT_EQ(status(w, "btnAdd"), e.add) << e.row;
        EXPECT_EQ(status(w, "btnEdit"), e.edit) << e.row;
        EXPECT_EQ(status(w, "btnDelete"), e.del) << e.row;
    }
    EXPECT_EQ(app().g_taskAdminLevel, 4);

    // A greyed button raises nothing.
    pickRow(w, "FGProjects", 1);
    click(w, "btnEdit");
    EXPECT_EQ(w->mode(), shell::kBrowse);

    // A project added stays listed for its creator, with Full Control of it.
    pickRow(w, "FGProjects", 3);
    click(w, "btnAdd");
    type(w, "txtName", QStringLiteral("Five"));
    child<QComboBox>(w, "ComboContact")->setCurrentIndex(0);
    child<QComboBox>(w, "ComboState")->setCurrentIndex(2);
    app().g_projectAdminLevel = 0;
    click(w, "btnOK");
    EXPECT_TRUE(boxes.empty()) << boxes.last().prompt.toStdString();
    EXPECT_EQ(g->Rows(), 5);
    EXPECT_EQ(app().g_currentProjectName, QStringLiteral("Five"));
    EXPECT_EQ(app().g_projectAdminLevel, shell::kFullControl);
}

TEST_F(ProjectsEditorTest, RowClickMakesTheProjectCurrentForTheOtherWindows) {
    app().g_cfgProjectAdmin = 1;
    const qint32 first = addProject(QStringLiteral("First"), ann, at(2024, 1, 1, 8), at(2024, 2, 1, 18), 1, 1);
    const qint32 undated = addProject(QStringLiteral("Undated"), bob, QDateTime(), QDateTime(), 1, 2);
    zorbel().AddUserAdmin(7, first, QStringLiteral("First"), 4, 3, 2, 2, 2);
    zorbel().AddUserAdmin(7, undated, QStringLiteral("Undated"), 3, 2, 2, 2, 2);
    auto* w = openPhase(24);
    EXPECT_EQ(app().g_currentProjectID, first);
    EXPECT_EQ(app().g_projectStart, at(2024, 1, 1, 8));
    EXPECT_EQ(app().g_projectEnd, at(2024, 2, 1, 18));
    EXPECT_EQ(app().g_projectOwnerID, ann);
    EXPECT_EQ(app().g_taskAdminLevel, 3);

    app().g_milestoneRow = 2;
    app().g_deliverableRow = 3;
    app().g_taskRow = 4;
    app().g_actionRow = 5;
    app().g_progressRow = 6;
    pickRow(w, "FGProjects", 2);
    EXPECT_EQ(app().g_currentProjectID, undated);
    EXPECT_EQ(app().g_currentProjectName, QStringLiteral("Undated"));
    EXPECT_EQ(app().g_projectOwnerID, bob);
    EXPECT_EQ(app().g_projectRow, 2);
    EXPECT_EQ(app().g_projectAdminLevel, 3);
    EXPECT_EQ(app().g_taskAdminLevel, 2);
    // A project without dates keeps those of the project picked before.
    EXPECT_EQ(app().g_projectStart, at(2024, 1, 1, 8));
    EXPECT_EQ(app().g_projectEnd, at(2024, 2, 1, 18));
    for (qint32 row : {app().g_milestoneRow, app().g_deliverableRow, app().g_taskRow, app().g_actionRow,
                       app().g_progressRow})
        EXPECT_EQ(row, 0);

    // Saved with empty date boxes it starts now and ends a day later.
    const ui::ClockOverride clock(at(2024, 5, 6, 9, 30));
    click(w, "btnEdit");
    type(w, "txtReference", QStringLiteral("R-new"));
    click(w, "btnOK");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(project(undated, "Reference").toString(), QStringLiteral("R-new"));
    EXPECT_EQ(projectDate(undated, "StartDate"), at(2024, 5, 6, 9, 30));
    EXPECT_EQ(projectDate(undated, "EndDate"), at(2024, 5, 7, 9, 30));
}

TEST_F(ProjectsEditorTest, WithoutPerProjectRightsEveryButtonWorks) {
    addProject(QStringLiteral("Open"), ann, at(2024, 1, 1), at(2024, 2, 1));
    app().g_projectAdminLevel = 1; // left by an earlier pick; not consulted
    auto* w = openPhase(24);
    for (const char* b : {"btnAdd", "btnEdit", "btnDelete"})
        EXPECT_EQ(status(w, b), 0) << b;
}

TEST_F(ProjectsEditorTest, OwnerRuleRefusesOthersRecordsEvenWhenNamingOneself) {
    app().g_cfgOwnerAdmin = 1;
    const qint32 id = addProject(QStringLiteral("Bobs"), bob, at(2024, 1, 1), at(2024, 2, 1));
    auto* w = openPhase(24);
    click(w, "btnDelete");
    child<QComboBox>(w, "ComboContact")->setCurrentIndex(0); // Ann, the user, names herself
    click(w, "btnOK");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("You do not have the rights to make changes to this Project"));
    EXPECT_EQ(boxes.last().flags, ui::vbInformation);
    EXPECT_EQ(boxes.last().title, QStringLiteral("Operation Cancelled"));
    EXPECT_EQ(count(QStringLiteral("ZORBEL_PROJECTS"), QStringLiteral("ProjectID = %1").arg(id)), 1);
    EXPECT_EQ(w->mode(), shell::kBrowse);

    // A new project must name the user as its owner.
    click(w, "btnAdd");
    type(w, "txtName", QStringLiteral("Mine"));
    child<QComboBox>(w, "ComboContact")->setCurrentIndex(1); // Bob
    click(w, "btnOK");
    EXPECT_EQ(boxes.count(), 2);
    child<QComboBox>(w, "ComboContact")->setCurrentIndex(0);
    click(w, "btnAdd");
    type(w, "txtName", QStringLiteral("Mine"));
    child<QComboBox>(w, "ComboContact")->setCurrentIndex(0);
    click(w, "btnOK");
    EXPECT_EQ(boxes.count(), 2);
    EXPECT_EQ(count(QStringLiteral("ZORBEL_PROJECTS"), QStringLiteral("Name = 'Mine'")), 1);
}

TEST_F(ProjectsEditorTest, BadDateOrWBSWritesNothingAndKeepsTheMode) {
    const qint32 id = addProject(QStringLiteral("Kept"), ann, at(2024, 1, 1), at(2024, 2, 1), 1, 3);
    auto* w = openPhase(24);
    click(w, "btnEdit");
    type(w, "txtName", QStringLiteral("Changed"));
    type(w, "txtStart", QStringLiteral("31/02/2024"));
    click(w, "btnOK");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().flags, ui::vbExclamation);
    EXPECT_EQ(w->mode(), shell::kEdit);
    type(w, "txtStart", QStringLiteral("02/01/2024"));
    type(w, "txtWBS", QStringLiteral("70000"));
    click(w, "btnOK");
    EXPECT_EQ(boxes.count(), 2);
    EXPECT_EQ(w->mode(), shell::kEdit);
    EXPECT_EQ(project(id, "Name").toString(), QStringLiteral("Kept"));

    type(w, "txtWBS", QStringLiteral("9"));
    click(w, "btnOK");
    EXPECT_EQ(boxes.count(), 2);
    EXPECT_EQ(project(id, "Name").toString(), QStringLiteral("Changed"));
    EXPECT_EQ(projectDate(id, "StartDate"), at(2024, 1, 2));
    EXPECT_EQ(project(id, "WBS").toInt(), 9);
}

TEST_F(ProjectsEditorTest, UnmatchedOwnerOrStatusShowsNoSelectionAndEditKeepsTheStoredOnes) {
    const qint32 gone = addProject(QStringLiteral("Orphan"), 999, at(2024, 1, 1), at(2024, 2, 1), 9, 2);
    addProject(QStringLiteral("Normal"), bob, at(2024, 1, 1), at(2024, 2, 1), 2, 1);
    auto* w = openPhase(24);
    EXPECT_EQ(child<QComboBox>(w, "ComboContact")->currentIndex(), 1); // "Normal" (WBS 1) first: Bob
    pickRow(w, "FGProjects", 2);
    EXPECT_EQ(app().g_currentProjectID, gone);
    EXPECT_EQ(child<QComboBox>(w, "ComboContact")->currentIndex(), -1);
    EXPECT_EQ(child<QComboBox>(w, "ComboStatus")->currentIndex(), -1);
    click(w, "btnEdit");
    type(w, "txtDescription", QStringLiteral("new"));
    click(w, "btnOK");
    EXPECT_EQ(project(gone, "OwnerID").toInt(), 999);
    EXPECT_EQ(project(gone, "StatusID").toInt(), 9);
}

} // namespace
} // namespace zorbel::test
