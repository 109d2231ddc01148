// "Select Project": picking a project of the Implement phase makes it current
// with the account's rights levels for it.

#include "client/shell/ProjectPicking.h"
#include "client/shell/frmSelectProject.h"
#include "controls/ctrlButton.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Windows.h"
#include "tests/client/ClientTest.h"

#include <QLineEdit>
#include <QTableView>
#include <QTest>

namespace zorbel::test {
namespace {

QDateTime day(int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(0, 0)); }

class ProjectPickerTest : public ClientTest {
protected:
    void SetUp() override {
        ClientTest::SetUp();
        app().g_currentMultiUserID = 6;
        alpha = zorbel().AddProject(QStringLiteral("Alpha"), QString(), QString(), 11, day(2024, 2, 1),
                                    day(2024, 6, 30), 2, 1, 3);
        zorbel().AddProject(QStringLiteral("Dormant"), QString(), QString(), 11, {}, {}, 2, 2, 1);
        beta = zorbel().AddProject(QStringLiteral("Beta"), QString(), QString(), 12, {}, {}, 2, 3, 3);
        zorbel().AddUserAdmin(6, alpha, QStringLiteral("Alpha"), 1, 2, 3, 4, 5);
        zorbel().AddUserAdmin(7, beta, QStringLiteral("Beta"), 5, 5, 5, 5, 5); // another account's
    }

    // Shows the picker modally; the driver works it as a user would.
    void pick(const std::function<void(QWidget&, ui::FlexGrid&)>& drive) {
        ui::ModalHook hook([&](QWidget& window) {
            window.show();
            auto* grid = window.findChild<ui::FlexGrid*>(QStringLiteral("FGProjects"));
            ASSERT_NE(grid, nullptr);
            drive(window, *grid);
        });
        ASSERT_TRUE(ui::showModal(QStringLiteral("frmSelectProject")));
        EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmSelectProject")));
    }
    static void clickRow(ui::FlexGrid& grid, int row) {
        QTest::mouseClick(grid.view()->viewport(), Qt::LeftButton, {}, grid.cellRect(row, 1).center());
    }
    static QString shownName(QWidget& window) {
        return window.findChild<QLineEdit*>(QStringLiteral("txtProject"))->text();
    }
    void expectLevels(qint16 project, qint16 task, qint16 action, qint16 progress, qint16 issue) {
        EXPECT_EQ(app().g_projectAdminLevel, project);
        EXPECT_EQ(app().g_taskAdminLevel, task);
        EXPECT_EQ(app().g_actionAdminLevel, action);
        EXPECT_EQ(app().g_progressAdminLevel, progress);
        EXPECT_EQ(app().g_issueAdminLevel, issue);
    }

    qint32 alpha = 0, beta = 0;
};

TEST_F(ProjectPickerTest, ListsTheImplementProjectsAndAClickedRowIsThePick) {
    app().g_taskRow = 3;
    pick([&](QWidget& window, ui::FlexGrid& grid) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Select Project"));
        ASSERT_EQ(grid.Rows(), 3);
        EXPECT_EQ(grid.Cols(), 10);
        EXPECT_EQ(grid.TextArray(1), QStringLiteral("Project Name"));
        EXPECT_EQ(grid.TextMatrix(1, 1), QStringLiteral("Alpha"));
        EXPECT_EQ(grid.TextMatrix(2, 1), QStringLiteral("Beta"));
        EXPECT_EQ(grid.TextMatrix(1, 0), QString::number(alpha));
        EXPECT_EQ(grid.TextMatrix(2, 5), QString()); // a null date
        EXPECT_GT(grid.ColWidth(1), 0);
        for (int col : {0, 2, 5, 9})
            EXPECT_EQ(grid.ColWidth(col), 0) << col;
        EXPECT_EQ(shownName(window), QString());
        clickRow(grid, 1);
        EXPECT_EQ(shownName(window), QStringLiteral("Alpha"));
        QTest::mouseClick(window.findChild<controls::ctrlButton*>(QStringLiteral("btnNext")), Qt::LeftButton);
    });
    EXPECT_EQ(app().g_currentProjectID, alpha);
    EXPECT_EQ(app().g_currentProjectName, QStringLiteral("Alpha"));
    EXPECT_EQ(app().g_projectStart, day(2024, 2, 1));
    EXPECT_EQ(app().g_projectEnd, day(2024, 6, 30));
    EXPECT_EQ(app().g_projectOwnerID, 11);
    EXPECT_EQ(app().g_taskRow, 0);
    expectLevels(1, 2, 3, 4, 5);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ProjectPickerTest, ProjectWithoutARightsRowGetsNoRights) {
    pick([&](QWidget& window, ui::FlexGrid& grid) {
        clickRow(grid, 2);
        EXPECT_EQ(shownName(window), QStringLiteral("Beta"));
        // closed by its close box: the pick stays
    });
    EXPECT_EQ(app().g_currentProjectID, beta);
    EXPECT_EQ(app().g_currentProjectName, QStringLiteral("Beta"));
    EXPECT_FALSE(app().g_projectStart.isValid());
    expectLevels(0, 0, 0, 0, 0);
}

