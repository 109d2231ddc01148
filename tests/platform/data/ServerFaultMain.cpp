#include "tests/support/TestDatabase.h"
#include "tests/support/TestMain.h"

#include <cstdio>

// The faults of a database server: there is none to fault on an embedded database.
int main(int argc, char** argv) {
    if (zorbel::test::engineUnderTest() != zorbel::test::Engine::PostgreSQL) {
        std::printf("The server faults run on PostgreSQL only: skipped\n");
        return zorbel::test::kSkipped;
    }
    return zorbel::test::runDatabaseTests(argc, argv, false);
}
