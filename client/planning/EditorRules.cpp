#include "client/planning/EditorRules.h"

#include <algorithm>
#include <limits>

namespace zorbel::planning {

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

bool mayMoveProjectDates(qint16 cfgProjectAdmin, qint16 projectLevel, qint16 cfgOwnerAdmin, qint32 projectOwnerID,
                         qint32 currentUserID) {
    if (rightsFor(cfgProjectAdmin, projectLevel).edit != 0)
        return false;
    return cfgOwnerAdmin != 1 || (projectOwnerID != 0 && projectOwnerID == currentUserID);
}

} // namespace zorbel::planning
