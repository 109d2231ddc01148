#pragma once
// SQLite through its own library, with the data source's busy timeout and
// journal settings.

#include "platform/data/Backend.h"
#include "platform/data/DataSourceSettings.h"

#include <memory>

namespace zorbel::data {

// Throws Error(kConnectionFailed) when the file is missing or cannot be opened;
// it never creates one.
std::unique_ptr<Backend> openSqlite(const DataSourceSettings& settings);

} // namespace zorbel::data
