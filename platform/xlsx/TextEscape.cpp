#include "platform/xlsx/TextEscape.h"

namespace zorbel::xl {

namespace {
constexpr char16_t kReplacement = 0xFFFD;

bool isHexDigit(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// True when text[pos] starts "_xHHHH_" (either case of x, which some
// programs also read as an escape).
bool startsEscape(const char16_t* text, qsizetype size, qsizetype pos)
{
    if (pos + 7 > size || text[pos] != u'_' || text[pos + 6] != u'_')
        return false;
    if (text[pos + 1] != u'x' && text[pos + 1] != u'X')
        return false;
    for (qsizetype i = pos + 2; i < pos + 6; ++i)
        if (!isHexDigit(text[i]))
            return false;
    return true;
}

// The file writer escapes the other control characters itself, as "_xHHHH_",
// but a NUL would end the text it is handed.
bool isEscapedControl(char16_t c) { return c == 0; }

// Surrogates and the two noncharacters at the top of the plane: the only
// characters of those ranges that need a second look.
bool isSurrogateOrTop(char16_t c) { return (c >= 0xD800 && c < 0xE000) || c >= 0xFFFE; }

// At a surrogate or a top character: how many units stand whole (2 for a
// pair), or 0 when the unit is one XML cannot hold.
qsizetype wholeUnitsAt(const char16_t* text, qsizetype size, qsizetype pos)
{
    const char16_t c = text[pos];
    if (c >= 0xFFFE)
        return 0;
    if (c < 0xDC00 && pos + 1 < size && text[pos + 1] >= 0xDC00 && text[pos + 1] < 0xE000)
        return 2;
    return 0;
}

void appendEscape(QString& out, char16_t c)
{
    static const char16_t kHex[] = u"0123456789ABCDEF";
    const char16_t escape[] = {u'_', u'x', kHex[(c >> 12) & 0xF], kHex[(c >> 8) & 0xF], kHex[(c >> 4) & 0xF],
                               kHex[c & 0xF], u'_'};
    out.append(reinterpret_cast<const QChar*>(escape), 7);
}
} // namespace

QString escapeCellText(const QString& text)
{
    const auto* data = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype size = text.size();
    // Most texts need nothing: find the first character that does.
    qsizetype first = 0;
    for (; first < size; ++first) {
        const char16_t c = data[first];
        if (c >= 0x20 && c != u'_' && c < 0xD800)
            continue;  // the plain characters nearly every text is made of
        if (isEscapedControl(c) || (c == u'_' && startsEscape(data, size, first)))
            break;
        if (isSurrogateOrTop(c)) {
            if (wholeUnitsAt(data, size, first) == 0)
                break;
            ++first;
        }
    }
    if (first == size)
        return text;

    QString out;
    out.reserve(size + 16);
    out.append(text.constData(), first);
    for (qsizetype i = first; i < size; ++i) {
        const char16_t c = data[i];
        if (isEscapedControl(c)) {
            appendEscape(out, c);
        } else if (c == u'_' && startsEscape(data, size, i)) {
            appendEscape(out, u'_');  // the underscore itself, escaped
        } else if (isSurrogateOrTop(c)) {
            if (wholeUnitsAt(data, size, i) == 2) {
                out.append(text.constData() + i, 2);
                ++i;
            } else {
                out.append(QChar(kReplacement));
            }
        } else {
            out.append(QChar(c));
        }
    }
    return out;
}

qsizetype fileWriterLength(const QString& text)
{
    const QString handed = escapeCellText(text);
    qsizetype length = handed.size();
    for (QChar c : handed)
        length -= c.isLowSurrogate();  // only whole pairs are left: each low half ends one
    return length;
}

QString xmlSafeText(const QString& text)
{
    const auto* data = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype size = text.size();
    QString out;
    for (qsizetype i = 0; i < size; ++i) {
        if (!isSurrogateOrTop(data[i]))
            continue;
        if (wholeUnitsAt(data, size, i) == 2) {
            ++i;
            continue;
        }
        if (out.isNull())
            out = QString(text.constData(), size);
        out[i] = QChar(kReplacement);
    }
    return out.isNull() ? text : out;
}

} // namespace zorbel::xl
