#pragma once
// The connection string the program passes ("Data Source=Zorbel5;User ID=;
// Mode=ReadWrite;Password=...") read into the parts ODBC needs.

#include <QString>

namespace zorbel::data {

struct ConnectionString {
    QString dataSource; // the ODBC data source name
    QString userId;
    QString password;

    // Keys compare without regard to case; unknown keys such as Mode are ignored.
    static ConnectionString parse(const QString& text);
};

} // namespace zorbel::data
