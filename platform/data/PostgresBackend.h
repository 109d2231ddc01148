#pragma once
// PostgreSQL through libpq: one round trip a statement, values sent apart from
// the statement's text, results read in the form the server sent them, on a
// session that never waits past its deadlines (PostgresSession.h).

#include "platform/data/Backend.h"
#include "platform/data/Connection.h"
#include "platform/data/ConnectionString.h"
#include "platform/data/DataSourceSettings.h"

#include <memory>

namespace zorbel::data {

// The connection string's user, when given, stands before the data source's;
// the data source's password, when it has one, before the connection string's
// (the business layer's built-in one). Throws Error(kConnectionFailed) when
// the server cannot be reached.
std::unique_ptr<Backend> openPostgres(const DataSourceSettings& settings, const ConnectionString& parts,
                                      const Deadlines& deadlines);

// The statement's '?' marks as libpq's $1, $2, ...; marks inside quotes or comments stay.
QByteArray numberedParameters(const QString& sql);

} // namespace zorbel::data
