#include "platform/xlsx/TextEscape.h"

namespace zorbel::xl {

namespace {
bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// True when text[pos] starts "_xHHHH_" (either case of x, which some
// programs also read as an escape).
bool startsEscape(const QString& text, qsizetype pos)
{
    if (pos + 7 > text.size() || text[pos] != u'_' || text[pos + 6] != u'_')
        return false;
    if (text[pos + 1] != u'x' && text[pos + 1] != u'X')
        return false;
    for (qsizetype i = pos + 2; i < pos + 6; ++i)
        if (!isHexDigit(text[i]))
            return false;
    return true;
}
} // namespace

QString escapeLiteralText(const QString& text)
{
    if (!text.contains(u"_x", Qt::CaseInsensitive))
        return text;
    QString out;
    out.reserve(text.size() + 14);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (startsEscape(text, i))
            out += QStringLiteral("_x005F");
        out += text[i];
    }
    return out;
}

} // namespace zorbel::xl
