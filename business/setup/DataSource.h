#pragma once

#include <QString>
#include <optional>

namespace zorbel::setup {

// The user's ODBC ini file, where the driver manager reads it: $ODBCINI when
// set, else .odbc.ini in the account's home folder.
QString userOdbcIni();
// Adds a data source on the SQLite ODBC driver for a database file to the
// user's ini file, unless a data source of that name exists already, and
// makes the file (empty, the owner's alone) unless it is there. Returns true
// when it added the data source. Throws data::Error or std::runtime_error.
bool registerSqliteDataSource(const QString& name, const QString& databaseFile);
// The database file of an embedded data source whose file is not there;
// nothing for a data source with its file, or of another engine.
std::optional<QString> missingDatabaseFile(const QString& name);

} // namespace zorbel::setup
