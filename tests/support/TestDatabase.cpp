#include "tests/support/TestDatabase.h"

#include "business/Schema.h"
#include "platform/data/DatabaseFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdlib>
#include <stdexcept>

namespace zorbel::test {
namespace {

QTemporaryDir& scratchDir() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/zorbel-test-XXXXXX"));
    return dir;
}

} // namespace

Engine engineUnderTest() {
    return qEnvironmentVariable("ZORBEL_TEST_ENGINE").compare(QStringLiteral("postgresql"), Qt::CaseInsensitive) == 0
               ? Engine::PostgreSQL
               : Engine::SQLite;
}

const char* engineName() {
    return engineUnderTest() == Engine::PostgreSQL ? "PostgreSQL" : "SQLite";
}

QString testDataSource() {
    return QStringLiteral("ZorbelTest");
}

QString testConnectionString() {
    return QStringLiteral("Data Source=%1;User ID=;Mode=ReadWrite").arg(testDataSource());
}

void prepareTestDataSource() {
    const QString iniPath = scratchDir().filePath(QStringLiteral("odbc.ini"));
    QFile ini(iniPath);
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        throw std::runtime_error("cannot write the test ODBC ini");
    QTextStream out(&ini);
    out << "[" << testDataSource() << "]\n";
    if (engineUnderTest() == Engine::PostgreSQL) {
        out << "Driver=PostgreSQL Unicode\n"
            << "Servername=" << qEnvironmentVariable("ZORBEL_TEST_PG_HOST") << "\n"
            << "Port=" << qEnvironmentVariable("ZORBEL_TEST_PG_PORT", QStringLiteral("5432")) << "\n"
            << "Database=" << qEnvironmentVariable("ZORBEL_TEST_PG_DB", QStringLiteral("zorbel_test")) << "\n"
            << "Username=" << qEnvironmentVariable("ZORBEL_TEST_PG_USER", QStringLiteral("postgres")) << "\n";
    } else {
        const QString file = scratchDir().filePath(QStringLiteral("zorbel-test.db"));
        data::createDatabaseFile(file);
        out << "Driver=SQLite3\n"
            << "Database=" << file << "\n"
            << "Timeout=5000\n"
            << "SyncPragma=OFF\n"
            << "JournalMode=MEMORY\n";
    }
    out.flush();
    ini.close();
    qputenv("ODBCINI", QFile::encodeName(iniPath));
}

TestDatabase::TestDatabase()
    : m_zorbel(std::make_unique<ZorbelClass>([this](const QString& text, int flags, const QString& title) {
          m_messages.push_back({text, flags, title});
          return 1;
      })) {
    m_zorbel->ConnectDSN(testConnectionString());
    schema::drop(connection());
    schema::ensure(connection());
}

TestDatabase::~TestDatabase() = default;

int TestDatabase::count(const QString& table, const QString& where) {
    auto rs = select(QStringLiteral("SELECT COUNT(*) FROM ") + table
                     + (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where));
    return rs->Fields(0).toInt();
}

data::RecordsetPtr TestDatabase::select(const QString& sql, const QVariantList& values) {
    return connection().query({sql, values});
}

void TestDatabase::exec(const QString& sql, const QVariantList& values) {
    connection().execute({sql, values});
}

} // namespace zorbel::test
