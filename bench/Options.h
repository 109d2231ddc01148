#pragma once
// Command-line options of the benchmark.

#include <QString>
#include <optional>

namespace zorbel::bench {

struct Options {
    QString engine = QStringLiteral("sqlite"); // sqlite | postgresql
    int projects = 200;
    int milestones = 2000;
    int deliverables = 4000;
    int tasks = 40000;
    int actions = 100000;
    int progress = 200000;
    int contacts = 10000; // the address list, listed whole by GetContacts
    int accounts = 5;   // log-in accounts holding rights rows on every project
    int repeat = 200;   // calls per member
    // PostgreSQL server (defaults: the test server's environment).
    QString pgHost;
    int pgPort = 5432;
    QString pgUser = QStringLiteral("postgres");
    QString pgDatabase = QStringLiteral("zorbel_bench");
};

// Reads argv; prints the usage and gives nothing on a bad or --help argument.
std::optional<Options> parseOptions(int argc, char** argv);

} // namespace zorbel::bench
