#include "bench/reliability/Reliability.h"

#include "business/PasswordHash.h"
#include "business/Schema.h"
#include "business/ZorbelClass.h"
#include "platform/data/DatabaseFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace zorbel::bench {

int runLogOnTiming(int logOns) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("logon.db"));
    data::createDatabaseFile(file);
    QFile ini(dir.filePath(QStringLiteral("odbc.ini")));
    if (!ini.open(QIODevice::WriteOnly))
        return 1;
    ini.write("[ZorbelLogOnBench]\nDriver=SQLite3\nDatabase=" + QFile::encodeName(file) + "\n");
    ini.close();
    qputenv("ODBCINI", QFile::encodeName(ini.fileName()));

    ZorbelClass zorbel;
    zorbel.ConnectDSN(QStringLiteral("Data Source=ZorbelLogOnBench;User ID=;Mode=ReadWrite"));
    schema::ensure(*zorbel.connection());
    zorbel.connection()->execute({QStringLiteral("INSERT INTO ZORBEL_MULTI_USER_TABLE (UserID, UserName, Password, "
                                                 "FullName, ProjectCreator, Administrator) VALUES (1,?,?,?,0,0)"),
                                  {QStringLiteral("known"), password::hash(QStringLiteral("Right-1")),
                                   QStringLiteral("Known User")}});

    // The median of the log-ons of each name, taken by turns so that load elsewhere falls on both.
    std::vector<double> known;
    std::vector<double> unknown;
    QElapsedTimer timer;
    for (int i = 0; i < logOns; ++i) {
        for (const auto& [name, times] : {std::pair{"known", &known}, std::pair{"nobody", &unknown}}) {
            timer.start();
            zorbel.UserLogOn(QString::fromLatin1(name), QStringLiteral("Wrong-1"));
            times->push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    const auto median = [](std::vector<double>& v) {
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
        return v[v.size() / 2];
    };
    std::printf("log-on with a wrong password, median of %d: known name %.1f ms, unknown name %.1f ms\n", logOns,
                median(known), median(unknown));
    return 0;
}

} // namespace zorbel::bench
