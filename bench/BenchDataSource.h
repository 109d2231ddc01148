#pragma once
// The benchmark's own data source: a private ODBC ini in a temporary directory
// and a fresh database, never the user's "Zorbel5" source.

#include "bench/Options.h"

#include <QString>
#include <QTemporaryDir>

namespace zorbel::bench {

class BenchDataSource {
public:
    // Writes the ini and points the driver manager at it; for PostgreSQL also
    // creates the database afresh. Throws data::Error.
    explicit BenchDataSource(const Options& options);

    QString connectionString() const;
    // SQLite: the database file. PostgreSQL: a libpq connection string.
    QString directTarget() const { return m_directTarget; }
    QString describe() const { return m_description; }

private:
    QTemporaryDir m_dir;
    QString m_directTarget;
    QString m_description;
};

} // namespace zorbel::bench
