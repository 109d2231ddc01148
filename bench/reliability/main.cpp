// zorbel_reliability_bench: the figures behind the data layer's fault
// handling. Eight writers on one SQLite file with the rollback journal and
// with the set-up's write-ahead journal; how long a PostgreSQL server that hangs, restarts,
// drops a session or never answers keeps a call waiting; log-on time for a
// known and an unknown name.
//
//     ./build/bin/zorbel_reliability_bench [--part writers|server|logon|all]
//         [--writers 8] [--writes 1500] [--runs 1] [--folder DIR] [--logons 15]
//
// It never touches the "Zorbel5" data source: every part writes its own ODBC
// ini in a temporary folder. The server part needs the private server of
// scripts/pg-test-server.sh (its ZORBEL_TEST_PG_* variables), which it stops
// and starts again.

#include "bench/reliability/Reliability.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <stdexcept>

using namespace zorbel::bench;

namespace {

int usage() {
    std::fprintf(stderr, "usage: zorbel_reliability_bench [--part writers|server|logon|all] [--writers N] "
                         "[--writes N] [--runs N] [--folder DIR] [--logons N]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // One writer of the writers part, started by the benchmark itself.
    if (argc == 5 && !std::strcmp(argv[1], "--writer"))
        return runOneWriter(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));

    WritersRun writers;
    writers.program = QCoreApplication::applicationFilePath();
    QString part = QStringLiteral("all");
    int logOns = 15;
    for (int i = 1; i < argc; ++i) {
        if (i + 1 >= argc)
            return usage();
        const char* flag = argv[i];
        const char* value = argv[++i];
        if (!std::strcmp(flag, "--part"))
            part = QString::fromLatin1(value);
        else if (!std::strcmp(flag, "--writers"))
            writers.writers = std::max(1, std::atoi(value));
        else if (!std::strcmp(flag, "--writes"))
            writers.writes = std::max(1, std::atoi(value));
        else if (!std::strcmp(flag, "--runs"))
            writers.runs = std::max(1, std::atoi(value));
        else if (!std::strcmp(flag, "--folder"))
            writers.folder = QString::fromLocal8Bit(value);
        else if (!std::strcmp(flag, "--logons"))
            logOns = std::max(1, std::atoi(value));
        else
            return usage();
    }
    const bool all = part == QStringLiteral("all");
    if (!all && part != QStringLiteral("writers") && part != QStringLiteral("server") && part != QStringLiteral("logon"))
        return usage();
    int failed = 0;
    try {
        if (all || part == QStringLiteral("writers"))
            failed |= runWriters(writers);
        if (all || part == QStringLiteral("server"))
            failed |= runServerFaults();
        if (all || part == QStringLiteral("logon"))
            failed |= runLogOnTiming(logOns);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zorbel_reliability_bench: %s\n", e.what());
        return 1;
    }
    return failed;
}
