// The wizard's introduction and project pages: what Next creates, how the
// dates are read, and every way the creation is refused.

#include "tests/client/planning/WizardTestSupport.h"

#include "platform/ui/Clock.h"

#include <QCheckBox>
#include <QLabel>

namespace zorbel::test {
namespace {

class AddProjectTest : public WizardTest {
protected:
    QVariant project(qint32 id, const char* column) {
        return stored(QStringLiteral("ZORBEL_PROJECTS"), QString::fromLatin1(column), QStringLiteral("ProjectID"), id);
    }
    QDateTime projectDate(qint32 id, const char* column) {
        return storedDate(QStringLiteral("ZORBEL_PROJECTS"), QString::fromLatin1(column), QStringLiteral("ProjectID"),
                          id);
    }
    void addProjectWithWBS(int wbs) {
        db().execute({QStringLiteral("INSERT INTO ZORBEL_PROJECTS (Name, WBS) VALUES ('Old', ?)"), {wbs}});
    }
};

TEST_F(AddProjectTest, NextCreatesAPlannedMeasureProjectWithTheOwnerChosenHereAndTheNextWBS) {
    app().g_currentProjectID = 77;
    const struct {
        const char* what;
        std::vector<int> existing;
        int ownerRow;
        qint32 expectedWBS;
        qint32 expectedOwner;
    } cases[] = {
        {"first project", {}, 1, 1, 2},
        {"after the highest WBS", {7, 3}, 1, 8, 2},
        // Bob was chosen in the run before: nobody chosen now means no owner.
        {"no owner chosen on this page", {}, -1, 9, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (int wbs : c.existing)
            addProjectWithWBS(wbs);
        QWidget* w = projectPage(QStringLiteral("Bridge"), QString(), QString(), c.ownerRow);
        EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmAddProjectHelp")));
        click(w, "btnNext");

        const qint32 id = app().g_newProjectID;
        EXPECT_EQ(project(id, "Name").toString(), QStringLiteral("Bridge"));
        EXPECT_EQ(project(id, "OwnerID").toInt(), c.expectedOwner == 2 ? bob : 0);
        EXPECT_EQ(project(id, "StatusID").toInt(), 3);
        EXPECT_EQ(project(id, "State").toInt(), 1);
        EXPECT_EQ(project(id, "WBS").toInt(), c.expectedWBS);
        EXPECT_EQ(app().g_currentProjectID, 77);
        EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmAddProject")));
        EXPECT_TRUE(ui::isLoaded(QStringLiteral("frmAddMilestones")));
    }
}

TEST_F(AddProjectTest, WithPerProjectRightsTheCreatorGetsFullControlOfTheNewProject) {
    zorbel().AddUser(ann, QStringLiteral("ann"), QStringLiteral("pw"), QStringLiteral("Ann Archer"), 0);
    app().g_currentMultiUserID = lastID(QStringLiteral("ZORBEL_MULTI_USER_TABLE"), QStringLiteral("MultiUserID"));
    for (const qint16 rightsOn : {0, 1}) {
        SCOPED_TRACE(rightsOn);
        app().g_cfgProjectAdmin = rightsOn;
        const qint32 id = createProject(QStringLiteral("Bridge %1").arg(rightsOn));
        const auto rights = zorbel().GetUserAdmin(app().g_currentMultiUserID);
        ASSERT_EQ(rights->RecordCount(), rightsOn);
        if (!rightsOn)
            continue;
        rights->MoveLast();
        EXPECT_EQ(rights->Fields(QStringLiteral("ProjectID")).toInt(), id);
        EXPECT_EQ(rights->Fields(QStringLiteral("ProjectName")).toString(), QStringLiteral("Bridge 1"));
        for (int level = 4; level <= 8; ++level)
            EXPECT_EQ(rights->Fields(level).toInt(), shell::kFullControl) << level;
        // The projects lists read by rights now hold it (a wizard's project starts in state 1).
        EXPECT_EQ(shell::rowOfID(zorbel().GetProjectsByAdmin(1, app().g_currentMultiUserID), id), 0);
    }
}

TEST_F(AddProjectTest, DatesAreReadWithTheConfiguredPatternOnAMonthFirstDesktop) {
    const ui::ClockOverride clock(at(2024, 5, 6, 9, 30));
    const struct {
        const char* start;
        const char* end;
        const char* duration;
        bool sevenDays;
        QDateTime expectedStart;
        QDateTime expectedEnd;
    } cases[] = {
        {"", "", "", false, at(2024, 5, 6, 9, 30), at(2024, 5, 7, 9, 30)},
        {"05/03/2024", "", "", false, at(2024, 3, 5), at(2024, 3, 6)},
        {"05/03/2024", "", "6", false, at(2024, 3, 5), at(2024, 3, 12)},         // the weekend skipped
        {"05/03/2024", "", "6", true, at(2024, 3, 5), at(2024, 3, 10)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(c.start, c.end, c.duration).toStdString());
        QWidget* w = projectPage(QStringLiteral("Dated"), QString::fromLatin1(c.start), QString::fromLatin1(c.end), 0);
        child<QCheckBox>(w, "chk7DayWeek")->setChecked(c.sevenDays);
        type(w, "txtDuration", QString::fromLatin1(c.duration));
        click(w, "btnNext");
        const qint32 id = app().g_newProjectID;
        EXPECT_EQ(projectDate(id, "StartDate"), c.expectedStart);
        EXPECT_EQ(projectDate(id, "EndDate"), c.expectedEnd);
        EXPECT_EQ(app().g_projectEnd, c.expectedEnd);
        // The milestones page shows the project as stored.
        EXPECT_EQ(child<QLabel>(page("frmAddMilestones"), "txtStart")->text(), shell::FormatShown(c.expectedStart));
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(AddProjectTest, ARefusedCreationStaysOnTheProjectPageAndCreatesNothing) {
    const QString away = QStringLiteral("ALTER TABLE ZORBEL_PROJECTS RENAME TO ZORBEL_PROJECTS_AWAY");
    const QString back = QStringLiteral("ALTER TABLE ZORBEL_PROJECTS_AWAY RENAME TO ZORBEL_PROJECTS");
    const struct {
        const char* what;
        const char* start;
        bool refuseInsert;
        bool fullWBS;
        QString message;
    } cases[] = {
        {"the database refuses", "", true, false, QStringLiteral("Create Project FAILED")}, // g_newProjectID 0
        {"WBS past 16 bits", "", false, true, QStringLiteral("The WBS must be a whole number from -32768 to 32767")},
        {"start that is no date", "31/02/2024", false, false, QStringLiteral("\"31/02/2024\" is not a date")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.clear();
        if (c.fullWBS)
            addProjectWithWBS(32767);
        const int before = count(QStringLiteral("ZORBEL_PROJECTS"));
        QWidget* w = projectPage(QStringLiteral("Refused"), QString::fromLatin1(c.start), QString(), 0);
        if (c.refuseInsert)
            db().execute({away, {}});
        click(w, "btnNext");
        if (c.refuseInsert)
            db().execute({back, {}});
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes.last().prompt, c.message);
        EXPECT_EQ(boxes.last().flags, ui::vbExclamation);
        EXPECT_TRUE(ui::isLoaded(QStringLiteral("frmAddProject")));
        EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmAddMilestones")));
        EXPECT_EQ(count(QStringLiteral("ZORBEL_PROJECTS")), before);
        if (c.refuseInsert) {
            EXPECT_EQ(boxes.last().title, QStringLiteral("Create Project Failure"));
        }
        click(w, "btnCancel");
        EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmAddProject")));
    }
}

} // namespace
} // namespace zorbel::test
