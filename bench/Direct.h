#pragma once
// The same statements run through the engine's own C interface, as the yardstick
// for the business layer. Statements use '?' for values, as the business layer's do.

#include <QString>
#include <QVariantList>
#include <memory>

namespace zorbel::bench {

class Direct {
public:
    virtual ~Direct() = default;
    // Runs a SELECT, reads every column of every row, gives the row count.
    virtual int query(const QString& sql, const QVariantList& values) = 0;
    // Runs a statement without rows; gives the rows affected.
    virtual int execute(const QString& sql, const QVariantList& values) = 0;
    // Runs an INSERT and gives the key it generated in keyColumn, read as the business layer reads it.
    virtual qint64 insert(const QString& sql, const QVariantList& values, const QString& keyColumn) = 0;
};

// Throw std::runtime_error when the database cannot be opened.
std::unique_ptr<Direct> openSqlite(const QString& file);
// Throws std::runtime_error when the server cannot be reached.
std::unique_ptr<Direct> openPostgres(const QString& conninfo);

} // namespace zorbel::bench
