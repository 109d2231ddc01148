#pragma once
// A fresh Zorbel database for every test, on the engine this run was started
// for: SQLite always; PostgreSQL when ZORBEL_TEST_ENGINE=postgresql (test.sh
// starts a private server and sets ZORBEL_TEST_PG_HOST and ZORBEL_TEST_PG_PORT).
// Tests never touch the user's own data source: they write their own ODBC ini.

#include "business/ZorbelClass.h"

#include <QString>
#include <vector>

namespace zorbel::test {

struct Message {
    QString text;
    int flags = 0;
    QString title;
};

enum class Engine { SQLite, PostgreSQL };

// The engine of this run, read from the environment.
Engine engineUnderTest();
const char* engineName();
// The data source name the tests use, registered in a private ini file.
QString testDataSource();
QString testConnectionString();
// Writes the private ini and points the driver manager at it. Call once, in main.
void prepareTestDataSource();

// A connected ZorbelClass on an empty database (tables and look-up rows only),
// recording every message box.
class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();

    ZorbelClass& zorbel() { return *m_zorbel; }
    data::Connection& connection() { return *m_zorbel->connection(); }
    std::vector<Message>& messages() { return m_messages; }

    // Helpers that read the database directly, around the business layer.
    int count(const QString& table, const QString& where = QString());
    data::RecordsetPtr select(const QString& sql, const QVariantList& values = {});
    void exec(const QString& sql, const QVariantList& values = {});

private:
    std::vector<Message> m_messages;
    std::unique_ptr<ZorbelClass> m_zorbel;
};

} // namespace zorbel::test
