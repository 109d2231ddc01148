#pragma once
// One database connection to the data source a connection string names.
// Statements carry their values as typed parameters, so no value is ever
// written into SQL text under a locale. SQLite and PostgreSQL data sources are
// opened through the engines' own libraries; any other driver through ODBC.

#include "platform/data/Engine.h"
#include "platform/data/Error.h"
#include "platform/data/Recordset.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <chrono>
#include <memory>

namespace zorbel::data {

class Backend;

struct Statement {
    QString text;        // SQL with a '?' for every value
    QVariantList values; // bound in order; a null QVariant of a type binds a typed null
};

// How long a call waits for a database server before it reports that the
// server does not answer, so that a server that hangs never freezes the program.
struct Deadlines {
    std::chrono::seconds connect{10};            // opening, making a lost connection anew, and a cancel
    std::chrono::milliseconds statement{30000};  // from sending a statement to its whole answer
    // After a lost connection could not be made anew, calls are refused at
    // once with the same words for this long, instead of each waiting to connect.
    std::chrono::milliseconds unreachable{5000};
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
    Engine engine() const;

    // Server waits for this connection: the connect wait counts from the next
    // Open, the others at once.
    void setDeadlines(const Deadlines& deadlines);

    // Runs a query and fetches every row. Throws Error, also for a value the
    // engines would not store alike (see StoredValues.h).
    RecordsetPtr query(const Statement& statement);
    // Runs a statement that returns no rows; gives the number of rows affected. Throws Error.
    int execute(const Statement& statement);
    // Runs an INSERT and gives the key it generated in its key column. The key
    // comes with the insert's own answer, so it is this row's: an insert whose
    // answer was lost is reported as such, and no key is asked for afterwards
    // on a session that may be another one. Throws Error.
    qint32 insert(const Statement& statement, const QString& keyColumn);

    // Runs several statements as one unit (schema creation). Throws Error.
    void executeScript(const QString& script);

    // The statements between these run as one unit; prefer Transaction, which
    // cannot leave one open. On SQLite the write lock is taken at the start.
    // Throw Error.
    void beginTransaction();
    void commitTransaction();
    void rollbackTransaction();

private:
    Backend& backend();

    std::unique_ptr<Backend> m_backend;
    Deadlines m_deadlines;
};

// A transaction that rolls back unless it was committed.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Connection& m_connection;
    bool m_open = true;
};

} // namespace zorbel::data
