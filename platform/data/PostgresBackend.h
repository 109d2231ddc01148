#pragma once
// PostgreSQL through libpq: one round trip a statement, values sent apart from
// the statement's text, results read in the form the server sent them.

#include "platform/data/Backend.h"
#include "platform/data/ConnectionString.h"
#include "platform/data/DataSourceSettings.h"

#include <memory>

namespace zorbel::data {

// The connection string's user and password, when given, stand before the data
// source's own. Throws Error(kConnectionFailed) when the server cannot be reached.
std::unique_ptr<Backend> openPostgres(const DataSourceSettings& settings, const ConnectionString& parts);

// The statement's '?' marks as libpq's $1, $2, ...; marks inside quotes or comments stay.
QByteArray numberedParameters(const QString& sql);

} // namespace zorbel::data
