#include "platform/ui/DateText.h"

#include <QLocale>
#include <QRegularExpression>

#include <vector>

namespace zorbel::ui {

namespace {

enum class Kind {
    Literal,
    Day, Day2, DayShort, DayLong,
    Month, Month2, MonthShort, MonthLong,
    DayOfYear, Year2, Year4,
    Hour, Hour2, Minute, Minute2, Second, Second2,
    AmPm,
};

enum class Marker { Upper, Lower, UpperLetter, LowerLetter, Locale };

struct Token {
    Token(Kind k, QString t = QString(), Marker m = Marker::Upper) : kind(k), text(std::move(t)), marker(m) {}
    Kind kind;
    QString text;  // Literal
    Marker marker; // AmPm
};
using Tokens = std::vector<Token>;

bool isTimeKind(Kind k)
{
    return k == Kind::Hour || k == Kind::Hour2 || k == Kind::Minute || k == Kind::Minute2
           || k == Kind::Second || k == Kind::Second2 || k == Kind::AmPm;
}

bool isDateKind(Kind k) { return k != Kind::Literal && !isTimeKind(k); }

// ---------------------------------------------------------------------------
// Named formats

// Converts a Qt date/time format (the locale's) to the classic notation.
QString classicFromQt(const QString &qt, bool fourDigitYear)
{
    QString out;
    QString literal;
    auto flushLiteral = [&] {
        if (literal.isEmpty())
            return;
        bool hasLetter = false;
        for (QChar c : literal)
            hasLetter = hasLetter || c.isLetter();
        out += hasLetter ? QLatin1Char('"') + literal + QLatin1Char('"') : literal;
        literal.clear();
    };
    for (qsizetype i = 0; i < qt.size();) {
        const QChar c = qt.at(i);
        if (c == QLatin1Char('\'')) {
            const qsizetype end = qt.indexOf(QLatin1Char('\''), i + 1);
            if (end == i + 1) { // '' is a quote character
                literal += QLatin1Char('\'');
                i += 2;
                continue;
            }
            literal += qt.mid(i + 1, end < 0 ? -1 : end - i - 1);
            i = end < 0 ? qt.size() : end + 1;
            continue;
        }
        qsizetype n = 1;
        while (i + n < qt.size() && qt.at(i + n) == c)
            ++n;
        const char a = c.toLatin1();
        if (qt.mid(i, 2).compare(QLatin1String("ap"), Qt::CaseInsensitive) == 0) {
            flushLiteral();
            out += qt.at(i).isUpper() ? QStringLiteral("AM/PM") : QStringLiteral("am/pm");
            i += 2;
            continue;
        }
        switch (a) {
        case 'd': flushLiteral(); out += QString(qMin<qsizetype>(n, 4), QLatin1Char('d')); break;
        case 'M': flushLiteral(); out += QString(qMin<qsizetype>(n, 4), QLatin1Char('m')); break;
        case 'y':
            flushLiteral();
            out += (n >= 4 || fourDigitYear) ? QStringLiteral("yyyy") : QStringLiteral("yy");
            break;
        case 'h': case 'H': flushLiteral(); out += n >= 2 ? QStringLiteral("hh") : QStringLiteral("h"); break;
        case 'm': flushLiteral(); out += n >= 2 ? QStringLiteral("nn") : QStringLiteral("n"); break;
        case 's': flushLiteral(); out += n >= 2 ? QStringLiteral("ss") : QStringLiteral("s"); break;
        case 'A': flushLiteral(); out += QStringLiteral("AM/PM"); break;
        case 'a': flushLiteral(); out += QStringLiteral("am/pm"); break;
        case 'z': case 't': break; // milliseconds and time zones are not shown
        default: literal += QString(n, c); break;
        }
        i += n;
    }
    flushLiteral();
    return out.trimmed();
}

QString shortDatePattern(const QLocale &l)
{
    return classicFromQt(l.dateFormat(QLocale::ShortFormat), true);
}

QString longTimePattern(const QLocale &l)
{
    return classicFromQt(l.timeFormat(QLocale::LongFormat), false);
}

QString expand(const QString &pattern, bool withTime)
{
    const QLocale l;
    const QString p = pattern.trimmed();
    auto is = [&p](const char *name) { return p.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; };
    if (p.isEmpty() || is("General Date"))
        return withTime ? shortDatePattern(l) + QLatin1Char(' ') + longTimePattern(l) : shortDatePattern(l);
    if (is("Long Date"))
        return classicFromQt(l.dateFormat(QLocale::LongFormat), true);
    if (is("Medium Date"))
        return QStringLiteral("dd-mmm-yy");
    if (is("Short Date"))
        return shortDatePattern(l);
    if (is("Long Time"))
        return longTimePattern(l);
    if (is("Medium Time"))
        return QStringLiteral("hh:nn AM/PM");
    if (is("Short Time"))
        return QStringLiteral("hh:nn");
    return pattern;
}

bool isGeneral(const QString &pattern)
{
    const QString p = pattern.trimmed();
    return p.isEmpty() || p.compare(QLatin1String("General Date"), Qt::CaseInsensitive) == 0;
}

// ---------------------------------------------------------------------------
// Tokenizer

void addLiteral(Tokens &tokens, const QString &text)
{
    if (!tokens.empty() && tokens.back().kind == Kind::Literal)
        tokens.back().text += text;
    else
        tokens.push_back({Kind::Literal, text});
}

Tokens tokenize(const QString &pattern, int depth = 0)
{
    Tokens tokens;
    const qsizetype size = pattern.size();
    for (qsizetype i = 0; i < size;) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('"')) {
            const qsizetype end = pattern.indexOf(QLatin1Char('"'), i + 1);
            addLiteral(tokens, pattern.mid(i + 1, end < 0 ? -1 : end - i - 1));
            i = end < 0 ? size : end + 1;
            continue;
        }
        if (c == QLatin1Char('\\')) {
            if (i + 1 < size)
                addLiteral(tokens, pattern.at(i + 1));
            i += 2;
            continue;
        }
        auto at = [&](const char *s) {
            return pattern.mid(i, qsizetype(qstrlen(s))).compare(QLatin1String(s), Qt::CaseInsensitive) == 0;
        };
        if (at("am/pm") || at("a/p") || at("ampm")) {
            const qsizetype len = at("am/pm") ? 5 : at("a/p") ? 3 : 4;
            Marker m = Marker::Locale;
            if (len == 5)
                m = c.isUpper() ? Marker::Upper : Marker::Lower;
            else if (len == 3)
                m = c.isUpper() ? Marker::UpperLetter : Marker::LowerLetter;
            tokens.push_back({Kind::AmPm, QString(), m});
            i += len;
            continue;
        }
        const QChar lower = c.toLower();
        qsizetype n = 1;
        while (i + n < size && pattern.at(i + n).toLower() == lower)
            ++n;
        switch (lower.toLatin1()) {
        case 'd':
            if (n >= 5 && depth == 0) {
                const QLocale l;
                const QString sub = n == 5 ? shortDatePattern(l) : classicFromQt(l.dateFormat(QLocale::LongFormat), true);
                for (const Token &t : tokenize(sub, depth + 1))
                    t.kind == Kind::Literal ? addLiteral(tokens, t.text) : tokens.push_back(t);
            } else {
                static const Kind days[] = {Kind::Day, Kind::Day2, Kind::DayShort, Kind::DayLong};
                tokens.push_back({days[qMin<qsizetype>(n, 4) - 1]});
            }
            break;
        case 'm': {
            static const Kind months[] = {Kind::Month, Kind::Month2, Kind::MonthShort, Kind::MonthLong};
            tokens.push_back({months[qMin<qsizetype>(n, 4) - 1]});
            break;
        }
        case 'y': tokens.push_back({n == 1 ? Kind::DayOfYear : n >= 4 ? Kind::Year4 : Kind::Year2}); break;
        case 'h': tokens.push_back({n == 1 ? Kind::Hour : Kind::Hour2}); break;
        case 'n': tokens.push_back({n == 1 ? Kind::Minute : Kind::Minute2}); break;
        case 's': tokens.push_back({n == 1 ? Kind::Second : Kind::Second2}); break;
        default: addLiteral(tokens, QString(n, c)); break;
        }
        i += n;
    }
    // m and mm next to an hour or a seconds token are minutes.
    for (size_t k = 0; k < tokens.size(); ++k) {
        Token &t = tokens[k];
        if (t.kind != Kind::Month && t.kind != Kind::Month2)
            continue;
        Kind before = Kind::Literal, after = Kind::Literal;
        for (size_t j = k; j-- > 0;)
            if (tokens[j].kind != Kind::Literal) { before = tokens[j].kind; break; }
        for (size_t j = k + 1; j < tokens.size(); ++j)
            if (tokens[j].kind != Kind::Literal) { after = tokens[j].kind; break; }
        if (before == Kind::Hour || before == Kind::Hour2 || after == Kind::Second || after == Kind::Second2)
            t.kind = t.kind == Kind::Month ? Kind::Minute : Kind::Minute2;
    }
    return tokens;
}

