// The set-up program as ./run.sh runs it, in a private home and under the
// most open file mask: a first run, a data source registered by an earlier
// set-up, a data source whose file has gone, and failures that must say why.

#include "platform/data/Connection.h"
#include "tests/support/PrivateIni.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

unsigned permissions(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? (info.st_mode & 07777) : 0u;
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A home of its own for the set-up: its ODBC ini and its data folder.
class SetupHome {
public:
    struct Run {
        int exitCode = -1;
        QString out;
        QString err;
    };

    QString folder() const { return m_dir.path(); }
    QString ini() const { return m_dir.filePath(QStringLiteral("odbc.ini")); }
    QString dataFolder() const { return m_dir.filePath(QStringLiteral("data/zorbel")); }
    QString defaultDatabase() const { return dataFolder() + QStringLiteral("/zorbel5.db"); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // A symbolic link in the home, to a target written as given (relative ones from the home).
    bool link(const char* name, const char* target) const {
        return ::symlink(target, QFile::encodeName(path(QString::fromLatin1(name))).constData()) == 0;
    }
    // Everything in the home, links to nothing included, with its mode, a line each.
    std::string contents() const {
        QStringList found;
        QDirIterator it(m_dir.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString entry = it.next();
            found << entry + u' ' + QString::number(permissions(entry), 8);
        }
        found.sort();
        return found.join(u'\n').toStdString();
    }

    // Written the owner's alone, as the set-up writes it.
    void addDataSource(const QByteArray& text) const {
        QFile file(ini());
        if (file.open(QIODevice::Append | QIODevice::Text))
            file.write("\n" + text);
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }

    Run run(const QStringList& arguments = {}) const {
        QProcess setup;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ODBCINI"), ini());
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("ZORBEL_ADMIN_PASSWORD"), QStringLiteral("First-Admin-1"));
        setup.setProcessEnvironment(environment);
        // whatever is private after a run, the set-up made so
        setup.setChildProcessModifier([] { ::umask(0); });
        setup.start(QStringLiteral(ZORBEL_SETUP_PROGRAM), arguments);
        Run result;
        if (!setup.waitForFinished(120000))
            return result;
        result.exitCode = setup.exitStatus() == QProcess::NormalExit ? setup.exitCode() : -1;
        result.out = QString::fromLocal8Bit(setup.readAllStandardOutput());
        result.err = QString::fromLocal8Bit(setup.readAllStandardError());
        return result;
    }

private:
    QTemporaryDir m_dir;
};

// A connection of the test's own to a database file, through a data source of its own.
void openFile(zorbel::data::Connection& connection, const QString& file, const QByteArray& settings = {}) {
    static int opened = 0;
    const QByteArray name = "SetupCheck" + QByteArray::number(++opened);
    zorbel::test::PrivateIni ini("[" + name + "]\nDriver=SQLite3\nDatabase=" + QFile::encodeName(file) + "\n"
                                 + settings);
    connection.Open(QStringLiteral("Data Source=%1;User ID=").arg(QString::fromLatin1(name)));
}

// The configuration rows of a database file.
int configurationRows(const QString& file) {
    zorbel::data::Connection connection;
    openFile(connection, file);
    return connection.query({QStringLiteral("SELECT COUNT(*) FROM ZORBEL_CONFIGURATION"), {}})->Fields(0).toInt();
}

} // namespace

