#include "DataSource.h"

#include "platform/data/DataSourceSettings.h"
#include "platform/data/DatabaseFile.h"
#include "platform/data/OdbcSources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

namespace zorbel::setup {

QString userOdbcIni() {
    const QString fromEnvironment = qEnvironmentVariable("ODBCINI");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    // The driver manager looks in the account's own home, not in $HOME: a data
    // source written anywhere else would never be found.
    if (const passwd* account = getpwuid(getuid()); account && account->pw_dir && *account->pw_dir)
        return QFile::decodeName(account->pw_dir) + QStringLiteral("/.odbc.ini");
    return QDir::homePath() + QStringLiteral("/.odbc.ini");
}

bool registerSqliteDataSource(const QString& name, const QString& databaseFile) {
    if (data::odbcDataSourceExists(name))
        return false;
    const QString file = QFileInfo(databaseFile).absoluteFilePath();
    // The file first: a data source must never name a file that is not there.
    data::createDatabaseFile(file);
    QFile ini(userOdbcIni());
    if (!ini.open(QIODevice::Append | QIODevice::Text))
        throw std::runtime_error(("cannot write " + ini.fileName() + ": " + ini.errorString()).toStdString());
    QTextStream out(&ini);
    // Eight colleagues saving at once neither refuse one another's writes nor
    // hold up one another's reads with a write-ahead journal; a writer that
    // still finds the file locked waits up to 30 s for it.
    out << "\n[" << name << "]\n"
        << "Description=Zorbel embedded database\n"
        << "Driver=SQLite3\n"
        << "Database=" << file << "\n"
        << "JournalMode=WAL\n"
        << "Timeout=30000\n";
    out.flush();
    if (out.status() != QTextStream::Ok || !ini.flush())
        throw std::runtime_error(("cannot write " + ini.fileName() + ": " + ini.errorString()).toStdString());
    return true;
}

std::optional<QString> missingDatabaseFile(const QString& name) {
    if (!data::odbcDataSourceExists(name))
        return std::nullopt;
    const data::DataSourceSettings settings = data::dataSourceSettings(name);
    if (settings.engine != data::Engine::SQLite || settings.database.isEmpty()
        || QFileInfo::exists(settings.database))
        return std::nullopt;
    return settings.database;
}

} // namespace zorbel::setup
