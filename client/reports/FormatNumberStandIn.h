#pragma once
// STAND-IN until the program's shared number format lands in
// platform/ui/NumberText.h with this very signature; delete this file and its
// .cpp then, and include the shared header instead. It knows only the digit
// patterns the report uses ("##.###"): '#' digits without forced zeros, '0'
// forced digits, one '.'.

#include <QString>

namespace zorbel::ui {

QString FormatNumber(double value, const QString& pattern);

} // namespace zorbel::ui
