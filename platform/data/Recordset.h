#pragma once
// A fully fetched, client-side result set: the record count is known and the
// cursor moves freely. Reading or moving on an empty set never fails: outside
// the rows every field reads as null.
//
// The rows stay in the form the engine handed them over (a column of cells
// each, or the engine's own result), and a cell becomes a QVariant only when
// it is read: a list of ten thousand rows costs its fetch, not ten thousand
// rows of values nobody looks at.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <concepts>
#include <memory>
#include <vector>

namespace zorbel::data {

// Where a recordset reads its cells from.
class RecordSource {
public:
    virtual ~RecordSource() = default;
    virtual int rowCount() const = 0;
    // The cell as a value; a database null gives a null QVariant. Row and
    // column are in range: the recordset checks them.
    virtual QVariant value(int row, int column) const = 0;
};

class Recordset {
public:
    Recordset(QStringList fieldNames, std::vector<std::vector<QVariant>> rows);
    // A template, so that "Recordset(names, {})" still means no rows.
    template <typename Source>
        requires std::derived_from<Source, RecordSource>
    Recordset(QStringList fieldNames, std::unique_ptr<Source> source)
        : Recordset(std::move(fieldNames), std::shared_ptr<const RecordSource>(std::move(source)), 0) {}

    int RecordCount() const { return m_count; }
    bool BOF() const { return m_pos < 0 || m_count == 0; }
    bool Eof() const { return m_pos >= m_count || m_count == 0; }
    bool hasCurrent() const { return !BOF() && !Eof(); }
    // 0-based position of the current row; -1 before the first, RecordCount() after the last.
    int position() const { return m_pos; }

    void MoveFirst() { m_pos = 0; }
    void MoveLast() { m_pos = m_count == 0 ? 0 : m_count - 1; }
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

    // Any row's cell without moving the cursor, for code that walks every row
    // (grids, benchmarks); null outside the rows and fields.
    QVariant cell(int row, int column) const;
    // A whole row as values, made on first use and kept. Throws std::out_of_range
    // for a row that does not exist.
    const std::vector<QVariant>& row(int index) const;

private:
    Recordset(QStringList fieldNames, std::shared_ptr<const RecordSource> source, int);

    QStringList m_names;
    // Never changed once made, so a copy of the recordset shares it.
    std::shared_ptr<const RecordSource> m_source;
    int m_count = 0;
    int m_pos = 0;
    // Rows handed out by row(); the outer vector never grows once made, so the
    // references stay good as long as the recordset.
    mutable std::vector<std::vector<QVariant>> m_madeRows;
};

using RecordsetPtr = std::shared_ptr<Recordset>;

} // namespace zorbel::data
