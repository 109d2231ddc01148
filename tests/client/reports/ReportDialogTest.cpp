// "Create MS Excel Report": what a pick makes current, when Create is
// refused, and what a missing list costs the user.

#include "ReportTestSupport.h"
#include "platform/ui/FlexGrid.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QTableView>

namespace zorbel::test {
namespace {

class ReportDialogTest : public ReportTest {
protected:
    QString boxText(const char* name) { return open().findChild<QLineEdit*>(QString::fromLatin1(name))->text(); }
    void clickRow(int row) {
        auto* grid = open().findChild<ui::FlexGrid*>(QStringLiteral("FGProjects"));
        QTest::mouseClick(grid->view()->viewport(), Qt::LeftButton, {}, grid->cellRect(row, 1).center());
    }
    void pickEnd(const QDate& date) {
        open().findChild<QCalendarWidget*>(QStringLiteral("MonthViewEnd"))->setSelectedDate(date);
        open().MonthViewEnd_DateClick();
    }
    bool saved(const QString& name) { return QFileInfo::exists(output.path(name + QStringLiteral(".xlsx"))); }
};

TEST_F(ReportDialogTest, EveryPickMakesTheProjectCurrentWithItsDatesOwnerAndRights) {
    app().g_currentMultiUserID = 6;
    const qint32 first = zorbel().AddProject(QStringLiteral("First"), {}, {}, 11, at(2026, 3, 2, 9), at(2026, 3, 31), 2, 1, 3);
    zorbel().AddProject(QStringLiteral("Measured"), {}, {}, 12, at(2026, 1, 1), at(2026, 1, 2), 2, 2, 1);
    const qint32 second = zorbel().AddProject(QStringLiteral("Second"), {}, {}, 13, at(2026, 5, 1), at(2026, 5, 11), 2, 3, 3);
    zorbel().AddUserAdmin(6, second, QStringLiteral("Second"), 4, 3, 2, 1, 5);
    app().g_projectAdminLevel = 9;

    open();
    // Opening picks the first listed project before anything is clicked.
    EXPECT_EQ(open().findChild<ui::FlexGrid*>(QStringLiteral("FGProjects"))->Rows(), 3); // state 3 only
    EXPECT_EQ(app().g_currentProjectID, first);
    EXPECT_EQ(app().g_currentProjectName, QStringLiteral("First"));
    EXPECT_EQ(app().g_projectStart, at(2026, 3, 2, 9));
    EXPECT_EQ(app().g_projectOwnerID, 11);
    EXPECT_EQ(app().g_projectAdminLevel, 0); // no rights row: none, not the previous project's
    EXPECT_EQ(boxText("txtProject"), QStringLiteral("First"));
    EXPECT_EQ(boxText("txtStart"), QStringLiteral("02/03/2026"));
    EXPECT_EQ(boxText("txtWindow"), QStringLiteral("29"));

    tick("chkTimeline", true);
    pickEnd(QDate(2026, 2, 27));
    EXPECT_EQ(boxText("txtWindow"), QStringLiteral("-3"));

    clickRow(2);
    EXPECT_EQ(app().g_currentProjectID, second);
    EXPECT_EQ(app().g_currentProjectName, QStringLiteral("Second"));
    EXPECT_EQ(app().g_projectStart, at(2026, 5, 1));
    EXPECT_EQ(app().g_projectEnd, at(2026, 5, 11));
    EXPECT_EQ(app().g_projectOwnerID, 13);
    EXPECT_EQ(app().g_projectAdminLevel, 4);
    EXPECT_EQ(app().g_issueAdminLevel, 5);
    // The project's own dates replace the window picked before.
    EXPECT_EQ(boxText("txtEnd"), QStringLiteral("11/05/2026"));
    EXPECT_EQ(boxText("txtWindow"), QStringLiteral("10"));
}

TEST_F(ReportDialogTest, CreateLiesBetweenTheCalendarsAndCoversNeither) {
    auto& dialog = open();
    tick("chkTimeline", true);
    const QRect create = dialog.findChild<controls::ctrlButton*>(QStringLiteral("bntCreate"))->geometry();
    for (const char* name : {"MonthViewStart", "MonthViewEnd"}) {
        const QRect month = dialog.findChild<QCalendarWidget*>(QString::fromLatin1(name))->geometry();
        EXPECT_FALSE(create.intersects(month)) << name;
        EXPECT_TRUE(dialog.rect().contains(month)) << name;
    }
    EXPECT_TRUE(dialog.rect().contains(create));
}

TEST_F(ReportDialogTest, CreateIsRefusedWithOneMessageAndNothingWritten) {
    struct Case {
        const char* name;
        QDateTime start, end;
        qint16 state;
        QString message;  // empty: the report is written
        bool timeline = false;
    };
    const QString noProject = QStringLiteral("There is no project of the Implement phase to report on");
    const QString noDates = QStringLiteral("Must have a valid start and end date");
    const QString tooLong = QStringLiteral("The Duration must be less than 252 days");
    const QString backwards =
        QStringLiteral("The Project's End Date is before its Start Date - pick the Timeline's dates with the calendars");
    const Case cases[] = {
        {"No project", at(2026, 1, 1), at(2026, 1, 2), 2, noProject},
        {"No end", at(2026, 1, 1), {}, 3, noDates},
        {"No start", {}, at(2026, 1, 1), 3, noDates},
        {"Too long", at(2026, 1, 1), at(2026, 1, 1).addDays(252), 3, tooLong},
        {"Just short enough", at(2026, 1, 1), at(2026, 1, 1).addDays(251), 3, {}},
        {"Backwards", at(2026, 1, 10), at(2026, 1, 5), 3, {}},
        {"Backwards with a timeline", at(2026, 1, 10), at(2026, 1, 5), 3, backwards, true},
        {"One day", at(2026, 1, 5), at(2026, 1, 5), 3, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        db().execute({QStringLiteral("DELETE FROM ZORBEL_PROJECTS"), {}});
        zorbel().AddProject(QString::fromLatin1(c.name), {}, {}, 0, c.start, c.end, 2, 1, c.state);
        app().g_currentProjectID = 77;
        boxes.clear();
        open();
        tick("chkTimeline", c.timeline);
        pressCreate();
        EXPECT_EQ(saved(QString::fromLatin1(c.name)), c.message.isEmpty());
        if (c.message.isEmpty()) {
            EXPECT_TRUE(boxes.empty()) << boxes.prompts().front().toStdString();
        } else {
            ASSERT_EQ(boxes.count(), 1);
            EXPECT_EQ(boxes.last().prompt, c.message);
        }
        if (c.state != 3) {
            EXPECT_EQ(app().g_currentProjectID, 77); // nothing was picked, so nothing changed
        }
        ui::closeWindow(QStringLiteral("frmExcel"));
    }
    // A refused window can be shortened with the calendars; it stays in force with the timeline unticked.
    boxes.clear();
    zorbel().AddProject(QStringLiteral("Long"), {}, {}, 0, at(2026, 1, 1), at(2026, 12, 31), 2, 0, 3);
    open();
    tick("chkTimeline", true);
    pickEnd(QDate(2025, 12, 30));
    pressCreate();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("The End Date you have entered is before the Start Date"));
    pickEnd(QDate(2026, 2, 1));
    tick("chkTimeline", false);
    pressCreate();
    EXPECT_TRUE(saved(QStringLiteral("Long")));
}

TEST_F(ReportDialogTest, UntickedBoxesLeaveOutTheirSheetsAndTheTeam) {
    const KnownProject p(zorbel());
    open();
    for (const char* box : {"chkTeam", "chkMilestones", "chkRisks", "chkDeliverables"})
        tick(box, false);
    const XlsxReadBack book = create(QStringLiteral("Bridge Works"));
    ASSERT_FALSE(book.failed()) << book.error().toStdString();
    EXPECT_EQ(book.sheetNames(), (QStringList{QStringLiteral("Project Info"), QStringLiteral("Detail")}));
    EXPECT_TRUE(book.cell(QStringLiteral("Project Info"), QStringLiteral("D6")).isEmpty());
    EXPECT_EQ(valueAt(book, QStringLiteral("Detail"), QStringLiteral("F5")).toString(), QStringLiteral("Ann Lee"));
}

TEST_F(ReportDialogTest, AMissingListIsReportedOnceAndLeavesItsCellsEmpty) {
    const KnownProject p(zorbel());
    db().execute({QStringLiteral("DROP TABLE ZORBEL_TEAM_TABLE"), {}});
    db().execute({QStringLiteral("DROP TABLE ZORBEL_PROGRESS"), {}});
    open();
    const XlsxReadBack book = create(QStringLiteral("Bridge Works"));
    ASSERT_FALSE(book.failed()) << book.error().toStdString();
    int team = 0, progress = 0;
    for (const QString& prompt : boxes.prompts()) {
        if (!prompt.startsWith(QLatin1String("XL ")))
            continue; // the business layer's own messages
        team += prompt.contains(QLatin1String("project team"));
        progress += prompt.contains(QLatin1String("the list of progress entries could not be read"));
    }
    EXPECT_EQ(team, 1);      // not once for every owner on every sheet
    EXPECT_EQ(progress, 1);  // the one action's entries, on the Detail sheet
    EXPECT_TRUE(valueAt(book, QStringLiteral("Detail"), QStringLiteral("F5")).isNull());
    EXPECT_EQ(valueAt(book, QStringLiteral("Detail"), QStringLiteral("E7")).toString(), QStringLiteral("Walk the site"));
    EXPECT_EQ(valueAt(book, QStringLiteral("Detail"), QStringLiteral("E8")).toString(), QStringLiteral("Task"));
}

} // namespace
} // namespace zorbel::test
