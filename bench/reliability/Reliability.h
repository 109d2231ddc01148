#pragma once
// The three parts of the reliability benchmark. Each prints its figures and
// gives the program's exit code: non-zero when something that must hold did not.

#include <QString>

namespace zorbel::bench {

struct WritersRun {
    int writers = 8;
    int writes = 1500; // per writer
    int runs = 1;      // per setting
    QString folder;    // where the database files go; empty: the temporary folder
    QString program;   // this program, started once per writer
};

// Eight colleagues saving at once on one SQLite file, each writer a process
// with its own connection, on a data source with the rollback journal and a
// 5 s busy timeout and on the one the set-up registers.
// With the tests' private PostgreSQL server's variables set, also on that server.
int runWriters(const WritersRun& run);
// One writer: its writes and reads through its own connection, its figures on one line.
int runOneWriter(const QString& dataSource, int writer, int writes);

// A PostgreSQL server that hangs, restarts, drops a session or never answers:
// how long until the program hears of it, and until it works again.
int runServerFaults();

// Log-on with a known and an unknown user name, both with a wrong password.
int runLogOnTiming(int logOns);

} // namespace zorbel::bench
