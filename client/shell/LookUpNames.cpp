#include "client/shell/LookUpNames.h"

namespace zorbel::shell {

LookUpNames::LookUpNames(const data::RecordsetPtr& list, const QString& fieldName) {
    if (!list)
        return;
    const int field = list->FieldIndex(fieldName);
    if (field < 0)
        return;
    m_names.reserve(list->RecordCount());
    for (int i = 0; i < list->RecordCount(); ++i) {
        bool ok = false;
        const qint32 id = list->cell(i, 0).toInt(&ok);
        if (ok && !m_names.contains(id))
            m_names.insert(id, list->cell(i, field).toString());
    }
}

QString LookUpNames::nameOf(const QVariant& id) const {
    if (id.isNull())
        return QString();
    bool ok = false;
    const qint32 key = id.toInt(&ok);
    const auto found = ok ? m_names.constFind(key) : m_names.constEnd();
    return found != m_names.constEnd() ? *found : QStringLiteral("-1");
}

} // namespace zorbel::shell
