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

QString CheckString(const QString& text) {
    QString result = text;
    for (qsizetype p = result.indexOf(u'\''); p >= 0; p = result.indexOf(u'\''))
        result = RemoveChar(static_cast<qint32>(p + 1), result);
    // A NUL would end the text early in one engine and be refused by the other:
    // it goes the way of the apostrophe, and what follows it is kept.
    for (qsizetype p = result.indexOf(QChar(u'\0')); p >= 0; p = result.indexOf(QChar(u'\0')))
        result = RemoveChar(static_cast<qint32>(p + 1), result);
    return result;
}

QString RemoveChar(qint32 position, const QString& text) {
    if (position < 1 || position > text.size())
        return text;
    return text.left(position - 1) + text.mid(position);
}

QString clean(const QString& text, int width) {
    return cutToCharacters(CheckString(text), width);
}

} // namespace zorbel
