#pragma once
// Numbers as text, in the classic desktop pattern notation the windows and
// the workbooks use for scores ("##.##" on screen, "##.###" in a report).
//
// Pattern characters:
//   #   a digit place, written only when it holds a significant digit: no
//       leading zeros before the point, no trailing zeros after it
//   0   a digit place that is always written (leading or trailing zero)
//   .   the decimal point, written in the locale's separator whenever the
//       pattern has one, even with no digit on either side
// Any other character is ignored. The value is rounded to the pattern's
// last digit place, halves away from zero, after it has been read as the
// decimal number it shows to 15 significant digits (so 2.675 is 2.68 even
// though the double lies just below it). So with "##.##": 6.25 gives "6.25",
// 2.5 "2.5", 0.25 ".25", 6 "6.", 0 "."; 2.625 gives "2.63".
#include <QString>

namespace zorbel::ui {

/// The value written with the pattern under the default locale. A negative
/// value that rounds to zero loses its sign; infinities and NaN give "".
QString FormatNumber(double value, const QString &pattern);

} // namespace zorbel::ui
