// zorbel-setup: prepares a data source for Zorbel. Creates the tables and the
// look-up rows where they are missing, and the first administrator where there
// is no account. With no data source of the name, it registers one on an
// embedded SQLite file in the user's data folder.

#include "DataSource.h"
#include "FirstAdministrator.h"

#include "business/Schema.h"
#include "business/ZorbelClass.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdio>

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
    parser.addOptions({dsnOption, adminOption, fileOption});
    parser.process(app);

    const QString dsn = parser.value(dsnOption);
    try {
        QString file = parser.value(fileOption);
        if (file.isEmpty())
            file = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/zorbel5.db");
        if (zorbel::setup::registerSqliteDataSource(dsn, file))
            std::printf("Registered ODBC data source \"%s\" on %s\n", qPrintable(dsn), qPrintable(file));

        zorbel::ZorbelClass zorbel([](const QString& text, int, const QString&) {
            std::fprintf(stderr, "%s\n", qPrintable(text));
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
        std::fprintf(stderr, "zorbel-setup: %s (%d)\n", qPrintable(e.description()), e.number());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zorbel-setup: %s\n", e.what());
        return 1;
    }
    return 0;
}
