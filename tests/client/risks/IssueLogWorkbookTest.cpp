// The issue log's Excel button: the saved workbook read back by an
// independent reader, and the exports that end early or cannot save.

#include "client/risks/frmIssueLog.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DesktopOpener.h"
#include "platform/ui/FileChooser.h"
#include "platform/xlsx/Application.h"
#include "tests/client/OutputFolder.h"
#include "tests/client/risks/IssueTestSupport.h"

#include "XlsxReadBack.h"

#include <QDir>

namespace zorbel::test {
namespace {

const QString kFileName = QStringLiteral("08-12-2026 Issue Log for Bridge.xlsx");

class IssueLogWorkbookTest : public IssueTest {
protected:
    void SetUp() override {
        IssueTest::SetUp();
        app().g_excelDateFormat = QStringLiteral("dd/mm/yyyy hh:nn");
        xl::Application::setSheetsInNewWorkbook(7);
    }
    void TearDown() override {
        EXPECT_EQ(xl::Application::SheetsInNewWorkbook(), 7); // put back however the export ended
        xl::Application::setSheetsInNewWorkbook(3);
        IssueTest::TearDown();
    }

    // Boxes shown by the export alone.
    void exportLog(QWidget* log) {
        boxes.clear();
        click(log, "btnExcel");
    }
    QString saved() const { return QFileInfo(folder.path(kFileName)).absoluteFilePath(); }

