#include "bench/reliability/Reliability.h"

#include "DataSource.h"
#include "business/Schema.h"
#include "business/ZorbelClass.h"
#include "platform/data/Connection.h"
#include "platform/data/DatabaseFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace zorbel::bench {
namespace {

// What a writer saw; a writer prints it as one line of numbers.
struct Figures {
    qint64 writes = 0;
    qint64 refusedWrites = 0;
    qint64 refusedReads = 0;
    double worstWriteMs = 0;
    double worstReadMs = 0;
    qint64 readsOverASecond = 0;

    void add(const Figures& other) {
        writes += other.writes;
        refusedWrites += other.refusedWrites;
        refusedReads += other.refusedReads;
        worstWriteMs = std::max(worstWriteMs, other.worstWriteMs);
        worstReadMs = std::max(worstReadMs, other.worstReadMs);
        readsOverASecond += other.readsOverASecond;
    }
};

struct Setting {
    const char* label;
    bool bySetup;        // registered by the set-up, else on the rollback journal with a 5 s busy timeout
    bool server = false; // the tests' private PostgreSQL server instead of a file
};

// A data source on the rollback journal with a 5 s busy timeout, the setting the set-up's own is measured against.
void registerRollbackJournal(const QString& name, const QString& file) {
    data::createDatabaseFile(file);
    QFile ini(setup::userOdbcIni());
    if (!ini.open(QIODevice::Append | QIODevice::Text))
        throw std::runtime_error("cannot write the benchmark's ODBC ini");
    ini.write(QStringLiteral("\n[%1]\nDriver=SQLite3\nDatabase=%2\nTimeout=5000\n").arg(name, file).toUtf8());
}

// The tests' private PostgreSQL server, in a database of its own made afresh.
void registerServer(const QString& name) {
    const QByteArray server = "Driver=PostgreSQL Unicode\nServername=" + qgetenv("ZORBEL_TEST_PG_HOST") + "\nPort="
                              + qgetenv("ZORBEL_TEST_PG_PORT") + "\nUsername=postgres\n";
    QFile ini(setup::userOdbcIni());
    if (!ini.open(QIODevice::Append | QIODevice::Text))
        throw std::runtime_error("cannot write the benchmark's ODBC ini");
    ini.write("\n[" + name.toUtf8() + "Admin]\n" + server + "Database=postgres\n\n[" + name.toUtf8() + "]\n" + server
              + "Database=zorbel_writers\n");
    ini.close();
    data::Connection admin;
    admin.Open(QStringLiteral("Data Source=%1Admin;User ID=").arg(name));
    if (admin.query({QStringLiteral("SELECT 1 FROM pg_database WHERE datname = 'zorbel_writers'"), {}})->RecordCount() > 0)
        admin.execute({QStringLiteral("DROP DATABASE zorbel_writers"), {}});
    admin.execute({QStringLiteral("CREATE DATABASE zorbel_writers"), {}});
}

QString connectionString(const QString& dataSource) {
    return QStringLiteral("Data Source=%1;User ID=;Mode=ReadWrite").arg(dataSource);
}

std::optional<Figures> runSetting(const WritersRun& run, const Setting& setting, int round) {
    QTemporaryDir dir((run.folder.isEmpty() ? QDir::tempPath() : run.folder) + QStringLiteral("/zorbel-writers-XXXXXX"));
    if (!dir.isValid())
        throw std::runtime_error("cannot make a folder for the database");
    qputenv("ODBCINI", QFile::encodeName(dir.filePath(QStringLiteral("odbc.ini"))));
    // A name of its own each time: the driver manager keeps what it read of an ini under a name.
    const QString name = QStringLiteral("ZorbelWriters%1%2")
                             .arg(setting.server ? "Server" : setting.bySetup ? "Setup" : "Rollback")
                             .arg(round);
    const QString file = dir.filePath(QStringLiteral("data/zorbel5.db"));
    if (setting.server)
        registerServer(name);
    else if (setting.bySetup)
        setup::registerSqliteDataSource(name, file);
    else
        registerRollbackJournal(name, file);
    {
        ZorbelClass zorbel;
        zorbel.ConnectDSN(connectionString(name));
        schema::ensure(*zorbel.connection());
    }

    QElapsedTimer timer;
    timer.start();
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int w = 0; w < run.writers; ++w) {
        writers.push_back(std::make_unique<QProcess>());
        writers.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        writers.back()->start(run.program, {QStringLiteral("--writer"), name, QString::number(w),
                                            QString::number(run.writes)});
    }
    Figures all;
    for (auto& writer : writers) {
        writer->waitForFinished(-1);
        const QList<QByteArray> numbers = writer->readAllStandardOutput().trimmed().split(' ');
        if (writer->exitCode() != 0 || numbers.size() != 6)
            return std::nullopt;
        all.add({numbers[0].toLongLong(), numbers[1].toLongLong(), numbers[2].toLongLong(), numbers[3].toDouble(),
                 numbers[4].toDouble(), numbers[5].toLongLong()});
    }
    const double seconds = timer.nsecsElapsed() / 1e9;

