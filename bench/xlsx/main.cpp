// zorbel_xlsx_bench: writes a six-sheet project report through the
// spreadsheet layer, call by call as the report's writers make them, and the
// same cells and formats straight through libxlsxwriter; prints the median
// time of each and their ratio, then has the test reader compare the files.
//
//   zorbel_xlsx_bench [--runs N] [--deliverables N] [--out FOLDER] [--no-check]

#include "bench/xlsx/Reports.h"

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

double medianMilliseconds(int runs, const std::function<void()>& write)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        write();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
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
    QCoreApplication app(argc, argv);
    int runs = 5;
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
        const double layer = medianMilliseconds(runs, [&] { writeThroughLayer(plan, layerFile); });
        const double direct = medianMilliseconds(runs, [&] { writeDirect(plan, directFile); });
        std::printf("layer   %8.1f ms (median of %d)\n", layer, runs);
        std::printf("direct  %8.1f ms (median of %d)\n", direct, runs);
        std::printf("ratio   %8.2f (goal: within 2)\n", layer / direct);
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
