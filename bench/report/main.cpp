// zorbel_report_bench: the project report from Create to the saved file, on
// a project filled through the business layer, with the time split between
// the business calls, the spreadsheet layer and the save.
//
//   zorbel_report_bench [--runs N]            the report project: 20 deliverables x 10 tasks x 5 actions
//                                             x 4 progress entries, a 200-day window, a team of 10,
//                                             3 risks per task, 5 issue groups x 400 issues
//   zorbel_report_bench --long [--runs N]     a project of 40,000 progress entries: the Detail sheet
//                                             runs past row 32,767; time and peak memory
//
// SQLite in a temporary folder; the workbook is saved into a temporary
// folder too, and the desktop opener only records it.

#include "bench/BenchDataSource.h"
#include "bench/Timing.h"
#include "business/Schema.h"
#include "business/ZorbelClass.h"
#include "client/reports/ProjectReport.h"
#include "client/shell/AppState.h"
#include "client/shell/WorkbookSaving.h"
#include "platform/ui/DesktopOpener.h"
#include "platform/ui/MessageBox.h"
#include "platform/xlsx/Application.h"
#include "platform/xlsx/Worksheet.h"
#include "platform/xlsx/XlsxFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

using namespace zorbel;

namespace {

struct Shape {
    int deliverables, tasks, actions, progress;
    int team, risksPerTask, issueGroups, issuesPerGroup, windowDays;
};
const Shape kReportProject{20, 10, 5, 4, 10, 3, 5, 400, 200};
const Shape kLongProject{1, 10, 40, 100, 10, 0, 0, 0, 200};

const QDate kStart(2026, 1, 5);
QDateTime day(int offset) { return QDateTime(kStart.addDays(offset), QTime(9, 0)); }

void check(bool ok, const char* what) {
    if (!ok)
        throw std::runtime_error(what);
}

// The project, through the business layer only; gives its id.
qint32 fillProject(ZorbelClass& z, const Shape& s) {
    for (int c = 1; c <= s.team; ++c)
        check(z.AddContact(QStringLiteral("First%1").arg(c), QStringLiteral("Member%1").arg(c), QStringLiteral("Engineer"),
                           QStringLiteral("m%1@example.org").arg(c), QStringLiteral("Bridge Co"),
                           QStringLiteral("01234 567890"), QStringLiteral("07700 900000")) != 0,
              "AddContact");
    const qint32 project = z.AddProject(QStringLiteral("Bridge Works"), QStringLiteral("BW-001"),
                                        QStringLiteral("A crossing of the river"), 1, day(0), day(s.windowDays - 1), 4, 1, 3);
    check(project != 0, "AddProject");
    for (int c = 1; c <= s.team; ++c)
        z.AddTeamMember(c, project, QStringLiteral("First%1 Member%1").arg(c), QStringLiteral("First%1").arg(c),
                        QStringLiteral("Member%1").arg(c));
    auto team = z.GetProjectTeam(project);
    std::vector<qint32> teamIDs;
    for (int i = 0; i < team->RecordCount(); ++i)
        teamIDs.push_back(team->row(i)[0].toInt());
    auto owner = [&](int k) { return teamIDs[size_t(k) % teamIDs.size()]; };

    for (int m = 0; m < 20; ++m)
        z.AddMilestone(project, QStringLiteral("Milestone %1").arg(m + 1), day(m * 10), day(m * 10), 3, 0);
    const QString text = QStringLiteral(": a line of text as long as the ones people type");
    for (int d = 1; d <= s.deliverables; ++d) {
        QString metric = QStringLiteral("Metric ") + QString::number(d) + text;
        const qint32 deliverable = z.AddDeliverable(project, 3, QStringLiteral("Deliverable %1").arg(d) + text, metric,
                                                    owner(d), day(d * 3), day(d * 3 + 60), qint16(d), qint16(d % 2));
        check(deliverable != 0, "AddDeliverable");
        qint32 previous = 0;
        for (int t = 1; t <= s.tasks; ++t) {
            const qint32 task = z.AddTask(deliverable, 4, QStringLiteral("Task %1.%2").arg(d).arg(t) + text, owner(t),
                                          day(d * 3 + t), day(d * 3 + t + 20), previous, qint16(t));
            check(task != 0, "AddTask");
            previous = task;
            for (int r = 1; r <= s.risksPerTask; ++r)
                z.AddRisk(task, qint16(r), QStringLiteral("Risk") + text, QStringLiteral("Impact") + text,
                          QStringLiteral("Mitigation") + text, owner(r), r, 0.5 * r, QStringLiteral("Note") + text, 0);
            for (int a = 1; a <= s.actions; ++a) {
                const qint32 action = z.AddAction(task, QStringLiteral("Action %1").arg(a) + text, day(d * 3 + t + a),
                                                  day(d * 3 + t + a + 5), 4, owner(a), qint16(a));
                check(action != 0, "AddAction");
                for (int p = 1; p <= s.progress; ++p)
                    z.AddProgress(action, day(d * 3 + t + a + p % 7), QStringLiteral("Progress %1").arg(p) + text,
                                  owner(p), qint16(p));
            }
        }
    }
    for (int r = 1; r <= 3 && s.risksPerTask > 0; ++r)
        z.AddRisk(project, 1, QStringLiteral("Project risk") + text, {}, {}, owner(r), r, 1, {}, 1);
    for (int g = 1; g <= s.issueGroups; ++g)
        z.AddIssueGroup(QStringLiteral("Group %1").arg(g));
    auto groups = z.GetIssuesGroups();
    for (int g = 0; groups && g < groups->RecordCount(); ++g)
        for (int i = 1; i <= s.issuesPerGroup; ++i)
            z.AddIssue(project, groups->row(g)[0].toInt(), QStringLiteral("REF-%1-%2").arg(g).arg(i), day(i % 200),
                       QStringLiteral("Issue") + text, QStringLiteral("Impact") + text,
                       QStringLiteral("Resolution") + text, owner(i), qint16(2 + i % 3), 1, 1, 1);
    return project;
}

struct RunFigures {
    double total, business, layer, save;
    int calls;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Rows of the Detail sheet that hold a progress entry's chain (five elements), and the last row written.
std::pair<int, int> detailProgressRows(xl::Workbook& book) {
    const xl::Worksheet& detail = book.Worksheets(QStringLiteral("Detail"));
    int progressRows = 0, lastRow = 0;
    for (const auto& [row, data] : detail.rows()) {
        lastRow = std::max(lastRow, row);
        if (const xl::Cell* cell = data.cells.find(4))
            if (const auto* chain = std::get_if<QString>(&cell->value))
                progressRows += chain->count(QLatin1Char('.')) == 4;
    }
    return {progressRows, lastRow};
}

} // namespace

int main(int argc, char** argv) {
    zorbel::xl::keepWriterMemoryAtHand(); // as the program does
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int runs = 5;
    bool longProject = false;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs") && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
        else if (args[i] == QLatin1String("--long"))
            longProject = true;
        else {
            std::fprintf(stderr, "usage: zorbel_report_bench [--long] [--runs N]\n");
            return 2;
        }
    }
    const Shape& shape = longProject ? kLongProject : kReportProject;

