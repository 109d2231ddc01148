#pragma once
// One database connection over ODBC. Statements carry their values as typed
// parameters, so no value is ever written into SQL text under a locale.

#include "platform/data/Error.h"
#include "platform/data/Recordset.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace zorbel::data {

enum class Engine { Unknown, SQLite, PostgreSQL };

struct Statement {
    QString text;        // SQL with a '?' for every value
    QVariantList values; // bound in order; a null QVariant of a type binds a typed null
};

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the data source named by a connection string ("Data Source=...;
    // User ID=...;Password=..."). Throws Error; a data source that the driver
    // manager does not know gives kDataSourceNotFound with the driver manager's text.
    void Open(const QString& connectionString);
    bool isOpen() const;
    Engine engine() const { return m_engine; }

    // Runs a query and fetches every row. Throws Error.
    RecordsetPtr query(const Statement& statement);
    // Runs a statement that returns no rows; gives the number of rows affected. Throws Error.
    int execute(const Statement& statement);
    // The key that this connection's last INSERT generated. Throws Error.
    qint32 lastInsertId();

    // Runs several statements as one unit (schema creation). Throws Error.
    void executeScript(const QString& script);

private:
    QString m_name;
    Engine m_engine = Engine::Unknown;
};

} // namespace zorbel::data
