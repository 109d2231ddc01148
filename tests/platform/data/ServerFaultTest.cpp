// Faults of an office server, on the private PostgreSQL server that test.sh
// starts: a restart between two calls, a killed session, a session lost
// inside a transaction or between an insert and its answer, a backend that
// stops answering, a cancel that comes late or never, a server out of reach,
// and a role with a password of its own. The suite stops and starts that
// server, so it runs alone.

#include "tests/support/PrivateIni.h"
#include "tests/support/TestDatabase.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <atomic>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace zorbel;
using zorbel::test::TestDatabase;

namespace {

// The test server's own script, which runs pg_ctl as the server's owner.
bool serverControl(const char* verb) {
    QProcess control;
    control.start(QStringLiteral("bash"), {QStringLiteral(ZORBEL_PG_TEST_SERVER), QString::fromLatin1(verb),
                                           qEnvironmentVariable("ZORBEL_TEST_PG_DIR")});
    return control.waitForFinished(120000) && control.exitStatus() == QProcess::NormalExit && control.exitCode() == 0;
}

// A stopped server that is started again however the test ends, for the suites after this one.
class HaltedServer {
public:
    HaltedServer() : m_halted(serverControl("halt")) {}
    ~HaltedServer() { resume(); }
    HaltedServer(const HaltedServer&) = delete;
    HaltedServer& operator=(const HaltedServer&) = delete;

    bool halted() const { return m_halted; }
    bool resume() {
        if (m_halted)
            m_halted = !serverControl("resume");
        return !m_halted;
    }

private:
    bool m_halted;
};

// A server process that is alive but answers nothing, woken however the test
// ends. A call still waiting on it after the watch fails the test, and the
// process is ended so that the wait ends instead of holding up the run.
class FrozenBackend {
public:
    explicit FrozenBackend(qint32 pid) : m_pid(pid), m_frozen(::kill(pid, SIGSTOP) == 0) {
        if (m_frozen)
            m_watchdog = std::thread([this] { watch(); });
    }
    ~FrozenBackend() {
        {
            const std::lock_guard lock(m_mutex);
            m_thawed = true;
        }
        m_wake.notify_one();
        if (m_watchdog.joinable())
            m_watchdog.join();
        if (m_frozen)
            ::kill(m_pid, SIGCONT);
    }
    FrozenBackend(const FrozenBackend&) = delete;
    FrozenBackend& operator=(const FrozenBackend&) = delete;

    bool frozen() const { return m_frozen; }

private:
    void watch() {
        constexpr std::chrono::seconds kWatch{20};
        std::unique_lock lock(m_mutex);
        if (m_wake.wait_for(lock, kWatch, [this] { return m_thawed; }))
            return;
        ADD_FAILURE() << "a call still waited on the frozen backend after " << kWatch.count() << " s";
        ::kill(m_pid, SIGTERM); // handled once the process runs again
        ::kill(m_pid, SIGCONT);
    }

    qint32 m_pid;
    bool m_frozen;
    std::thread m_watchdog;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_thawed = false;
};

// The way between the program and the test server, on a socket of its own:
// it passes everything on, unless told to cut a session at a statement, to
// hold new sessions up for a while or for ever, or to turn them away.
class ServerProxy {
public:
    enum class NewSessions { Pass, Hold, Refuse };

    ServerProxy() {
        m_listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const sockaddr_un address = addressIn(m_dir.path());
        ::bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        ::listen(m_listener, 16);
        m_thread = std::thread([this] { serve(); });
    }
    ~ServerProxy() {
        m_stop = true;
        m_thread.join();
        ::close(m_listener);
    }
    ServerProxy(const ServerProxy&) = delete;
    ServerProxy& operator=(const ServerProxy&) = delete;

    // An ini's section for a data source that reaches the test server through the proxy.
    QByteArray dataSource(const QByteArray& name) const {
        return "[" + name + "]\nDriver=PostgreSQL Unicode\nServername=" + QFile::encodeName(m_dir.path())
               + "\nPort=" + qgetenv("ZORBEL_TEST_PG_PORT") + "\nDatabase=zorbel_test\nUsername=postgres\n";
    }

