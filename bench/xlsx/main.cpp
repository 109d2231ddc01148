// zorbel_xlsx_bench: writes a six-sheet project report through the
// spreadsheet layer, call by call as the report's writers make them, and the
// same cells and formats straight through libxlsxwriter; prints the median
// time of each and their ratio, then has the test reader compare the files.
//
//   zorbel_xlsx_bench [--runs N] [--deliverables N] [--out FOLDER] [--no-check]

#include "bench/xlsx/Reports.h"
#include "platform/xlsx/XlsxFile.h"

#ifdef ZORBEL_XLSX_READBACK
#include "XlsxReadBack.h"
#endif

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace zorbel::bench::xlsx;

namespace {

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double milliseconds(const std::function<void()>& write)
{
    QElapsedTimer timer;
    timer.start();
    write();
    return double(timer.nsecsElapsed()) / 1e6;
}

struct Timings {
    double first;  // median milliseconds
    double second;
    double ratio;  // median of first / second over the pairs
};

// The two writers run by turns, so that load elsewhere on a shared machine
// falls on both alike; each one's time is the median of its runs, and their
// ratio the median of the ratios of the runs made side by side, which a
// burst of load on the machine changes far less than either time.
Timings medianMilliseconds(int runs, const std::function<void()>& first, const std::function<void()>& second)
{
    std::vector<double> firstTimes, secondTimes, ratios;
    for (int i = 0; i < runs; ++i) {
        firstTimes.push_back(milliseconds(first));
        secondTimes.push_back(milliseconds(second));
        ratios.push_back(firstTimes.back() / secondTimes.back());
    }
    return {median(firstTimes), median(secondTimes), median(ratios)};
}

size_t cellsOf(const ReportPlan& plan)
{
    size_t cells = plan.days.size() + 2;
    for (const auto* rows : {&plan.info, &plan.milestones, &plan.deliverables, &plan.risks, &plan.detail, &plan.timeline})
        for (const PlannedRow& row : *rows)
            cells += row.cells.size();
    for (const Bar& bar : plan.bars)
        cells += size_t(bar.last - bar.first + 1);
    return cells;
}

} // namespace

int main(int argc, char** argv)
{
    // Both writers under the allocator setting the program makes as it starts.
    zorbel::xl::keepWriterMemoryAtHand();
    QCoreApplication app(argc, argv);
    int runs = 11;
    int deliverables = kReportDeliverables;
    bool check = true;
    QString out;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--runs" && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
        else if (args[i] == "--deliverables" && i + 1 < args.size())
            deliverables = std::max(1, args[++i].toInt());
        else if (args[i] == "--out" && i + 1 < args.size())
            out = args[++i];
        else if (args[i] == "--no-check")
            check = false;
        else {
            std::fprintf(stderr, "usage: zorbel_xlsx_bench [--runs N] [--deliverables N] [--out FOLDER] [--no-check]\n");
            return 2;
        }
    }
    QTemporaryDir scratch;
    if (out.isEmpty())
        out = scratch.path();
    const QString layerFile = out + "/layer.xlsx";
    const QString directFile = out + "/direct.xlsx";

    const ReportPlan plan = makeReportPlan(deliverables);
    std::printf("six-sheet report: %zu cells (detail %zu rows, risks %zu rows, timeline %zu days x %zu rows)\n",
                cellsOf(plan), plan.detail.size(), plan.risks.size(), plan.days.size(), plan.bars.size());
    try {
        const Timings t = medianMilliseconds(runs, [&] { writeThroughLayer(plan, layerFile); },
                                             [&] { writeDirect(plan, directFile); });
        std::printf("layer   %8.1f ms (median of %d)\n", t.first, runs);
        std::printf("direct  %8.1f ms (median of %d)\n", t.second, runs);
        std::printf("ratio   %8.2f (median of the %d pairs' ratios; goal: within 1.3)\n", t.ratio, runs);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "writing failed: %s\n", e.what());
        return 1;
    }
#ifdef ZORBEL_XLSX_READBACK
    if (check) {
        const QString differences = zorbel::test::contentDifferences(layerFile, directFile);
        std::printf("content %s\n", differences.isEmpty() ? "same, read back by the test reader"
                                                          : qPrintable("DIFFERS:\n" + differences));
        return differences.isEmpty() ? 0 : 1;
    }
#endif
    return 0;
}
