#include "platform/data/Connection.h"

#include "platform/data/Backend.h"
#include "platform/data/ConnectionString.h"
#include "platform/data/DataSourceSettings.h"
#include "platform/data/OdbcBackend.h"
#include "platform/data/OdbcSources.h"
#include "platform/data/PostgresBackend.h"
#include "platform/data/SqliteBackend.h"
#include "platform/data/StoredValues.h"

#include <QStringList>
#include <limits>
#include <mutex>

namespace zorbel::data {
namespace {

// Every date read becomes a local QDateTime, and with TZ unset the C library
// stats /etc/localtime again for each one: a third of the time of a long list.
// Naming the zone file once lets it keep what it read.
void keepLocalZoneLoaded() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (qEnvironmentVariableIsEmpty("TZ"))
            qputenv("TZ", ":/etc/localtime");
    });
}

} // namespace

Connection::Connection() = default;
Connection::~Connection() = default;

void Connection::Open(const QString& connectionString) {
    keepLocalZoneLoaded();
    const ConnectionString parts = ConnectionString::parse(connectionString);
    m_backend.reset();
    const DataSourceSettings settings =
        odbcDataSourceExists(parts.dataSource) ? dataSourceSettings(parts.dataSource) : DataSourceSettings{};
    switch (settings.engine) {
    case Engine::SQLite:
        m_backend = openSqlite(settings);
        break;
    case Engine::PostgreSQL:
        m_backend = openPostgres(settings, parts, m_deadlines);
        break;
    case Engine::Unknown:
        // Also the path of a data source nobody set up: it reports the driver manager's own words.
        m_backend = openOdbc(parts);
        break;
    }
}

bool Connection::isOpen() const {
    return m_backend != nullptr;
}

Engine Connection::engine() const {
    return m_backend ? m_backend->engine() : Engine::Unknown;
}

void Connection::setDeadlines(const Deadlines& deadlines) {
    m_deadlines = deadlines;
    if (m_backend)
        m_backend->setDeadlines(deadlines);
}

Backend& Connection::backend() {
    if (!m_backend)
        throw Error(kStatementFailed, QStringLiteral("Operation is not allowed when the object is closed."));
    return *m_backend;
}

RecordsetPtr Connection::query(const Statement& statement) {
    Backend& engine = backend();
    requireStorableValues(statement.values);
    return engine.query(statement);
}

int Connection::execute(const Statement& statement) {
    Backend& engine = backend();
    requireStorableValues(statement.values);
    return engine.execute(statement);
}

qint32 Connection::insert(const Statement& statement, const QString& keyColumn) {
    Backend& engine = backend();
    requireStorableValues(statement.values);
    const qint64 id = engine.insert(statement, keyColumn);
    if (id == 0)
        throw Error(kStatementFailed, QStringLiteral("No key was generated"));
    if (id < 0 || id > std::numeric_limits<qint32>::max())
        throw Error(kStatementFailed, QStringLiteral("The generated key is out of range"));
    return static_cast<qint32>(id);
}

void Connection::beginTransaction() {
    backend().begin();
}

void Connection::commitTransaction() {
    backend().commit();
}

void Connection::rollbackTransaction() {
    backend().rollback();
}

void Connection::executeScript(const QString& script) {
    // All or nothing: a half-made schema would pass for a whole one next time.
    Transaction transaction(*this);
    // Statements end with ';' at the end of a line; lines starting with "--" are comments.
    QString current;
    const QStringList lines = script.split(u'\n');
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QStringLiteral("--")))
            continue;
        current += line + u' ';
        if (line.endsWith(u';')) {
            current.chop(2);
            execute({current, {}});
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        execute({current, {}});
    transaction.commit();
}

Transaction::Transaction(Connection& connection) : m_connection(connection) {
    m_connection.beginTransaction();
}

Transaction::~Transaction() {
    if (!m_open)
        return;
    try {
        m_connection.rollbackTransaction();
    } catch (const Error&) {
        // the connection is gone or the engine ended the transaction itself: nothing left to undo
    }
}

void Transaction::commit() {
    // A commit that fails (a lock not granted in time) leaves the transaction
    // to the destructor to roll back.
    m_connection.commitTransaction();
    m_open = false;
}

} // namespace zorbel::data
