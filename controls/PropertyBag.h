#pragma once
// The host's property bag: the named values that a window stores for each
// control placed on it, so that a control comes back as it was saved.
#include "controls/ControlsExport.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <stdexcept>

namespace zorbel::controls {

/// A failure of the property bag or of a conversion of a stored value.
/// Numbers are the ones error handlers already know: 13 type mismatch, 6 overflow.
class ZORBEL_CONTROLS_EXPORT PropertyError : public std::runtime_error {
public:
    PropertyError(int number, const QString &description);
    int Number() const { return m_number; }
    QString Description() const { return QString::fromUtf8(what()); }

private:
    int m_number;
};

/// Named values with defaults.
///
/// - Names match without regard to case; the bag keeps them in lower case,
///   as the host window stores them.
/// - WriteProperty omits a value equal to its default (and removes an
///   earlier entry of that name), so a bag holds only what differs.
/// - ReadProperty gives the stored value, or the default when there is none.
/// - The changed mark is set by every write that changes what the bag holds
///   (and by MarkChanged); the host clears it once it has saved the bag.
class ZORBEL_CONTROLS_EXPORT PropertyBag {
public:
    PropertyBag() = default;

    QVariant ReadProperty(const QString &name, const QVariant &defaultValue = QVariant()) const;
    void WriteProperty(const QString &name, const QVariant &value,
                       const QVariant &defaultValue = QVariant());

    bool Contains(const QString &name) const;
    /// The stored value, or an invalid QVariant when the name is not stored.
    QVariant Value(const QString &name) const;
    void Remove(const QString &name);
    void Clear();
    int Count() const { return int(m_values.size()); }
    bool IsEmpty() const { return m_values.isEmpty(); }
    /// Stored names, in lower case, sorted.
    QStringList Names() const { return m_values.keys(); }

    bool Changed() const { return m_changed; }
    void MarkChanged() { m_changed = true; }
    void ClearChanged() { m_changed = false; }

    /// The stored entries (lower-case names), for the host to save.
    QVariantMap ToMap() const;
    /// A bag holding the entries of a saved map (names matched without case).
    static PropertyBag FromMap(const QVariantMap &map);

    /// Whether two values are the same for the omit-the-default rule:
    /// numbers compare by value, strings exactly (case counts), other
    /// values with QVariant's equality; an invalid default matches nothing
    /// but an invalid value.
    static bool SameValue(const QVariant &a, const QVariant &b);

    /// Converts a stored value to a 16-bit integer as the controls persist
    /// them: whole numbers as they are, fractions rounded half to even,
    /// numeric text parsed, booleans as 0 / -1. Throws PropertyError 13
    /// (type mismatch) or 6 (overflow).
    static qint16 ToInt16(const QVariant &value);

    friend bool operator==(const PropertyBag &a, const PropertyBag &b);

private:
    static QString key(const QString &name) { return name.toLower(); }
    QMap<QString, QVariant> m_values;
    bool m_changed = false;
};

bool operator==(const PropertyBag &a, const PropertyBag &b);

} // namespace zorbel::controls