bool hasKind(const Tokens &tokens, Kind k)
{
    for (const Token &t : tokens)
        if (t.kind == k)
            return true;
    return false;
}

// ---------------------------------------------------------------------------
// Formatting

// Digits written straight into the text: a grid column formats thousands of
// dates, and building a number string per field doubled the cost of each.
void appendNumber(QString &out, int v, int width)
{
    char digits[12];
    int n = 0;
    do {
        digits[n++] = char('0' + v % 10);
        v /= 10;
    } while (v > 0 && n < 12);
    for (int pad = width - n; pad > 0; --pad)
        out += QLatin1Char('0');
    while (n > 0)
        out += QLatin1Char(digits[--n]);
}

QString marker(const Token &t, bool pm, const QLocale &l)
{
    switch (t.marker) {
    case Marker::Upper: return pm ? QStringLiteral("PM") : QStringLiteral("AM");
    case Marker::Lower: return pm ? QStringLiteral("pm") : QStringLiteral("am");
    case Marker::UpperLetter: return pm ? QStringLiteral("P") : QStringLiteral("A");
    case Marker::LowerLetter: return pm ? QStringLiteral("p") : QStringLiteral("a");
    case Marker::Locale: return pm ? l.pmText() : l.amText();
    }
    return QString();
}

QString formatTokens(const Tokens &tokens, const QDateTime &value, const QLocale &l)
{
    const QDate d = value.date();
    const QTime t = value.time();
    const bool twelve = hasKind(tokens, Kind::AmPm);
    const int hour = twelve ? (t.hour() % 12 == 0 ? 12 : t.hour() % 12) : t.hour();
    QString out;
    out.reserve(24);
    for (const Token &tok : tokens) {
        switch (tok.kind) {
        case Kind::Literal: out += tok.text; break;
        case Kind::Day: appendNumber(out, d.day(), 1); break;
        case Kind::Day2: appendNumber(out, d.day(), 2); break;
        case Kind::DayShort: out += l.dayName(d.dayOfWeek(), QLocale::ShortFormat); break;
        case Kind::DayLong: out += l.dayName(d.dayOfWeek(), QLocale::LongFormat); break;
        case Kind::Month: appendNumber(out, d.month(), 1); break;
        case Kind::Month2: appendNumber(out, d.month(), 2); break;
        case Kind::MonthShort: out += l.monthName(d.month(), QLocale::ShortFormat); break;
        case Kind::MonthLong: out += l.monthName(d.month(), QLocale::LongFormat); break;
        case Kind::DayOfYear: appendNumber(out, d.dayOfYear(), 1); break;
        case Kind::Year2: appendNumber(out, ((d.year() % 100) + 100) % 100, 2); break;
        case Kind::Year4:
            if (d.year() >= 0)
                appendNumber(out, d.year(), 4);
            else
                out += QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
            break;
        case Kind::Hour: appendNumber(out, hour, 1); break;
        case Kind::Hour2: appendNumber(out, hour, 2); break;
        case Kind::Minute: appendNumber(out, t.minute(), 1); break;
        case Kind::Minute2: appendNumber(out, t.minute(), 2); break;
        case Kind::Second: appendNumber(out, t.second(), 1); break;
        case Kind::Second2: appendNumber(out, t.second(), 2); break;
        case Kind::AmPm: out += marker(tok, t.hour() >= 12, l); break;
        }
    }
    return out;
}

