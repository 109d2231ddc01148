#pragma once
// Dates as both engines store them: the wall-clock text "yyyy-MM-dd hh:mm:ss.zzz",
// without a zone, so that a database file written by any earlier version reads
// back unchanged and a date means the same on every desk.

#include <QByteArray>
#include <QDateTime>
#include <optional>
#include <string_view>

namespace zorbel::data {

// The date and time as written, milliseconds included; the zone is not converted.
QByteArray wallClockText(const QDateTime& value);

// Reads "yyyy-MM-dd", "yyyy-MM-dd hh:mm", "yyyy-MM-dd hh:mm:ss" and any number of
// second fractions (a 'T' may stand for the blank) as a local date and time.
// Anything else (a zone, a year before 1 or after 9999, letters) gives nothing,
// so the caller can hand back the text instead of a wrong date.
std::optional<QDateTime> parseWallClock(std::string_view text);

} // namespace zorbel::data
