#pragma once

#include <QString>
#include <QStringList>
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
// Brings an embedded data source that the set-up registered earlier in the
// user's ini file to what it gives a new one: JournalMode=WAL where no journal
// mode is set, Timeout=30000 where none is set or the 5000 it once wrote; the
// database file and its journal files readable by their owner only, and
// their folder too when it holds nothing else. Changes no file the user does
// not own. Returns a line for each change, and for each mode it could not
// change. Throws std::runtime_error when it cannot write the ini file.
QStringList bringForward(const QString& name);
// The database file of an embedded data source whose file is not there;
// nothing for a data source with its file, or of another engine.
std::optional<QString> missingDatabaseFile(const QString& name);

} // namespace zorbel::setup