TEST(Setup, AFirstRunRegistersADatabaseOnlyItsOwnerCanRead) {
    const struct {
        const char* what;
        const char* iniLinksTo; // nullptr: no ini file, nor a link
        const char* says;       // HOME standing for the home's folder
    } cases[] = {
        {"with no ini file", nullptr, "Registered ODBC data source"},
        // the target is found from the link's folder, not from where the set-up runs
        {"with an ini file that links to nothing", "dotfiles/odbc.ini",
         "Made HOME/dotfiles/odbc.ini, the file HOME/odbc.ini links to, its owner's alone (mode 0600, it was not "
         "there)\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetupHome home;
        if (c.iniLinksTo) {
            ASSERT_TRUE(QDir(home.folder()).mkdir(QStringLiteral("dotfiles")));
            ASSERT_TRUE(home.link("odbc.ini", c.iniLinksTo));
        }
        const SetupHome::Run first = home.run();
        ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
        EXPECT_TRUE(first.out.startsWith(QString::fromLatin1(c.says).replace(QStringLiteral("HOME"), home.folder())))
            << first.out.toStdString();
        EXPECT_TRUE(first.out.contains(QStringLiteral("Created the Zorbel tables"))) << first.out.toStdString();
        EXPECT_TRUE(first.out.contains(QStringLiteral("First administrator created")));
        EXPECT_EQ(permissions(home.defaultDatabase()), 0600u);
        EXPECT_EQ(permissions(home.dataFolder()), 0700u);
        EXPECT_EQ(permissions(home.ini()), 0600u);
        EXPECT_EQ(QFileInfo(home.ini()).isSymLink(), c.iniLinksTo != nullptr);
        QFile ini(home.ini());
        ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
        const QByteArray written = ini.readAll();
        EXPECT_TRUE(written.contains("\nJournalMode=WAL\n")) << written.toStdString();
        EXPECT_TRUE(written.contains("\nTimeout=30000\n")) << written.toStdString();

        const SetupHome::Run again = home.run();
        ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
        EXPECT_TRUE(again.out.isEmpty()) << "a second run made something anew: " << again.out.toStdString();
        EXPECT_EQ(configurationRows(home.defaultDatabase()), 1);
    }
}

TEST(Setup, ADataSourceItRegisteredEarlierIsBroughtForwardWhereItIsTheUsers) {
    const QByteArray earlier = "Description=Zorbel embedded database\nDriver=SQLite3\nDatabase=DB\n";
    const struct {
        const char* what;
        QByteArray settings; // DB: the database file
        QByteArray after;
        int changes; // lines the set-up prints about them
        unsigned fileMode, folderMode;
        bool anotherAccounts, sharedFolder;
        unsigned iniMode = 0600;
        bool heldOpen = false; // by a Zorbel still running: its journal files stay
        const char* says = ""; // one of the lines, INI and DB standing for the files
    } cases[] = {
        {"as registered earlier", earlier + "Timeout=5000\n", earlier + "Timeout=30000\nJournalMode=WAL\n", 5, 0600,
         0700, false, false, 0644, false, "Made INI its owner's alone (mode 0600, it was 0644)"},
        {"with settings of its own", earlier + "JournalMode=DELETE\nTimeout=60000\n",
         earlier + "JournalMode=DELETE\nTimeout=60000\n", 3, 0600, 0700, false, false},
        {"in a folder with other files", earlier, earlier + "JournalMode=WAL\nTimeout=30000\n", 3, 0600, 0755, false,
         true},
        {"on another account's files", earlier, earlier + "JournalMode=WAL\nTimeout=30000\n", 3, 0644, 0755, true,
         false, 0600, false,
         "Could not make DB its owner's alone (mode 0644), so other users can read it: it belongs to another account"},
        {"registered by hand", "Driver=SQLite3\nDatabase=DB\nTimeout=5000\n",
         "Driver=SQLite3\nDatabase=DB\nTimeout=5000\n", 1, 0644, 0755, false, false, 0644},
        {"while a Zorbel has it open", earlier + "JournalMode=WAL\nTimeout=30000\n",
         earlier + "JournalMode=WAL\nTimeout=30000\n", 4, 0600, 0700, false, false, 0600, true,
         "Made DB-wal its owner's alone (mode 0600, it was 0644)"},
    };
    QStringList skipped;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetupHome home;
        const QString folder = home.path(QStringLiteral("office"));
        const QString file = folder + QStringLiteral("/zorbel5.db");
        ASSERT_TRUE(QDir().mkpath(folder));
        for (const QString& made : {file, file + QStringLiteral("-wal")}) {
            QFile(made).open(QIODevice::WriteOnly);
            ::chmod(QFile::encodeName(made).constData(), 0644);
        }
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        if (c.sharedFolder)
            QFile(folder + QStringLiteral("/notes.txt")).open(QIODevice::WriteOnly);
        const auto giveAway = [](const QString& path) { return ::chown(QFile::encodeName(path), 65534, 65534) == 0; };
        if (c.anotherAccounts && (::geteuid() != 0 || !giveAway(file) || !giveAway(file + QStringLiteral("-wal"))
                                  || !giveAway(folder))) {
            skipped << QString::fromLatin1(c.what);
            continue;
        }
        QByteArray settings = c.settings;
        home.addDataSource("[Zorbel5]\n" + settings.replace("DB", QFile::encodeName(file)));
        ::chmod(QFile::encodeName(home.ini()).constData(), c.iniMode);
        zorbel::data::Connection zorbel;
        if (c.heldOpen) {
            openFile(zorbel, file, "JournalMode=WAL\n");
            zorbel.execute({QStringLiteral("CREATE TABLE Held (N INTEGER)"), {}});
        }

        const SetupHome::Run first = home.run();
        ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
        const QString changes = first.out.left(first.out.indexOf(QStringLiteral("Created the Zorbel tables")));
        EXPECT_EQ(changes.count(u'\n'), c.changes) << first.out.toStdString();
        EXPECT_TRUE(first.out.contains(
            QString::fromLatin1(c.says).replace(QStringLiteral("INI"), home.ini()).replace(QStringLiteral("DB"), file)))
            << first.out.toStdString();
        EXPECT_EQ(permissions(home.ini()), 0600u);
        EXPECT_EQ(permissions(file), c.fileMode);
        // SQLite removes its journal files with the last connection: only a running Zorbel's are left
        for (const QString& journal : {file + QStringLiteral("-wal"), file + QStringLiteral("-shm")}) {
            if (c.heldOpen || QFileInfo::exists(journal)) {
                EXPECT_EQ(permissions(journal), c.fileMode) << journal.toStdString();
            }
        }
        EXPECT_EQ(permissions(folder), c.folderMode);
        QFile ini(home.ini());
        ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
        QByteArray after = c.after;
        EXPECT_TRUE(ini.readAll().contains("[Zorbel5]\n" + after.replace("DB", QFile::encodeName(file))));
        // the journal the data source names is the one the set-up's own connection took
        QFile database(file);
        ASSERT_TRUE(database.open(QIODevice::ReadOnly));
        EXPECT_EQ(database.read(19).at(18), after.contains("WAL") ? 2 : 1);

        // said again: only what it may not change
        const SetupHome::Run again = home.run();
        EXPECT_EQ(again.exitCode, 0);
        for (const QString& line : again.out.split(u'\n', Qt::SkipEmptyParts))
            EXPECT_TRUE(c.anotherAccounts && line.startsWith(QStringLiteral("Could not make "))) << line.toStdString();
    }
    if (!skipped.isEmpty())
        GTEST_SKIP() << "only root makes files of another account; left out: "
                     << skipped.join(QStringLiteral(", ")).toStdString();
}

