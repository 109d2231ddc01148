#include "platform/data/Connection.h"

#include "platform/data/ConnectionString.h"
#include "platform/data/OdbcSources.h"

#include <QAtomicInt>
#include <limits>
#include <mutex>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace zorbel::data {
namespace {

QAtomicInt g_connectionSerial;

// Every date the driver hands back becomes a local QDateTime, and with TZ unset
// the C library stats /etc/localtime again for each one: a third of the time of
// a long list. Naming the zone file once lets it keep what it read.
void keepLocalZoneLoaded() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (qEnvironmentVariableIsEmpty("TZ"))
            qputenv("TZ", ":/etc/localtime");
    });
}

QString describe(const QSqlError& error) {
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.driverText();
    return text;
}

Error errorOf(const QSqlError& error) {
    return Error(kStatementFailed, describe(error));
}

Engine engineOf(const QString& dataSource, QSqlDatabase& db) {
    const QString driver = odbcDriverOf(dataSource);
    if (driver.contains(QStringLiteral("PostgreSQL"), Qt::CaseInsensitive))
        return Engine::PostgreSQL;
    if (driver.contains(QStringLiteral("SQLite"), Qt::CaseInsensitive))
        return Engine::SQLite;
    QSqlQuery probe(db);
    if (probe.exec(QStringLiteral("SELECT sqlite_version()")))
        return Engine::SQLite;
    if (probe.exec(QStringLiteral("SELECT version()")) && probe.next()
        && probe.value(0).toString().contains(QStringLiteral("PostgreSQL"), Qt::CaseInsensitive))
        return Engine::PostgreSQL;
    return Engine::Unknown;
}

void bindAll(QSqlQuery& query, const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& value = values.at(i);
        // Qt's drivers bind a null QString as NULL; a text that is merely empty
        // is an empty value here, so only a typed null variant writes NULL.
        if (!value.isNull() && value.typeId() == QMetaType::QString && value.toString().isNull())
            query.bindValue(i, QVariant(QStringLiteral("")));
        else
            query.bindValue(i, value);
    }
}

} // namespace

Connection::Connection()
    : m_name(QStringLiteral("zorbel-%1").arg(g_connectionSerial.fetchAndAddRelaxed(1))) {}

Connection::~Connection() {
    if (QSqlDatabase::contains(m_name)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
}

void Connection::Open(const QString& connectionString) {
    keepLocalZoneLoaded();
    const ConnectionString parts = ConnectionString::parse(connectionString);
    if (QSqlDatabase::contains(m_name)) {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        throw Error(kConnectionFailed, QStringLiteral("The ODBC driver of Qt is not installed"));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_name);
    // A bare name is read as a data source name by the driver.
    db.setDatabaseName(parts.dataSource);
    if (!parts.userId.isEmpty())
        db.setUserName(parts.userId);
    if (!parts.password.isEmpty())
        db.setPassword(parts.password);
    if (!odbcDataSourceExists(parts.dataSource)) {
        db.open(); // to get the driver manager's own words for the missing source
        const QString text = describe(db.lastError());
        throw Error(kDataSourceNotFound,
                    text.isEmpty() ? QStringLiteral("[unixODBC][Driver Manager]Data source name not found "
                                                    "and no default driver specified")
                                   : text);
    }
    if (!db.open())
        throw Error(kConnectionFailed, describe(db.lastError()));
    m_engine = engineOf(parts.dataSource, db);
}

bool Connection::isOpen() const {
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

RecordsetPtr Connection::query(const Statement& statement) {
    if (!isOpen())
        throw Error(kStatementFailed, QStringLiteral("Operation is not allowed when the object is closed."));
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(statement.text))
        throw errorOf(q.lastError());
    bindAll(q, statement.values);
    if (!q.exec())
        throw errorOf(q.lastError());
    const QSqlRecord record = q.record();
    QStringList names;
    names.reserve(record.count());
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    std::vector<std::vector<QVariant>> rows;
    const int cols = record.count();
    while (q.next()) {
        std::vector<QVariant> row;
        row.reserve(static_cast<size_t>(cols));
        for (int i = 0; i < cols; ++i)
            row.push_back(q.value(i));
        rows.push_back(std::move(row));
    }
    if (q.lastError().isValid())
        throw errorOf(q.lastError());
    return std::make_shared<Recordset>(std::move(names), std::move(rows));
}

int Connection::execute(const Statement& statement) {
    if (!isOpen())
        throw Error(kStatementFailed, QStringLiteral("Operation is not allowed when the object is closed."));
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    QSqlQuery q(db);
    if (!q.prepare(statement.text))
        throw errorOf(q.lastError());
    bindAll(q, statement.values);
    if (!q.exec())
        throw errorOf(q.lastError());
    return q.numRowsAffected();
}

qint32 Connection::lastInsertId() {
    const QString text = m_engine == Engine::PostgreSQL ? QStringLiteral("SELECT lastval()")
                                                        : QStringLiteral("SELECT last_insert_rowid()");
    RecordsetPtr rs = query({text, {}});
    if (!rs->hasCurrent())
        throw Error(kStatementFailed, QStringLiteral("No key was generated"));
    bool ok = false;
    const qint64 id = rs->Fields(0).toLongLong(&ok);
    if (!ok || id <= 0 || id > std::numeric_limits<qint32>::max())
        throw Error(kStatementFailed, QStringLiteral("The generated key is out of range"));
    return static_cast<qint32>(id);
}

void Connection::executeScript(const QString& script) {
    if (!isOpen())
        throw Error(kStatementFailed, QStringLiteral("Operation is not allowed when the object is closed."));
    // All or nothing: a half-made schema would pass for a whole one next time.
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    const bool inTransaction = db.transaction();
    try {
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
    } catch (const Error&) {
        if (inTransaction)
            db.rollback();
        throw;
    }
    if (inTransaction && !db.commit()) {
        const Error error = errorOf(db.lastError());
        db.rollback();
        throw error;
    }
}

} // namespace zorbel::data
