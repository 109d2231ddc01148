#pragma once
// What the ODBC driver manager knows, asked directly: Qt's driver reports a
// failed open only as text, and "no such data source" must be told apart.

#include <QString>
#include <QStringList>

namespace zorbel::data {

// Names of the data sources the driver manager can see (user and system).
QStringList odbcDataSources();
bool odbcDataSourceExists(const QString& name);
// Name of the ODBC driver a data source uses, empty when unknown.
QString odbcDriverOf(const QString& dataSource);

} // namespace zorbel::data
