#include "platform/data/SqliteBackend.h"

#include "platform/data/Connection.h"
#include "platform/data/DatabaseFile.h"
#include "platform/data/StoredValues.h"
#include "platform/data/WallClock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cctype>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sqlite3.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace zorbel::data {
namespace {

// How a column's text is read: the declared type tells a date from a text,
// since SQLite keeps both as text.
enum class ColumnKind : quint8 { Plain, DateTime, Date };

ColumnKind kindOf(const char* declared) {
    if (!declared)
        return ColumnKind::Plain;
    // Declared types are short words; one capitalised copy serves every comparison.
    char type[32];
    size_t n = 0;
    for (; declared[n] && n + 1 < sizeof type; ++n)
        type[n] = static_cast<char>(std::toupper(static_cast<unsigned char>(declared[n])));
    type[n] = '\0';
    if (std::strstr(type, "TIMESTAMP") || std::strstr(type, "DATETIME"))
        return ColumnKind::DateTime;
    if (std::strcmp(type, "DATE") == 0)
        return ColumnKind::Date;
    return ColumnKind::Plain;
}

// One fetched cell: a number kept as the engine gave it, or a text's place in the shared store.
struct Cell {
    union {
        qint64 integer;
        double real;
        quint64 offset;
    };
    quint32 length;
    quint8 type; // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB or SQLITE_NULL
};

class SqliteCells final : public RecordSource {
public:
    explicit SqliteCells(std::vector<ColumnKind> kinds) : m_kinds(std::move(kinds)) { m_bytes.reserve(256); }

    // Rows arrive one after another; they are laid out a column at a time once all are in.
    void append(sqlite3_stmt* stmt) {
        for (size_t c = 0; c < m_kinds.size(); ++c) {
            const int col = static_cast<int>(c);
            Cell cell{};
            cell.type = static_cast<quint8>(sqlite3_column_type(stmt, col));
            switch (cell.type) {
            case SQLITE_INTEGER:
                cell.integer = sqlite3_column_int64(stmt, col);
                break;
            case SQLITE_FLOAT:
                cell.real = sqlite3_column_double(stmt, col);
                break;
            case SQLITE_TEXT:
            case SQLITE_BLOB: {
                const void* bytes = cell.type == SQLITE_TEXT ? static_cast<const void*>(sqlite3_column_text(stmt, col))
                                                             : sqlite3_column_blob(stmt, col);
                cell.length = static_cast<quint32>(sqlite3_column_bytes(stmt, col));
                cell.offset = m_bytes.size();
                if (cell.length > 0)
                    m_bytes.append(static_cast<const char*>(bytes), cell.length);
                break;
            }
            default:
                cell.type = SQLITE_NULL;
            }
            m_cells.push_back(cell);
        }
        ++m_rows;
    }

    void finish() {
        const size_t columns = m_kinds.size();
        const size_t rows = static_cast<size_t>(m_rows);
        if (columns < 2 || rows < 2)
            return; // one row or one column reads the same either way
        std::vector<Cell> byColumn(m_cells.size());
        for (size_t r = 0; r < rows; ++r)
            for (size_t c = 0; c < columns; ++c)
                byColumn[c * rows + r] = m_cells[r * columns + c];
        m_cells = std::move(byColumn);
    }

    int rowCount() const override { return m_rows; }