    OutputFolder folder;
    ui::FileChooserRecorder chooser;
    ui::DesktopOpenerRecorder opener;
    ui::ClockOverride clock{at(2026, 12, 8, 14, 30)};
};

QStringList rowOf(const XlsxReadBack& book, const QString& sheet, int row) {
    QStringList texts;
    for (char column = 'A'; column <= 'J'; ++column) {
        const QJsonObject cell = book.cell(sheet, QStringLiteral("%1%2").arg(QLatin1Char(column)).arg(row));
        if (!cell["value"].isNull() && !cell["value"].isUndefined()) {
            EXPECT_EQ(cell["type"], "s") << column << row; // text stays text
        }
        texts << cell["value"].toString();
    }
    return texts;
}

TEST_F(IssueLogWorkbookTest, EachGroupGetsASheetOfItsOpenIssuesInTheLogsOrder) {
    zorbel().AddIssueGroup(QStringLiteral("build")); // listed last; the same sheet name as "Build"
    const qint32 lowerBuild = lastID(QStringLiteral("ZORBEL_ISSUES_GROUPS"), QStringLiteral("IssueGroupID"));
    // Third of eight, named while the fourth sheet still has the default name "Sheet4".
    zorbel().AddIssueGroup(QStringLiteral("Sheet4"));
    zorbel().AddIssueGroup(QStringLiteral("Site-North")); // what the two names below would become
    const qint32 siteNorth = lastID(QStringLiteral("ZORBEL_ISSUES_GROUPS"), QStringLiteral("IssueGroupID"));
    // Names no sheet takes, as another program may have stored them.
    for (const char* name : {"Site*North", "Site/North", "Structural and civil engineering reviews"})
        db().execute({QStringLiteral("INSERT INTO ZORBEL_ISSUES_GROUPS (Description) VALUES (?)"),
                      {QVariant(QString::fromLatin1(name))}});
    const qint32 structural = lastID(QStringLiteral("ZORBEL_ISSUES_GROUPS"), QStringLiteral("IssueGroupID"));
    addIssue(build, QStringLiteral("B-1"), at(2024, 3, 1), 3, QStringLiteral("Crack"));
    addIssue(build, QStringLiteral("B-3"), at(2024, 3, 9), 9, QStringLiteral("Rust"), 999); // no such status or owner
    addIssue(build, QStringLiteral("B-2"), at(2024, 3, 5), 2, QStringLiteral("_x0041_"));
    addIssue(build, QStringLiteral("B-0"), at(2024, 3, 7), 1, QStringLiteral("Closed one"));
    addIssue(design, QStringLiteral("D-0"), at(2024, 3, 2), 1);
    addIssue(lowerBuild, QStringLiteral("L-1"), at(2024, 4, 1), 4, QStringLiteral("Paint"));
    addIssue(structural, QStringLiteral("S-1"), at(2024, 4, 2), 2, QStringLiteral("Beam"));
    addIssue(siteNorth, QStringLiteral("N-1"), at(2024, 4, 3), 2, QStringLiteral("Drain"));

    auto* log = openLog();
    combo(log, "ComboOrder")->setCurrentIndex(2); // latest issue first
    const data::RecordsetPtr listed = qobject_cast<risks::frmIssueLog*>(log)->issues();
    exportLog(log);

    // The export leaves the log's own list alone: Edit still takes its dates from it.
    EXPECT_EQ(qobject_cast<risks::frmIssueLog*>(log)->issues(), listed);
    EXPECT_EQ(boxes.prompts(), std::vector<QString>{}); // no group's name stops the export
    EXPECT_EQ(folder.entries(), QStringList{kFileName});
    EXPECT_EQ(opener.paths(), QStringList{saved()});

    const XlsxReadBack book(saved());
    ASSERT_FALSE(book.failed()) << book.error().toStdString();
    EXPECT_EQ(book.problems(), QStringList());
    EXPECT_EQ(book.sheetNames(),
              (QStringList{"Build", "Design", "Sheet4", "Site-North (2)", "Site-North", "Site-North (3)",
                           "Structural and civil engineerin", "build (2)"}));
    EXPECT_EQ(book.activeSheet(), QStringLiteral("Build"));

    const QStringList headers = {"Reference", "Date",   "Issue",    "Impact",  "Resolution",
                                 "Owner",     "Status", "Severity", "Urgency", "Schedule"};
    const QJsonObject headerFont{{"name", "Arial"}, {"size", 10}, {"bold", true}, {"strike", false},
                                 {"script", QJsonValue::Null}, {"outline", false}, {"shadow", false},
                                 {"underline", QJsonValue::Null}, {"color", QJsonValue::Null}};
    const std::pair<const char*, double> widths[] = {{"A", 20}, {"B", 18}, {"C", 35}, {"D", 35}, {"E", 35},
                                                      {"F", 20}, {"G", 20}, {"H", 20}, {"I", 20}, {"J", 20}};
    const struct {
        const char* sheet;
        const char* selection;
        std::vector<QStringList> rows; // from row 3
    } sheets[] = {
        {"Build", "A2",
         {{"B-3", "09/03/2024 00:00", "Rust", "", "", "-1", "-1", "Medium", "Medium", "Minor"},
          {"B-2", "05/03/2024 00:00", "_x0041_", "", "", "Ann Archer", "Open", "Medium", "Medium", "Minor"},
          {"B-1", "01/03/2024 00:00", "Crack", "", "", "Ann Archer", "In Progress", "Medium", "Medium", "Minor"}}},
        {"Design", "A1", {}},
        {"Site-North", "A1", // its own group's issues, not those of a name mended into it
         {{"N-1", "03/04/2024 00:00", "Drain", "", "", "Ann Archer", "Open", "Medium", "Medium", "Minor"}}},
        {"Structural and civil engineerin", "A1",
         {{"S-1", "02/04/2024 00:00", "Beam", "", "", "Ann Archer", "Open", "Medium", "Medium", "Minor"}}},
        {"build (2)", "A1", {{"L-1", "01/04/2024 00:00", "Paint", "", "", "Ann Archer", "On Hold", "Medium", "Medium",
                              "Minor"}}},
    };
    for (const auto& s : sheets) {
        SCOPED_TRACE(s.sheet);
        const QString name = QLatin1String(s.sheet);
        const QJsonObject sheet = book.sheet(name);
        EXPECT_EQ(sheet["selection"], QLatin1String(s.selection));
        EXPECT_EQ(rowOf(book, name, 1), (QStringList{"Date:", "08/12/2026 14:30", "", "", "", "", "", "", "", ""}));
        EXPECT_EQ(book.cell(name, "A1")["font"], headerFont);
        EXPECT_EQ(rowOf(book, name, 2), headers);
        for (const auto& [letter, width] : widths) {
            const QString address = QLatin1String(letter) + QStringLiteral("2");
            EXPECT_EQ(sheet["columns"][QLatin1String(letter)]["width"].toDouble(), width) << letter;
            EXPECT_EQ(book.cell(name, address)["font"], headerFont) << letter;
            EXPECT_EQ(book.cell(name, address)["fill"], "00CCFF") << letter;
            EXPECT_EQ(book.cell(name, address)["align"]["vertical"], "top") << letter;
        }
        for (int r = 0; r < int(s.rows.size()); ++r)
            EXPECT_EQ(rowOf(book, name, r + 3), s.rows[size_t(r)]) << "row " << r + 3;
        EXPECT_TRUE(rowOf(book, name, int(s.rows.size()) + 3).join(QString()).isEmpty()); // nothing more
        if (!s.rows.empty()) {
            EXPECT_EQ(book.cell(name, "C3")["fill"], QJsonValue::Null); // the fill stays on the header
        }
    }
}

// A character no XML file can hold, pasted into a group's name or an
// issue's texts, leaves the workbook readable for everyone.
TEST_F(IssueLogWorkbookTest, TextsHoldingNoncharactersStillGiveAReadableWorkbook) {
    zorbel().AddIssueGroup(QString::fromUtf16(u"Site\uFFFE")); // listed after Build and Design
    const qint32 site = lastID(QStringLiteral("ZORBEL_ISSUES_GROUPS"), QStringLiteral("IssueGroupID"));
    addIssue(site, QString::fromUtf16(u"S-\uFFFF1"), at(2024, 3, 1), 2, QString::fromUtf16(u"Crane \uFFFE down"));
    exportLog(openLog());

    EXPECT_TRUE(boxes.empty()) << boxes.prompts().front().toStdString();
    const XlsxReadBack book(saved());
    ASSERT_FALSE(book.failed()) << book.error().toStdString();
    EXPECT_EQ(book.problems(), QStringList());
    const QString sheet = QString::fromUtf16(u"Site\uFFFD");
    EXPECT_EQ(book.sheetNames(), (QStringList{"Build", "Design", sheet}));
    EXPECT_EQ(rowOf(book, sheet, 3).mid(0, 3),
              (QStringList{QString::fromUtf16(u"S-\uFFFD1"), "01/03/2024 00:00", QString::fromUtf16(u"Crane \uFFFD down")}));
}

// What an export shows and leaves when it stops early, cannot save, or
// cannot name what the issues point to.
enum class Trouble { NoGroups, GroupsUnreadable, IssuesUnreadable, StatusListUnreadable, NoRightToList, SaveFails };

struct TroubleCase {
    const char* name;
    Trouble trouble;
    std::vector<const char*> prompts; // the export's boxes, by how they start
    bool saved;
    const char* statusCell;           // column G of the first sheet's rows when saved
};

class IssueLogTroubleTest : public IssueLogWorkbookTest, public ::testing::WithParamInterface<TroubleCase> {
protected:
    void drop(const char* table) { db().execute({QStringLiteral("DROP TABLE ") + QLatin1String(table), {}}); }
    void cause(Trouble trouble) {
        switch (trouble) {
        case Trouble::NoGroups: db().execute({QStringLiteral("DELETE FROM ZORBEL_ISSUES_GROUPS"), {}}); break;
        case Trouble::GroupsUnreadable: drop("ZORBEL_ISSUES_GROUPS"); break;
        case Trouble::IssuesUnreadable: drop("ZORBEL_ISSUE_LOG"); break;
        case Trouble::StatusListUnreadable: drop("ZORBEL_ISSUE_STATUS_TYPES"); break;
        case Trouble::NoRightToList:
            app().g_cfgProjectAdmin = 1;
            app().g_currentMultiUserID = 9;
            zorbel().AddUserAdmin(9, project, QStringLiteral("Bridge"), 4, 4, 4, 4, 1);
            break;
        case Trouble::SaveFails: QDir().mkpath(folder.path(kFileName)); break; // a file cannot replace a folder
        }
    }
};

TEST_P(IssueLogTroubleTest, SaysSoOnceAndLeavesNoPartialFile) {
    const TroubleCase& c = GetParam();
    addIssue(build, QStringLiteral("R-1"), at(2024, 3, 1), 2);
    addIssue(build, QStringLiteral("R-2"), at(2024, 3, 2), 3);
    cause(c.trouble);
    exportLog(openLog());

    const std::vector<QString> shown = boxes.prompts();
    ASSERT_EQ(shown.size(), c.prompts.size()) << QStringList(shown.begin(), shown.end()).join('|').toStdString();
    for (size_t i = 0; i < shown.size(); ++i)
        EXPECT_TRUE(shown[i].startsWith(QLatin1String(c.prompts[i]))) << shown[i].toStdString();
    EXPECT_EQ(chooser.count(), c.trouble == Trouble::SaveFails ? 1 : 0); // and cancelled
    EXPECT_EQ(opener.count(), c.saved ? 1 : 0);
    EXPECT_EQ(QFileInfo(saved()).isFile(), c.saved);
    EXPECT_EQ(folder.entries().size(), QFileInfo::exists(saved()) ? 1 : 0); // nothing half-written
    if (c.saved) {
        const XlsxReadBack book(saved());
        ASSERT_FALSE(book.failed()) << book.error().toStdString();
        EXPECT_EQ(book.cell("Build", "A2")["value"], "Reference"); // the header stays
        EXPECT_EQ(rowOf(book, "Build", 4)[6], QLatin1String(c.statusCell)); // both rows, from one reading
        EXPECT_EQ(rowOf(book, "Build", 3)[6], QLatin1String(c.statusCell));
    }
}

const char* const kIssuesFailed = "XL Create Excel failed: The issues of the group could not be read";

INSTANTIATE_TEST_SUITE_P(
    Exports, IssueLogTroubleTest,
    ::testing::Values(
        TroubleCase{"NoGroups", Trouble::NoGroups, {}, false, ""},
        TroubleCase{"GroupsUnreadable", Trouble::GroupsUnreadable,
                    {"XL Create Excel failed: The issue groups could not be read"}, false, ""},
        TroubleCase{"IssuesUnreadable", Trouble::IssuesUnreadable,
                    {"(C)GetIssues Method failed: ", kIssuesFailed, "(C)GetIssues Method failed: ", kIssuesFailed},
                    true, ""},
        TroubleCase{"StatusListUnreadable", Trouble::StatusListUnreadable, {"(C)GetIssueStatus Method failed: "}, true,
                    "-1"},
        TroubleCase{"NoRightToList", Trouble::NoRightToList, {}, false, ""},
        TroubleCase{"SaveFails", Trouble::SaveFails, {"The file ", "XL Create Excel failed: "}, false, ""}),
    [](const ::testing::TestParamInfo<TroubleCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace zorbel::test
