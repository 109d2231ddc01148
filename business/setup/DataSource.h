#pragma once

#include <QString>

namespace zorbel::setup {

// The user's ODBC ini file, where the driver manager reads it: $ODBCINI when
// set, else .odbc.ini in the account's home folder.
QString userOdbcIni();
// Adds a data source on the SQLite ODBC driver for a database file to the
// user's ini file, unless a data source of that name exists already. Returns
// true when it added one.
bool registerSqliteDataSource(const QString& name, const QString& databaseFile);

} // namespace zorbel::setup
