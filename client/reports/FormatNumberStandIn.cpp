#include "client/reports/FormatNumberStandIn.h"

#include <QRegularExpression>
#include <cmath>

namespace zorbel::ui {

QString FormatNumber(double value, const QString& pattern) {
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const QString wholePart = point < 0 ? pattern : pattern.left(point);
    const QString decimalPart = point < 0 ? QString() : pattern.mid(point + 1);
    const int places = int(decimalPart.size());
    const int forcedPlaces = int(decimalPart.count(QLatin1Char('0')));
    const int forcedDigits = int(wholePart.count(QLatin1Char('0')));

    QString text = QString::number(std::fabs(value), 'f', places);
    QString whole = text.section(QLatin1Char('.'), 0, 0);
    QString decimals = text.section(QLatin1Char('.'), 1);
    while (decimals.size() > forcedPlaces && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    while (whole.size() > forcedDigits && whole.startsWith(QLatin1Char('0')))
        whole.remove(0, 1);
    while (whole.size() < forcedDigits)
        whole.prepend(QLatin1Char('0'));
    QString out = whole;
    if (point >= 0)
        out += QLatin1Char('.') + decimals;
    const bool negative = value < 0 && (out.contains(QRegularExpression(QStringLiteral("[1-9]"))));
    return negative ? QLatin1Char('-') + out : out;
}

} // namespace zorbel::ui
