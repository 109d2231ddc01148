// Data sources as the driver manager's ini file describes them, the texts the
// engines exchange with us, two programs writing to one SQLite file, a file
// that is missing, moved, deleted or damaged while open, a read-only folder,
// and a server that never answers.

#include "platform/data/Connection.h"
#include "platform/data/DatabaseFile.h"
#include "platform/data/DataSourceSettings.h"
#include "platform/data/PostgresBackend.h"
#include "platform/data/WallClock.h"
#include "tests/support/PrivateIni.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <arpa/inet.h>
#include <future>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <netinet/in.h>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

using namespace zorbel::data;
using zorbel::test::PrivateIni;

namespace {

// A connection to a file through a made-up data source of its own.
void openFile(Connection& connection, const QString& file, const QByteArray& journalMode = "WAL") {
    static int opened = 0;
    const QByteArray name = "File" + QByteArray::number(++opened);
    PrivateIni ini("[" + name + "]\nDriver=SQLite3\nDatabase=" + QFile::encodeName(file) + "\nJournalMode="
                   + journalMode + "\n");
    connection.Open(QStringLiteral("Data Source=%1;User ID=").arg(QString::fromLatin1(name)));
}

// What a test table holds, after the engine's own check of the file.
QString contents(Connection& connection) {
    return connection.query({QStringLiteral("PRAGMA integrity_check"), {}})->Fields(0).toString() + u':'
           + connection.query({QStringLiteral("SELECT group_concat(Name) FROM (SELECT Name FROM P ORDER BY ID)"), {}})
                 ->Fields(0)
                 .toString();
}

// Root may write to any folder: this thread runs without that right while it lives.
struct WithoutOverridingFolderRights {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved[2]{};
    bool dropped = false;
    WithoutOverridingFolderRights() {
        __user_cap_data_struct less[2]{};
        if (::syscall(SYS_capget, &header, saved) == 0 && ::syscall(SYS_capget, &header, less) == 0) {
            less[0].effective &= ~CAP_TO_MASK(CAP_DAC_OVERRIDE);
            dropped = ::syscall(SYS_capset, &header, less) == 0;
        }
    }
    ~WithoutOverridingFolderRights() {
        if (dropped)
            ::syscall(SYS_capset, &header, saved);
    }
};

} // namespace

TEST(DataSource, SettingsAreReadFromTheIniFile) {
    PrivateIni ini("[Lite]\nDriver=SQLite3\nDatabase=/srv/zorbel.db\nTimeout=1234\nJournalMode=WAL\n"
                   "SyncPragma=OFF\n\n"
                   "[Office]\nDriver=PostgreSQL Unicode\nServername=db.example\nPort=5433\nDatabase=zorbel\n"
                   "Username=jo\nPassword=pw\n\n"
                   "[Plain]\nDriver=SQLite3\nDatabase=/srv/plain.db\n\n"
                   "[Other]\nDriver=/opt/odbc/libmyodbc8w.so\nDatabase=z\n");
    const DataSourceSettings lite = dataSourceSettings(QStringLiteral("Lite"));
    EXPECT_EQ(lite.engine, Engine::SQLite);
    EXPECT_EQ(lite.database, QStringLiteral("/srv/zorbel.db"));
    EXPECT_EQ(lite.busyTimeoutMs, 1234);
    EXPECT_EQ(lite.journalMode, QStringLiteral("WAL"));
    EXPECT_EQ(lite.synchronous, QStringLiteral("OFF"));

    const DataSourceSettings plain = dataSourceSettings(QStringLiteral("Plain"));
    EXPECT_EQ(plain.busyTimeoutMs, 100000) << "the SQLite ODBC driver's default";
    EXPECT_TRUE(plain.journalMode.isEmpty());

    const DataSourceSettings office = dataSourceSettings(QStringLiteral("office"));
    EXPECT_EQ(office.engine, Engine::PostgreSQL);
    EXPECT_EQ(office.server, QStringLiteral("db.example"));
    EXPECT_EQ(office.port, QStringLiteral("5433"));
    EXPECT_EQ(office.database, QStringLiteral("zorbel"));
    EXPECT_EQ(office.user, QStringLiteral("jo"));
    EXPECT_EQ(office.password, QStringLiteral("pw"));

    EXPECT_EQ(dataSourceSettings(QStringLiteral("Other")).engine, Engine::Unknown);
    EXPECT_TRUE(dataSourceSettings(QStringLiteral("Missing")).driver.isEmpty());
}

