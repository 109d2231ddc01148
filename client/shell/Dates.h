#pragma once
// Dates on the client side: the one formatter and the one parser of the
// configured pattern (g_dateFormat), the one reading of a database value or a
// grid cell as a date, and what a date box's text means.

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

namespace zorbel::shell {

// A date written with the configured pattern; "" for an invalid date (no date).
QString FormatShown(const QDateTime& value);
// Text read with the configured pattern, or as ISO (yyyy-mm-dd); nothing
// when empty or not a date. Never in the desktop's own formats.
std::optional<QDateTime> ParseShown(const QString& text);

// Whether `a` falls on an earlier calendar day than `b`; false when either is
// no date. Work is planned in days: a start typed as the project's first day
// is not before a project start stored with its time of day, and an end on
// its start's own day is not before it.
bool dayBefore(const QDateTime& a, const QDateTime& b);

// A database value as a date: a native date, ISO text, the stored form
// "yyyy-MM-dd hh:mm:ss" that grids keep in hidden columns, or text in the
// configured pattern. Nothing for a null or a value that is not a date.
std::optional<QDateTime> dateOf(const QVariant& value);

// What a date box holds.
struct DateInput {
    enum Kind { Empty, Valid, Invalid } kind = Empty;
    QDateTime value;
};
// Reads a box's text with the configured pattern. While the text is still what
// was shown for the stored value, the stored value itself comes back, time of
// day included: showing a date must not change it.
DateInput readDateText(const QString& text, const QString& shownText, const std::optional<QDateTime>& stored);

} // namespace zorbel::shell
