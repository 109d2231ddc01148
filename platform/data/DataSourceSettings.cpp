#include "platform/data/DataSourceSettings.h"

#include <odbcinst.h>

namespace zorbel::data {
namespace {

QString profileString(const QString& section, const char* key, const char* file) {
    char buffer[1024] = {};
    const QByteArray sectionName = section.toUtf8();
    const int length = SQLGetPrivateProfileString(sectionName.constData(), key, "", buffer,
                                                  static_cast<int>(sizeof buffer), file);
    if (length <= 0)
        return {};
    return QString::fromUtf8(buffer).trimmed();
}

QString dataSourceValue(const QString& dataSource, const char* key) {
    return profileString(dataSource, key, "odbc.ini");
}

// The first of several names a driver accepts for one setting.
QString firstOf(const QString& dataSource, std::initializer_list<const char*> keys) {
    for (const char* key : keys) {
        const QString value = dataSourceValue(dataSource, key);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

} // namespace

Engine engineOfDriver(const QString& driverName, const QString& driverLibrary) {
    // The SQLite ODBC package also ships a driver for SQLite 2, whose files
    // the SQLite 3 library cannot read: only a "3" makes it ours.
    const QString both = (driverName + u' ' + driverLibrary).toLower();
    if (both.contains(u"sqlite3"))
        return Engine::SQLite;
    if (both.contains(u"postgres") || both.contains(u"psqlodbc"))
        return Engine::PostgreSQL;
    return Engine::Unknown;
}

DataSourceSettings dataSourceSettings(const QString& name) {
    DataSourceSettings s;
    s.name = name;
    s.driver = dataSourceValue(name, "Driver");
    if (s.driver.isEmpty())
        return s;
    // The data source names either a driver of odbcinst.ini or a library file.
    QString library = profileString(s.driver, "Driver", "odbcinst.ini");
    if (library.isEmpty())
        library = s.driver;
    s.engine = engineOfDriver(s.driver, library);
    s.database = dataSourceValue(name, "Database");

    bool ok = false;
    const int timeout = dataSourceValue(name, "Timeout").toInt(&ok);
    if (ok && timeout >= 0)
        s.busyTimeoutMs = timeout;
    s.journalMode = dataSourceValue(name, "JournalMode");
    s.synchronous = dataSourceValue(name, "SyncPragma");

    s.server = firstOf(name, {"Servername", "Server"});
    s.port = dataSourceValue(name, "Port");
    s.user = firstOf(name, {"Username", "UserName", "UID"});
    s.password = firstOf(name, {"Password", "PWD"});
    return s;
}

} // namespace zorbel::data
