// Faults of an office server, on the private PostgreSQL server that test.sh
// starts: a restart between two calls, a killed session, a session lost
// inside a transaction, a backend that stops answering, and a role with a
// password of its own. The suite stops and starts that server, so it runs alone.

#include "tests/support/PrivateIni.h"
#include "tests/support/TestDatabase.h"

#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>
#include <thread>

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

// A server process that is alive but answers nothing, woken however the test ends.
class FrozenBackend {
public:
    explicit FrozenBackend(qint32 pid) : m_pid(pid), m_frozen(::kill(pid, SIGSTOP) == 0) {}
    ~FrozenBackend() {
        if (m_frozen)
            ::kill(m_pid, SIGCONT);
    }
    FrozenBackend(const FrozenBackend&) = delete;
    FrozenBackend& operator=(const FrozenBackend&) = delete;

    bool frozen() const { return m_frozen; }

private:
    qint32 m_pid;
    bool m_frozen;
};

qint32 backendOf(TestDatabase& db) {
    return db.select(QStringLiteral("SELECT pg_backend_pid()"))->Fields(0).toInt();
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
