#pragma once

#include <QString>

namespace zorbel {

// The first `width` characters of a text (not UTF-16 units: a character
// outside the basic plane is never split, and a lone surrogate counts as one).
QString cutToCharacters(const QString& text, int width);

} // namespace zorbel
