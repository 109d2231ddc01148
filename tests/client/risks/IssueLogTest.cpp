// "Issue Log": adding, editing and deleting through the dialog, each followed
// by a reload; the open and closed lists; rights from the picker; lists that
// cannot be read.

#include "tests/client/risks/IssueTestSupport.h"

#include <QCheckBox>

namespace zorbel::test {
namespace {

class IssueLogTest : public IssueTest {};

TEST_F(IssueLogTest, AddAndTwoEditsAreAllKeptAndDeleteEmptiesTheList) {
    auto* log = openLog();
    auto* fg = grid(log, "FG1");
    ASSERT_EQ(app().g_currentProjectID, project); // kept by the picker
    EXPECT_EQ(app().g_currentIssueGroupID, build);
    EXPECT_EQ(combo(log, "ComboIssueGroup")->currentText(), QStringLiteral("Build"));
    EXPECT_EQ(fg->Rows(), 1);

    onDialog = [](QWidget& d) {
        EXPECT_EQ(combo(&d, "ComboIssueGroup")->currentText(), QStringLiteral("Build"));
        EXPECT_EQ(combo(&d, "ComboStatus")->currentIndex(), -1);
        type(&d, "txtReference", QStringLiteral("R-1"));
        write(&d, "txtIssue", QStringLiteral("Crack"));
        combo(&d, "ComboOwner")->setCurrentIndex(0);
        combo(&d, "ComboStatus")->setCurrentIndex(1);   // Open
        combo(&d, "ComboSeverity")->setCurrentIndex(2); // High
        click(&d, "btnOK");
    };
    click(log, "btnAdd");
    EXPECT_TRUE(boxes.empty()) << boxes.last().prompt.toStdString();
    ASSERT_EQ(fg->Rows(), 2);
    const qint32 id = fg->TextMatrix(1, 0).toInt();
    EXPECT_EQ(app().g_currentIssueID, id);
    EXPECT_EQ(issue(id, "IssueGroupID").toInt(), build);
    const QStringList cells = {fg->TextMatrix(1, 3), fg->TextMatrix(1, 5), fg->TextMatrix(1, 13),
                               fg->TextMatrix(1, 14), fg->TextMatrix(1, 15), fg->TextMatrix(1, 16)};
    EXPECT_EQ(cells, (QStringList{"R-1", "Crack", "Ann Archer", "Open", "High", "-1"}));

    // Each edit starts from what the list shows now, so the first change survives the second.
    onDialog = [](QWidget& d) {
        EXPECT_EQ(combo(&d, "ComboStatus")->currentText(), QStringLiteral("Open"));
        write(&d, "txtIssue", QStringLiteral("Crack wider"));
        click(&d, "btnOK");
    };
    click(log, "btnEdit");
    EXPECT_EQ(fg->TextMatrix(1, 5), QStringLiteral("Crack wider"));
    onDialog = [](QWidget& d) {
        EXPECT_EQ(child<QPlainTextEdit>(&d, "txtIssue")->toPlainText(), QStringLiteral("Crack wider"));
        write(&d, "txtImpact", QStringLiteral("Delay"));
        click(&d, "btnOK");
    };
    click(log, "btnEdit");
    EXPECT_EQ(issue(id, "Issue").toString(), QStringLiteral("Crack wider"));
    EXPECT_EQ(issue(id, "Impact").toString(), QStringLiteral("Delay"));
    EXPECT_EQ(fg->TextMatrix(1, 6), QStringLiteral("Delay"));

    boxes.script(ui::vbYes);
    click(log, "btnDelete");
    ASSERT_FALSE(boxes.empty()) << "a delete";
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Are you sure you want to delete Crack wider"));
    EXPECT_EQ(count(QStringLiteral("ZORBEL_ISSUE_LOG")), 0);
    EXPECT_EQ(fg->Rows(), 1);
    EXPECT_EQ(app().g_currentIssueID, 0);
    EXPECT_FALSE(shown(log, "btnEdit") || shown(log, "btnDelete"));
    EXPECT_EQ(dialogsShown(), 3);
}

TEST_F(IssueLogTest, ClosedIssuesListOnlyUnderViewClosedWhichStaysReachable) {
    addIssue(build, QStringLiteral("Done"), at(2024, 3, 2), 1);
    addIssue(design, QStringLiteral("Live"), at(2024, 3, 3), 3);
    auto* log = openLog();
    auto* fg = grid(log, "FG1");
    auto* closed = child<QCheckBox>(log, "chkViewAll");
    struct Case {
        const char* group;
        bool viewClosed;
        const char* listed; // nullptr: no issue
    };
    const Case cases[] = {
        {"Build", false, nullptr}, {"Build", true, "Done"},  {"Design", true, nullptr},
        {"Design", false, "Live"}, {"Build", false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.group) + (c.viewClosed ? " closed" : " open"));
        combo(log, "ComboIssueGroup")->setCurrentText(QString::fromLatin1(c.group));
        closed->setChecked(c.viewClosed);
        EXPECT_TRUE(shown(log, "chkViewAll"));
        ASSERT_EQ(fg->Rows(), c.listed ? 2 : 1);
        EXPECT_EQ(shown(log, "btnEdit"), c.listed != nullptr);
        if (c.listed) {
            EXPECT_EQ(fg->TextMatrix(1, 3), QString::fromLatin1(c.listed));
        } else {
            EXPECT_EQ(app().g_currentIssueID, 0);
        }
    }
}

TEST_F(IssueLogTest, TheGroupIsThePickedEntryEvenWhenTwoShareAName) {
    zorbel().AddIssueGroup(QStringLiteral("Build")); // listed after the first Build
    const qint32 twin = lastID(QStringLiteral("ZORBEL_ISSUES_GROUPS"), QStringLiteral("IssueGroupID"));
    addIssue(twin, QStringLiteral("Twin's"), at(2024, 3, 2), 2);
    auto* log = openLog();
    const struct {
        int entry;
        qint32 group;
        int rows;
    } picks[] = {{1, twin, 2}, {0, build, 1}};
    for (const auto& p : picks) {
        SCOPED_TRACE(p.entry);
        combo(log, "ComboIssueGroup")->setCurrentIndex(p.entry);
        EXPECT_EQ(app().g_currentIssueGroupID, p.group);
        EXPECT_EQ(grid(log, "FG1")->Rows(), p.rows);
    }
}

TEST_F(IssueLogTest, AddWithoutACurrentProjectOrGroupIsRefusedNamingWhichIsMissing) {
    const auto expectRefused = [this](const QString& missing) {
        auto* log = openLog();
        boxes.clear();
        click(log, "btnAdd");
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().prompt, missing);
        EXPECT_EQ(dialogsShown(), 0);
        ui::closeWindow(QStringLiteral("frmIssueLog"));
        QApplication::processEvents();
    };
    // The picker lists no project and none was current: groups alone are not enough.
    app().g_currentProjectID = 0;
    db().execute({QStringLiteral("UPDATE ZORBEL_PROJECTS SET State = 1"), {}});
    expectRefused(QStringLiteral("Select a Project of the Implement phase first"));
    EXPECT_EQ(app().g_currentIssueGroupID, build);