    // The next statement that holds `marker` runs; its session is cut as its
    // answer arrives, before that answer is passed on or right after.
    void cutAt(const QByteArray& marker, bool passAnswer) {
        const std::lock_guard lock(m_mutex);
        m_marker = marker;
        m_passAnswer = passAnswer;
    }
    void setNewSessions(NewSessions what, std::chrono::milliseconds delay = {}) {
        const std::lock_guard lock(m_mutex);
        m_newSessions = what;
        m_delay = delay;
    }
    int sessionsBegun() const { return m_begun; }

private:
    using Clock = std::chrono::steady_clock;
    struct Session {
        int client = -1;
        int server = -1;
        Clock::time_point passFrom;
        bool cutting = false;
        bool passAnswer = false;
        QByteArray answer; // of the statement to cut at, held back
    };

    static sockaddr_un addressIn(const QString& folder) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(folder) + "/.s.PGSQL." + qgetenv("ZORBEL_TEST_PG_PORT");
        std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
        return address;
    }

    static bool sendAll(int fd, const QByteArray& bytes) {
        for (qsizetype sent = 0; sent < bytes.size();) {
            const ssize_t n =
                ::send(fd, bytes.constData() + sent, static_cast<size_t>(bytes.size() - sent), MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            sent += n;
        }
        return true;
    }

    // The server's answer to a statement ends with its ready-for-query message.
    static bool answerComplete(const QByteArray& messages) {
        for (qsizetype at = 0; at + 5 <= messages.size();) {
            const qint32 length = qFromBigEndian<qint32>(messages.constData() + at + 1);
            if (messages[at] == 'Z')
                return true;
            if (length < 4)
                return false;
            at += 1 + length;
        }
        return false;
    }

    void serve() {
        std::vector<Session> sessions;
        while (!m_stop) {
            std::vector<pollfd> watched{{m_listener, POLLIN, 0}};
            for (const Session& s : sessions) {
                if (s.server >= 0) {
                    watched.push_back({s.client, POLLIN, 0});
                    watched.push_back({s.server, POLLIN, 0});
                }
            }
            ::poll(watched.data(), watched.size(), 10);
            const std::lock_guard lock(m_mutex);
            if (watched[0].revents & POLLIN) {
                const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
                ++m_begun;
                if (m_newSessions == NewSessions::Refuse) {
                    ::close(client);
                } else {
                    Session& session = sessions.emplace_back();
                    session.client = client;
                    session.passFrom =
                        m_newSessions == NewSessions::Hold ? Clock::time_point::max() : Clock::now() + m_delay;
                }
            }
            size_t next = 1;
            for (Session& s : sessions) {
                if (s.server < 0) {
                    if (Clock::now() < s.passFrom)
                        continue;
                    s.server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
                    const sockaddr_un address = addressIn(qEnvironmentVariable("ZORBEL_TEST_PG_HOST"));
                    if (::connect(s.server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
                        s.client = -1;
                    continue;
                }
                const short fromClient = watched[next++].revents;
                const short fromServer = watched[next++].revents;
                if (s.client >= 0 && fromClient)
                    relay(s, true);
                if (s.client >= 0 && fromServer)
                    relay(s, false);
            }
            std::erase_if(sessions, [](const Session& s) {
                if (s.client >= 0)
                    return false;
                if (s.server >= 0)
                    ::close(s.server);
                return true;
            });
        }
        for (const Session& s : sessions) {
            ::close(s.client);
            if (s.server >= 0)
                ::close(s.server);
        }
    }

    // Passes on what one side sent; a side that is gone ends the session.
    void relay(Session& s, bool fromClient) {
        char buffer[65536];
        const ssize_t n = ::recv(fromClient ? s.client : s.server, buffer, sizeof buffer, 0);
        if (n <= 0) {
            ::close(s.client);
            s.client = -1;
            return;
        }
        const QByteArray bytes(buffer, n);
        if (fromClient) {
            // The program sends a statement only once the last was answered, so its answer starts a message.
            if (!m_marker.isEmpty() && bytes.contains(m_marker)) {
                s.cutting = true;
                s.passAnswer = m_passAnswer;
                m_marker.clear();
            }
            sendAll(s.server, bytes);
            return;
        }
        if (!s.cutting) {
            sendAll(s.client, bytes);
            return;
        }
        s.answer += bytes;
        if (!answerComplete(s.answer))
            return;
        if (s.passAnswer)
            sendAll(s.client, s.answer);
        ::close(s.client);
        s.client = -1;
    }

    QTemporaryDir m_dir;
    int m_listener = -1;
    std::thread m_thread;
    std::atomic<bool> m_stop = false;
    std::atomic<int> m_begun = 0;
    std::mutex m_mutex;
    QByteArray m_marker;
    bool m_passAnswer = false;
    NewSessions m_newSessions = NewSessions::Pass;
    std::chrono::milliseconds m_delay{};
};

// A business object on the test database, through a proxy of its own; its
// boxes are recorded.
class ThroughProxy {
public:
    // The run's own data source stays known beside the proxy's.
    ThroughProxy() : m_ini(runIni() + "\n" + m_proxy.dataSource(m_name.toLatin1())) {
        m_zorbel.ConnectDSN(connectionString());
    }

    ServerProxy& proxy() { return m_proxy; }
    ZorbelClass& zorbel() { return m_zorbel; }
    std::vector<test::Message>& messages() { return m_messages; }
    // For a connection of a test's own through the proxy.
    QString connectionString() const { return QStringLiteral("Data Source=%1;User ID=").arg(m_name); }

private:
    static QByteArray runIni() {
        QFile ini(QFile::decodeName(qgetenv("ODBCINI")));
        return ini.open(QIODevice::ReadOnly) ? ini.readAll() : QByteArray();
    }
    // The driver manager keeps what it read under a name: each proxy gets its own.
    static QString nextName() {
        static int made = 0;
        return QStringLiteral("ZorbelProxy%1").arg(++made);
    }

    QString m_name = nextName();
    ServerProxy m_proxy;
    test::PrivateIni m_ini;
    std::vector<test::Message> m_messages;
    ZorbelClass m_zorbel{[this](const QString& text, int flags, const QString& title) {
        m_messages.push_back({text, flags, title});
        return 1;
    }};
};

qint32 backendOf(data::Connection& connection) {
    return connection.query({QStringLiteral("SELECT pg_backend_pid()"), {}})->Fields(0).toInt();
}

qint32 backendOf(TestDatabase& db) {
    return backendOf(db.connection());
}

// What a statement reported, empty when it worked.
QString failureOf(data::Connection& connection, const QString& sql) {
    try {
        connection.query({sql, {}});
        return {};
    } catch (const data::Error& e) {
        return e.description();
    }
}

// Ends a session from another one and waits until it is gone, as an
// administrator would; given a statement's text, once the session runs it.
void killSession(qint32 pid, const QString& running = {}) {
    data::Connection admin;
    admin.Open(test::testConnectionString());
    const data::Statement active{QStringLiteral("SELECT COUNT(*) FROM pg_stat_activity WHERE pid = ? AND "
                                                "state = 'active' AND query LIKE ?"),
                                 {pid, QStringLiteral("%") + running + u'%'}};
    for (int look = 0; !running.isEmpty() && look < 200 && admin.query(active)->Fields(0).toInt() == 0; ++look)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    admin.query({QStringLiteral("SELECT pg_terminate_backend(?, 10000)"), {pid}});
}

const QString kGroups = QStringLiteral("ZORBEL_ISSUES_GROUPS");

} // namespace

TEST(OfficeServer, ARestartBetweenCallsIsSurvivedAndADownServerIsReported) {
    TestDatabase db;
    // Every call tries the server again, so the first after the restart works.
    db.connection().setDeadlines({std::chrono::seconds(10), std::chrono::milliseconds(30000), {}});
    ZorbelClass& z = db.zorbel();
    ASSERT_EQ(z.AddIssueGroup(QStringLiteral("before")), 1);
    {
        HaltedServer restart;
        ASSERT_TRUE(restart.halted());
        ASSERT_TRUE(restart.resume());
    }
    EXPECT_EQ(z.AddIssueGroup(QStringLiteral("after a restart")), 1);
    EXPECT_TRUE(db.messages().empty()) << db.messages().front().text.toStdString();
    {
        HaltedServer down;
        ASSERT_TRUE(down.halted());
        EXPECT_EQ(z.GetIssuesGroups(), nullptr);
        ASSERT_EQ(db.messages().size(), 1u);
        EXPECT_TRUE(db.messages()[0].text.startsWith(
            QStringLiteral("(C)GetIssuesGroups Method failed: No connection to the database server: ")))
            << db.messages()[0].text.toStdString();
        ASSERT_TRUE(down.resume());
    }
    db.messages().clear();
    const RecordsetPtr groups = z.GetIssuesGroups();
    ASSERT_NE(groups, nullptr);
    EXPECT_EQ(groups->RecordCount(), 2);
    EXPECT_EQ(z.AddIssueGroup(QStringLiteral("later")), 1);
    EXPECT_EQ(db.count(kGroups), 3);
    EXPECT_TRUE(db.messages().empty());
}

TEST(OfficeServer, AKilledSessionIsMadeAnewForTheNextCall) {
    TestDatabase db;
    killSession(backendOf(db));
    EXPECT_EQ(db.zorbel().AddIssueGroup(QStringLiteral("after the kill")), 1);
    EXPECT_TRUE(db.messages().empty()) << db.messages().front().text.toStdString();
    EXPECT_EQ(db.count(kGroups), 1);
}

TEST(OfficeServer, AReadCutOffMidWayRunsAgainAndAWriteSaysItsFateIsUnknown) {
    TestDatabase db;
    const struct {
        const char* what;
        data::Statement statement;
        bool runsAgain;
    } cases[] = {
        {"a read", {QStringLiteral("SELECT pg_sleep(2)"), {}}, true},
        // a change cut off before its answer may have been made: running it again could make it twice
        {"a write",
         {QStringLiteral("INSERT INTO ZORBEL_ISSUES_GROUPS (Description) SELECT ? FROM pg_sleep(2)"),
          {QStringLiteral("cut off")}},
         false},
    };
    for (const auto& c : cases) {
        const qint32 backend = backendOf(db);
        std::thread killer([backend] { killSession(backend, QStringLiteral("pg_sleep")); });
        QString failure;
        try {
            db.connection().execute(c.statement);
        } catch (const data::Error& e) {
            failure = e.description();
        }
        killer.join();
        if (c.runsAgain) {
            EXPECT_TRUE(failure.isEmpty()) << c.what << ": " << failure.toStdString();
        } else {
            EXPECT_TRUE(failure.contains(QStringLiteral("may or may not have been saved"))) << c.what << ": "
                                                                                            << failure.toStdString();
        }
        EXPECT_NE(backendOf(db), backend) << c.what << ": the next statement runs on a new session";
    }
}

TEST(OfficeServer, AnAddCutOffAtItsAnswerIsSavedOnceWithItsKeyOrReportedOfUnknownOutcome) {
    TestDatabase db;
    ThroughProxy office;
    const QDateTime day(QDate(2024, 1, 1), QTime(0, 0));
    const struct {
        const char* table;
        const char* key;
        std::function<qint32(ZorbelClass&)> add;
    } adds[] = {
        {"ZORBEL_PROJECTS", "ProjectID",
         [&](ZorbelClass& z) { return z.AddProject("p", "r", "d", 1, day, day, 1, 1, 2); }},
        {"ZORBEL_MILESTONES", "MilestoneID", [&](ZorbelClass& z) { return z.AddMilestone(1, "m", day, day, 1, 1); }},
        {"ZORBEL_DELIVERABLES", "DeliverableID",
         [&](ZorbelClass& z) {
             QString metric = QStringLiteral("metric");
             return z.AddDeliverable(1, 1, "d", metric, 1, day, day, 1, 0);
         }},
        {"ZORBEL_TASKS", "TaskID", [&](ZorbelClass& z) { return z.AddTask(1, 1, "t", 1, day, day, 0, 1); }},
        {"ZORBEL_ACTIONS", "ActionID", [&](ZorbelClass& z) { return z.AddAction(1, "a", day, day, 1, 1, 1); }},
        {"ZORBEL_PROGRESS", "ProgressID", [&](ZorbelClass& z) { return z.AddProgress(1, day, "p", 1, 1); }},
    };
    for (const auto& add : adds) {
        const QString table = QString::fromLatin1(add.table);
        // the session cut before its answer arrives, and right after
        for (const bool answered : {false, true}) {
            db.exec(QStringLiteral("DELETE FROM ") + table);
            office.messages().clear();
            office.proxy().cutAt(QByteArray("INSERT INTO ") + add.table, answered);
            const qint32 key = add.add(office.zorbel());
            EXPECT_EQ(db.count(table), 1) << add.table << (answered ? ", answered" : "");
            if (answered) {
                EXPECT_EQ(db.count(table, QStringLiteral("%1 = %2").arg(add.key).arg(key)), 1) << add.table;
                EXPECT_TRUE(office.messages().empty()) << office.messages().front().text.toStdString();
            } else {
                EXPECT_EQ(key, 0) << add.table;
                ASSERT_EQ(office.messages().size(), 1u) << add.table;
                EXPECT_TRUE(office.messages()[0].text.contains(QStringLiteral("may or may not have been saved")))
                    << office.messages()[0].text.toStdString();
            }
        }
    }
}

TEST(OfficeServer, AnAddThroughOdbcGetsItsKeyWithTheInsert) {
    // The server's ODBC driver under a name that says nothing: the server is reached through ODBC.
    const QString installed = QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so");
    if (!QFile::exists(installed))
        GTEST_SKIP() << "no PostgreSQL ODBC driver installed";
    TestDatabase db;
    QTemporaryDir dir;
    const QString driver = dir.filePath(QStringLiteral("libofficeodbc.so"));
    ASSERT_TRUE(QFile::copy(installed, driver));
    const test::PrivateIni ini("[ZorbelThroughOdbc]\nDriver=" + QFile::encodeName(driver) + "\nServername="
                               + qgetenv("ZORBEL_TEST_PG_HOST") + "\nPort=" + qgetenv("ZORBEL_TEST_PG_PORT")
                               + "\nDatabase=zorbel_test\nUsername=postgres\n");
    data::Connection odbc;
    odbc.Open(QStringLiteral("Data Source=ZorbelThroughOdbc;User ID="));
    ASSERT_EQ(odbc.engine(), data::Engine::PostgreSQL);
    const qint32 key = odbc.insert({QStringLiteral("INSERT INTO ZORBEL_ISSUES_GROUPS (Description) VALUES (?)"),
                                    {QStringLiteral("through ODBC")}},
                                   QStringLiteral("IssueGroupID"));
    EXPECT_EQ(db.count(kGroups, QStringLiteral("IssueGroupID = %1 AND Description = 'through ODBC'").arg(key)), 1);
}

TEST(OfficeServer, ACancelThatComesLateOrNeverReachesNoLaterStatement) {
    TestDatabase db;
    ThroughProxy office;
    const struct {
        const char* what;
        ServerProxy::NewSessions cancelPath;
        const char* statement;
        const char* failure; // empty: the statement's answer is given
        bool kept;
    } cases[] = {
        // the statement ends just past its deadline, and the cancel reaches the server after that
        {"a late cancel", ServerProxy::NewSessions::Pass, "SELECT pg_sleep(1.2)", "", true},
        // as to a server whose packets are dropped: the session is given up
        {"a cancel never answered", ServerProxy::NewSessions::Hold, "SELECT pg_sleep(8)",
         "The database server did not answer within 1 seconds", false},
        // the answer comes while the cancel is still on its way: the cancel
        // alone is why the session is made anew
        {"a cancel never answered, the statement ending meanwhile", ServerProxy::NewSessions::Hold,
         "SELECT pg_sleep(2.5)", "", false},
    };
    for (const auto& c : cases) {
        data::Connection connection;
        connection.setDeadlines({std::chrono::seconds(3), std::chrono::milliseconds(1000)});
        connection.Open(office.connectionString());
        const qint32 backend = backendOf(connection);
        const qsizetype threads = QDir(QStringLiteral("/proc/self/task")).count();
        office.proxy().setNewSessions(c.cancelPath, std::chrono::milliseconds(1500));
        EXPECT_EQ(failureOf(connection, QString::fromLatin1(c.statement)), QString::fromLatin1(c.failure)) << c.what;
        EXPECT_EQ(QDir(QStringLiteral("/proc/self/task")).count(), threads)
            << c.what << ": the cancel outlived its call";

        office.proxy().setNewSessions(ServerProxy::NewSessions::Pass);
        connection.setDeadlines({std::chrono::seconds(3), std::chrono::milliseconds(10000)});
        // long enough to be running when a cancel still on its way arrives
        const QString next = failureOf(connection, QStringLiteral("SELECT pg_sleep(2)"));
        EXPECT_TRUE(next.isEmpty()) << c.what << ": " << next.toStdString();
        EXPECT_EQ(backendOf(connection) == backend, c.kept)
            << c.what << (c.kept ? ": a session whose cancel ended was made anew"
                                 : ": a session whose cancel never ended is kept");
    }
}

TEST(OfficeServer, AServerOutOfReachIsNotTriedAgainForAMomentAndItsListsShowOneBox) {
    TestDatabase db;
    ThroughProxy office;
    ZorbelClass& z = office.zorbel();
    constexpr std::chrono::milliseconds kPause{1000};
    z.connection()->setDeadlines({std::chrono::seconds(10), std::chrono::milliseconds(30000), kPause});
    office.proxy().setNewSessions(ServerProxy::NewSessions::Refuse);
    killSession(backendOf(*z.connection()));
    const int tried = office.proxy().sessionsBegun();
    // a window loading its lists, then a save
    EXPECT_EQ(z.GetProjectStatus(), nullptr);
    EXPECT_EQ(z.GetIssuesGroups(), nullptr);
    EXPECT_EQ(z.GetProjectStates(), nullptr);
    EXPECT_EQ(z.AddIssueGroup(QStringLiteral("while out of reach")), 0);
    EXPECT_EQ(office.proxy().sessionsBegun(), tried + 1) << "the server was tried again at once";
    const auto& seen = office.messages();
    ASSERT_EQ(seen.size(), 2u) << "one box for the lists and one for the change";
    const QString listFailed = QStringLiteral("(C)GetProjectStatus Method failed: ");
    EXPECT_TRUE(seen[0].text.startsWith(listFailed + QStringLiteral("No connection to the database server: ")))
        << seen[0].text.toStdString();
    EXPECT_EQ(seen[1].text, QStringLiteral("(C)AddIssueGroup Method failed: ") + seen[0].text.mid(listFailed.size()));

    office.proxy().setNewSessions(ServerProxy::NewSessions::Pass);
    std::this_thread::sleep_for(kPause);
    EXPECT_NE(z.GetIssuesGroups(), nullptr) << "the server is tried again after the pause";
    EXPECT_EQ(db.count(kGroups), 0);
}

TEST(OfficeServer, ASessionLostInsideATransactionIsReportedAndNothingOfItRunsOutside) {
    TestDatabase db;
    data::Connection& connection = db.connection();
    const data::Statement insert{QStringLiteral("INSERT INTO ZORBEL_ISSUES_GROUPS (Description) VALUES (?)"),
                                 {QStringLiteral("in the transaction")}};
    {
        data::Transaction transaction(connection);
        connection.execute(insert);
        killSession(backendOf(db));
        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                connection.execute(insert);
                ADD_FAILURE() << "a statement of a lost transaction ran";
            } catch (const data::Error& e) {
                EXPECT_TRUE(e.description().contains(QStringLiteral("the transaction was rolled back")))
                    << e.description().toStdString();
            }
        }
        EXPECT_THROW(transaction.commit(), data::Error);
    }
    EXPECT_EQ(db.count(kGroups), 0) << "the rolled-back transaction left rows";
    connection.execute(insert);
    EXPECT_EQ(db.count(kGroups), 1);
}

