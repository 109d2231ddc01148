#pragma once
// Dates as text, in the classic desktop pattern notation that the
// configuration row stores (g_dateFormat, g_excelDateFormat).
//
// Pattern tokens (letters are case-insensitive except in AM/PM markers):
//   d dd ddd dddd      day, two-digit day, short and long weekday name
//   ddddd dddddd       the locale's short / long date
//   m mm mmm mmmm      month, two-digit month, short and long month name;
//                      m/mm right after an hour token or right before a
//                      seconds token are minutes
//   y yy yyyy          day of the year, two-digit year, four-digit year
//   h hh  n nn  s ss   hour, minutes, seconds (one or two digits)
//   AM/PM am/pm A/P a/p AMPM   12-hour clock with that marker
//   "text" \c         literal text; any other character stands for itself
// Named formats (case-insensitive): "General Date", "Long Date",
// "Medium Date", "Short Date", "Long Time", "Medium Time", "Short Time".
// An empty pattern is "General Date": the short date, plus the time when it
// is not midnight. Locale-dependent parts use QLocale() (the default locale).
#include <QDateTime>
#include <QLocale>
#include <QString>

#include <memory>
#include <optional>

namespace zorbel::ui {

/// The date formatted with the pattern; an invalid date gives "".
/// The pattern is read once per pattern and locale and kept (a few of them,
/// per thread), so a grid column of dates does not pay for reading it again.
QString FormatDate(const QDateTime &value, const QString &pattern);

/// A pattern read once, for code that formats many dates with one pattern.
/// Gives what FormatDate gives under the default locale of the moment it was
/// made. Cheap to copy.
class DateFormatter {
public:
    explicit DateFormatter(const QString &pattern = QString());

    QString format(const QDateTime &value) const;
    const QString &pattern() const { return m_pattern; }
    /// The default locale it was made under.
    const QLocale &locale() const { return m_locale; }

private:
    struct Compiled;
    QString m_pattern;
    QLocale m_locale;
    std::shared_ptr<const Compiled> m_compiled;
};

/// Reads a date typed by a user or written by FormatDate: in the pattern, or
/// in ISO 8601 (yyyy-mm-dd), and in no other form, so that a date is never
/// read the desktop's way round. Leading and trailing blanks are ignored; a
/// time of day may follow the date.
/// Two-digit years: 00-29 are 2000-2029, 30-99 are 1930-1999. A pattern with
/// only a time gives that time on 30 December 1899 (the zero date). Empty
/// text, text that is not a date, or an impossible date (31/02) give nullopt.
std::optional<QDateTime> ParseDate(const QString &text, const QString &pattern = QString());

/// True when ParseDate would read the text.
bool IsDate(const QString &text, const QString &pattern = QString());

/// The classic pattern that a named format (or "") stands for under the
/// current locale; any other pattern is returned unchanged.
QString ExpandDatePattern(const QString &pattern);

} // namespace zorbel::ui
