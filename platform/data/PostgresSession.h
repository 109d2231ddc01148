#pragma once
// One session with a PostgreSQL server that never leaves the program waiting
// on it. A statement is sent without blocking and its answer awaited until a
// deadline; past it the statement is cancelled and reported, and the next
// statement waits until the cancel has ended, so that it never cancels that
// one. A session that the server closed (a restart, a killed session) is made
// anew before the next statement; when that fails, the calls of the next
// moments are refused with the same words instead of each waiting to connect.
// A session lost inside a transaction took the transaction with it: that is
// reported, and nothing of the transaction runs on a new session.

#include <QByteArray>
#include <QString>
#include <chrono>
#include <libpq-fe.h>
#include <memory>

namespace zorbel::data {

struct ClearResult {
    void operator()(PGresult* result) const { PQclear(result); }
};
using ResultHandle = std::unique_ptr<PGresult, ClearResult>;

// The values of one statement as libpq takes them.
struct SentValues {
    int count = 0;
    const unsigned* types = nullptr;
    const char* const* values = nullptr;
};

class PostgresSession {
public:
    // Takes over an open connection. `connectWait` bounds a cancel, which
    // travels on a connection of its own.
    PostgresSession(PGconn* conn, std::chrono::milliseconds deadline, std::chrono::milliseconds connectWait,
                    std::chrono::milliseconds unreachablePause);
    ~PostgresSession();
    PostgresSession(const PostgresSession&) = delete;
    PostgresSession& operator=(const PostgresSession&) = delete;

    void setDeadline(std::chrono::milliseconds deadline) { m_deadline = deadline; }
    void setUnreachablePause(std::chrono::milliseconds pause) { m_unreachablePause = pause; }

    // Runs one statement ('$1' marks) and gives its successful result. Throws
    // Error with the server's message, or with why no answer came.
    ResultHandle run(const QByteArray& sql, const SentValues& values = {});

    // Between these the session holds a transaction, which must never be
    // carried over to a new session.
    void transactionBegun() { m_inTransaction = true; }
    void transactionEnded() { m_inTransaction = false; }
    // True when the server still holds a transaction of this session that must be rolled back.
    bool holdsTransaction();

private:
    enum class Wait { Answered, Lost, TimedOut };
    // What became of a statement whose session broke before it answered.
    enum class Fate { NothingChanged, RolledBack, Unknown };

    void reviveIfClosed();
    bool closedByServer();
    Wait exchange(const QByteArray& sql, const SentValues& values, ResultHandle& answer);
    Wait awaitAnswer(std::chrono::steady_clock::time_point deadline, ResultHandle& answer);
    // Asks the server to cancel the running statement: true once the server has
    // passed the cancel on, false when that did not end within the connect wait.
    bool cancel();
    Fate fateOf(const QByteArray& sql) const;
    QString timeoutText(Fate fate) const;
    QString lostText(Fate fate) const;

    PGconn* m_conn;
    std::chrono::milliseconds m_deadline;
    std::chrono::milliseconds m_connectWait;
    std::chrono::milliseconds m_unreachablePause;
    bool m_inTransaction = false;
    bool m_lost = false;     // to be made anew before the next statement
    QString m_lostBecause;   // libpq's or the server's words when the session broke
    QString m_unreachable;   // why the last attempt to make the session anew failed
    std::chrono::steady_clock::time_point m_retryAt; // before this, calls are refused with m_unreachable
};

} // namespace zorbel::data
