#pragma once
// The embedded database's file. Opening a data source never makes one: a file
// that is missing (a share not mounted, a file moved, a path mistyped) must be
// reported, not replaced by an empty database. Only the set-up makes one, and
// only the owner may read it, since it holds every record and password hash.

#include <QString>

namespace zorbel::data {

// "database file not found: PATH", as opening and the set-up report it.
QString databaseFileNotFound(const QString& path);

// Makes an empty database file (mode 0600) unless one is there, and its folder
// (mode 0700) unless that is there. Returns true when it made the file.
// Throws Error(kConnectionFailed) with the reason when it cannot.
bool createDatabaseFile(const QString& path);

} // namespace zorbel::data
