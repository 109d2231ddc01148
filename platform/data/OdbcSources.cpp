#include "platform/data/OdbcSources.h"

#include <sql.h>
#include <sqlext.h>

#include <memory>

namespace zorbel::data {
namespace {

struct EnvDeleter {
    void operator()(void* env) const { SQLFreeHandle(SQL_HANDLE_ENV, env); }
};
using EnvHandle = std::unique_ptr<void, EnvDeleter>;

EnvHandle openEnvironment() {
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        return {};
    EnvHandle handle(env);
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    return handle;
}

template <typename Visit>
void forEachSource(Visit visit) {
    EnvHandle env = openEnvironment();
    if (!env)
        return;
    SQLCHAR name[SQL_MAX_DSN_LENGTH + 1];
    SQLCHAR driver[256];
    SQLSMALLINT nameLen = 0;
    SQLSMALLINT driverLen = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(SQLDataSources(env.get(), direction, name, sizeof name, &nameLen, driver,
                                        sizeof driver, &driverLen))) {
        direction = SQL_FETCH_NEXT;
        if (visit(QString::fromUtf8(reinterpret_cast<const char*>(name)),
                  QString::fromUtf8(reinterpret_cast<const char*>(driver))))
            return;
    }
}

} // namespace

QStringList odbcDataSources() {
    QStringList names;
    forEachSource([&](const QString& name, const QString&) {
        names << name;
        return false;
    });
    return names;
}

bool odbcDataSourceExists(const QString& dataSource) {
    bool found = false;
    forEachSource([&](const QString& name, const QString&) {
        found = name.compare(dataSource, Qt::CaseInsensitive) == 0;
        return found;
    });
    return found;
}

QString odbcDriverOf(const QString& dataSource) {
    QString found;
    forEachSource([&](const QString& name, const QString& driver) {
        if (name.compare(dataSource, Qt::CaseInsensitive) != 0)
            return false;
        found = driver;
        return true;
    });
    return found;
}

} // namespace zorbel::data