TEST(OfficeServer, AFrozenBackendIsReportedAtTheDeadlineAndTheNextCallWorks) {
    TestDatabase db;
    db.connection().setDeadlines({std::chrono::seconds(10), std::chrono::milliseconds(1500)});
    ZorbelClass& z = db.zorbel();
    {
        FrozenBackend frozen(backendOf(db));
        ASSERT_TRUE(frozen.frozen());
        EXPECT_EQ(z.GetIssuesGroups(), nullptr);
        ASSERT_EQ(db.messages().size(), 1u);
        EXPECT_EQ(db.messages()[0].text,
                  QStringLiteral("(C)GetIssuesGroups Method failed: The database server did not answer within 1.5 "
                                 "seconds"));
    }
    db.messages().clear();
    EXPECT_EQ(z.AddIssueGroup(QStringLiteral("after the thaw")), 1);
    const RecordsetPtr groups = z.GetIssuesGroups();
    ASSERT_NE(groups, nullptr);
    EXPECT_EQ(groups->RecordCount(), 1);
    EXPECT_TRUE(db.messages().empty()) << db.messages().front().text.toStdString();
}

TEST(OfficeServer, ASlowStatementIsCancelledAtTheDeadlineAndTheSessionKept) {
    TestDatabase db;
    db.connection().setDeadlines({std::chrono::seconds(10), std::chrono::milliseconds(1500)});
    const qint32 backend = backendOf(db);
    try {
        db.connection().query({QStringLiteral("SELECT pg_sleep(20)"), {}});
        ADD_FAILURE() << "the slow statement was waited for";
    } catch (const data::Error& e) {
        EXPECT_EQ(e.description(),
                  QStringLiteral("The database server did not answer within 1.5 seconds: the statement was cancelled"));
    }
    EXPECT_EQ(backendOf(db), backend) << "a server that answered the cancel lost its session";
}

