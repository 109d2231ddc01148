// zorbel-setup: prepares a data source for Zorbel. Creates the tables and the
// look-up rows where they are missing, and the first administrator where there
// is no account. With no data source of the name, it registers one on an
// embedded SQLite file in the user's data folder and makes that file; one it
// registered earlier it brings to the settings and file modes it gives a new
// one. The file of a data source that exists is made only when asked with
// --create-database: a missing one is reported, since an empty database in
// its place would pass for the office's own. The user's ini file is made its
// owner's alone: an office's data source keeps the server's password there.
// An ini file that names the data source twice is refused, since only the
// first is ever used.

#include "DataSource.h"
#include "FirstAdministrator.h"

#include "business/Schema.h"
#include "business/ZorbelClass.h"
#include "platform/data/DatabaseFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdio>

namespace {

// Every failure ends in one line that says why.
int fail(const QString& why) {
    std::fprintf(stderr, "zorbel-setup: %s\n", qPrintable(why.simplified()));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zorbel"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Prepares the Zorbel database"));
    parser.addHelpOption();
    QCommandLineOption dsnOption(QStringLiteral("dsn"), QStringLiteral("ODBC data source name"),
                                 QStringLiteral("name"), QStringLiteral("Zorbel5"));
    QCommandLineOption adminOption(QStringLiteral("admin"), QStringLiteral("user name of the first administrator"),
                                   QStringLiteral("name"), QStringLiteral("admin"));
    QCommandLineOption fileOption(QStringLiteral("database-file"),
                                  QStringLiteral("SQLite file for a new embedded data source"),
                                  QStringLiteral("path"));
    QCommandLineOption createOption(QStringLiteral("create-database"),
                                    QStringLiteral("make a new, empty database file for an embedded data source "
                                                   "whose file is missing"));
    parser.addOptions({dsnOption, adminOption, fileOption, createOption});
    parser.process(app);

    const QString dsn = parser.value(dsnOption);
    // The business layer reports a failed connection in a message and raises an error without words.
    QString lastMessage;
    try {
        if (const QString done = zorbel::setup::makeUserIniPrivate(); !done.isEmpty())
            std::printf("%s\n", qPrintable(done));
        // Before anything is registered or brought forward: an office that
        // added its server's section below the embedded one would otherwise
        // go on writing to the embedded file.
        if (const std::optional<QString> repeated = zorbel::setup::repeatedDataSource(dsn))
            return fail(*repeated);
        QString file = parser.value(fileOption);
        if (file.isEmpty())
            file = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/zorbel5.db");
        if (zorbel::setup::registerSqliteDataSource(dsn, file)) {
            std::printf("Registered ODBC data source \"%s\" on %s\n", qPrintable(dsn), qPrintable(file));
        } else {
            for (const QString& change : zorbel::setup::bringForward(dsn))
                std::printf("%s\n", qPrintable(change));
        }
        if (const std::optional<QString> missing = zorbel::setup::missingDatabaseFile(dsn)) {
            if (!parser.isSet(createOption))
                return fail(zorbel::data::databaseFileNotFound(*missing)
                            + QStringLiteral(" (the file of the data source \"%1\"; zorbel-setup --create-database "
                                             "makes a new, empty database there)")
                                  .arg(dsn));
            zorbel::data::createDatabaseFile(*missing);
            std::printf("Created an empty database file %s\n", qPrintable(*missing));
        }

        zorbel::ZorbelClass zorbel([&](const QString& text, int, const QString&) {
            lastMessage = text;
            return 1;
        });
        zorbel.ConnectDSN(QStringLiteral("Data Source=%1;User ID=;Mode=ReadWrite").arg(dsn));
        if (zorbel::schema::ensure(*zorbel.connection()))
            std::printf("Created the Zorbel tables on \"%s\"\n", qPrintable(dsn));

        QString password = qEnvironmentVariable("ZORBEL_ADMIN_PASSWORD");
        const bool generated = password.isEmpty();
        if (generated)
            password = zorbel::setup::generatePassword();
        if (auto created = zorbel::setup::ensureFirstAdministrator(*zorbel.connection(),
                                                                   parser.value(adminOption), password)) {
            std::printf("First administrator created.\n  User name: %s\n", qPrintable(created->userName));
            if (generated)
                std::printf("  Password:  %s\n  (shown once: note it now)\n", qPrintable(created->password));
            else
                std::printf("  Password:  as given in ZORBEL_ADMIN_PASSWORD\n");
        }
    } catch (const zorbel::data::Error& e) {
        if (!e.description().isEmpty())
            return fail(e.description());
        return fail(lastMessage.isEmpty() ? QStringLiteral("error %1").arg(e.number()) : lastMessage);
    } catch (const std::exception& e) {
        return fail(QString::fromLocal8Bit(e.what()));
    }
    return 0;
}
