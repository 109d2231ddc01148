#include "platform/data/Recordset.h"

#include <algorithm>
#include <stdexcept>

namespace zorbel::data {
namespace {

// Values that are already made, kept a column at a time like the engines' cells.
class ValueColumns final : public RecordSource {
public:
    ValueColumns(int columns, std::vector<std::vector<QVariant>> rows)
        : m_rows(static_cast<int>(rows.size())), m_columns(static_cast<size_t>(std::max(columns, 0))) {
        for (auto& column : m_columns)
            column.reserve(rows.size());
        for (auto& row : rows) {
            for (size_t c = 0; c < m_columns.size(); ++c)
                m_columns[c].push_back(c < row.size() ? std::move(row[c]) : QVariant());
        }
    }

    int rowCount() const override { return m_rows; }
    QVariant value(int row, int column) const override {
        const QVariant& v = m_columns[static_cast<size_t>(column)][static_cast<size_t>(row)];
        return v.isNull() ? QVariant() : v;
    }

private:
    int m_rows;
    std::vector<std::vector<QVariant>> m_columns;
};

} // namespace

Recordset::Recordset(QStringList fieldNames, std::vector<std::vector<QVariant>> rows)
    : Recordset(fieldNames, std::make_unique<ValueColumns>(static_cast<int>(fieldNames.size()), std::move(rows))) {}

Recordset::Recordset(QStringList fieldNames, std::shared_ptr<const RecordSource> source, int)
    : m_names(std::move(fieldNames)), m_source(std::move(source)), m_count(m_source ? m_source->rowCount() : 0) {}

void Recordset::MoveNext() {
    if (m_pos < m_count)
        ++m_pos;
}

void Recordset::MovePrevious() {
    if (m_pos >= 0)
        --m_pos;
}

void Recordset::Move(int row) {
    m_pos = std::clamp(row, -1, m_count);
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

QVariant Recordset::cell(int row, int column) const {
    if (row < 0 || row >= m_count || column < 0 || column >= FieldCount())
        return {};
    return m_source->value(row, column);
}

QVariant Recordset::Fields(int index) const {
    return cell(m_pos, index);
}

QVariant Recordset::Fields(const QString& name) const {
    return Fields(FieldIndex(name));
}

const std::vector<QVariant>& Recordset::row(int index) const {
    if (index < 0 || index >= m_count)
        throw std::out_of_range("Recordset::row: no such row");
    if (m_madeRows.empty())
        m_madeRows.resize(static_cast<size_t>(m_count));
    std::vector<QVariant>& made = m_madeRows[static_cast<size_t>(index)];
    if (made.empty() && FieldCount() > 0) {
        made.reserve(static_cast<size_t>(FieldCount()));
        for (int c = 0; c < FieldCount(); ++c)
            made.push_back(m_source->value(index, c));
    }
    return made;
}

} // namespace zorbel::data