TEST(DataSource, EngineFollowsTheDriversNameOrLibrary) {
    const struct {
        const char* name;
        const char* library;
        Engine engine;
    } cases[] = {
        {"SQLite3", "libsqlite3odbc.so", Engine::SQLite},
        {"Embedded", "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so", Engine::SQLite},
        {"SQLite", "libsqliteodbc.so", Engine::Unknown}, // SQLite 2's files are not SQLite 3's
        {"PostgreSQL Unicode", "psqlodbcw.so", Engine::PostgreSQL},
        {"Office", "/usr/lib/x86_64-linux-gnu/odbc/psqlodbca.so", Engine::PostgreSQL},
        {"MySQL", "libmyodbc8w.so", Engine::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(engineOfDriver(QString::fromLatin1(c.name), QString::fromLatin1(c.library)), c.engine) << c.name;
}

TEST(DataSource, WallClockTextsReadAsLocalDatesOrNotAtAll) {
    const QDateTime noon(QDate(2024, 3, 5), QTime(12, 30, 15, 120));
    const struct {
        const char* text;
        QDateTime expected; // invalid: not a date
    } cases[] = {
        {"2024-03-05 12:30:15.120", noon},
        {"2024-03-05T12:30:15.12", noon},
        {"2024-03-05 12:30:15.120999", noon},
        {"2024-03-05 12:30", QDateTime(noon.date(), QTime(12, 30))},
        {"2024-03-05", QDateTime(noon.date(), QTime(0, 0))},
        {"2024-02-30", {}},
        {"2024-03-05 25:00:00", {}},
        {"2024-03-05 12:30:15+01", {}},
        {"0000-01-01", {}},
        {"5.3.2024", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        const auto read = parseWallClock(c.text);
        EXPECT_EQ(read.value_or(QDateTime()), c.expected) << c.text;
        if (read) {
            EXPECT_EQ(read->timeSpec(), Qt::LocalTime) << c.text;
        }
    }
    EXPECT_EQ(wallClockText(noon), QByteArray("2024-03-05 12:30:15.120"));
    EXPECT_EQ(parseWallClock(wallClockText(noon).toStdString()), noon);
}

TEST(DataSource, PostgresParametersAreNumberedOutsideQuotesAndComments) {
    const struct {
        const char* given;
        const char* sent;
    } cases[] = {
        {"SELECT a FROM t WHERE b = ? AND c = ?", "SELECT a FROM t WHERE b = $1 AND c = $2"},
        {"SELECT '?', \"?\" FROM t WHERE b = ?", "SELECT '?', \"?\" FROM t WHERE b = $1"},
        {"SELECT 'it''s ?' WHERE b = ?", "SELECT 'it''s ?' WHERE b = $1"},
        {"SELECT 1 -- why?\nWHERE b = ? /* or? */ AND c = ?", "SELECT 1 -- why?\nWHERE b = $1 /* or? */ AND c = $2"},
        {"SELECT 'open ?", "SELECT 'open ?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numberedParameters(QString::fromLatin1(c.given)), QByteArray(c.sent)) << c.given;
}

TEST(DataSource, AnUnknownDriverIsStillReachedThroughOdbc) {
    // The SQLite ODBC driver under a name that says nothing stands for a driver we do not know.
    const QString installed = QStringLiteral("/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so");
    if (!QFile::exists(installed))
        GTEST_SKIP() << "no SQLite ODBC driver installed";
    QTemporaryDir dir;
    const QString driver = dir.filePath(QStringLiteral("libofficeodbc.so"));
    ASSERT_TRUE(QFile::copy(installed, driver));
    PrivateIni ini("[Office]\nDriver=" + QFile::encodeName(driver) + "\nDatabase="
                   + QFile::encodeName(dir.filePath("office.db")) + "\n");
    ASSERT_EQ(dataSourceSettings(QStringLiteral("Office")).engine, Engine::Unknown);

    Connection connection;
    connection.Open(QStringLiteral("Data Source=Office;User ID=;Password=x"));
    EXPECT_EQ(connection.engine(), Engine::SQLite) << "found by asking the engine itself";
    connection.executeScript(QStringLiteral("CREATE TABLE T (ID INTEGER PRIMARY KEY AUTOINCREMENT, Name VARCHAR(50));"));
    EXPECT_EQ(connection.insert({QStringLiteral("INSERT INTO T (Name) VALUES (?)"), {QStringLiteral("first")}},
                                QStringLiteral("ID")),
              1);
    // an insert of no row has no key, not the one before it
    EXPECT_THROW(connection.insert({QStringLiteral("INSERT INTO T (Name) SELECT 'none' WHERE 0"), {}},
                                   QStringLiteral("ID")),
                 Error);
    auto rs = connection.query({QStringLiteral("SELECT Name FROM T"), {}});
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Fields(QStringLiteral("name")).toString(), QStringLiteral("first"));
}

TEST(SqliteFile, ASecondWriterWaitsForTheFirstInsteadOfFailing) {
    QTemporaryDir dir;
    ASSERT_TRUE(createDatabaseFile(dir.filePath("shared.db")));
    PrivateIni ini("[Shared]\nDriver=SQLite3\nDatabase=" + QFile::encodeName(dir.filePath("shared.db"))
                   + "\nTimeout=20000\n");
    Connection first;
    Connection second;
    first.Open(QStringLiteral("Data Source=Shared;User ID=;Password=x"));
    second.Open(QStringLiteral("Data Source=Shared;User ID=;Password=x"));
    ASSERT_EQ(first.engine(), Engine::SQLite);
    first.execute({QStringLiteral("CREATE TABLE W (N INTEGER)"), {}});

    std::promise<void> holding;
    QString firstFailure;
    std::thread writer([&] {
        try {
            Transaction transaction(first);
            first.execute({QStringLiteral("INSERT INTO W (N) VALUES (?)"), {1}});
            holding.set_value();
            // long enough for the second writer to find the file locked
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            transaction.commit();
        } catch (const Error& e) {
            firstFailure = e.description();
            holding.set_value();
        }
    });
    holding.get_future().wait();
    EXPECT_NO_THROW(second.execute({QStringLiteral("INSERT INTO W (N) VALUES (?)"), {2}}));
    writer.join();
    EXPECT_TRUE(firstFailure.isEmpty()) << firstFailure.toStdString();
    auto rs = second.query({QStringLiteral("SELECT N FROM W ORDER BY N"), {}});
    ASSERT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->cell(1, 0).toInt(), 2);
}

TEST(SqliteFile, AMissingFileIsReportedAndNeverMade) {
    QTemporaryDir dir;
    const QString paths[] = {
        dir.filePath(QStringLiteral("moved.db")),             // a file moved away
        dir.filePath(QStringLiteral("share/zorbel.db")),      // a share not mounted
    };
    for (const QString& path : paths) {
        // a name of its own each time: the driver manager keeps what it read of an ini
        const QByteArray name = "Gone" + QByteArray::number(&path - paths);
        PrivateIni ini("[" + name + "]\nDriver=SQLite3\nDatabase=" + QFile::encodeName(path) + "\n");
        Connection connection;
        try {
            connection.Open(QStringLiteral("Data Source=%1;User ID=;Password=x").arg(QString::fromLatin1(name)));
            ADD_FAILURE() << "opened " << path.toStdString();
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), kConnectionFailed);
            EXPECT_EQ(e.description().toStdString(), ("database file not found: " + path).toStdString());
        }
        EXPECT_FALSE(QFileInfo::exists(path)) << path.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("share"))));
}

