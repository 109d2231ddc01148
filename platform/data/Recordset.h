#pragma once
// A fully fetched, client-side result set: the record count is known and the
// cursor moves freely. Reading or moving on an empty set never fails: outside
// the rows every field reads as null.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

namespace zorbel::data {

class Recordset {
public:
    Recordset(QStringList fieldNames, std::vector<std::vector<QVariant>> rows);

    int RecordCount() const { return static_cast<int>(m_rows.size()); }
    bool BOF() const { return m_pos < 0 || m_rows.empty(); }
    bool Eof() const { return m_pos >= RecordCount() || m_rows.empty(); }
    bool hasCurrent() const { return !BOF() && !Eof(); }
    // 0-based position of the current row; -1 before the first, RecordCount() after the last.
    int position() const { return m_pos; }

    void MoveFirst() { m_pos = 0; }
    void MoveLast() { m_pos = m_rows.empty() ? 0 : RecordCount() - 1; }
    void MoveNext();
    void MovePrevious();
    void Move(int row);

    int FieldCount() const { return static_cast<int>(m_names.size()); }
    QString FieldName(int index) const;
    // -1 when no field has that name; names compare without regard to case.
    int FieldIndex(const QString& name) const;

    // Value of the current row; a database null, a missing field or no
    // current row gives a null QVariant.
    QVariant Fields(int index) const;
    QVariant Fields(const QString& name) const;
    QVariant operator[](int index) const { return Fields(index); }
    QVariant operator[](const QString& name) const { return Fields(name); }

    // Direct access for code that walks every row (grids, benchmarks).
    const std::vector<QVariant>& row(int index) const { return m_rows.at(static_cast<size_t>(index)); }

private:
    QStringList m_names;
    std::vector<std::vector<QVariant>> m_rows;
    int m_pos = 0;
};

using RecordsetPtr = std::shared_ptr<Recordset>;

} // namespace zorbel::data
