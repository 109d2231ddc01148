#include "platform/data/WallClock.h"

namespace zorbel::data {
namespace {

char* putDigits(char* out, int value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + width;
}

// Reads exactly `width` digits at `pos`.
bool takeDigits(std::string_view text, size_t& pos, int width, int& value) {
    if (pos + static_cast<size_t>(width) > text.size())
        return false;
    value = 0;
    for (int i = 0; i < width; ++i) {
        const char c = text[pos + static_cast<size_t>(i)];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    pos += static_cast<size_t>(width);
    return true;
}

bool takeChar(std::string_view text, size_t& pos, char wanted) {
    if (pos >= text.size() || text[pos] != wanted)
        return false;
    ++pos;
    return true;
}

} // namespace

QByteArray wallClockText(const QDateTime& value) {
    const QDate d = value.date();
    const QTime t = value.time();
    if (d.year() < 1 || d.year() > 9999)
        return value.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")).toLatin1();
    QByteArray text(23, Qt::Uninitialized);
    char* out = text.data();
    out = putDigits(out, d.year(), 4);
    *out++ = '-';
    out = putDigits(out, d.month(), 2);
    *out++ = '-';
    out = putDigits(out, d.day(), 2);
    *out++ = ' ';
    out = putDigits(out, t.hour(), 2);
    *out++ = ':';
    out = putDigits(out, t.minute(), 2);
    *out++ = ':';
    out = putDigits(out, t.second(), 2);
    *out++ = '.';
    putDigits(out, t.msec(), 3);
    return text;
}

std::optional<QDateTime> parseWallClock(std::string_view text) {
    size_t pos = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    if (!takeDigits(text, pos, 4, year) || !takeChar(text, pos, '-') || !takeDigits(text, pos, 2, month)
        || !takeChar(text, pos, '-') || !takeDigits(text, pos, 2, day))
        return std::nullopt;
    if (pos < text.size()) {
        if (text[pos] != ' ' && text[pos] != 'T')
            return std::nullopt;
        ++pos;
        if (!takeDigits(text, pos, 2, hour) || !takeChar(text, pos, ':') || !takeDigits(text, pos, 2, minute))
            return std::nullopt;
        if (takeChar(text, pos, ':')) {
            if (!takeDigits(text, pos, 2, second))
                return std::nullopt;
            if (takeChar(text, pos, '.')) {
                // Milliseconds are what a date holds; further digits are dropped, not rounded.
                int scale = 100;
                const size_t first = pos;
                for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos, scale /= 10)
                    msec += scale * (text[pos] - '0');
                if (pos == first)
                    return std::nullopt;
            }
        }
        if (pos != text.size())
            return std::nullopt;
    }
    const QDate date(year, month, day);
    const QTime time(hour, minute, second, msec);
    if (year < 1 || !date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

} // namespace zorbel::data
