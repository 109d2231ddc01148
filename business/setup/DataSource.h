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
// The user's ini file may hold an office server's password: makes it, empty
// and the owner's alone (0600) whatever the mask, where there is none, and
// takes the group's and everyone else's rights away from one that is there.
// An ini file that is a link to nothing gets the file it names made so.
// Returns the line that says so, or that it could not and why; nothing when
// there was nothing to change. Runs before anything asks the driver manager,
// which makes a missing ini file as open as the mask lets it. Throws
// std::runtime_error when it cannot make the file a link names.
QString makeUserIniPrivate();
// The line that says the user's ini file holds the section of a data source
// more than once, and which of them the driver manager reads; nothing when
// it holds it once or not at all.
std::optional<QString> repeatedDataSource(const QString& name);
// Brings an embedded data source that the set-up registered earlier in the
// user's ini file to what it gives a new one: JournalMode=WAL where no journal
// mode is set, Timeout=30000 where none is set or the 5000 it once wrote; the
// database file and its journal files readable by their owner only, and
// their folder too when it holds nothing else. Changes no file the user does
// not own. Returns a line for each change, and for each of those files that
// stays open to other users because it is another account's or its disk
// keeps no modes. Throws std::runtime_error when it cannot write the ini file.
QStringList bringForward(const QString& name);
// The database file of an embedded data source whose file is not there;
// nothing for a data source with its file, or of another engine.
std::optional<QString> missingDatabaseFile(const QString& name);

} // namespace zorbel::setup