    try {
        bench::Options options;
        bench::BenchDataSource source(options);
        auto& s = shell::state();
        s.g_zorbel = std::make_unique<ZorbelClass>([](const QString& text, int, const QString&) {
            std::fprintf(stderr, "business message: %s\n", qPrintable(text));
            return 1;
        });
        s.g_zorbel->ConnectDSN(source.connectionString());
        schema::ensure(*s.g_zorbel->connection());
        s.g_dateFormat = s.g_excelDateFormat = QStringLiteral("dd/mm/yyyy");

        QElapsedTimer fillTimer;
        fillTimer.start();
        const qint32 project = fillProject(*s.g_zorbel, shape);
        std::printf("%s; filled in %.1f s\n", qPrintable(source.describe()), fillTimer.nsecsElapsed() / 1e9);

        QTemporaryDir output;
        qputenv("ZORBEL_OUTPUT_DIR", output.path().toUtf8());
        ui::DesktopOpenerRecorder opener;
        ui::MessageBoxRecorder boxes; // answers Yes to replacing the previous run's file

        reports::ReportRequest request;
        request.projectID = project;
        request.projectName = QStringLiteral("Bridge Works");
        request.projectWBS = QStringLiteral("1");
        request.sheets = {true, true, true, true};
        request.windowFirst = kStart;
        request.windowLast = kStart.addDays(shape.windowDays - 1);
        // The dialog's look-up lists are loaded when it opens, not by Create.
        const data::RecordsetPtr contacts = s.g_zorbel->GetContacts();
        const data::RecordsetPtr statuses = s.g_zorbel->GetProjectStatus();

        std::vector<double> totals, business, layer, save;
        int calls = 0, progressRows = 0, lastRow = 0;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            reports::ProjectReport report(request, contacts, statuses);
            xl::Application excel;
            xl::Workbook& book = report.FillWorkbook(excel);
            const qint64 filled = timer.nsecsElapsed();
            if (!shell::saveWorkbook(book, request.projectName, QStringLiteral("XL Create Excel failed: ")))
                throw std::runtime_error("the workbook was not saved");
            const qint64 done = timer.nsecsElapsed();
            totals.push_back(done / 1e6);
            business.push_back(report.businessCalls().nanoseconds / 1e6);
            layer.push_back((filled - report.businessCalls().nanoseconds) / 1e6);
            save.push_back((done - filled) / 1e6);
            calls = report.businessCalls().count;
            std::tie(progressRows, lastRow) = detailProgressRows(book);
        }
        int reportBoxes = 0;
        for (const QString& prompt : boxes.prompts())
            reportBoxes += !prompt.contains(QLatin1String("already exists"));

        std::printf("report of %d deliverables x %d tasks x %d actions x %d progress entries, %d-day window, "
                    "median of %d runs:\n",
                    shape.deliverables, shape.tasks, shape.actions, shape.progress, shape.windowDays, runs);
        std::printf("  Create to saved file  %9.1f ms\n", median(totals));
        std::printf("  business calls        %9.1f ms  (%d calls)\n", median(business), calls);
        std::printf("  spreadsheet layer     %9.1f ms\n", median(layer));
        std::printf("  save (.xlsx, rename)  %9.1f ms\n", median(save));
        std::printf("  Detail sheet: %d progress rows, last row %d\n", progressRows, lastRow);
        std::printf("  messages shown: %d; peak memory %.0f MiB\n", reportBoxes, bench::peakMemoryMiB());
        const int expectedProgress = shape.deliverables * shape.tasks * shape.actions * shape.progress;
        if (progressRows != expectedProgress || reportBoxes != 0 || opener.count() != runs) {
            std::fprintf(stderr, "the report is not whole: %d of %d progress rows, %d messages\n", progressRows,
                         expectedProgress, reportBoxes);
            return 1;
        }
        shell::resetState(); // the connection goes before its database folder
    } catch (const std::exception& e) {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