    QVariant value(int row, int column) const override {
        const Cell& cell = m_cells[static_cast<size_t>(column) * static_cast<size_t>(m_rows) + static_cast<size_t>(row)];
        switch (cell.type) {
        case SQLITE_INTEGER:
            if (cell.integer >= std::numeric_limits<qint32>::min() && cell.integer <= std::numeric_limits<qint32>::max())
                return QVariant(static_cast<int>(cell.integer));
            return QVariant(static_cast<qlonglong>(cell.integer));
        case SQLITE_FLOAT:
            return QVariant(cell.real);
        case SQLITE_TEXT:
            return text(cell, m_kinds[static_cast<size_t>(column)]);
        case SQLITE_BLOB:
            return QVariant(QByteArray(m_bytes.data() + cell.offset, cell.length));
        default:
            return {};
        }
    }

private:
    QVariant text(const Cell& cell, ColumnKind kind) const {
        const std::string_view bytes(m_bytes.data() + cell.offset, cell.length);
        if (kind != ColumnKind::Plain) {
            if (const auto when = parseWallClock(bytes))
                return kind == ColumnKind::Date ? QVariant(when->date()) : QVariant(*when);
        }
        return QVariant(textFromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }

    std::vector<ColumnKind> m_kinds;
    std::vector<Cell> m_cells; // column after column once finished
    std::string m_bytes;
    int m_rows = 0;
};

struct Finalize {
    void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using StatementHandle = std::unique_ptr<sqlite3_stmt, Finalize>;

// SQLite's own words for the settings it accepts; anything else is left out, as SQLite itself ignores it.
bool isOneOf(const QString& value, const QStringList& allowed) {
    return allowed.contains(value, Qt::CaseInsensitive);
}

// Whether this program may make files in the database file's folder, with
// the rights it runs with (a folder on a read-only mount counts as read-only).
bool folderIsReadOnly(const QString& database) {
    const QByteArray folder = QFile::encodeName(QFileInfo(database).absolutePath());
    return ::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) != 0;
}

// A refusal that SQLite words as a read-only database or a file it cannot
// open, when the true cause is the folder: the write-ahead journal's files go
// beside the database file.
bool causedByTheFolder(int code, const QString& database) {
    const int primary = code & 0xff;
    return (primary == SQLITE_READONLY || primary == SQLITE_CANTOPEN) && folderIsReadOnly(database);
}

// The first bytes of every SQLite 3 database file, and the fixed values of its header.
bool isDatabaseHeader(const unsigned char* header) {
    return std::memcmp(header, "SQLite format 3", 16) == 0 && (header[18] == 1 || header[18] == 2)
           && (header[19] == 1 || header[19] == 2) && header[21] == 64 && header[22] == 32 && header[23] == 32;
}

// Before every write the connection makes sure that the path still names the
// file it opened, whole. SQLite notices a moved file by itself only when it
// makes a rollback journal; with the write-ahead journal it would go on
// adding frames to the journal beside the name it had, reported as saved, and a
// backup later put back there would take them for its own.
class SqliteBackend final : public Backend {
public:
    SqliteBackend(sqlite3* db, QString path) : m_db(db), m_path(std::move(path)) {}
    ~SqliteBackend() override {
        if (!m_db)
            return;
        // A file moved or damaged since the last write is let go as one found so at a write.
        if (harmToTheFile().isEmpty())
            sqlite3_close_v2(m_db);
        else
            letGo();
    }

    Engine engine() const override { return Engine::SQLite; }

    RecordsetPtr query(const Statement& statement) override {
        requireOpen();
        Bound bound;
        StatementHandle stmt = prepare(statement, bound);
        const int columns = sqlite3_column_count(stmt.get());
        QStringList names;
        std::vector<ColumnKind> kinds;
        names.reserve(columns);
        kinds.reserve(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            names << QString::fromUtf8(sqlite3_column_name(stmt.get(), c));
            kinds.push_back(kindOf(sqlite3_column_decltype(stmt.get(), c)));
        }
        auto cells = std::make_unique<SqliteCells>(std::move(kinds));
        int rc;
        while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW)
            cells->append(stmt.get());
        if (rc != SQLITE_DONE)
            throw failure();
        cells->finish();
        return std::make_shared<Recordset>(std::move(names), std::move(cells));
    }

    int execute(const Statement& statement) override {
        requireOpen();
        Bound bound;
        StatementHandle stmt = prepare(statement, bound);
        const sqlite3_int64 before = sqlite3_total_changes64(m_db);
        int rc;
        while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE)
            throw failure();
        // sqlite3_changes keeps the count of the last INSERT, UPDATE or DELETE
        // even after a statement of another kind.
        return sqlite3_total_changes64(m_db) == before ? 0 : sqlite3_changes(m_db);
    }

    // One connection, used by one thread at a time: its last key is this insert's.
    qint64 insert(const Statement& statement, const QString&) override {
        return execute(statement) > 0 ? sqlite3_last_insert_rowid(m_db) : 0;
    }

    // A program that finds the file locked waits up to timeoutMs for its turn.
    void waitForLocks(int timeoutMs) {
        m_lockTimeoutMs = timeoutMs;
        sqlite3_busy_handler(m_db, &SqliteBackend::lockBusy, this);
    }

    void begin() override {
        requireOpen();
        requireTheOpenedFile();
        run("BEGIN IMMEDIATE");
    }
    void commit() override {
        requireOpen();
        requireTheOpenedFile();
        run("COMMIT");
    }
    void rollback() override {
        // A connection closed for its file has undone its transaction already.
        if (m_db && !sqlite3_get_autocommit(m_db))
            run("ROLLBACK");
    }

    // Throws, and closes the connection, when the path no longer names the
    // file this connection opened (moved, deleted, or another file put in its
    // place) or when that file was emptied or its header overwritten by
    // another program.
    void requireTheOpenedFile() {
        if (const QString harm = harmToTheFile(); !harm.isEmpty()) {
            letGo();
            m_closedFor = harm;
            throw Error(kConnectionFailed, harm);
        }
    }

