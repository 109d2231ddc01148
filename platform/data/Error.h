#pragma once
// An error as the data and business layers report it: a number and a text.

#include <QString>
#include <stdexcept>

namespace zorbel::data {

class Error : public std::runtime_error {
public:
    Error(qint32 number, const QString& description)
        : std::runtime_error(description.toStdString()), m_number(number), m_description(description) {}

    qint32 number() const { return m_number; }
    const QString& description() const { return m_description; }

private:
    qint32 m_number;
    QString m_description;
};

// Error numbers, as the callers tell failures apart.
// The data source is not known to the driver manager (the log-in reads it as
// "ODBC has not been set up").
inline constexpr qint32 kDataSourceNotFound = -2147467259;
// The data source is known but could not be opened (server down, refused, ...).
inline constexpr qint32 kConnectionFailed = -2147217843;
// A statement failed, or ran on a connection that is not open.
inline constexpr qint32 kStatementFailed = -2147217900;

} // namespace zorbel::data