TEST(OfficeServer, TheDataSourcesPasswordIsSentBeforeTheBuiltInOne) {
    const QByteArray user = qgetenv("ZORBEL_TEST_PG_PASSWORD_USER");
    const QByteArray password = qgetenv("ZORBEL_TEST_PG_PASSWORD");
    if (user.isEmpty() || password.isEmpty())
        GTEST_SKIP() << "the test server has no role with a password";
    const QByteArray server = "Driver=PostgreSQL Unicode\nServername=" + qgetenv("ZORBEL_TEST_PG_HOST") + "\nPort="
                              + qgetenv("ZORBEL_TEST_PG_PORT") + "\nDatabase=zorbel_test\nUsername=" + user + "\n";
    const test::PrivateIni ini("[ZorbelOwnPassword]\n" + server + "Password=" + password + "\n\n"
                               + "[ZorbelWrongPassword]\n" + server + "Password=not-" + password + "\n\n"
                               + "[ZorbelNoPassword]\n" + server);
    const struct {
        const char* source;
        bool logsOn;
    } cases[] = {
        {"ZorbelOwnPassword", true},
        {"ZorbelWrongPassword", false},
        {"ZorbelNoPassword", false}, // the built-in password is not the role's
    };
    for (const auto& c : cases) {
        std::vector<test::Message> seen;
        ZorbelClass zorbel([&](const QString& text, int flags, const QString& title) {
            seen.push_back({text, flags, title});
            return 1;
        });
        try {
            zorbel.ConnectDSN(QStringLiteral("Data Source=%1;User ID=;Mode=ReadWrite").arg(c.source));
            EXPECT_TRUE(c.logsOn) << c.source;
            EXPECT_EQ(zorbel.connection()->query({QStringLiteral("SELECT current_user"), {}})->Fields(0).toString(),
                      QString::fromUtf8(user));
        } catch (const data::Error&) {
            EXPECT_FALSE(c.logsOn) << c.source;
            ASSERT_EQ(seen.size(), 1u);
            EXPECT_TRUE(seen[0].text.contains(QStringLiteral("password authentication failed"))) << seen[0].text.toStdString();
        }
    }
}
