#include "client/shell/Values.h"

#include <QLocale>

#include <cmath>

namespace zorbel::shell {

qint16 int16Of(const QVariant& value, qint16 fallback) {
    if (value.isNull())
        return fallback;
    bool ok = false;
    const short v = value.toString().trimmed().toShort(&ok);
    return ok ? static_cast<qint16>(v) : fallback;
}

std::optional<double> decimalOf(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    double value = QLocale().toDouble(trimmed, &ok);
    if (!ok)
        value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value + 0.0; // never "-0"
}

} // namespace zorbel::shell
