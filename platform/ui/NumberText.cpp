#include "platform/ui/NumberText.h"

#include <QLocale>

#include <cmath>
#include <cstdio>

namespace zorbel::ui {

namespace {

struct Places {
    bool point = false;
    int minWhole = 0;    // '0's before the point
    int maxDecimals = 0; // '#' and '0' after the point
    int minDecimals = 0; // up to the last '0' after the point
};

Places readPattern(const QString &pattern)
{
    Places p;
    for (QChar c : pattern) {
        if (c == QLatin1Char('.')) {
            p.point = true;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (!p.point) {
                p.minWhole += c == QLatin1Char('0');
            } else {
                ++p.maxDecimals;
                if (c == QLatin1Char('0'))
                    p.minDecimals = p.maxDecimals;
            }
        }
    }
    return p;
}

// The decimal digits of |value| to 15 significant digits, as whole and
// fraction digit strings ("1234.5" -> "1234", "5"). Reading the double this
// way first is what makes 2.675 round up as the number a user sees.
void decimalDigits(double value, QString &whole, QString &fraction)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    const QString text = QString::fromLatin1(buffer); // d.dddddddddddddde+XX
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    const QString digits = text.left(1) + text.mid(2, e - 2);
    const int exponent = text.mid(e + 1).toInt();
    const int wholeCount = exponent + 1; // digits before the point
    if (wholeCount <= 0) {
        whole.clear();
        fraction = QString(-wholeCount, QLatin1Char('0')) + digits;
    } else if (wholeCount >= digits.size()) {
        whole = digits + QString(wholeCount - digits.size(), QLatin1Char('0'));
        fraction.clear();
    } else {
        whole = digits.left(wholeCount);
        fraction = digits.mid(wholeCount);
    }
}

// Adds one to the last digit of a digit string, carrying left; a carry out of
// the first digit prepends a 1.
void increment(QString &digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != QLatin1Char('9')) {
            digits[i] = QChar(digits[i].unicode() + 1);
            return;
        }
        digits[i] = QLatin1Char('0');
    }
    digits.prepend(QLatin1Char('1'));
}

bool significant(const QString &digits)
{
    for (QChar c : digits)
        if (c != QLatin1Char('0'))
            return true;
    return false;
}

} // namespace

QString FormatNumber(double value, const QString &pattern)
{
    if (!std::isfinite(value))
        return QString();
    const Places places = readPattern(pattern);
    QString whole;
    QString fraction;
    decimalDigits(value, whole, fraction);

    // Round to the last digit place, halves away from zero.
    const int keep = places.maxDecimals;
    const bool up = fraction.size() > keep && fraction[keep] >= QLatin1Char('5');
    fraction.truncate(keep);
    if (up) {
        QString all = whole + fraction.leftJustified(keep, QLatin1Char('0'));
        increment(all);
        whole = all.left(all.size() - keep);
        fraction = all.right(keep);
    }

    while (fraction.size() > places.minDecimals && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    fraction = fraction.leftJustified(places.minDecimals, QLatin1Char('0'));
    while (!whole.isEmpty() && whole.front() == QLatin1Char('0'))
        whole.remove(0, 1);
    whole = whole.rightJustified(places.minWhole, QLatin1Char('0'));

    QString text = value < 0 && (significant(whole) || significant(fraction)) ? QStringLiteral("-") : QString();
    text += whole;
    if (places.point)
        text += QLocale().decimalPoint();
    text += fraction;
    return text;
}

} // namespace zorbel::ui
