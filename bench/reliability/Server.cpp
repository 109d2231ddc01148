#include "bench/reliability/Reliability.h"

#include "platform/data/Connection.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <arpa/inet.h>
#include <csignal>
#include <cstdio>
#include <functional>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace zorbel::bench {
namespace {

const QString kServer = QStringLiteral("Data Source=ZorbelFaultBench;User ID=");
const QString kSilent = QStringLiteral("Data Source=ZorbelSilentBench;User ID=");

bool serverControl(const char* verb) {
    QProcess control;
    control.start(QStringLiteral("bash"), {QStringLiteral(ZORBEL_PG_TEST_SERVER), QString::fromLatin1(verb),
                                           qEnvironmentVariable("ZORBEL_TEST_PG_DIR")});
    return control.waitForFinished(120000) && control.exitCode() == 0;
}

// Runs a call and gives its seconds and what it reported, empty when it worked.
std::pair<double, QString> timed(const std::function<void()>& call) {
    QElapsedTimer timer;
    timer.start();
    QString report;
    try {
        call();
    } catch (const data::Error& e) {
        report = e.description();
    }
    return {timer.nsecsElapsed() / 1e9, report};
}

qint32 backendOf(data::Connection& connection) {
    return connection.query({QStringLiteral("SELECT pg_backend_pid()"), {}})->Fields(0).toInt();
}

void select(data::Connection& connection) {
    connection.query({QStringLiteral("SELECT 1"), {}});
}

void printLine(const char* fault, const std::pair<double, QString>& first, const std::pair<double, QString>& next) {
    std::printf("%-34s %9.2f  %-70s %9.2f %s\n", fault, first.first,
                qPrintable(first.second.isEmpty() ? QStringLiteral("(worked)") : first.second.left(70)), next.first,
                next.second.isEmpty() ? "" : "STILL FAILING");
    std::fflush(stdout);
}

// A listener that the kernel connects but nobody ever answers on; its port.
int silentListener(int& port) {
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener, 4);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return listener;
}

} // namespace

int runServerFaults() {
    if (qEnvironmentVariableIsEmpty("ZORBEL_TEST_PG_HOST") || qEnvironmentVariableIsEmpty("ZORBEL_TEST_PG_DIR")) {
        std::printf("server faults: no PostgreSQL test server (ZORBEL_TEST_PG_HOST, ZORBEL_TEST_PG_DIR): skipped\n");
        return 0;
    }
    int port = 0;
    const int listener = silentListener(port);
    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("odbc.ini")));
    if (!ini.open(QIODevice::WriteOnly))
        return 1;
    ini.write("[ZorbelFaultBench]\nDriver=PostgreSQL Unicode\nServername=" + qgetenv("ZORBEL_TEST_PG_HOST")
              + "\nPort=" + qgetenv("ZORBEL_TEST_PG_PORT") + "\nDatabase=postgres\nUsername=postgres\n\n"
              + "[ZorbelSilentBench]\nDriver=PostgreSQL Unicode\nServername=127.0.0.1\nPort="
              + QByteArray::number(port) + "\nDatabase=zorbel\nUsername=zorbel\n");
    ini.close();
    qputenv("ODBCINI", QFile::encodeName(ini.fileName()));

    std::printf("PostgreSQL faults with the default deadlines (connect 10 s, statement 30 s)\n");
    std::printf("%-34s %9s  %-70s %9s\n", "fault", "seconds", "what the call reported", "next call");
    data::Connection connection;
    connection.Open(kServer);
    select(connection);

    {
        const qint32 pid = backendOf(connection);
        ::kill(pid, SIGSTOP);
        const auto first = timed([&] { select(connection); });
        ::kill(pid, SIGCONT);
        printLine("a frozen backend (SIGSTOP)", first, timed([&] { select(connection); }));
    }
    {
        data::Connection admin;
        admin.Open(kServer);
        admin.query({QStringLiteral("SELECT pg_terminate_backend(?, 10000)"), {backendOf(connection)}});
        const auto first = timed([&] { select(connection); });
        printLine("a killed session", first, timed([&] { select(connection); }));
    }
    {
        serverControl("halt");
        serverControl("resume");
        const auto first = timed([&] { select(connection); });
        printLine("a restart between two calls", first, timed([&] { select(connection); }));
    }
    {
        serverControl("halt");
        const auto first = timed([&] { select(connection); });
        serverControl("resume");
        // Calls right after a failed reconnect are refused without trying the server again.
        std::this_thread::sleep_for(data::Deadlines{}.unreachable);
        printLine("a call while the server is down", first, timed([&] { select(connection); }));
    }
    {
        data::Connection silent;
        const auto first = timed([&] { silent.Open(kSilent); });
        printLine("a listener that never answers", first, {0.0, QString()});
    }
    ::close(listener);
    return 0;
}

} // namespace zorbel::bench
