#pragma once
// The database's tables and look-up rows, for either engine.

#include "platform/data/Connection.h"

#include <QStringList>

namespace zorbel::schema {

// Every table, in the order the schema creates them.
QStringList tables();
// True when the connected database already has the configuration table.
bool exists(data::Connection& connection);
// Creates the tables and the look-up rows unless they exist. Returns true when it
// created them. Throws data::Error.
bool ensure(data::Connection& connection);
// Drops every table (tests start from an empty database this way).
void drop(data::Connection& connection);

} // namespace zorbel::schema
