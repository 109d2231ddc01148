#pragma once
// A database value or a grid cell read as a whole number the way every
// window reads ids, levels, statuses and flags.

#include <QString>
#include <QVariant>
#include <optional>

namespace zorbel::shell {

// Whole 16-bit number of a value, or fallback when it is null, empty or not one.
qint16 int16Of(const QVariant& value, qint16 fallback = 0);

// A number typed in a box, read in the locale and then in the plain notation
// (blanks around it allowed); nothing for empty text or text that is no
// finite number.
std::optional<double> decimalOf(const QString& text);

} // namespace zorbel::shell
