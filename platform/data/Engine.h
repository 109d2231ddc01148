#pragma once

namespace zorbel::data {

enum class Engine { Unknown, SQLite, PostgreSQL };

} // namespace zorbel::data
