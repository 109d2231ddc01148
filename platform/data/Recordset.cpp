#include "platform/data/Recordset.h"

#include <algorithm>

namespace zorbel::data {

Recordset::Recordset(QStringList fieldNames, std::vector<std::vector<QVariant>> rows)
    : m_names(std::move(fieldNames)), m_rows(std::move(rows)) {}

void Recordset::MoveNext() {
    if (m_pos < RecordCount())
        ++m_pos;
}

void Recordset::MovePrevious() {
    if (m_pos >= 0)
        --m_pos;
}

void Recordset::Move(int row) {
    m_pos = std::clamp(row, -1, RecordCount());
}

QString Recordset::FieldName(int index) const {
    return index >= 0 && index < m_names.size() ? m_names.at(index) : QString();
}

int Recordset::FieldIndex(const QString& name) const {
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant Recordset::Fields(int index) const {
    if (!hasCurrent() || index < 0 || index >= FieldCount())
        return {};
    const QVariant& v = m_rows[static_cast<size_t>(m_pos)][static_cast<size_t>(index)];
    return v.isNull() ? QVariant() : v;
}

QVariant Recordset::Fields(const QString& name) const {
    return Fields(FieldIndex(name));
}

} // namespace zorbel::data
