#pragma once
// The main of every test program that uses a database.

namespace zorbel::test {

// Exit code that tells CTest a run was skipped (no PostgreSQL server for it).
inline constexpr int kSkipped = 77;

// Prepares the private data source and runs every test; `gui` makes a
// QApplication instead of a QCoreApplication.
int runDatabaseTests(int argc, char** argv, bool gui);

} // namespace zorbel::test