// ---------------------------------------------------------------------------
// Parsing

int expandYear(int year, int digits)
{
    if (digits > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

QDate zeroDate() { return QDate(1899, 12, 30); }

class Reader {
public:
    explicit Reader(const QString &text) : m_text(text) {}

    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }
    bool atEnd() const { return m_pos >= m_text.size(); }
    qsizetype pos() const { return m_pos; }
    QString rest() const { return m_text.mid(m_pos); }

    // Reads 1 to maxDigits digits; -1 when there is none.
    int number(int maxDigits, int *digits = nullptr)
    {
        skipBlanks();
        int v = 0, n = 0;
        while (n < maxDigits && m_pos < m_text.size() && m_text.at(m_pos).isDigit()) {
            v = v * 10 + m_text.at(m_pos).digitValue();
            ++m_pos;
            ++n;
        }
        if (digits)
            *digits = n;
        return n ? v : -1;
    }

    QString word()
    {
        skipBlanks();
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && m_text.at(m_pos).isLetter())
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

    bool peekLetter()
    {
        skipBlanks();
        return m_pos < m_text.size() && m_text.at(m_pos).isLetter();
    }

    // Separators are matched loosely: any punctuation stands for any other,
    // and may be left out; letters must match.
    bool literal(const QString &lit)
    {
        for (QChar c : lit) {
            if (c.isSpace()) {
                skipBlanks();
            } else if (c.isLetterOrNumber()) {
                skipBlanks();
                if (m_pos >= m_text.size() || m_text.at(m_pos).toLower() != c.toLower())
                    return false;
                ++m_pos;
            } else {
                skipBlanks();
                if (m_pos < m_text.size() && !m_text.at(m_pos).isLetterOrNumber() && !m_text.at(m_pos).isSpace())
                    ++m_pos;
            }
        }
        return true;
    }

private:
    const QString &m_text;
    qsizetype m_pos = 0;
};

QString bare(QString name)
{
    name.remove(QLatin1Char('.'));
    return name.toLower();
}

int monthFromName(const QString &word)
{
    if (word.isEmpty())
        return -1;
    const QLocale locales[] = {QLocale(), QLocale::c()};
    const QString w = word.toLower();
    for (const QLocale &l : locales)
        for (int m = 1; m <= 12; ++m)
            for (auto f : {QLocale::LongFormat, QLocale::ShortFormat})
                if (bare(l.monthName(m, f)) == w || bare(l.standaloneMonthName(m, f)) == w)
                    return m;
    return -1;
}

bool isDayName(const QString &word)
{
    const QLocale locales[] = {QLocale(), QLocale::c()};
    const QString w = word.toLower();
    for (const QLocale &l : locales)
        for (int d = 1; d <= 7; ++d)
            for (auto f : {QLocale::LongFormat, QLocale::ShortFormat})
                if (bare(l.dayName(d, f)) == w || bare(l.standaloneDayName(d, f)) == w)
                    return true;
    return false;
}

// -1 none, 0 am, 1 pm
int readMarker(Reader &r)
{
    if (!r.peekLetter())
        return -1;
    const QString w = r.word().toLower();
    const QLocale l;
    if (w == QLatin1String("am") || w == QLatin1String("a") || w == l.amText().toLower())
        return 0;
    if (w == QLatin1String("pm") || w == QLatin1String("p") || w == l.pmText().toLower())
        return 1;
    return -2;
}

struct Parts {
    int year = -1, month = -1, day = -1, dayOfYear = -1;
    int hour = -1, minute = -1, second = -1, marker = -1;
};

bool readTrailingTime(const QString &rest, Parts &p)
{
    static const QRegularExpression re(
        QStringLiteral("^(\\d{1,2})(?::(\\d{1,2}))?(?::(\\d{1,2}))?\\s*([AaPp][Mm]?)?$"));
    const QRegularExpressionMatch m = re.match(rest.trimmed());
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(4).isEmpty()))
        return false;
    p.hour = m.captured(1).toInt();
    p.minute = m.captured(2).isEmpty() ? 0 : m.captured(2).toInt();
    p.second = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    if (!m.captured(4).isEmpty())
        p.marker = m.captured(4).at(0).toLower() == QLatin1Char('p') ? 1 : 0;
    return true;
}

