#include "tests/support/TestMain.h"

#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

namespace zorbel::test {

int runDatabaseTests(int argc, char** argv, bool gui) {
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<QCoreApplication> app =
        gui ? std::make_unique<QApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    if (engineUnderTest() == Engine::PostgreSQL && qEnvironmentVariableIsEmpty("ZORBEL_TEST_PG_HOST")) {
        std::printf("No PostgreSQL server for this run: skipped\n");
        return kSkipped;
    }
    prepareTestDataSource();
    std::printf("Database engine under test: %s\n", engineName());
    return RUN_ALL_TESTS();
}

} // namespace zorbel::test
