#include "DataSource.h"

#include "platform/data/OdbcSources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <pwd.h>
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
