#include "platform/data/PostgresBackend.h"

#include "platform/data/Connection.h"
#include "platform/data/PostgresSession.h"
#include "platform/data/StoredValues.h"
#include "platform/data/WallClock.h"

#include <QStringList>
#include <algorithm>
#include <charconv>
#include <cstring>
#include <libpq-fe.h>
#include <vector>

namespace zorbel::data {
namespace {

// Type numbers of the server's catalogue that decide how a value travels.
enum Oid : unsigned {
    kBool = 16,
    kInt8 = 20,
    kInt2 = 21,
    kInt4 = 23,
    kOid = 26,
    kFloat4 = 700,
    kFloat8 = 701,
    kDate = 1082,
    kTimestamp = 1114,
    kNumeric = 1700,
};

// libpq waits no less than this for a connection, whatever it is told.
constexpr std::chrono::seconds kShortestConnectWait{2};

template <typename Number>
bool parseNumber(const char* text, int length, Number& out) {
    const auto [end, ec] = std::from_chars(text, text + length, out);
    return ec == std::errc() && end == text + length;
}

class PostgresCells final : public RecordSource {
public:
    explicit PostgresCells(ResultHandle result) : m_result(std::move(result)) {
        const int columns = PQnfields(m_result.get());
        m_types.reserve(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c)
            m_types.push_back(PQftype(m_result.get(), c));
    }

    int rowCount() const override { return PQntuples(m_result.get()); }

    QVariant value(int row, int column) const override {
        PGresult* r = m_result.get();
        if (PQgetisnull(r, row, column))
            return {};
        const char* text = PQgetvalue(r, row, column);
        const int length = PQgetlength(r, row, column);
        switch (m_types[static_cast<size_t>(column)]) {
        case kInt2:
        case kInt4: {
            int number = 0;
            if (parseNumber(text, length, number))
                return QVariant(number);
            break;
        }
        case kInt8:
        case kOid: {
            qlonglong number = 0;
            if (parseNumber(text, length, number))
                return QVariant(number);
            break;
        }
        case kFloat4:
        case kFloat8:
        case kNumeric: {
            double number = 0;
            if (parseNumber(text, length, number))
                return QVariant(number);
            break;
        }
        case kBool:
            return QVariant(text[0] == 't');
        case kTimestamp:
        case kDate:
            if (const auto when = parseWallClock(std::string_view(text, static_cast<size_t>(length))))
                return m_types[static_cast<size_t>(column)] == kDate ? QVariant(when->date()) : QVariant(*when);
            break;
        default:
            break;
        }
        // Texts, and any value of a known type that did not read as one, come back as the server wrote them.
        return QVariant(textFromUtf8(text, length));
    }

private:
    ResultHandle m_result;
    std::vector<unsigned> m_types;
};

// One statement's values in the form libpq sends them: texts with a type where
// the value has one, so the server reads each as what it is.
class Parameters {
public:
    explicit Parameters(const QVariantList& values) {
        const auto n = static_cast<size_t>(values.size());
        m_texts.reserve(n);
        m_types.reserve(n);
        m_pointers.reserve(n);
        for (const QVariant& value : values)
            add(value);
        for (size_t i = 0; i < n; ++i)
            m_pointers.push_back(m_isNull[i] ? nullptr : m_texts[i].constData());
    }

    SentValues sent() const { return {static_cast<int>(m_types.size()), m_types.data(), m_pointers.data()}; }

private:
    void add(const QVariant& value) {
        unsigned type = 0; // left to the server: a text fits any column it can be read into
        QByteArray text;
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Char:
        case QMetaType::Bool:
            type = kInt4;
            text = QByteArray::number(value.toInt());
            break;
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            type = kInt8;
            text = QByteArray::number(value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float: {
            type = kFloat8;
            // The shortest text that reads back as the same double.
            char buffer[32];
            const auto written = std::to_chars(buffer, buffer + sizeof buffer, boundDouble(value.toDouble()));
            text = QByteArray(buffer, static_cast<qsizetype>(written.ptr - buffer));
            break;
        }
        case QMetaType::QDateTime:
            type = kTimestamp;
            text = wallClockText(value.toDateTime());
            break;
        case QMetaType::QDate:
            type = kDate;
            text = value.toDate().toString(Qt::ISODate).toLatin1();
            break;
        default:
            text = value.toString().toUtf8();
            // The server keeps no NUL in a text, and libpq would end the value there.
            if (text.contains('\0'))
                throw Error(kStatementFailed, QStringLiteral("A text value holds a NUL character, which the "
                                                             "database cannot store"));
        }
        m_types.push_back(type);
        m_isNull.push_back(value.isNull());
        m_texts.push_back(std::move(text));
    }

    std::vector<QByteArray> m_texts;
    std::vector<unsigned> m_types;
    std::vector<bool> m_isNull;
    std::vector<const char*> m_pointers;
};

class PostgresBackend final : public Backend {
public:
    PostgresBackend(PGconn* conn, const Deadlines& deadlines)
        : m_session(conn, deadlines.statement, std::max(kShortestConnectWait, deadlines.connect),
                    deadlines.unreachable) {}

    Engine engine() const override { return Engine::PostgreSQL; }

