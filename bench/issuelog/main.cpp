// zorbel_issuelog_bench: the issue log's Excel button on a project with a
// team of 10 and 5 issue groups of 400 open issues each, all added through
// ZorbelClass on SQLite. Times the export from the button's click to the
// renamed file (the desktop opener's recorder in place, so nothing is
// launched), then the same export in its parts: the business calls it makes
// (counted and timed on their own), the spreadsheet layer (writing the
// workbook, less those calls) and the save. Every figure is the median of N
// runs.
//
//     ./build/bin/zorbel_issuelog_bench [--runs 5] [--groups 5] [--issues 400]
//
// The database and the saved files live in temporary directories; the
// program never touches the "Zorbel5" data source. Without a display it runs
// on the offscreen platform.

#include "bench/BenchDataSource.h"
#include "business/Schema.h"
#include "business/ZorbelClass.h"
#include "client/risks/IssueLogWorkbook.h"
#include "client/risks/frmIssueLog.h"
#include "client/shell/AppState.h"
#include "controls/ctrlButton.h"
#include "platform/ui/DesktopOpener.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Windows.h"
#include "platform/xlsx/XlsxFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <vector>

using namespace zorbel;

namespace {

constexpr int kTeam = 10;

struct Sizes {
    int runs = 5;
    int groups = 5;
    int issues = 400; // per group
};

Sizes parse(const QStringList& args) {
    Sizes s;
    for (int i = 1; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        int* target = args[i] == "--runs" ? &s.runs : args[i] == "--groups" ? &s.groups
                                                    : args[i] == "--issues" ? &s.issues : nullptr;
        if (!target || !hasValue)
            throw std::invalid_argument("usage: zorbel_issuelog_bench [--runs N] [--groups N] [--issues N]");
        *target = std::max(1, args[++i].toInt());
    }
    return s;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double milliseconds(const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e6;
}

// The project (state 3, so the log's picker takes it) with its team, groups and open issues.
qint32 fill(ZorbelClass& z, const Sizes& s) {
    const QDateTime start(QDate(2025, 1, 6), QTime(0, 0));
    const qint32 project = z.AddProject(QStringLiteral("Harbour Wall"), QStringLiteral("HW-1"), QString(), 1, start,
                                        start.addDays(365), 2, 1, 3);
    for (int m = 0; m < kTeam; ++m)
        z.AddContact(QStringLiteral("First%1").arg(m), QStringLiteral("Member%1").arg(m), QString(), QString(),
                     QString(), QString(), QString());
    const data::RecordsetPtr contacts = z.GetContacts();
    for (int m = 0; m < contacts->RecordCount(); ++m) {
        const auto& c = contacts->row(m);
        z.AddTeamMember(c[0].toInt(), project, c[2].toString() + QLatin1Char(' ') + c[1].toString(), c[2].toString(),
                        c[1].toString());
    }
    const data::RecordsetPtr team = z.GetProjectTeam(project);
    for (int g = 0; g < s.groups; ++g)
        z.AddIssueGroup(QStringLiteral("Group %1").arg(g + 1));
    const data::RecordsetPtr groups = z.GetIssuesGroups();

    z.connection()->execute({QStringLiteral("BEGIN"), {}});
    for (int g = 0; g < groups->RecordCount(); ++g)
        for (int i = 0; i < s.issues; ++i) {
            const auto k = static_cast<qint16>(i % 4);
            z.AddIssue(QVariant(project), groups->row(g)[0].toInt(), QStringLiteral("G%1-%2").arg(g + 1).arg(i + 1),
                       start.addDays(i % 300), QStringLiteral("Issue %1 of group %2, as a user would word it").arg(i + 1).arg(g + 1),
                       QStringLiteral("Delay of %1 days to the works downstream").arg(i % 30),
                       i % 3 ? QStringLiteral("Agreed with the contractor") : QString(),
                       team->row(i % team->RecordCount())[0].toInt(), static_cast<qint16>(2 + i % 3), k + 1, k + 1,
                       k + 1);
        }
    z.connection()->execute({QStringLiteral("COMMIT"), {}});
    return project;
}

int run(const Sizes& s) {
    bench::BenchDataSource source{bench::Options{}};
    QTemporaryDir output;
    qputenv("ZORBEL_OUTPUT_DIR", output.path().toUtf8());
    auto& state = shell::state();
    state.g_zorbel = std::make_unique<ZorbelClass>([](const QString& text, int flags, const QString& title) {
        return ui::MsgBox(text, flags, title);
    });
    ZorbelClass& z = *state.g_zorbel;
    z.ConnectDSN(source.connectionString());
    schema::ensure(*z.connection());
    state.g_dateFormat = QStringLiteral("dd/mm/yyyy");
    state.g_excelDateFormat = QStringLiteral("dd/mm/yyyy");

    QElapsedTimer t;
    t.start();
    const qint32 project = fill(z, s);
    std::printf("fill: %d groups x %d open issues, team of %d, through the business layer in %.1f s (%s)\n",
                s.groups, s.issues, kTeam, t.nsecsElapsed() / 1e9, qPrintable(source.describe()));

    ui::MessageBoxRecorder boxes;
    ui::DesktopOpenerRecorder opener;
    risks::frmIssueLog* log = nullptr;
    {
        ui::ModalHook picker; // the picker takes the first project as it opens
        ui::showWindow(QStringLiteral("frmIssueLog"));
        log = ui::windowAs<risks::frmIssueLog>(QStringLiteral("frmIssueLog"));
    }
    if (!log || log->projectID() != project)
        throw std::runtime_error("the issue log did not open on the project");
    auto* button = log->findChild<controls::ctrlButton*>(QStringLiteral("btnExcel"));
    const risks::IssueLogSource what{log->sortField(), log->issueGroups(), log->projectID(), log->projectName()};
    const auto removeSaved = [&] {
        for (const QString& path : opener.paths())
            QFile::remove(path);
    };

    std::vector<double> exports, business, writes, saves;
    int calls = 0;
    for (int r = 0; r < s.runs; ++r) {
        removeSaved();
        const int before = opener.count();
        exports.push_back(milliseconds([&] { emit button->Click(); }));
        if (opener.count() != before + 1 || !QFile::exists(opener.paths().back()))
            throw std::runtime_error("the export saved no file");

        // The calls the export makes: the issues of each group, and each look-up list once.
        calls = 0;
        business.push_back(milliseconds([&] {
            for (int g = 0; g < what.groups->RecordCount(); ++g, ++calls)
                z.GetIssues(what.sortField, what.projectID, what.groups->row(g)[0].toInt(), 0);
            z.GetProjectTeam(what.projectID);
            z.GetIssueStatus();
            z.GetIssueSeverity();
            z.GetIssueUrgency();
            z.GetIssueSchedule();
            calls += 5;
        }));

        removeSaved();
        risks::IssueLogWorkbook book(what);
        writes.push_back(milliseconds([&] { book.Write(); }));
        saves.push_back(milliseconds([&] { book.Save(); }));
    }
    // What reading the five look-up lists again for every issue would cost, once.
    const int issues = s.groups * s.issues;
    const double perIssue = milliseconds([&] {
        for (int i = 0; i < issues; ++i) {
            z.GetProjectTeam(what.projectID);
            z.GetIssueStatus();
            z.GetIssueSeverity();
            z.GetIssueUrgency();
            z.GetIssueSchedule();
        }
    });
    if (boxes.count() > 0)
        std::printf("message shown: %s\n", qPrintable(boxes.last().prompt));

    const double businessMs = median(business);
    std::printf("issue-log workbook, %d sheets x %d rows, median of %d runs:\n", s.groups, s.issues, s.runs);
    std::printf("  %-40s %10.1f ms\n", "export, click to renamed file", median(exports));
    std::printf("  %-40s %10.1f ms  (%d calls)\n", "business calls", businessMs, calls);
    std::printf("  %-40s %10.1f ms\n", "writing the workbook in memory", median(writes));
    std::printf("  %-40s %10.1f ms\n", "spreadsheet layer (writing less calls)", median(writes) - businessMs);
    std::printf("  %-40s %10.1f ms\n", "save (file, rename, opener)", median(saves));
    std::printf("  %-40s %10.1f ms  (%d calls, one run)\n", "look-up lists read for every issue instead", perIssue,
                5 * issues);
    ui::closeAllWindows();
    shell::resetState(); // the connection goes before Qt's database layer does
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    zorbel::xl::keepWriterMemoryAtHand(); // as the program does
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        return run(parse(app.arguments()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