std::optional<QDateTime> parseTokens(const QString &text, const Tokens &tokens)
{
    Reader r(text);
    Parts p;
    bool hasDate = false, ended = false;
    for (size_t k = 0; k < tokens.size(); ++k) {
        const Token &t = tokens[k];
        // Digits run straight on into the next field ("yymmdd"): a field
        // then takes only its own width.
        const bool packed = k + 1 < tokens.size() && tokens[k + 1].kind != Kind::Literal;
        hasDate = hasDate || isDateKind(t.kind);
        r.skipBlanks();
        if (r.atEnd()) {
            // A date typed without its time: the rest of the pattern may only
            // be time of day.
            if (t.kind != Kind::Literal && !isTimeKind(t.kind))
                return std::nullopt;
            ended = true;
            continue;
        }
        if (ended)
            continue;
        int digits = 0;
        switch (t.kind) {
        case Kind::Literal:
            if (!r.literal(t.text))
                return std::nullopt;
            break;
        case Kind::Day: case Kind::Day2:
            if ((p.day = r.number(2)) < 0) return std::nullopt;
            break;
        case Kind::Month: case Kind::Month2: case Kind::MonthShort: case Kind::MonthLong:
            p.month = r.peekLetter() ? monthFromName(r.word()) : r.number(2);
            if (p.month < 0) return std::nullopt;
            break;
        case Kind::DayShort: case Kind::DayLong:
            if (!isDayName(r.word())) return std::nullopt;
            break;
        case Kind::DayOfYear:
            if ((p.dayOfYear = r.number(3)) < 0) return std::nullopt;
            break;
        case Kind::Year2: case Kind::Year4:
            // A four-digit year is read under a two-digit pattern too.
            if ((p.year = r.number(t.kind == Kind::Year2 && packed ? 2 : 4, &digits)) < 0) return std::nullopt;
            p.year = expandYear(p.year, digits);
            break;
        case Kind::Hour: case Kind::Hour2:
            if ((p.hour = r.number(2)) < 0) return std::nullopt;
            break;
        case Kind::Minute: case Kind::Minute2:
            if ((p.minute = r.number(2)) < 0) return std::nullopt;
            break;
        case Kind::Second: case Kind::Second2:
            if ((p.second = r.number(2)) < 0) return std::nullopt;
            break;
        case Kind::AmPm:
            if ((p.marker = readMarker(r)) == -2) return std::nullopt;
            break;
        }
    }
    r.skipBlanks();
    if (!r.atEnd()) {
        // A time of day after a date-only pattern.
        if (p.hour >= 0 || !readTrailingTime(r.rest(), p))
            return std::nullopt;
    }

    QDate date = zeroDate();
    if (hasDate) {
        if (p.year < 0)
            return std::nullopt;
        if (p.month < 0 && p.day < 0 && p.dayOfYear > 0)
            date = QDate(p.year, 1, 1).addDays(p.dayOfYear - 1);
        else
            date = QDate(p.year, p.month, p.day);
        if (!date.isValid() || (p.dayOfYear > 0 && date.dayOfYear() != p.dayOfYear))
            return std::nullopt;
    }
    int hour = qMax(p.hour, 0);
    if (p.marker >= 0) {
        if (hour < 0 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (p.marker == 1 ? 12 : 0);
    }
    const QTime time(hour, qMax(p.minute, 0), qMax(p.second, 0));
    if (!time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

std::optional<QDateTime> parseIso(const QString &text)
{
    static const QRegularExpression dateThenSpace(QStringLiteral("^(\\d{4}-\\d{2}-\\d{2}) +(\\d)"));
    QString iso = text;
    iso.replace(dateThenSpace, QStringLiteral("\\1T\\2"));
    QDateTime dt = QDateTime::fromString(iso, Qt::ISODate);
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(iso, Qt::ISODate);
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    if (!dt.isValid())
        return std::nullopt;
    return dt.toLocalTime();
}

} // namespace

QString ExpandDatePattern(const QString &pattern) { return expand(pattern, true); }

// A pattern as FormatDate reads it. The general pattern shows the time only
// when it is not midnight, so it keeps a reading with and one without.
struct DateFormatter::Compiled {
    Tokens withTime;
    Tokens dateOnly;
    bool general = false;
};

DateFormatter::DateFormatter(const QString &pattern) : m_pattern(pattern)
{
    auto compiled = std::make_shared<Compiled>();
    compiled->general = isGeneral(pattern);
    compiled->withTime = tokenize(expand(pattern, true));
    if (compiled->general)
        compiled->dateOnly = tokenize(expand(pattern, false));
    m_compiled = std::move(compiled);
}

QString DateFormatter::format(const QDateTime &value) const
{
    if (!value.isValid())
        return QString();
    const bool dateOnly = m_compiled->general && value.time() == QTime(0, 0);
    return formatTokens(dateOnly ? m_compiled->dateOnly : m_compiled->withTime, value, m_locale);
}

QString FormatDate(const QDateTime &value, const QString &pattern)
{
    if (!value.isValid())
        return QString();
    // Windows use two or three patterns at most (the configured ones and the
    // general one); the locale is part of the key because named formats and
    // names of days and months follow it. Per thread, so no lock is needed.
    constexpr size_t kKept = 8;
    thread_local std::vector<DateFormatter> kept;
    thread_local size_t nextToReplace = 0;
    const QLocale locale;
    for (const DateFormatter &f : kept)
        if (f.pattern() == pattern && f.locale() == locale)
            return f.format(value);
    DateFormatter made(pattern);
    if (kept.size() < kKept) {
        kept.push_back(made);
    } else {
        kept[nextToReplace] = made;
        nextToReplace = (nextToReplace + 1) % kKept;
    }
    return made.format(value);
}

std::optional<QDateTime> ParseDate(const QString &text, const QString &pattern)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    // The general pattern reads a date with or without its time.
    if (auto d = parseTokens(t, tokenize(expand(pattern, !isGeneral(pattern)))))
        return d;
    // ISO is the one other reading: it cannot be mistaken for a day-first or
    // month-first date. The desktop's own formats are never tried, or a date
    // that does not fit the pattern would be read the desktop's way round.
    return parseIso(t);
}

bool IsDate(const QString &text, const QString &pattern) { return ParseDate(text, pattern).has_value(); }

} // namespace zorbel::ui