TEST(Setup, AMissingDatabaseFileIsReportedAndMadeOnlyWhenAsked) {
    SetupHome home;
    // the office's file on a share that is not mounted
    const QString file = home.path(QStringLiteral("share/zorbel.db"));
    home.addDataSource("[Zorbel5]\nDriver=SQLite3\nDatabase=" + QFile::encodeName(file) + "\n");

    const SetupHome::Run refused = home.run();
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.startsWith(QStringLiteral("zorbel-setup: database file not found: ") + file))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.out.isEmpty()) << refused.out.toStdString();
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_FALSE(QFileInfo::exists(home.path(QStringLiteral("share"))));

    const SetupHome::Run asked = home.run({QStringLiteral("--create-database")});
    ASSERT_EQ(asked.exitCode, 0) << asked.err.toStdString();
    EXPECT_TRUE(asked.out.contains(QStringLiteral("Created the Zorbel tables"))) << asked.out.toStdString();
    EXPECT_EQ(permissions(file), 0600u);
    EXPECT_EQ(configurationRows(file), 1);
}

TEST(Setup, EveryFailureLineSaysWhyAndMakesNothing) {
    const QByteArray embedded =
        "Description=Zorbel embedded database\nDriver=SQLite3\nDatabase=HOME/data/zorbel/zorbel5.db\n";
    const struct {
        const char* what;
        const char* dataSource;
        QByteArray ini; // HOME standing for the home's folder
        std::vector<std::pair<const char*, const char*>> links; // made in the home, in place of the ini file
        const char* reason; // HOME standing for the home's folder
    } cases[] = {
        {"a server out of reach", "Office",
         "[Office]\nDriver=PostgreSQL Unicode\nServername=HOME/no-server\nPort=5432\nDatabase=zorbel\n"
         "Username=zorbel\n",
         {}, "connection to server"},
        {"a file that is no database", "Notes", "[Notes]\nDriver=SQLite3\nDatabase=HOME/notes.db\n", {},
         "not a database"},
        // the office's server added below what a first ./run.sh registered
        {"the data source twice", "Zorbel5",
         "[Zorbel5]\n" + embedded + "\n[zorbel5]\nDriver=PostgreSQL Unicode\nServername=dbhost\nDatabase=zorbel\n", {},
         "HOME/odbc.ini holds the data source \"Zorbel5\" twice, at lines 2 and 7, and Zorbel would use the first "
         "(Driver=SQLite3, Database=HOME/data/zorbel/zorbel5.db): remove one of them"},
        {"the data source three times", "Zorbel5",
         "[Zorbel5]\n" + embedded + "[Other]\n[Zorbel5]\nServername=a\n[Zorbel5]\nServername=b\n", {},
         "3 times, at lines 2, 7 and 9,"},
        {"an ini file that links into a folder that is not there", "Zorbel5", {}, {{"odbc.ini", "dotfiles/odbc.ini"}},
         "cannot create HOME/dotfiles/odbc.ini, the file HOME/odbc.ini links to: No such file or directory"},
        {"an ini file that links to a link to nothing", "Zorbel5", {}, {{"odbc.ini", "further"}, {"further", "gone"}},
         "cannot create HOME/further, the file HOME/odbc.ini links to: it is a link itself"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetupHome home;
        QFile junk(home.path(QStringLiteral("notes.db")));
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
        junk.close();
        QByteArray ini = c.ini;
        if (!ini.isEmpty())
            home.addDataSource(ini.replace("HOME", QFile::encodeName(home.folder())));
        for (const auto& [name, target] : c.links)
            ASSERT_TRUE(home.link(name, target));
        const std::string before = home.contents();
        const QByteArray iniBefore = contentOf(home.ini());

        const SetupHome::Run run = home.run({QStringLiteral("--dsn"), QString::fromLatin1(c.dataSource)});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("zorbel-setup: ")) && run.err.count(u'\n') == 1
                    && run.err.contains(QString::fromLatin1(c.reason).replace(QStringLiteral("HOME"), home.folder())))
            << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
        EXPECT_EQ(home.contents(), before);
        EXPECT_EQ(contentOf(home.ini()).toStdString(), iniBefore.toStdString());
    }
}