TEST_F(ProjectPickerTest, NullLevelsCountAsNothingAndTheLastMatchingRowWins) {
    zorbel().AddUserAdmin(6, alpha, QStringLiteral("Alpha"), 2, 2, 2, 2, 2);
    db().execute({QStringLiteral("UPDATE ZORBEL_ADMIN_TABLE SET ActionAdminLevel = NULL WHERE ProjectAdminLevel = 2"),
                  {}});
    pick([](QWidget&, ui::FlexGrid& grid) { clickRow(grid, 1); });
    expectLevels(2, 2, 0, 2, 2);
}

TEST_F(ProjectPickerTest, NoImplementProjectChangesNothing) {
    db().execute({QStringLiteral("UPDATE ZORBEL_PROJECTS SET State = 1"), {}});
    app().g_currentProjectID = 42;
    app().g_currentProjectName = QStringLiteral("Kept");
    app().g_projectAdminLevel = 3;
    pick([](QWidget& window, ui::FlexGrid& grid) {
        EXPECT_EQ(grid.Rows(), 1);
        QTest::mouseClick(grid.view()->viewport(), Qt::LeftButton, {}, QPoint(10, 40));
        EXPECT_EQ(shownName(window), QString());
    });
    EXPECT_EQ(app().g_currentProjectID, 42);
    EXPECT_EQ(app().g_currentProjectName, QStringLiteral("Kept"));
    EXPECT_EQ(app().g_projectAdminLevel, 3);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ProjectPickerTest, ClosedWithoutAClickTheProjectCurrentBeforeStays) {
    zorbel().AddUserAdmin(6, beta, QStringLiteral("Beta"), 2, 2, 2, 2, 2);
    const struct {
        const char* what;
        qint32 current;
        int click;       // 0: closed without one
        int rowShown;
        const char* nameShown;
        qint32 kept;
        qint16 level;    // all five
        qint32 taskRow;  // reset only by a pick
    } cases[] = {
        {"the current project listed", beta, 0, 2, "Beta", beta, 2, 3},
        {"the current project not listed", 42, 0, 1, "", 42, 9, 3},
        {"a row clicked", 42, 2, 2, "Beta", beta, 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        app().g_currentProjectID = c.current;
        app().g_currentProjectName = c.current == beta ? QStringLiteral("Beta") : QStringLiteral("Kept");
        app().g_projectAdminLevel = app().g_taskAdminLevel = app().g_actionAdminLevel = 9;
        app().g_progressAdminLevel = app().g_issueAdminLevel = 9;
        app().g_taskRow = 3;
        pick([&](QWidget& window, ui::FlexGrid& grid) {
            if (c.click)
                clickRow(grid, c.click);
            EXPECT_EQ(grid.Row(), c.rowShown);
            EXPECT_EQ(shownName(window), QString::fromLatin1(c.nameShown));
        });
        EXPECT_EQ(app().g_currentProjectID, c.kept);
        expectLevels(c.level, c.level, c.level, c.level, c.level);
        EXPECT_EQ(app().g_taskRow, c.taskRow);
    }
}

TEST_F(ProjectPickerTest, RightsCopyForOtherWindows) {
    const auto rights = zorbel().GetUserAdmin(6);
    shell::LoadProjectRights(rights, alpha);
    expectLevels(1, 2, 3, 4, 5);
    shell::LoadProjectRights(rights, beta);
    expectLevels(0, 0, 0, 0, 0);
    app().g_issueAdminLevel = 4;
    shell::LoadProjectRights(nullptr, alpha);
    expectLevels(0, 0, 0, 0, 0);
}

} // namespace
} // namespace zorbel::test
