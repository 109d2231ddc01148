#include "DataSource.h"

#include "platform/data/OdbcSources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace zorbel::setup {

QString userOdbcIni() {
    const QString fromEnvironment = qEnvironmentVariable("ODBCINI");
    return fromEnvironment.isEmpty() ? QDir::homePath() + QStringLiteral("/.odbc.ini") : fromEnvironment;
}

bool registerSqliteDataSource(const QString& name, const QString& databaseFile) {
    if (data::odbcDataSourceExists(name))
        return false;
    QDir().mkpath(QFileInfo(databaseFile).absolutePath());
    QFile ini(userOdbcIni());
    if (!ini.open(QIODevice::Append | QIODevice::Text))
        throw std::runtime_error(("cannot write " + ini.fileName()).toStdString());
    QTextStream out(&ini);
    // Timeout lets a second user wait for a write lock instead of failing at once.
    out << "\n[" << name << "]\n"
        << "Description=Zorbel embedded database\n"
        << "Driver=SQLite3\n"
        << "Database=" << QFileInfo(databaseFile).absoluteFilePath() << "\n"
        << "Timeout=5000\n";
    return true;
}

} // namespace zorbel::setup
