#include "bench/Timing.h"

#include <QElapsedTimer>
#include <algorithm>
#include <vector>
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

void timeInTurns(Line& line, const std::function<qint64(int)>& ours, const std::function<qint64(int)>& direct) {
    const int turns = std::clamp(line.calls / 20, 1, 10);
    std::vector<double> oursPerCall;
    std::vector<double> directPerCall;
    line.oursRows = 0;
    line.directRows = direct ? 0 : -1;
    for (int t = 0; t < turns; ++t) {
        const int first = line.calls * t / turns;
        const int count = line.calls * (t + 1) / turns - first;
        qint64 rows = 0;
        const auto slice = [&](const std::function<qint64(int)>& call) {
            return timeCalls(count, [&](int k) { return call(first + k); }, rows) / count;
        };
        oursPerCall.push_back(slice(ours));
        line.oursRows += rows;
        if (direct) {
            directPerCall.push_back(slice(direct));
            line.directRows += rows;
        }
    }
    const auto median = [](std::vector<double>& v) {
        std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
        return v[v.size() / 2];
    };
    line.oursSeconds = median(oursPerCall) * line.calls;
    if (direct)
        line.directSeconds = median(directPerCall) * line.calls;
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

void Worst::note(const Line& line) {
    if (line.directRows < 0 || line.directSeconds <= 0)
        return;
    const double r = line.oursSeconds / line.directSeconds;
    if (r > ratio) {
        ratio = r;
        member = line.member;
    }
}

void Worst::print() const {
    if (member.isEmpty())
        std::printf("worst %-20s -\n", kind);
    else
        std::printf("worst %-20s %5.2f  (%s)\n", kind, ratio, qPrintable(member));
}

double peakMemoryMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

} // namespace zorbel::bench