    app().g_currentProjectID = project;
    db().execute({QStringLiteral("UPDATE ZORBEL_PROJECTS SET State = 3"), {}});
    db().execute({QStringLiteral("DELETE FROM ZORBEL_ISSUES_GROUPS"), {}});
    expectRefused(QStringLiteral("Add an Issue Group first"));
    EXPECT_EQ(app().g_currentProjectID, project);
    EXPECT_EQ(app().g_currentIssueGroupID, 0);
}

TEST_F(IssueLogTest, ThePickersRightsLevelDecidesListingAndButtons) {
    addIssue(build, QStringLiteral("R"), at(2024, 3, 2), 2);
    app().g_currentMultiUserID = 9;
    const struct {
        qint16 cfgProjectAdmin;
        qint16 issueLevel;
        bool listed;
        qint16 add, edit, del;
    } cases[] = {
        {0, 0, true, 0, 0, 0}, {1, 1, false, 2, 2, 2}, {1, 2, true, 2, 2, 2},
        {1, 3, true, 2, 0, 2}, {1, 4, true, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.issueLevel);
        app().g_cfgProjectAdmin = c.cfgProjectAdmin;
        db().execute({QStringLiteral("DELETE FROM ZORBEL_ADMIN_TABLE"), {}});
        zorbel().AddUserAdmin(9, project, QStringLiteral("Bridge"), 1, 1, 1, 1, c.issueLevel);
        auto* log = openLog();
        EXPECT_EQ(app().g_issueAdminLevel, c.issueLevel);
        EXPECT_EQ(grid(log, "FG1")->Rows(), c.listed ? 2 : 1);
        EXPECT_EQ(shown(log, "btnEdit"), c.listed);
        EXPECT_EQ((std::array<qint16, 3>{status(log, "btnAdd"), status(log, "btnEdit"), status(log, "btnDelete")}),
                  (std::array<qint16, 3>{c.add, c.edit, c.del}));
        ui::closeWindow(QStringLiteral("frmIssueLog"));
        QApplication::processEvents();
    }
}

