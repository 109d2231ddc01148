#pragma once

#include <QString>

namespace zorbel {

// The first `width` characters of a text (not UTF-16 units: a character
// outside the basic plane is never split, and a lone surrogate counts as one).
QString cutToCharacters(const QString& text, int width);

// The text without any apostrophe or NUL character.
QString CheckString(const QString& text);
// The text without the character at a 1-based position.
QString RemoveChar(qint32 position, const QString& text);
// A text as a member stores it: CheckString, then cut to `width` characters
// (0: not cut). The windows ask it too, so that what a box predicts is
// exactly what is stored.
QString clean(const QString& text, int width);

} // namespace zorbel
