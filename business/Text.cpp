#include "business/Text.h"

namespace zorbel {

QString cutToCharacters(const QString& text, int width) {
    if (width <= 0 || text.size() <= width)
        return text;
    qsizetype units = 0;
    // Only a high surrogate that a low one follows is half of a character; a
    // lone one is a character of its own, as the database counts it.
    for (int chars = 0; chars < width && units < text.size(); ++chars)
        units += (text.at(units).isHighSurrogate() && units + 1 < text.size() && text.at(units + 1).isLowSurrogate())
                     ? 2
                     : 1;
    return text.left(units);
}

QString clean(const QString& text, int width) {
    QString result = text;
    result.remove(QLatin1Char('\''));
    // A NUL would end the text early in one engine and be refused by the other:
    // it goes the way of the apostrophe, and what follows it is kept.
    result.remove(QChar(u'\0'));
    return cutToCharacters(result, width);
}

} // namespace zorbel