    ZorbelClass check;
    check.ConnectDSN(connectionString(name));
    const qint64 kept =
        check.connection()->query({QStringLiteral("SELECT COUNT(*) FROM ZORBEL_TEAM_TABLE"), {}})->Fields(0).toLongLong();
    std::printf("%-44s %7lld %8lld %8lld %10.2f %10.2f %9lld %8.1f%s\n", setting.label, all.writes, all.refusedWrites,
                all.refusedReads, all.worstWriteMs / 1000, all.worstReadMs / 1000, all.readsOverASecond, seconds,
                kept < all.writes - all.refusedWrites   ? "  ROWS LOST"
                : kept > all.writes - all.refusedWrites ? "  ROWS NOT REPORTED SAVED"
                                                        : "");
    std::fflush(stdout);
    if (kept != all.writes - all.refusedWrites)
        return std::nullopt;
    return all;
}

} // namespace

int runWriters(const WritersRun& run) {
    std::printf("%d writers, %d writes each (a team row added, then the status list read), each writer a process\n",
                run.writers, run.writes);
    std::printf("%-44s %7s %8s %8s %10s %10s %9s %8s\n", "data source", "writes", "refused", "reads", "worst write",
                "worst read", "reads >1s", "seconds");
    std::printf("%-44s %7s %8s %8s %10s %10s %9s %8s\n", "", "", "writes", "refused", "s", "s", "", "");
    std::vector<Setting> settings = {
        {"rollback journal, 5 s busy timeout", false},
        {"write-ahead journal, 30 s busy timeout", true},
    };
    if (!qEnvironmentVariableIsEmpty("ZORBEL_TEST_PG_HOST"))
        settings.push_back({"PostgreSQL: the tests' private server", true, true});
    int failures = 0;
    for (const Setting& setting : settings) {
        for (int round = 1; round <= run.runs; ++round) {
            const std::optional<Figures> figures = runSetting(run, setting, round);
            // Refused writes are what the rollback journal is measured for; the set-up's setting may refuse none.
            if (!figures || (setting.bySetup && (figures->refusedWrites > 0 || figures->refusedReads > 0)))
                ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

int runOneWriter(const QString& dataSource, int writer, int writes) {
    Figures mine;
    QString lastFailure;
    ZorbelClass zorbel([&](const QString& text, int, const QString&) {
        lastFailure = text;
        return 1;
    });
    zorbel.ConnectDSN(connectionString(dataSource));
    QElapsedTimer timer;
    for (int i = 0; i < writes; ++i) {
        timer.start();
        const qint16 added = zorbel.AddTeamMember(i + 1, writer + 1, QStringLiteral("Full Name"),
                                                  QStringLiteral("First"), QStringLiteral("Writer %1").arg(writer));
        mine.worstWriteMs = std::max(mine.worstWriteMs, timer.nsecsElapsed() / 1e6);
        ++mine.writes;
        mine.refusedWrites += added == 1 ? 0 : 1;

        timer.start();
        const RecordsetPtr status = zorbel.GetProjectStatus();
        const double readMs = timer.nsecsElapsed() / 1e6;
        mine.worstReadMs = std::max(mine.worstReadMs, readMs);
        mine.readsOverASecond += readMs > 1000 ? 1 : 0;
        mine.refusedReads += status ? 0 : 1;
    }
    if (!lastFailure.isEmpty())
        std::fprintf(stderr, "writer %d, last refusal: %s\n", writer, qPrintable(lastFailure));
    std::printf("%lld %lld %lld %.3f %.3f %lld\n", mine.writes, mine.refusedWrites, mine.refusedReads,
                mine.worstWriteMs, mine.worstReadMs, mine.readsOverASecond);
    return 0;
}

} // namespace zorbel::bench
