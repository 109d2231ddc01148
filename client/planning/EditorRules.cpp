#include "client/planning/EditorRules.h"

#include "client/shell/AppState.h"
#include "client/shell/DateBox.h"

#include <limits>

namespace zorbel::planning {

ButtonRights rightsFor(qint16 cfgProjectAdmin, qint16 level) {
    if (cfgProjectAdmin != 1)
        return {0, 0, 0};
    ButtonRights r{2, 2, 2};
    if (level > 2)
        r.edit = 0;
    if (level > 3) {
        r.add = 0;
        r.del = 0;
    }
    return r;
}

bool ownerRefuses(qint16 cfgOwnerAdmin, int mode, qint32 currentUserID, qint32 enteredOwnerUserID,
                  qint32 storedOwnerUserID) {
    if (cfgOwnerAdmin != 1)
        return false;
    if (enteredOwnerUserID == 0 || enteredOwnerUserID != currentUserID)
        return true;
    if (mode == shell::kEdit || mode == shell::kDelete)
        return storedOwnerUserID == 0 || storedOwnerUserID != currentUserID;
    return false;
}

std::optional<qint16> wbsFromText(const QString& text, qint32 nextWBS) {
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        if (nextWBS < std::numeric_limits<qint16>::min() || nextWBS > std::numeric_limits<qint16>::max())
            return std::nullopt;
        return static_cast<qint16>(nextWBS);
    }
    bool ok = false;
    const short value = t.toShort(&ok);
    if (!ok)
        return std::nullopt;
    return static_cast<qint16>(value);
}

qint32 nextWBSOf(const data::Recordset& rs, int wbsField) {
    bool any = false;
    qint32 highest = 0;
    for (int i = 0; i < rs.RecordCount(); ++i) {
        const auto& row = rs.row(i);
        if (wbsField < 0 || wbsField >= static_cast<int>(row.size()) || row[wbsField].isNull())
            continue;
        bool ok = false;
        const qint32 w = row[wbsField].toInt(&ok);
        if (!ok)
            continue;
        if (!any || w > highest)
            highest = w;
        any = true;
    }
    return any ? highest + 1 : 1;
}

int rowToRestore(int savedRow, int lastRow) {
    return (savedRow >= 1 && savedRow <= lastRow) ? savedRow : 1;
}

int comboIndexForID(qint32 id, int count) {
    return (id >= 1 && id <= count) ? id - 1 : -1;
}

int positionOfName(const QStringList& names, int chosenIndex, const QString& text) {
    if (chosenIndex >= 0 && chosenIndex < names.size() && names.at(chosenIndex) == text)
        return chosenIndex;
    // Nothing chosen reads as an empty text, which must not pick an entry
    // that happens to have no name.
    if (text.isEmpty())
        return -1;
    return static_cast<int>(names.lastIndexOf(text));
}

std::optional<QDateTime> dateOf(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return std::nullopt;
    if (value.metaType().id() == QMetaType::QDateTime) {
        const QDateTime dt = value.toDateTime();
        return dt.isValid() ? std::optional<QDateTime>(dt) : std::nullopt;
    }
    if (value.metaType().id() == QMetaType::QDate) {
        const QDate d = value.toDate();
        return d.isValid() ? std::optional<QDateTime>(QDateTime(d, QTime(0, 0))) : std::nullopt;
    }
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    for (const auto format : {Qt::ISODateWithMs, Qt::ISODate}) {
        QDateTime dt = QDateTime::fromString(text, format);
        if (dt.isValid())
            return QDateTime(dt.date(), dt.time());
    }
    QDateTime dt = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    if (!dt.isValid())
        dt = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (dt.isValid())
        return dt;
    return shell::ParseShown(text);
}

DateInput readDateText(const QString& text, const QString& shownText, const std::optional<QDateTime>& stored) {
    if (text.trimmed().isEmpty())
        return {DateInput::Empty, {}};
    if (stored && text == shownText)
        return {DateInput::Valid, *stored};
    if (auto parsed = shell::ParseShown(text))
        return {DateInput::Valid, *parsed};
    return {DateInput::Invalid, {}};
}

ProjectDates widenStart(const ProjectDates& stored, const QDateTime& newStart) {
    ProjectDates d = stored;
    if (!d.start.isValid() || newStart < d.start)
        d.start = newStart;
    return d;
}

ProjectDates widenEnd(const ProjectDates& stored, const QDateTime& newEnd) {
    ProjectDates d = stored;
    if (!d.end.isValid() || newEnd > d.end)
        d.end = newEnd;
    return d;
}

qint16 int16Of(const QVariant& value, qint16 fallback) {
    if (value.isNull())
        return fallback;
    bool ok = false;
    const short v = value.toString().trimmed().toShort(&ok);
    return ok ? static_cast<qint16>(v) : fallback;
}

} // namespace zorbel::planning
