#include "bench/Timing.h"

#include <QElapsedTimer>
#include <cstdio>
#include <sys/resource.h>

namespace zorbel::bench {

double timeCalls(int calls, const std::function<qint64(int)>& call, qint64& rows) {
    rows = 0;
    QElapsedTimer timer;
    timer.start();
    for (int k = 0; k < calls; ++k)
        rows += call(k);
    return timer.nsecsElapsed() / 1e9;
}

void printHeader(bool direct) {
    std::printf("\n%-20s %6s %10s %14s %14s %8s\n", "member", "calls", "rows/call", "ours us/call",
                direct ? "direct us/call" : "direct", "ratio");
}

void printLine(const Line& l) {
    const double rowsPerCall = l.calls ? static_cast<double>(l.oursRows) / l.calls : 0;
    const double ours = l.calls ? l.oursSeconds * 1e6 / l.calls : 0;
    if (l.directRows < 0) {
        std::printf("%-20s %6d %10.1f %14.1f %14s %8s\n", qPrintable(l.member), l.calls, rowsPerCall, ours, "-", "-");
    } else {
        const double direct = l.calls ? l.directSeconds * 1e6 / l.calls : 0;
        std::printf("%-20s %6d %10.1f %14.1f %14.1f %8.2f%s\n", qPrintable(l.member), l.calls, rowsPerCall, ours,
                    direct, direct > 0 ? ours / direct : 0.0,
                    l.directRows != l.oursRows ? "  ROWS DIFFER" : "");
    }
    std::fflush(stdout);
}

double peakMemoryMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

} // namespace zorbel::bench
