#pragma once
// Values as both engines keep them. A value that one engine would store and
// the other refuse, or that one would change on the way in or out, is dealt
// with here, so that a record reads the same whichever engine holds it.

#include <QString>
#include <QVariantList>

namespace zorbel::data {

// Throws Error(kStatementFailed) for the first value that the engines do not
// share: a date before the year 1 or after 9999 (SQLite would keep it as a
// text that never reads back as a date, PostgreSQL refuses some of them) and a
// number that is not finite (SQLite would store a null).
void requireStorableValues(const QVariantList& values);

// A double as it is bound: a negative zero as zero, which is what SQLite
// makes of it anyway.
inline double boundDouble(double value) {
    return value == 0.0 ? 0.0 : value;
}

// A stored text decoded from UTF-8 with every character it holds: Qt's own
// decoding drops a leading byte-order mark, so an edit would remove it.
QString textFromUtf8(const char* bytes, qsizetype size);

} // namespace zorbel::data
