#pragma once
// Any other ODBC driver, reached through Qt's ODBC driver: slower, and values
// come back as that driver makes them, but a data source that worked before
// keeps working.

#include "platform/data/Backend.h"
#include "platform/data/ConnectionString.h"

#include <memory>

namespace zorbel::data {

// Throws Error: kDataSourceNotFound with the driver manager's text when it does
// not know the data source, kConnectionFailed when the driver cannot connect.
std::unique_ptr<Backend> openOdbc(const ConnectionString& parts);

} // namespace zorbel::data
