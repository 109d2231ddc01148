#pragma once
// A database value or a grid cell read as a whole number the way every
// window reads ids, levels, statuses and flags.

#include <QVariant>

namespace zorbel::shell {

// Whole 16-bit number of a value, or fallback when it is null, empty or not one.
qint16 int16Of(const QVariant& value, qint16 fallback = 0);

} // namespace zorbel::shell
