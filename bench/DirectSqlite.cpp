// sqlite3's own interface on the benchmark's database file.

#include "bench/Direct.h"

#include <QDateTime>
#include <sqlite3.h>
#include <stdexcept>
#include <string>

namespace zorbel::bench {
namespace {

class SqliteDirect final : public Direct {
public:
    explicit SqliteDirect(const QString& file) {
        if (sqlite3_open_v2(file.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw std::runtime_error("sqlite3 cannot open " + file.toStdString());
        sqlite3_busy_timeout(m_db, 5000);
        // The settings the benchmark's ODBC source uses.
        sqlite3_exec(m_db, "PRAGMA synchronous=OFF; PRAGMA journal_mode=MEMORY;", nullptr, nullptr, nullptr);
    }
    ~SqliteDirect() override { sqlite3_close(m_db); }

    int query(const QString& sql, const QVariantList& values) override {
        Stmt s(m_db, sql, values);
        int rows = 0;
        int rc;
        while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW) {
            const int cols = sqlite3_column_count(s.stmt);
            for (int c = 0; c < cols; ++c) {
                switch (sqlite3_column_type(s.stmt, c)) {
                case SQLITE_INTEGER: m_sink += sqlite3_column_int64(s.stmt, c); break;
                case SQLITE_FLOAT: m_sink += static_cast<qint64>(sqlite3_column_double(s.stmt, c)); break;
                case SQLITE_TEXT: m_sink += sqlite3_column_bytes(s.stmt, c) + *sqlite3_column_text(s.stmt, c); break;
                default: break;
                }
            }
            ++rows;
        }
        check(rc);
        return rows;
    }

    int execute(const QString& sql, const QVariantList& values) override {
        Stmt s(m_db, sql, values);
        check(sqlite3_step(s.stmt));
        return sqlite3_changes(m_db);
    }

    qint64 insert(const QString& sql, const QVariantList& values, const QString&) override {
        execute(sql, values);
        return sqlite3_last_insert_rowid(m_db);
    }

private:
    struct Stmt {
        sqlite3_stmt* stmt = nullptr;
        Stmt(sqlite3* db, const QString& sql, const QVariantList& values) {
            const QByteArray text = sql.toUtf8();
            if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &stmt, nullptr) != SQLITE_OK)
                throw std::runtime_error(std::string("sqlite3: ") + sqlite3_errmsg(db));
            for (int i = 0; i < values.size(); ++i)
                bind(i + 1, values.at(i));
        }
        ~Stmt() { sqlite3_finalize(stmt); }
        Stmt(const Stmt&) = delete;
        Stmt& operator=(const Stmt&) = delete;

        void bind(int index, const QVariant& v) {
            if (v.isNull()) {
                sqlite3_bind_null(stmt, index);
                return;
            }
            switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::LongLong: sqlite3_bind_int64(stmt, index, v.toLongLong()); break;
            case QMetaType::Double: sqlite3_bind_double(stmt, index, v.toDouble()); break;
            case QMetaType::QDateTime: {
                // The form the ODBC driver stores a timestamp in.
                const QByteArray t = v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toUtf8();
                sqlite3_bind_text(stmt, index, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray t = v.toString().toUtf8();
                sqlite3_bind_text(stmt, index, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
            }
            }
        }
    };

    void check(int rc) {
        if (rc != SQLITE_DONE && rc != SQLITE_ROW)
            throw std::runtime_error(std::string("sqlite3: ") + sqlite3_errmsg(m_db));
    }

    sqlite3* m_db = nullptr;
    qint64 m_sink = 0;
};

} // namespace

std::unique_ptr<Direct> openSqlite(const QString& file) {
    return std::make_unique<SqliteDirect>(file);
}

} // namespace zorbel::bench
