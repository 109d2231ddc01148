#include "tests/support/TestMain.h"

int main(int argc, char** argv) {
    return zorbel::test::runDatabaseTests(argc, argv, true);
}