    RecordsetPtr query(const Statement& statement) override {
        ResultHandle result = run(statement);
        const int columns = PQnfields(result.get());
        QStringList names;
        names.reserve(columns);
        for (int c = 0; c < columns; ++c)
            names << QString::fromUtf8(PQfname(result.get(), c));
        return std::make_shared<Recordset>(std::move(names), std::make_unique<PostgresCells>(std::move(result)));
    }

    int execute(const Statement& statement) override {
        ResultHandle result = run(statement);
        int rows = 0;
        const char* affected = PQcmdTuples(result.get());
        std::from_chars(affected, affected + std::strlen(affected), rows);
        return rows;
    }

    qint64 insert(const Statement& statement, const QString& keyColumn) override {
        // One exchange: a session lost after it leaves no key to ask for on another.
        ResultHandle result = run({statement.text + QStringLiteral(" RETURNING ") + keyColumn, statement.values});
        qint64 id = 0;
        if (PQntuples(result.get()) != 1
            || !parseNumber(PQgetvalue(result.get(), 0, 0), PQgetlength(result.get(), 0, 0), id))
            return 0;
        return id;
    }

    void begin() override {
        m_session.run("BEGIN");
        m_session.transactionBegun();
    }
    void commit() override {
        // A transaction that failed part way ends with ROLLBACK even when COMMIT was asked for.
        ResultHandle result = m_session.run("COMMIT");
        m_session.transactionEnded();
        if (std::strcmp(PQcmdStatus(result.get()), "ROLLBACK") == 0)
            throw Error(kStatementFailed, QStringLiteral("The transaction failed and was rolled back"));
    }
    void rollback() override {
        const bool held = m_session.holdsTransaction();
        m_session.transactionEnded();
        if (held)
            m_session.run("ROLLBACK");
    }

    void setDeadlines(const Deadlines& deadlines) override {
        m_session.setDeadline(deadlines.statement);
        m_session.setUnreachablePause(deadlines.unreachable);
    }

private:
    ResultHandle run(const Statement& statement) {
        const Parameters parameters(statement.values);
        return m_session.run(numberedParameters(statement.text), parameters.sent());
    }

    PostgresSession m_session;
};

} // namespace

QByteArray numberedParameters(const QString& sql) {
    const QByteArray text = sql.toUtf8();
    QByteArray out;
    out.reserve(text.size() + 16);
    int number = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\'' || c == '"') {
            // Quotes end at the next quote; a doubled one stands for itself and ends nothing.
            const qsizetype close = text.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? text.size() : close + 1;
            out.append(text.constData() + i, end - i);
            i = end - 1;
        } else if (c == '-' && i + 1 < text.size() && text[i + 1] == '-') {
            const qsizetype close = text.indexOf('\n', i);
            const qsizetype end = close < 0 ? text.size() : close + 1;
            out.append(text.constData() + i, end - i);
            i = end - 1;
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            const qsizetype close = text.indexOf("*/", i + 2);
            const qsizetype end = close < 0 ? text.size() : close + 2;
            out.append(text.constData() + i, end - i);
            i = end - 1;
        } else if (c == '?') {
            out += '$';
            out += QByteArray::number(++number);
        } else {
            out += c;
        }
    }
    return out;
}

std::unique_ptr<Backend> openPostgres(const DataSourceSettings& settings, const ConnectionString& parts,
                                      const Deadlines& deadlines) {
    const QString user = parts.userId.isEmpty() ? settings.user : parts.userId;
    // A server whose role has a password of its own is told it through the data source.
    const QString password = settings.password.isEmpty() ? parts.password : settings.password;
    std::vector<std::pair<const char*, QByteArray>> given = {
        {"host", settings.server.toUtf8()},
        {"port", settings.port.toUtf8()},
        {"dbname", settings.database.toUtf8()},
        {"user", user.toUtf8()},
        {"password", password.toUtf8()},
        {"client_encoding", "UTF8"},
        // Dates in the form the reader expects whatever the server's own setting,
        // and doubles to their last digit on servers older than 12.
        {"options", "-c DateStyle=ISO,YMD -c extra_float_digits=3"},
        // A server that is gone becomes an error within seconds instead of a
        // program that waits for ever: a listener that never answers by the
        // connect timeout (libpq takes no less than 2 s), a dead peer by the
        // keepalives (within 25 s of silence) and by the user timeout (sent data
        // never acknowledged). A server that is alive but does not answer is
        // caught by the session's statement deadline.
        {"connect_timeout", QByteArray::number(std::max(kShortestConnectWait, deadlines.connect).count())},
        {"keepalives", "1"},
        {"keepalives_idle", "10"},
        {"keepalives_interval", "5"},
        {"keepalives_count", "3"},
        {"tcp_user_timeout", "30000"},
    };
    std::vector<const char*> keys;
    std::vector<const char*> values;
    for (const auto& [key, value] : given) {
        if (value.isEmpty())
            continue;
        keys.push_back(key);
        values.push_back(value.constData());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    PGconn* conn = PQconnectdbParams(keys.data(), values.data(), 0);
    if (!conn)
        throw Error(kConnectionFailed, QStringLiteral("Out of memory while connecting to PostgreSQL"));
    if (PQstatus(conn) != CONNECTION_OK) {
        const QString why = QString::fromUtf8(PQerrorMessage(conn)).trimmed();
        PQfinish(conn);
        throw Error(kConnectionFailed, why);
    }
    return std::make_unique<PostgresBackend>(conn, deadlines);
}

} // namespace zorbel::data
