// The report workbook read back cell by cell: every sheet of a small known
// project, the timeline's clipping and weekend shading, and the chains and
// names of records whose WBS is missing or whose ids pass 32767.

#include "ReportTestSupport.h"
#include "platform/xlsx/Application.h"
#include "platform/xlsx/Constants.h"

#include <QCalendarWidget>
#include <QJsonArray>

namespace zorbel::test {
namespace {

struct Expected {
    const char* sheet;
    const char* address;
    QVariant value;     // invalid: the cell is empty
    int fill = 0;       // palette position; 0 for no fill
};

void expectCells(const XlsxReadBack& book, std::initializer_list<Expected> cells) {
    for (const Expected& e : cells) {
        const QString sheet = QString::fromLatin1(e.sheet);
        const QString address = QString::fromLatin1(e.address);
        const QJsonObject cell = book.cell(sheet, address);
        const QJsonValue value = cell[u"value"];
        const QVariant got = value.isNull() || value.isUndefined() ? QVariant() : value.toVariant();
        EXPECT_TRUE(got == e.value) << e.sheet << "!" << e.address << ": " << got.toString().toStdString() << " ("
                                    << got.typeName() << ") instead of " << e.value.toString().toStdString();
        EXPECT_EQ(cell[u"fill"].toString(), e.fill ? paletteFill(e.fill) : QString()) << e.sheet << "!" << e.address;
    }
}

class ReportWorkbookTest : public ReportTest {};

TEST_F(ReportWorkbookTest, EverySheetOfAKnownProject) {
    const KnownProject p(zorbel());
    xl::Application::setSheetsInNewWorkbook(5);
    open();
    tick("chkTimeline", true);
    const XlsxReadBack book = create(QStringLiteral("Bridge Works"));
    ASSERT_FALSE(book.failed()) << book.error().toStdString();
    EXPECT_TRUE(boxes.empty()) << boxes.prompts().front().toStdString();
    EXPECT_EQ(book.problems(), QStringList());
    EXPECT_EQ(book.sheetNames(), (QStringList{"Project Info", "Milestones", "Deliverables", "Risks", "Detail", "Timeline"}));
    EXPECT_EQ(book.activeSheet(), QStringLiteral("Project Info"));
    EXPECT_EQ(book.sheet(QStringLiteral("Project Info"))[u"selection"].toString(), QStringLiteral("A2"));
    EXPECT_EQ(xl::Application::SheetsInNewWorkbook(), 5);
    EXPECT_EQ(opener.paths(), QStringList{output.path(QStringLiteral("Bridge Works.xlsx"))});

    const QString white = paletteFill(2);
    EXPECT_EQ(book.cell(QStringLiteral("Project Info"), QStringLiteral("B2"))[u"font"][u"color"].toString(), white);
    EXPECT_TRUE(book.cell(QStringLiteral("Detail"), QStringLiteral("D4"))[u"font"][u"bold"].toBool());
    expectCells(book, {
        {"Project Info", "B2", "Date", 41}, {"Project Info", "J2", "Status", 41},
        {"Project Info", "B3", "01/04/2026"}, {"Project Info", "C3", 1.0}, {"Project Info", "D3", "Bridge Works"},
        {"Project Info", "E3", "BW-1"}, {"Project Info", "F3", "River crossing"}, {"Project Info", "G3", "Ann Lee"},
        {"Project Info", "H3", "02/03/2026"}, {"Project Info", "I3", "31/03/2026"},
        {"Project Info", "J3", "In Progress"},
        {"Project Info", "D6", "Name", 41}, {"Project Info", "I6", "Mobile", 41}, {"Project Info", "D7", "Ann Lee"},
        {"Project Info", "E7", "PM"}, {"Project Info", "F7", "Acme"}, {"Project Info", "G7", "ann@x.org"},
        {"Project Info", "H7", "0101"}, {"Project Info", "I7", "0707"}, {"Project Info", "D8", "Bob Stone"},
        {"Project Info", "E8", {}}, {"Project Info", "D9", {}},

        {"Milestones", "B2", "Milestones", 41}, {"Milestones", "D2", "Date", 41},
        {"Milestones", "C3", "Kick-off"}, {"Milestones", "D3", "02/03/2026"},
        {"Milestones", "C4", "Handover"}, {"Milestones", "D4", "31/03/2026"}, // the end date, not the start

        {"Deliverables", "B2", "WBS", 37}, {"Deliverables", "I2", "End Date", 37}, {"Deliverables", "J2", {}},
        {"Deliverables", "B3", "1.1"}, {"Deliverables", "C3", "Design"}, {"Deliverables", "D3", "Yes"},
        {"Deliverables", "E3", "Signed off"}, {"Deliverables", "F3", "Ann Lee"}, {"Deliverables", "G3", "Not Started"},
        {"Deliverables", "H3", "02/03/2026"}, {"Deliverables", "I3", "10/03/2026"},
        {"Deliverables", "B4", "1.2"}, {"Deliverables", "D4", "No"}, {"Deliverables", "E4", {}},
        {"Deliverables", "F4", "Bob Stone"}, {"Deliverables", "G4", "At Risk"}, {"Deliverables", "B5", {}},

        // Highest value first; the value is text in the pattern ##.###.
        {"Risks", "B2", "Project", 33}, {"Risks", "K2", "Note", 33}, {"Risks", "L2", {}},
        {"Risks", "B3", "1: Bridge Works"}, {"Risks", "C3", "10."}, {"Risks", "D3", "-1"}, {"Risks", "E3", "Strike"},
        {"Risks", "H3", "Bob Stone"}, {"Risks", "I3", 5.0}, {"Risks", "J3", 2.0},
        {"Risks", "C4", ".7"}, {"Risks", "D4", "Schedule"}, {"Risks", "E4", "Flood"}, {"Risks", "F4", "Delay"},
        {"Risks", "G4", "Barriers"}, {"Risks", "H4", "Ann Lee"}, {"Risks", "I4", 2.0}, {"Risks", "J4", 0.35},
        {"Risks", "K4", "Spring"},
        {"Risks", "B5", "Task", 33},
        {"Risks", "B6", "1.1.2: Drawings"}, {"Risks", "C6", "."}, {"Risks", "D6", "Technical"}, {"Risks", "H6", {}},
        {"Risks", "I6", 0.0}, {"Risks", "B7", {}},

        // The breakdown with a header before each block and again after a block of children.
        {"Detail", "B2", "WBS", 37}, {"Detail", "I2", "End Date", 37},
        {"Detail", "B3", "1.1"}, {"Detail", "C3", "Design"}, {"Detail", "D3", "Yes"},
        {"Detail", "D4", "WBS", 33}, {"Detail", "J4", "Dependency", 33},
        {"Detail", "D5", "1.1.1"}, {"Detail", "E5", "Survey"}, {"Detail", "F5", "Ann Lee"},
        {"Detail", "G5", "In Progress"}, {"Detail", "H5", "02/03/2026"}, {"Detail", "I5", "04/03/2026"},
        {"Detail", "J5", {}},
        {"Detail", "E6", "Action", 37}, {"Detail", "D7", "1.1.1.1"}, {"Detail", "G7", "Complete"},
        {"Detail", "E8", "Progress", 34}, {"Detail", "G8", "Date", 34}, {"Detail", "H8", {}},
        {"Detail", "D9", "1.1.1.1.1"}, {"Detail", "E9", "North bank"}, {"Detail", "G9", "02/03/2026"},
        {"Detail", "D10", "1.1.1.1.2"}, {"Detail", "F10", "Bob Stone"},
        {"Detail", "E11", "Task", 33}, {"Detail", "D12", "1.1.2"}, {"Detail", "H12", "05/03/2026"},
        {"Detail", "J12", "Survey"},
        {"Detail", "B13", {}}, {"Detail", "D13", {}},
        {"Detail", "C14", "Deliverable", 37}, {"Detail", "B15", "1.2"}, {"Detail", "C15", "Build"},
        {"Detail", "B16", {}},

        {"Timeline", "A1", "WBS"}, {"Timeline", "C1", "02/03/2026"}, {"Timeline", "H1", "07/03/2026", 15},
        {"Timeline", "I1", "08/03/2026", 15}, {"Timeline", "J1", "09/03/2026"}, {"Timeline", "AF1", "31/03/2026"},
        {"Timeline", "AG1", {}},
        {"Timeline", "A2", "1"}, {"Timeline", "B2", "Bridge Works"}, {"Timeline", "C2", {}, 41},
        {"Timeline", "AF2", {}, 41}, {"Timeline", "AG2", {}},
        {"Timeline", "A3", "1.1"}, {"Timeline", "C3", {}, 37}, {"Timeline", "K3", {}, 37}, {"Timeline", "L3", {}},
        {"Timeline", "A4", "1.1.1"}, {"Timeline", "E4", {}, 33}, {"Timeline", "F4", {}},
        {"Timeline", "B5", "Walk the site"}, {"Timeline", "D5", {}, 37},
        {"Timeline", "A6", "1.1.1.1.1"}, {"Timeline", "C6", {}, 34}, {"Timeline", "D6", {}},
        {"Timeline", "C7", {}}, {"Timeline", "D7", {}, 34},
        {"Timeline", "E8", {}}, {"Timeline", "F8", {}, 33}, {"Timeline", "J8", {}, 33}, // from 13:00 on the 5th
        {"Timeline", "A9", "1.2"}, {"Timeline", "K9", {}}, {"Timeline", "L9", {}, 37}, {"Timeline", "AF9", {}, 37},
        {"Timeline", "A10", {}},
    });
    const QJsonObject names = book.sheet(QStringLiteral("Timeline"))[u"names"].toObject();
    EXPECT_EQ(names[u"StartCell"].toString(), QStringLiteral("'Timeline'!$L$9"));
    EXPECT_EQ(names[u"EndCell"].toString(), QStringLiteral("'Timeline'!$AF$9"));

    // The walk leaves each level on its last record, names and dates moving with the ids.
    EXPECT_EQ(app().g_currentDeliverableID, p.deliverable2);
    EXPECT_EQ(app().g_currentDeliverableName, QStringLiteral("Build"));
    EXPECT_EQ(app().g_currentTaskID, p.task2);
    EXPECT_EQ(app().g_currentTaskName, QStringLiteral("Drawings"));
    EXPECT_EQ(app().g_taskStart, at(2026, 3, 5, 13));
    EXPECT_EQ(app().g_currentActionID, p.action1);
    EXPECT_EQ(app().g_currentActionName, QStringLiteral("Walk the site"));
    EXPECT_EQ(app().g_currentProgressID, p.progress2);
}

TEST_F(ReportWorkbookTest, TimelineBarsAreClippedToTheChosenWindowByCalendarDay) {
    struct Bar {
        QDateTime start, end;
        const char* first;  // nullptr: no bar
        const char* last;
    };
    // The window runs from Thursday 5 to Monday 9 March: columns C to G.
    const Bar bars[] = {
        {at(2026, 3, 2), at(2026, 3, 4), nullptr, nullptr},
        {at(2026, 3, 1), at(2026, 3, 31), "C", "G"},
        {at(2026, 3, 2), at(2026, 3, 5), "C", "C"},
        {{}, {}, nullptr, nullptr},                        // no dates: no bar, not the row above's
        {at(2026, 3, 9, 13), at(2026, 3, 20), "G", "G"},   // starts on the last day, in the afternoon
        {at(2026, 3, 6, 13), at(2026, 3, 8), "D", "F"},
        {at(2026, 3, 8), at(2026, 3, 6), nullptr, nullptr}, // ends before it starts
        {at(2026, 3, 10), at(2026, 3, 12), nullptr, nullptr},
    };
    const qint32 project = zorbel().AddProject(QStringLiteral("Clip"), {}, {}, 0, at(2026, 3, 1), at(2026, 3, 31), 3, 7, 3);
    QString metric;
    for (int i = 0; i < int(std::size(bars)); ++i)
        zorbel().AddDeliverable(project, 3, QStringLiteral("D%1").arg(i), metric, 0, bars[i].start, bars[i].end,
                                static_cast<qint16>(i + 1), 0);

    auto& dialog = open();
    tick("chkTimeline", true);
    dialog.findChild<QCalendarWidget*>(QStringLiteral("MonthViewStart"))->setSelectedDate(QDate(2026, 3, 5));
    dialog.MonthViewStart_DateClick();
    dialog.findChild<QCalendarWidget*>(QStringLiteral("MonthViewEnd"))->setSelectedDate(QDate(2026, 3, 9));
    dialog.MonthViewEnd_DateClick();
    tick("chkTimeline", false); // the window chosen stays; only the timeline sheet goes
    tick("chkTimeline", true);
    const XlsxReadBack book = create(QStringLiteral("Clip"));
    ASSERT_FALSE(book.failed()) << book.error().toStdString();

    const QString sheet = QStringLiteral("Timeline");
    const QString columns = QStringLiteral("BCDEFGH");
    for (int i = 0; i < int(std::size(bars)); ++i) {
        const int row = 3 + i;
        EXPECT_EQ(valueAt(book, sheet, QStringLiteral("A%1").arg(row)).toString(), QStringLiteral("7.%1").arg(i + 1));
        for (QChar column : columns) {
            const QString address = column + QString::number(row);
            const bool inBar = bars[i].first && column >= QLatin1Char(bars[i].first[0]) &&
                               column <= QLatin1Char(bars[i].last[0]);
            EXPECT_EQ(fillAt(book, sheet, address), inBar ? paletteFill(37) : QString()) << address.toStdString();
        }
    }
    // Weekends are shaded in the day row only, and the project's bar is the whole window.
    for (QChar column : columns) {
        const bool weekend = column == QLatin1Char('E') || column == QLatin1Char('F');
        const bool day = column >= QLatin1Char('C') && column <= QLatin1Char('G');
        EXPECT_EQ(fillAt(book, sheet, column + QStringLiteral("1")), weekend ? paletteFill(15) : QString()) << column.toLatin1();
        EXPECT_EQ(fillAt(book, sheet, column + QStringLiteral("2")), day ? paletteFill(41) : QString()) << column.toLatin1();
    }
}

// A character no XML file can hold, pasted into a shared project's texts,
// leaves its report readable and its file name plain. A text as long as a
// cell holds is written whole, control characters and all; a longer one
// leaves its own cell empty and the rest of its row written.
TEST_F(ReportWorkbookTest, TextsHoldingNoncharactersStillGiveAReadableWorkbook) {
    const qint32 project = zorbel().AddProject(QString::fromUtf16(u"Dam\uFFFE"), QString::fromUtf16(u"D\uFFFF1"), {}, 0,
                                               at(2026, 3, 1), at(2026, 3, 20), 3, 4, 3);
    // A description longer than a cell holds, in a column an office widened.
    db().execute({QStringLiteral("ALTER TABLE ZORBEL_PROJECTS RENAME COLUMN Description TO Narrow"), {}});
    db().execute({QStringLiteral("ALTER TABLE ZORBEL_PROJECTS ADD COLUMN Description TEXT"), {}});
    db().execute({QStringLiteral("UPDATE ZORBEL_PROJECTS SET Description = ?"), {QString(xl::kMaxCellText + 1, u'd')}});
    QString metric = QString::fromUtf16(u"Flow\uFFFE");
    zorbel().AddDeliverable(project, 3, QString::fromUtf16(u"Wall\uFFFF"), metric, 0, at(2026, 3, 1), at(2026, 3, 2),
                            1, 0);
    QString atTheLimit;
    for (int i = 0; i < xl::kMaxCellText; ++i)
        atTheLimit += i % 40 == 39 ? QChar(i % 80 == 79 ? u'\r' : u'\x02') : QChar(u'a' + i % 26);
    const std::pair<QString, QString> companies[] = {{QStringLiteral("Al"), atTheLimit},
                                                     {QStringLiteral("Di"), QString(xl::kMaxCellText + 1, u'c')}};
    qint32 contact = 0; // the contacts take ids 1 and 2
    for (const auto& [name, company] : companies) {
        zorbel().AddContact(name, QStringLiteral("Lee"), QStringLiteral("PM"), QStringLiteral("x@y.org"), {},
                            QStringLiteral("01"), QStringLiteral("07"));
        db().execute({QStringLiteral("UPDATE ZORBEL_USER_TABLE SET Company = ? WHERE UserID = ?"), {company, ++contact}});
        zorbel().AddTeamMember(contact, project, name, name, QStringLiteral("Lee"));
    }
    open();
    tick("chkTimeline", true);
    const XlsxReadBack book = create(QStringLiteral("Dam-"));
    ASSERT_FALSE(book.failed()) << book.error().toStdString();
    ASSERT_EQ(boxes.count(), 2); // the project's description and Di's company, and nothing else of their rows
    for (const QString& prompt : boxes.prompts())
        EXPECT_TRUE(prompt.startsWith(QLatin1String("XL Create Info Sheet failed: "))) << prompt.toStdString();
    EXPECT_EQ(book.problems(), QStringList());
    EXPECT_EQ(opener.paths(), QStringList{output.path(QStringLiteral("Dam-.xlsx"))});
    expectCells(book, {
        {"Project Info", "D3", QString::fromUtf16(u"Dam\uFFFD")},
        {"Project Info", "E3", QString::fromUtf16(u"D\uFFFD1")},
        {"Project Info", "C3", 4.0}, {"Project Info", "F3", {}}, {"Project Info", "H3", "01/03/2026"},
        {"Project Info", "I3", "20/03/2026"}, {"Project Info", "J3", "Not Started"},
        {"Project Info", "F7", atTheLimit}, {"Project Info", "G7", "x@y.org"},
        {"Project Info", "D8", "Di Lee"}, {"Project Info", "E8", "PM"}, {"Project Info", "F8", {}},
        {"Project Info", "G8", "x@y.org"}, {"Project Info", "H8", "01"}, {"Project Info", "I8", "07"},
    });
}

TEST_F(ReportWorkbookTest, MissingWBSAndIdsBeyond32767) {
    // Deliverable 1 (WBS 1) with task WBS 5; deliverable 2 (WBS 2) with a task
    // without WBS whose action has WBS 1, and a task that depends on it.
    // The ids of the WBS-less task and of the owner's team row pass 32767.
    const qint32 project = zorbel().AddProject(QStringLiteral("Large"), {}, {}, 0, at(2026, 3, 1), at(2026, 3, 20), 3, 4, 3);
    zorbel().AddContact(QStringLiteral("Cy"), QStringLiteral("Far"), {}, {}, {}, {}, {});
    zorbel().AddTeamMember(1, project, QStringLiteral("Cy Far"), QStringLiteral("Cy"), QStringLiteral("Far"));
    db().execute({QStringLiteral("UPDATE ZORBEL_TEAM_TABLE SET TeamID = 40001"), {}});
    QString metric;
    const qint32 d1 = zorbel().AddDeliverable(project, 3, QStringLiteral("First"), metric, 0, at(2026, 3, 1), at(2026, 3, 2), 1, 0);
    const qint32 d2 = zorbel().AddDeliverable(project, 3, QStringLiteral("Second"), metric, 0, at(2026, 3, 3), at(2026, 3, 4), 2, 0);
    zorbel().AddTask(d1, 3, QStringLiteral("Earlier"), 0, at(2026, 3, 1), at(2026, 3, 2), 0, 5);
    const qint32 bare = zorbel().AddTask(d2, 3, QStringLiteral("No number"), 40001, at(2026, 3, 3), at(2026, 3, 3), 0, 9);
    db().execute({QStringLiteral("UPDATE ZORBEL_TASKS SET TaskID = 40000, WBS = NULL WHERE TaskID = ?"), {bare}});
    zorbel().AddAction(40000, QStringLiteral("Step"), at(2026, 3, 3), at(2026, 3, 3), 3, 40001, 1);
    const qint32 after = zorbel().AddTask(d2, 3, QStringLiteral("After"), 0, at(2026, 3, 4), at(2026, 3, 4), 40000, 1);
    zorbel().AddRisk(40000, 1, QStringLiteral("Loose"), {}, {}, 40001, 1, 1, {}, 0);

    open();
    tick("chkTimeline", true);
    const XlsxReadBack book = create(QStringLiteral("Large"));
    ASSERT_FALSE(book.failed()) << book.error().toStdString();
    EXPECT_TRUE(boxes.empty()) << boxes.prompts().front().toStdString();
    expectCells(book, {
        // Detail: 2 header, 3 First, 4 task header, 5 Earlier, 6 empty, 7 header, 8 Second,
        // 9 task header, 10 No number, 11 action header, 12 Step, 13 task header, 14 After.
        {"Detail", "D5", "4.1.5"},
        {"Detail", "D10", {}}, {"Detail", "E10", "No number"}, {"Detail", "F10", "Cy Far"},
        {"Detail", "D12", "4.2..1"}, {"Detail", "F12", "Cy Far"},
        {"Detail", "D14", "4.2.1"}, {"Detail", "J14", "No number"},
        {"Risks", "B4", "4.2.: No number"}, {"Risks", "H4", "Cy Far"},
        // Timeline: 3 First, 4 Earlier, 5 Second, 6 No number, 7 Step, 8 After.
        {"Timeline", "A6", {}}, {"Timeline", "A7", "4.2..1"}, {"Timeline", "A8", "4.2.1"},
    });
    EXPECT_EQ(app().g_currentTaskID, after);
    EXPECT_EQ(app().g_currentTaskName, QStringLiteral("After"));
    EXPECT_EQ(app().g_currentActionID, zorbel().GetActions(40000)->Fields(0).toInt());
}

} // namespace
} // namespace zorbel::test
