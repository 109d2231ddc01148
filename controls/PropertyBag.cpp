#include "controls/PropertyBag.h"

#include <QMetaType>
#include <cmath>
#include <limits>

namespace zorbel::controls {

PropertyError::PropertyError(int number, const QString &description)
    : std::runtime_error(description.toStdString()), m_number(number)
{
}

namespace {

bool isNumeric(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::Bool:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

bool isString(const QVariant &v)
{
    return v.metaType().id() == QMetaType::QString || v.metaType().id() == QMetaType::QByteArray;
}

double numericValue(const QVariant &v)
{
    if (v.metaType().id() == QMetaType::Bool)
        return v.toBool() ? -1.0 : 0.0; // stored True has always been -1
    return v.toDouble();
}

} // namespace

bool PropertyBag::SameValue(const QVariant &a, const QVariant &b)
{
    if (!a.isValid() || !b.isValid())
        return !a.isValid() && !b.isValid();
    if (isNumeric(a) && isNumeric(b))
        return numericValue(a) == numericValue(b);
    if (isString(a) && isString(b))
        return a.toString() == b.toString();
    return a == b;
}

qint16 PropertyBag::ToInt16(const QVariant &value)
{
    double d = 0.0;
    if (!value.isValid() || value.isNull()) {
        d = 0.0; // an empty value converts to 0
    } else if (isNumeric(value)) {
        d = numericValue(value);
    } else if (isString(value)) {
        bool ok = false;
        const QString text = value.toString().trimmed();
        d = text.toDouble(&ok);
        if (!ok) {
            if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
                d = -1.0;
            } else if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
                d = 0.0;
            } else {
                throw PropertyError(13, QStringLiteral("Type mismatch"));
            }
        }
    } else {
        throw PropertyError(13, QStringLiteral("Type mismatch"));
    }
    if (!std::isfinite(d))
        throw PropertyError(6, QStringLiteral("Overflow"));
    // Halves go to the even neighbour so that a stored 2.5 reads back as the
    // 2 that older saved windows hold (nearbyint's default mode does that).
    const double rounded = std::nearbyint(d);
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max())
        throw PropertyError(6, QStringLiteral("Overflow"));
    return static_cast<qint16>(rounded);
}

QVariant PropertyBag::ReadProperty(const QString &name, const QVariant &defaultValue) const
{
    const auto it = m_values.constFind(key(name));
    return it == m_values.constEnd() ? defaultValue : it.value();
}

void PropertyBag::WriteProperty(const QString &name, const QVariant &value,
                                const QVariant &defaultValue)
{
    const QString k = key(name);
    if (SameValue(value, defaultValue)) {
        if (m_values.remove(k) > 0)
            m_changed = true;
        return;
    }
    const auto it = m_values.constFind(k);
    if (it != m_values.constEnd() && it.value().metaType() == value.metaType()
        && SameValue(it.value(), value))
        return;
    m_values.insert(k, value);
    m_changed = true;
}

bool PropertyBag::Contains(const QString &name) const { return m_values.contains(key(name)); }

QVariant PropertyBag::Value(const QString &name) const { return m_values.value(key(name)); }

void PropertyBag::Remove(const QString &name)
{
    if (m_values.remove(key(name)) > 0)
        m_changed = true;
}

void PropertyBag::Clear()
{
    if (!m_values.isEmpty())
        m_changed = true;
    m_values.clear();
}

QVariantMap PropertyBag::ToMap() const
{
    QVariantMap map;
    for (auto it = m_values.constBegin(); it != m_values.constEnd(); ++it)
        map.insert(it.key(), it.value());
    return map;
}

PropertyBag PropertyBag::FromMap(const QVariantMap &map)
{
    PropertyBag bag;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it)
        bag.m_values.insert(key(it.key()), it.value());
    return bag;
}

bool operator==(const PropertyBag &a, const PropertyBag &b)
{
    if (a.m_values.size() != b.m_values.size())
        return false;
    for (auto it = a.m_values.constBegin(); it != a.m_values.constEnd(); ++it) {
        const auto other = b.m_values.constFind(it.key());
        if (other == b.m_values.constEnd() || !PropertyBag::SameValue(it.value(), other.value()))
            return false;
    }
    return true;
}

} // namespace zorbel::controls
