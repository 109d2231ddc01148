#include "platform/data/OdbcBackend.h"

#include "platform/data/Connection.h"
#include "platform/data/OdbcSources.h"
#include "platform/data/StoredValues.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace zorbel::data {
namespace {

QAtomicInt g_connectionSerial;

QString describe(const QSqlError& error) {
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.driverText();
    return text;
}

Error errorOf(const QSqlError& error) {
    return Error(kStatementFailed, describe(error));
}

// The engine behind a driver we do not know by name, asked in each one's own words.
Engine probeEngine(QSqlDatabase& db) {
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
        else if (!value.isNull() && value.typeId() == QMetaType::Double)
            query.bindValue(i, QVariant(boundDouble(value.toDouble())));
        else
            query.bindValue(i, value);
    }
}

class OdbcBackend final : public Backend {
public:
    OdbcBackend(QString name, Engine engine) : m_name(std::move(name)), m_engine(engine) {}
    ~OdbcBackend() override {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }

    Engine engine() const override { return m_engine; }

    RecordsetPtr query(const Statement& statement) override {
        QSqlQuery q = run(statement, true);
        const QSqlRecord record = q.record();
        QStringList names;
        const int cols = record.count();
        names.reserve(cols);
        for (int i = 0; i < cols; ++i)
            names << record.fieldName(i);
        std::vector<std::vector<QVariant>> rows;
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

    int execute(const Statement& statement) override { return run(statement, false).numRowsAffected(); }

    qint64 insert(const Statement& statement, const QString& keyColumn) override {
        if (m_engine == Engine::PostgreSQL) {
            // As through the server's own library: the key comes with the
            // insert's own answer, never from a later statement.
            QSqlQuery q = run({statement.text + QStringLiteral(" RETURNING ") + keyColumn, statement.values}, true);
            return q.next() ? q.value(0).toLongLong() : 0;
        }
        // An embedded engine's one connection keeps the key of its last insert,
        // which an insert of no row leaves as the one before it.
        if (run(statement, false).numRowsAffected() == 0)
            return 0;
        QSqlQuery q = run({QStringLiteral("SELECT last_insert_rowid()"), {}}, true);
        return q.next() ? q.value(0).toLongLong() : 0;
    }

    void begin() override {
        if (!database().transaction())
            throw errorOf(database().lastError());
    }
    void commit() override {
        if (!database().commit())
            throw errorOf(database().lastError());
    }
    void rollback() override { database().rollback(); }

private:
    QSqlDatabase database() const { return QSqlDatabase::database(m_name, false); }

    QSqlQuery run(const Statement& statement, bool forwardOnly) {
        QSqlQuery q(database());
        q.setForwardOnly(forwardOnly);
        if (!q.prepare(statement.text))
            throw errorOf(q.lastError());
        bindAll(q, statement.values);
        if (!q.exec())
            throw errorOf(q.lastError());
        return q;
    }

    QString m_name;
    Engine m_engine;
};

} // namespace

std::unique_ptr<Backend> openOdbc(const ConnectionString& parts) {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        throw Error(kConnectionFailed, QStringLiteral("The ODBC driver of Qt is not installed"));
    const QString name = QStringLiteral("zorbel-%1").arg(g_connectionSerial.fetchAndAddRelaxed(1));
    // Removes the registration however this ends, unless a backend takes it over.
    struct Registration {
        QString name;
        bool kept = false;
        ~Registration() {
            if (!kept)
                QSqlDatabase::removeDatabase(name);
        }
    } registration{name};
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name);
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
        const QString driver = odbcDriverOf(parts.dataSource);
        Engine engine = driver.contains(QStringLiteral("PostgreSQL"), Qt::CaseInsensitive) ? Engine::PostgreSQL
                        : driver.contains(QStringLiteral("SQLite"), Qt::CaseInsensitive) ? Engine::SQLite
                                                                                           : probeEngine(db);
        registration.kept = true;
        return std::make_unique<OdbcBackend>(name, engine);
    }
}

} // namespace zorbel::data