// A list that cannot be read (its table is gone) is reported once and leaves
// the log, the dialog and the groups window working.
struct MissingList {
    const char* table;
    const char* message; // what the dialog says of its own, if anything
};

class IssueMissingListTest : public IssueTest, public ::testing::WithParamInterface<MissingList> {};

TEST_P(IssueMissingListTest, NoWindowFailsAndNullsShowEmpty) {
    addIssue(build, QStringLiteral("R"), at(2024, 3, 2), 2);
    db().execute({QStringLiteral("UPDATE ZORBEL_ISSUE_LOG SET OwnerID = NULL, IssueDate = NULL"), {}});
    db().execute({QStringLiteral("DROP TABLE ") + QLatin1String(GetParam().table), {}});
    app().g_currentIssueGroupID = build;
    auto* log = openLog();
    auto* fg = grid(log, "FG1");
    const bool listed = QLatin1String(GetParam().table) != QLatin1String("ZORBEL_ISSUE_LOG");
    ASSERT_EQ(fg->Rows(), listed ? 2 : 1);
    if (listed) {
        EXPECT_EQ(fg->TextMatrix(1, 4), QString());  // null date
        EXPECT_EQ(fg->TextMatrix(1, 13), QString()); // null owner
        EXPECT_EQ(app().g_issueOwnerID, 0);
    }
    boxes.clear();
    onDialog = [](QWidget& d) { click(&d, "btnCancel"); };
    click(log, listed ? "btnEdit" : "btnRefresh");
    EXPECT_EQ(dialogsShown(), listed ? 1 : 0);
    if (GetParam().message) {
        const std::vector<QString> prompts = boxes.prompts();
        EXPECT_NE(std::find(prompts.begin(), prompts.end(), QLatin1String(GetParam().message)), prompts.end());
    }
    ASSERT_TRUE(ui::showWindow(QStringLiteral("frmIssueGroups")));
    QWidget* groupsWindow = ui::window(QStringLiteral("frmIssueGroups"));
    const bool groups = QLatin1String(GetParam().table) != QLatin1String("ZORBEL_ISSUES_GROUPS");
    EXPECT_EQ(grid(groupsWindow, "FG1")->Rows(), groups ? 3 : 1);
    EXPECT_EQ(shown(groupsWindow, "btnDelete"), groups);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, IssueMissingListTest,
    ::testing::Values(MissingList{"ZORBEL_ISSUE_SCHEDULE", "Get Shedule Failed in frmAddIssue"},
                      MissingList{"ZORBEL_ISSUE_SEVERITY", "Get Severity Failed in frmAddIssue"},
                      MissingList{"ZORBEL_ISSUE_URGENCY", "Get Urgency Failed in frmAddIssue"},
                      MissingList{"ZORBEL_ISSUE_STATUS_TYPES", "Load Issue Status Failure the list could not be read"},
                      MissingList{"ZORBEL_TEAM_TABLE", "Load Owners Failure the list could not be read"},
                      MissingList{"ZORBEL_ISSUES_GROUPS", nullptr}, MissingList{"ZORBEL_ISSUE_LOG", nullptr}),
    [](const ::testing::TestParamInfo<MissingList>& info) { return std::string(info.param.table); });

} // namespace
} // namespace zorbel::test