    // The engine's code of the last failure, for the reasons opening gives.
    int lastErrorCode() const { return sqlite3_extended_errcode(m_db); }

private:
    // The texts bound to a statement live until it has run, so SQLite need not copy them.
    using Bound = std::vector<QByteArray>;

    Error failure() const { return Error(kStatementFailed, QString::fromUtf8(sqlite3_errmsg(m_db))); }

    // A connection closed for its file is gone as a lost server is: the
    // business layer shows one box for the lists a window reads after it.
    void requireOpen() const {
        if (!m_db)
            throw Error(kConnectionFailed, m_closedFor);
    }

    // Why the path no longer names the file this connection opened, whole;
    // empty while it does.
    QString harmToTheFile() {
        int moved = 0;
        if (sqlite3_file_control(m_db, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved)
            return QStringLiteral("the database file %1 was moved or deleted").arg(m_path);
        if (!headerIsWhole())
            return QStringLiteral("the database file %1 was overwritten or cut short by another program").arg(m_path);
        return {};
    }

    // Whether the file begins as a database still, once it was seen to be
    // one; a file that is none yet (a new database before its first write, or
    // no database at all) is left to SQLite, which says what it is. Read
    // through SQLite's own handle: a second handle on the file, once closed,
    // would drop the locks SQLite holds on it.
    bool headerIsWhole() {
        sqlite3_file* file = nullptr;
        unsigned char header[100];
        const bool whole = sqlite3_file_control(m_db, "main", SQLITE_FCNTL_FILE_POINTER, &file) == SQLITE_OK && file
                           && file->pMethods && file->pMethods->xRead(file, header, sizeof header, 0) == SQLITE_OK
                           && isDatabaseHeader(header);
        m_sawDatabase = m_sawDatabase || whole;
        return whole || !m_sawDatabase;
    }

    // Writes nothing more to the file: an open transaction is undone, and
    // the frames already committed are copied from the write-ahead journal
    // into the file this connection opened, wherever it now is, and the
    // journal emptied, so that no file later put at the path takes them for
    // its own. Frames that a file cut short cannot take are dropped with the
    // journal for the same reason; only while another connection still reads
    // them are they left to it. Every later call fails; nothing at the path
    // is opened again until the data source is.
    void letGo() {
        if (!sqlite3_get_autocommit(m_db))
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        const int copied = sqlite3_wal_checkpoint_v2(m_db, "main", SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
        sqlite3_file* journal = nullptr;
        if (copied != SQLITE_OK && (copied & 0xff) != SQLITE_BUSY
            && sqlite3_file_control(m_db, "main", SQLITE_FCNTL_JOURNAL_POINTER, &journal) == SQLITE_OK && journal
            && journal->pMethods)
            journal->pMethods->xTruncate(journal, 0);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }

    void run(const char* sql) {
        if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            throw failure();
    }

    StatementHandle prepare(const Statement& statement, Bound& bound) {
        const QByteArray text = statement.text.toUtf8();
        sqlite3_stmt* raw = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(m_db, text.constData(), static_cast<int>(text.size()), &raw, &tail) != SQLITE_OK)
            throw failure();
        StatementHandle stmt(raw);
        if (!stmt)
            throw Error(kStatementFailed, QStringLiteral("The statement is empty"));
        requireSingleStatement(tail, text.constData() + text.size());
        if (!sqlite3_stmt_readonly(stmt.get()))
            requireTheOpenedFile();
        if (sqlite3_bind_parameter_count(stmt.get()) != statement.values.size())
            throw Error(kStatementFailed, QStringLiteral("The statement has %1 parameters but %2 values were given")
                                              .arg(sqlite3_bind_parameter_count(stmt.get()))
                                              .arg(statement.values.size()));
        for (int i = 0; i < statement.values.size(); ++i)
            bind(stmt.get(), i + 1, statement.values.at(i), bound);
        return stmt;
    }

    // SQLite compiles only the first statement of a text; a second one would be dropped without a word.
    void requireSingleStatement(const char* tail, const char* end) {
        for (const char* p = tail; p && p < end; ++p) {
            if (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || *p == ';')
                continue;
            sqlite3_stmt* next = nullptr;
            sqlite3_prepare_v2(m_db, p, static_cast<int>(end - p), &next, nullptr);
            const bool another = next != nullptr;
            sqlite3_finalize(next);
            if (another)
                throw Error(kStatementFailed, QStringLiteral("Only one statement can run at a time"));
            return;
        }
    }

    void bindText(sqlite3_stmt* stmt, int index, QByteArray text, Bound& bound) {
        bound.push_back(std::move(text));
        const QByteArray& kept = bound.back();
        // A null pointer would bind NULL: an empty text must stay an empty value.
        sqlite3_bind_text(stmt, index, kept.isEmpty() ? "" : kept.constData(), static_cast<int>(kept.size()),
                          SQLITE_STATIC);
    }

    void bind(sqlite3_stmt* stmt, int index, const QVariant& value, Bound& bound) {
        if (value.isNull()) {
            sqlite3_bind_null(stmt, index);
            return;
        }
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Char:
        case QMetaType::Bool:
            sqlite3_bind_int64(stmt, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            sqlite3_bind_double(stmt, index, boundDouble(value.toDouble()));
            break;
        case QMetaType::QDateTime:
            bindText(stmt, index, wallClockText(value.toDateTime()), bound);
            break;
        case QMetaType::QDate:
            bindText(stmt, index, value.toDate().toString(Qt::ISODate).toLatin1(), bound);
            break;
        case QMetaType::QByteArray: {
            bound.push_back(value.toByteArray());
            const QByteArray& kept = bound.back();
            sqlite3_bind_blob(stmt, index, kept.isEmpty() ? "" : kept.constData(), static_cast<int>(kept.size()),
                              SQLITE_STATIC);
            break;
        }
        default:
            bindText(stmt, index, value.toString().toUtf8(), bound);
        }
    }

    // SQLite's own wait sleeps ever longer between looks, up to a tenth of a
    // second, so with eight writers a waiting one keeps missing its turn to
    // those that came later (waits of ten seconds were seen). Looking every
    // two milliseconds gives the lock to a waiting writer as soon as it is free.
    static int lockBusy(void* self, int attempt) {
        auto* backend = static_cast<SqliteBackend*>(self);
        if (attempt == 0)
            backend->m_lockWait.start();
        if (backend->m_lockWait.elapsed() >= backend->m_lockTimeoutMs)
            return 0;
        sqlite3_sleep(2);
        return 1;
    }

    sqlite3* m_db; // null once closed for its file
    QString m_path;
    QString m_closedFor;
    bool m_sawDatabase = false;
    int m_lockTimeoutMs = 0;
    QElapsedTimer m_lockWait;
};

} // namespace

