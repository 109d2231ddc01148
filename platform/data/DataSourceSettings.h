#pragma once
// A data source's settings, read from the ini files the ODBC driver manager
// uses (the user's, then the system's), so that users configure "Zorbel5" as
// for any ODBC program while the two engines we know are opened through their
// own client libraries.

#include "platform/data/Engine.h"

#include <QString>

namespace zorbel::data {

struct DataSourceSettings {
    QString name;
    QString driver;   // as the data source names it, or the driver's library
    Engine engine = Engine::Unknown; // Unknown: a driver we only reach through ODBC
    QString database; // SQLite: the file; PostgreSQL: the database name

    // SQLite
    int busyTimeoutMs = 100000; // the SQLite ODBC driver's own default
    QString journalMode;        // empty: the engine's default
    QString synchronous;        // empty: the engine's default

    // PostgreSQL
    QString server;
    QString port;
    QString user;
    QString password;
};

// The settings of a data source; an empty driver when the driver manager
// does not know the name.
DataSourceSettings dataSourceSettings(const QString& name);

// The engine a driver stands for, from its name and its library's file name.
Engine engineOfDriver(const QString& driverName, const QString& driverLibrary);

} // namespace zorbel::data
