// libpq on the benchmark's PostgreSQL database (built only where libpq is installed).

#include "bench/Direct.h"

#include <QDateTime>
#include <libpq-fe.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace zorbel::bench {
namespace {

// '?' to '$1', '$2'... (the statements hold no '?' inside quotes).
QByteArray numbered(const QString& sql) {
    QString out;
    int n = 0;
    for (const QChar c : sql) {
        if (c == u'?')
            out += QStringLiteral("$%1").arg(++n);
        else
            out += c;
    }
    return out.toUtf8();
}

class PostgresDirect final : public Direct {
public:
    explicit PostgresDirect(const QString& conninfo) : m_conn(PQconnectdb(conninfo.toUtf8().constData())) {
        if (PQstatus(m_conn) != CONNECTION_OK) {
            const std::string why = PQerrorMessage(m_conn);
            PQfinish(m_conn);
            throw std::runtime_error("libpq: " + why);
        }
    }
    ~PostgresDirect() override { PQfinish(m_conn); }

    int query(const QString& sql, const QVariantList& values) override {
        Result r(run(sql, values, PGRES_TUPLES_OK));
        const int rows = PQntuples(r.res);
        const int cols = PQnfields(r.res);
        for (int row = 0; row < rows; ++row)
            for (int c = 0; c < cols; ++c)
                m_sink += PQgetlength(r.res, row, c) + *PQgetvalue(r.res, row, c);
        return rows;
    }

    int execute(const QString& sql, const QVariantList& values) override {
        Result r(run(sql, values, PGRES_COMMAND_OK));
        return std::atoi(PQcmdTuples(r.res));
    }

    qint64 insert(const QString& sql, const QVariantList& values, const QString& keyColumn) override {
        Result r(run(sql + QStringLiteral(" RETURNING ") + keyColumn, values, PGRES_TUPLES_OK));
        return std::atoll(PQgetvalue(r.res, 0, 0));
    }

private:
    struct Result {
        PGresult* res;
        explicit Result(PGresult* r) : res(r) {}
        ~Result() { PQclear(res); }
        Result(const Result&) = delete;
        Result& operator=(const Result&) = delete;
    };

    PGresult* run(const QString& sql, const QVariantList& values, ExecStatusType expected) {
        std::vector<QByteArray> texts;
        std::vector<const char*> params;
        texts.reserve(static_cast<size_t>(values.size()));
        for (const QVariant& v : values) {
            if (v.isNull()) {
                params.push_back(nullptr);
                continue;
            }
            texts.push_back(v.typeId() == QMetaType::QDateTime
                                ? v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8()
                                : v.toString().toUtf8());
            params.push_back(texts.back().constData());
        }
        PGresult* res = PQexecParams(m_conn, numbered(sql).constData(), static_cast<int>(params.size()), nullptr,
                                     params.data(), nullptr, nullptr, 0);
        if (PQresultStatus(res) != expected) {
            const std::string why = PQresultErrorMessage(res);
            PQclear(res);
            throw std::runtime_error("libpq: " + why);
        }
        return res;
    }

    PGconn* m_conn;
    qint64 m_sink = 0;
};

} // namespace

std::unique_ptr<Direct> openPostgres(const QString& conninfo) {
    return std::make_unique<PostgresDirect>(conninfo);
}

} // namespace zorbel::bench