std::unique_ptr<Backend> openSqlite(const DataSourceSettings& settings) {
    if (settings.database.isEmpty())
        throw Error(kConnectionFailed, QStringLiteral("The data source %1 names no database file").arg(settings.name));
    // A missing file is reported, never made: an empty database in its place
    // would pass for the office's own.
    if (!QFileInfo::exists(settings.database))
        throw Error(kConnectionFailed, databaseFileNotFound(settings.database));
    sqlite3* db = nullptr;
    // A connection belongs to one thread at a time, so SQLite's own locking per call is not needed.
    const int rc = sqlite3_open_v2(settings.database.toUtf8().constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString why = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw Error(kConnectionFailed, why + QStringLiteral(" (") + settings.database + u')');
    }
    auto backend = std::make_unique<SqliteBackend>(db, settings.database);
    // A second program on the same file waits for its lock instead of failing at once.
    backend->waitForLocks(settings.busyTimeoutMs);
    static const QStringList journalModes = {"DELETE", "TRUNCATE", "PERSIST", "MEMORY", "WAL", "OFF"};
    static const QStringList syncModes = {"OFF", "NORMAL", "FULL", "EXTRA", "0", "1", "2", "3"};
    try {
        if (isOneOf(settings.synchronous, syncModes))
            backend->execute({QStringLiteral("PRAGMA synchronous = ") + settings.synchronous, {}});
        if (isOneOf(settings.journalMode, journalModes))
            backend->query({QStringLiteral("PRAGMA journal_mode = ") + settings.journalMode, {}});
    } catch (const Error& e) {
        // SQLite makes the write-ahead journal's files as it first reads, and
        // cannot in a folder it may not write to.
        if (causedByTheFolder(backend->lastErrorCode(), settings.database))
            throw Error(kConnectionFailed,
                        QStringLiteral("cannot open the database file %1: its folder %2 is read-only, and the "
                                       "write-ahead journal keeps its -wal and -shm files beside the database file")
                            .arg(settings.database, QFileInfo(settings.database).absolutePath()));
        // a file that is no database, or one locked past the timeout
        throw Error(kConnectionFailed, e.description() + QStringLiteral(" (") + settings.database + u')');
    }
    // Whether the file is a database yet, so that one emptied later is told from a new one.
    backend->requireTheOpenedFile();
    return backend;
}

} // namespace zorbel::data
