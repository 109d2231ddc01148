#include "platform/data/PostgresSession.h"

#include "platform/data/Error.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <poll.h>
#include <vector>

namespace zorbel::data {
namespace {

using Clock = std::chrono::steady_clock;

// How long a cancelled statement may take to say so: a server that is merely
// slow answers the cancel at once, one that is frozen never does.
constexpr std::chrono::milliseconds kCancelGrace{1000};

QString oneLine(const char* message) {
    return QString::fromUtf8(message).simplified();
}

// The server's primary message, as "ERROR: ..."; libpq's full text adds lines
// that point into the statement, which mean nothing in a message box.
QString describe(const PGresult* result, PGconn* conn) {
    const char* severity = PQresultErrorField(result, PG_DIAG_SEVERITY);
    const char* primary = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
    if (primary)
        return (severity ? QString::fromUtf8(severity) + QStringLiteral(": ") : QString()) + QString::fromUtf8(primary);
    return oneLine(result ? PQresultErrorMessage(result) : PQerrorMessage(conn));
}

bool failed(const PGresult* result) {
    const ExecStatusType status = PQresultStatus(result);
    return status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK;
}

bool wasCancelled(const PGresult* result) {
    const char* state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
    return state && std::strcmp(state, "57014") == 0;
}

// A statement that changes nothing may run again on a new session after the
// old one broke under it; a change may have been made before the break, and
// running it again could make it twice.
bool changesNothing(const QByteArray& sql) {
    const QByteArray word = sql.trimmed().left(6).toUpper();
    return word == "SELECT" || word.startsWith("BEGIN");
}

QString secondsText(std::chrono::milliseconds wait) {
    return QString::number(static_cast<double>(wait.count()) / 1000.0);
}

struct FinishSession {
    void operator()(PGconn* conn) const { PQfinish(conn); }
};
using SessionHandle = std::unique_ptr<PGconn, FinishSession>;

// The events a socket became ready for, 0 when the deadline came first.
short waitFor(int socket, short events, Clock::time_point deadline) {
    pollfd pfd{socket, events, 0};
    if (pfd.fd < 0)
        return POLLERR; // reading says why
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        const int ready = ::poll(&pfd, 1, static_cast<int>(std::clamp<long long>(left, 0, INT_MAX)));
        if (ready > 0)
            return pfd.revents;
        if (ready == 0)
            return 0;
        if (errno != EINTR)
            return POLLERR;
    }
}

// Sends the statement a session holds and reads its answer: the first failure,
// else the last result. False when the deadline came first.
bool collect(PGconn* conn, Clock::time_point deadline, ResultHandle& answer) {
    // A long statement goes out as the socket takes it; the server may answer before it has all of it.
    for (int pending = PQflush(conn); pending > 0; pending = PQflush(conn)) {
        const short ready = waitFor(PQsocket(conn), POLLIN | POLLOUT, deadline);
        if (ready == 0)
            return false;
        if ((ready & ~POLLOUT) && !PQconsumeInput(conn))
            break;
    }
    for (;;) {
        while (PQisBusy(conn)) {
            if (waitFor(PQsocket(conn), POLLIN, deadline) == 0)
                return false;
            if (!PQconsumeInput(conn))
                break;
        }
        ResultHandle next(PQgetResult(conn));
        if (!next)
            return true;
        if (!answer || !failed(answer.get()))
            answer = std::move(next);
    }
}

// A second session to the server of a connection, with its settings, begun
// without waiting for it.
PGconn* startAlongside(PGconn* conn) {
    PQconninfoOption* options = PQconninfo(conn);
    if (!options)
        return nullptr;
    std::vector<const char*> keys;
    std::vector<const char*> values;
    for (const PQconninfoOption* option = options; option->keyword; ++option) {
        if (option->val && *option->val) {
            keys.push_back(option->keyword);
            values.push_back(option->val);
        }
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    PGconn* started = PQconnectStartParams(keys.data(), values.data(), 0);
    PQconninfoFree(options);
    return started;
}

} // namespace

PostgresSession::PostgresSession(PGconn* conn, std::chrono::milliseconds deadline,
                                 std::chrono::milliseconds connectWait, std::chrono::milliseconds unreachablePause)
    : m_conn(conn), m_deadline(deadline), m_connectWait(connectWait), m_unreachablePause(unreachablePause) {
    PQsetnonblocking(m_conn, 1);
}

PostgresSession::~PostgresSession() {
    PQfinish(m_conn);
}

bool PostgresSession::holdsTransaction() {
    // A lost session's transaction was rolled back by the server when the session ended.
    if (m_lost || PQstatus(m_conn) != CONNECTION_OK || closedByServer())
        return false;
    return PQtransactionStatus(m_conn) != PQTRANS_IDLE;
}

ResultHandle PostgresSession::run(const QByteArray& sql, const SentValues& values) {
    reviveIfClosed();
    ResultHandle answer;
    Wait wait = exchange(sql, values, answer);
    if (wait == Wait::Lost && fateOf(sql) == Fate::NothingChanged) {
        reviveIfClosed();
        answer.reset();
        wait = exchange(sql, values, answer);
    }
    switch (wait) {
    case Wait::Lost:
        throw Error(kStatementFailed, lostText(fateOf(sql)));
    case Wait::TimedOut:
        throw Error(kStatementFailed, timeoutText(fateOf(sql)));
    case Wait::Answered:
        break;
    }
    if (!answer || failed(answer.get()))
        throw Error(kStatementFailed, describe(answer.get(), m_conn));
    return answer;
}

PostgresSession::Fate PostgresSession::fateOf(const QByteArray& sql) const {
    // A transaction ends with its session, unless the commit had reached the server.
    if (m_inTransaction)
        return sql == "COMMIT" ? Fate::Unknown : Fate::RolledBack;
    return changesNothing(sql) ? Fate::NothingChanged : Fate::Unknown;
}

QString PostgresSession::timeoutText(Fate fate) const {
    const QString late =
        QStringLiteral("The database server did not answer within %1 seconds").arg(secondsText(m_deadline));
    if (!m_lost)
        return late + QStringLiteral(": the statement was cancelled");
    // Given up on: a frozen server may still run what it was sent once it wakes up.
    switch (fate) {
    case Fate::NothingChanged:
        return late;
    case Fate::RolledBack:
        return late + QStringLiteral("; the transaction was rolled back");
    case Fate::Unknown:
        break;
    }
    return late + QStringLiteral("; the change may or may not have been saved");
}

QString PostgresSession::lostText(Fate fate) const {
    const QString lost = QStringLiteral("The connection to the database server was lost");
    switch (fate) {
    case Fate::NothingChanged:
        return lost + QStringLiteral(": ") + m_lostBecause;
    case Fate::RolledBack:
        return lost + QStringLiteral(" and the transaction was rolled back: ") + m_lostBecause;
    case Fate::Unknown:
        break;
    }
    return lost + QStringLiteral(" before it confirmed the change, which may or may not have been saved: ")
           + m_lostBecause;
}

void PostgresSession::reviveIfClosed() {
    if (!m_lost && PQstatus(m_conn) == CONNECTION_OK && !closedByServer())
        return;
    if (!m_lost)
        m_lostBecause = oneLine(PQerrorMessage(m_conn));
    m_lost = true;
    // Nothing of a transaction may run on a new session, not even its commit.
    if (m_inTransaction)
        throw Error(kStatementFailed, lostText(Fate::RolledBack));
    // A server that could not be reached a moment ago is not tried again by
    // every call of a window that loads several lists, each waiting to connect.
    if (Clock::now() < m_retryAt)
        throw Error(kConnectionFailed, m_unreachable);
    // Blocks for at most the connect timeout the session was opened with.
    PQreset(m_conn);
    if (PQstatus(m_conn) != CONNECTION_OK) {
        m_unreachable = QStringLiteral("No connection to the database server: ") + oneLine(PQerrorMessage(m_conn));
        m_retryAt = Clock::now() + m_unreachablePause;
        throw Error(kConnectionFailed, m_unreachable);
    }
    PQsetnonblocking(m_conn, 1);
    m_lost = false;
}

bool PostgresSession::closedByServer() {
    // Between statements a session has nothing to read, unless the server has
    // said goodbye: a restart or a killed session sends a last message and
    // then ends the stream, which libpq notices only on the read after the message.
    pollfd pfd{PQsocket(m_conn), POLLIN, 0};
    if (pfd.fd < 0)
        return true;
    for (int reads = 0; reads < 3 && ::poll(&pfd, 1, 0) > 0; ++reads) {
        if (!PQconsumeInput(m_conn) || PQstatus(m_conn) != CONNECTION_OK)
            return true;
    }
    return false;
}

PostgresSession::Wait PostgresSession::exchange(const QByteArray& sql, const SentValues& values,
                                                ResultHandle& answer) {
    if (!PQsendQueryParams(m_conn, sql.constData(), values.count, values.types, values.values, nullptr, nullptr, 0)) {
        if (PQstatus(m_conn) != CONNECTION_OK) {
            m_lostBecause = oneLine(PQerrorMessage(m_conn));
            m_lost = true;
            return Wait::Lost;
        }
        throw Error(kStatementFailed, oneLine(PQerrorMessage(m_conn)));
    }
    const Wait wait = awaitAnswer(Clock::now() + m_deadline, answer);
    if (wait != Wait::TimedOut)
        return wait;

    // A cancel that did not end in time may still reach the server later, and
    // would cancel whatever this session then runs: the session is made anew.
    const bool cancelEnded = cancel();
    ResultHandle late;
    const Wait afterCancel = awaitAnswer(Clock::now() + std::min(m_deadline, kCancelGrace), late);
    if (afterCancel != Wait::Answered || !cancelEnded) {
        // frozen, gone or out of reach: given up, and made anew before the next statement
        m_lost = true;
        m_lostBecause = QStringLiteral("the server did not answer within %1 seconds").arg(secondsText(m_deadline));
    }
    if (afterCancel == Wait::Answered && late && !wasCancelled(late.get())) {
        answer = std::move(late); // it finished as the deadline passed
        return Wait::Answered;
    }
    return Wait::TimedOut;
}

PostgresSession::Wait PostgresSession::awaitAnswer(Clock::time_point deadline, ResultHandle& answer) {
    if (!collect(m_conn, deadline, answer))
        return Wait::TimedOut;
    if (PQstatus(m_conn) != CONNECTION_OK) {
        m_lostBecause = answer ? describe(answer.get(), m_conn) : oneLine(PQerrorMessage(m_conn));
        m_lost = true;
        return Wait::Lost;
    }
    return Wait::Answered;
}

bool PostgresSession::cancel() {
    // libpq's own cancel request waits without a bound for the server to close
    // its connection, and so, to a server out of reach, for ever. The request
    // goes instead as a statement on a second session, opened and awaited
    // without blocking for at most the connect wait: once it has answered, the
    // server has passed the cancel on and nothing of it is still on its way.
    const qint32 backend = PQbackendPID(m_conn);
    if (backend == 0)
        return false;
    const Clock::time_point deadline = Clock::now() + m_connectWait;
    const SessionHandle canceller(startAlongside(m_conn));
    if (!canceller || PQstatus(canceller.get()) == CONNECTION_BAD)
        return false;
    PQsetnonblocking(canceller.get(), 1);
    for (PostgresPollingStatusType state = PGRES_POLLING_WRITING; state != PGRES_POLLING_OK;
         state = PQconnectPoll(canceller.get())) {
        if (state == PGRES_POLLING_FAILED
            || waitFor(PQsocket(canceller.get()), state == PGRES_POLLING_READING ? POLLIN : POLLOUT, deadline) == 0)
            return false;
    }
    const QByteArray pid = QByteArray::number(backend);
    const char* const values[] = {pid.constData()};
    if (!PQsendQueryParams(canceller.get(), "SELECT pg_cancel_backend($1)", 1, nullptr, values, nullptr, nullptr, 0))
        return false;
    ResultHandle answer;
    return collect(canceller.get(), deadline, answer) && answer && !failed(answer.get());
}

} // namespace zorbel::data
