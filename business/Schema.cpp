#include "business/Schema.h"

#include <QFile>
#include <QRegularExpression>

namespace zorbel::schema {
namespace {

QString resource(const QString& name) {
    QFile file(QStringLiteral(":/zorbel/schema/") + name);
    if (!file.open(QIODevice::ReadOnly))
        throw data::Error(data::kStatementFailed, QStringLiteral("The schema file %1 is missing").arg(name));
    return QString::fromUtf8(file.readAll());
}

QString tablesScript(data::Engine engine) {
    return resource(engine == data::Engine::PostgreSQL ? QStringLiteral("postgresql.sql")
                                                       : QStringLiteral("sqlite.sql"));
}

} // namespace

QStringList tables() {
    static const QStringList names = [] {
        QStringList found;
        static const QRegularExpression create(QStringLiteral("CREATE TABLE (\\w+)"));
        auto it = create.globalMatch(resource(QStringLiteral("sqlite.sql")));
        while (it.hasNext())
            found << it.next().captured(1);
        return found;
    }();
    return names;
}

bool exists(data::Connection& connection) {
    try {
        connection.query({QStringLiteral("SELECT COUNT(*) FROM ZORBEL_CONFIGURATION"), {}});
        return true;
    } catch (const data::Error&) {
        return false;
    }
}

bool ensure(data::Connection& connection) {
    if (exists(connection))
        return false;
    // One script, so that the tables never stand without their look-up rows.
    connection.executeScript(tablesScript(connection.engine()) + u'\n' + resource(QStringLiteral("seed.sql")));
    return true;
}

void drop(data::Connection& connection) {
    const QStringList names = tables();
    for (auto it = names.crbegin(); it != names.crend(); ++it) {
        try {
            connection.execute({QStringLiteral("DROP TABLE ") + *it, {}});
        } catch (const data::Error&) {
            // not there: nothing to drop
        }
    }
}

} // namespace zorbel::schema