TEST(SqliteFile, AFileMovedDeletedOrDamagedWhileOpenTakesNoMoreWritesAndItsBackupComesBackWhole) {
    enum Harm { Move, Remove, Empty, Overwrite };
    struct Case {
        const char* what;
        QByteArray journalMode;
        Harm harm;
        bool endsUnwritten = false; // the program ends with no write after the harm
        bool atCommit = false;      // the harm comes between a write in a transaction and its COMMIT
    };
    const Case cases[] = {
        {"moved, write-ahead journal", "WAL", Move},        {"deleted, write-ahead journal", "WAL", Remove},
        {"moved, rollback journal", "DELETE", Move},        {"emptied, write-ahead journal", "WAL", Empty},
        {"header overwritten, write-ahead journal", "WAL", Overwrite},
        {"moved, write-ahead journal, program ended", "WAL", Move, true},
        {"moved before COMMIT, write-ahead journal", "WAL", Move, false, true},
        {"moved before COMMIT, rollback journal", "DELETE", Move, false, true},
        {"header overwritten before COMMIT, write-ahead journal", "WAL", Overwrite, false, true},
    };
    const auto run = [](const Case& c) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zorbel5.db"));
        const QString backup = dir.filePath(QStringLiteral("backup.db"));
        ASSERT_TRUE(createDatabaseFile(path));
        std::optional<Connection> connection(std::in_place);
        openFile(*connection, path, c.journalMode);
        const auto add = [](Connection& to, const char* name) {
            to.execute({QStringLiteral("INSERT INTO P (Name, State) VALUES (?, 1)"), {QString::fromLatin1(name)}});
        };
        connection->executeScript(QStringLiteral("CREATE TABLE P (ID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT, "
                                                "State INTEGER);\nCREATE INDEX P_STATE ON P (State);\n"
                                                "CREATE TABLE Filler AS SELECT zeroblob(200000) AS B;"));
        // in the file, as an office's is when it opens: a file cut short cannot take the journal's frames then
        connection->query({QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"), {}});
        add(*connection, "first");
        connection->execute({QStringLiteral("VACUUM INTO ?"), {backup}});
        add(*connection, "saved before");
        std::optional<Transaction> transaction;
        if (c.atCommit) {
            transaction.emplace(*connection);
            add(*connection, "lost");
        }
        QFile file(path);
        ASSERT_TRUE(c.harm == Move     ? file.rename(dir.filePath(QStringLiteral("moved.db")))
                    : c.harm == Remove ? file.remove()
                    : c.harm == Empty  ? file.resize(0)
                                       : file.open(QIODevice::ReadWrite) && file.write(QByteArray(100, '~')) == 100);
        file.close();

        if (c.endsUnwritten) {
            connection.reset();
        } else {
            // Refused, and so is every later call: nothing at the path is opened anew.
            try {
                if (transaction)
                    transaction->commit();
                else
                    add(*connection, "lost");
                ADD_FAILURE() << "a write to the harmed file was taken";
            } catch (const Error& e) {
                EXPECT_EQ(e.description(),
                          QStringLiteral("the database file ") + path
                              + (c.harm <= Remove ? " was moved or deleted"
                                                  : " was overwritten or cut short by another program"));
            }
            transaction.reset();
            // a closed connection, as a lost server's: one box for the lists a window reads next
            try {
                contents(*connection);
                ADD_FAILURE() << "a read of the closed connection was answered";
            } catch (const Error& e) {
                EXPECT_EQ(e.number(), kConnectionFailed);
            }
        }
        EXPECT_EQ(QFileInfo::exists(path), c.harm >= Empty);
        if (c.harm == Move) {
            Connection there;
            openFile(there, file.fileName(), c.journalMode);
            EXPECT_EQ(contents(there), QStringLiteral("ok:first,saved before"));
        }

        // The backup put back at the path, beside whatever journal files are there.
        QFile::remove(path);
        ASSERT_TRUE(QFile::copy(backup, path));
        Connection restored;
        openFile(restored, path, c.journalMode);
        EXPECT_EQ(contents(restored), QStringLiteral("ok:first"));
        add(restored, "new");
        EXPECT_EQ(contents(restored), QStringLiteral("ok:first,new"));
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // a row that throws fails alone, by its name
        try {
            run(c);
        } catch (const std::exception& e) {
            ADD_FAILURE() << c.what << ": " << e.what();
        }
    }
}

TEST(SqliteFile, AReadOnlyFolderIsNamedAsTheReasonTheWriteAheadJournalCannotBeMade) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("office"));
    const QString file = folder + QStringLiteral("/zorbel5.db");
    ASSERT_TRUE(createDatabaseFile(file));
    {
        Connection connection;
        openFile(connection, file); // once closed, it leaves no journal files behind
    }
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0500), 0);
    {
        WithoutOverridingFolderRights readOnly;
        Connection connection;
        try {
            openFile(connection, file);
            ADD_FAILURE() << "opened without its journal";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), kConnectionFailed);
            EXPECT_EQ(e.description(), QStringLiteral("cannot open the database file %1: its folder %2 is read-only, and "
                                                      "the write-ahead journal keeps its -wal and -shm files beside the "
                                                      "database file")
                                           .arg(file, folder));
        }
    }
    ::chmod(QFile::encodeName(folder).constData(), 0700);
}

TEST(PostgresServer, AListenerThatNeverAnswersIsReportedByTheConnectTimeout) {
    // The kernel completes the handshake of a listening socket that never
    // accepts, so the client waits for a server's first word that never comes.
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 4), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    PrivateIni ini("[Silent]\nDriver=PostgreSQL Unicode\nServername=127.0.0.1\nPort="
                   + QByteArray::number(ntohs(address.sin_port)) + "\nDatabase=zorbel\nUsername=zorbel\n");

    Connection connection;
    connection.setDeadlines({std::chrono::seconds(2), std::chrono::seconds(2)});
    try {
        connection.Open(QStringLiteral("Data Source=Silent;User ID=;Password=x"));
        ADD_FAILURE() << "a silent listener was taken for a server";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), kConnectionFailed);
        EXPECT_TRUE(e.description().contains(QStringLiteral("timeout"))) << e.description().toStdString();
    }
    ::close(listener);
}
