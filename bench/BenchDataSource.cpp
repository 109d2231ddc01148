#include "bench/BenchDataSource.h"

#include "platform/data/Connection.h"
#include "platform/data/DatabaseFile.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <stdexcept>

namespace zorbel::bench {
namespace {

const QString kDataSource = QStringLiteral("ZorbelBench");
const QString kAdminSource = QStringLiteral("ZorbelBenchAdmin");

void writePostgresSource(QTextStream& out, const QString& name, const Options& o, const QString& database) {
    out << "[" << name << "]\n"
        << "Driver=PostgreSQL Unicode\n"
        << "Servername=" << o.pgHost << "\n"
        << "Port=" << o.pgPort << "\n"
        << "Database=" << database << "\n"
        << "Username=" << o.pgUser << "\n\n";
}

} // namespace

BenchDataSource::BenchDataSource(const Options& options) : m_dir(QDir::tempPath() + QStringLiteral("/zorbel-bench-XXXXXX")) {
    if (!m_dir.isValid())
        throw std::runtime_error("cannot make a temporary directory");
    const QString iniPath = m_dir.filePath(QStringLiteral("odbc.ini"));
    QFile ini(iniPath);
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        throw std::runtime_error("cannot write the benchmark's ODBC ini");
    QTextStream out(&ini);
    const bool postgres = options.engine == QStringLiteral("postgresql");
    if (postgres) {
        writePostgresSource(out, kDataSource, options, options.pgDatabase);
        writePostgresSource(out, kAdminSource, options, QStringLiteral("postgres"));
        m_directTarget = QStringLiteral("host=%1 port=%2 user=%3 dbname=%4")
                             .arg(options.pgHost)
                             .arg(options.pgPort)
                             .arg(options.pgUser, options.pgDatabase);
        m_description = QStringLiteral("PostgreSQL, database %1 on %2:%3")
                            .arg(options.pgDatabase, options.pgHost)
                            .arg(options.pgPort);
    } else {
        m_directTarget = m_dir.filePath(QStringLiteral("zorbel-bench.db"));
        data::createDatabaseFile(m_directTarget);
        // The same settings as the test source, so the figures compare with a test run.
        out << "[" << kDataSource << "]\n"
            << "Driver=SQLite3\n"
            << "Database=" << m_directTarget << "\n"
            << "Timeout=5000\n"
            << "SyncPragma=OFF\n"
            << "JournalMode=MEMORY\n";
        m_description = QStringLiteral("SQLite, file %1").arg(m_directTarget);
    }
    out.flush();
    ini.close();
    qputenv("ODBCINI", QFile::encodeName(iniPath));

    if (postgres) {
        data::Connection admin;
        admin.Open(QStringLiteral("Data Source=%1;User ID=").arg(kAdminSource));
        admin.execute({QStringLiteral("DROP DATABASE IF EXISTS ") + options.pgDatabase, {}});
        admin.execute({QStringLiteral("CREATE DATABASE ") + options.pgDatabase, {}});
    }
}

QString BenchDataSource::connectionString() const {
    return QStringLiteral("Data Source=%1;User ID=;Mode=ReadWrite").arg(kDataSource);
}

} // namespace zorbel::bench
