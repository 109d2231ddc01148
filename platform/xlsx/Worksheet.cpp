#include "platform/xlsx/Worksheet.h"

#include "platform/xlsx/Constants.h"
#include "platform/xlsx/Error.h"
#include "platform/xlsx/SheetName.h"
#include "platform/xlsx/TextEscape.h"
#include "platform/xlsx/Workbook.h"

#include <unordered_map>

namespace zorbel::xl {

namespace {
// Formatting cell by cell beyond this would take the program's memory.
constexpr qint64 kMaxCellsPerChange = 1 << 20;

void checkCell(int row, int column)
{
    if (row < 1 || row > kMaxRows)
        throw Error(QStringLiteral("Row %1 is outside the sheet (1 to %2)").arg(row).arg(kMaxRows));
    if (column < 1 || column > kMaxColumns)
        throw Error(QStringLiteral("Column %1 is outside the sheet (1 to %2)").arg(column).arg(kMaxColumns));
}
} // namespace

void Names::Add(const QString& name, const QString& refersToR1C1)
{
    if (const QString problem = definedNameProblem(name); !problem.isEmpty())
        throw Error(QStringLiteral("\"%1\" cannot be a name: %2").arg(name, problem));
    const auto area = parseR1C1(refersToR1C1);
    if (!area)
        throw Error(QStringLiteral("\"%1\" is not a reference such as =R5C3 or =R5C3:R5C9").arg(refersToR1C1));
    for (Name& existing : m_names) {
        if (existing.name.compare(name, Qt::CaseInsensitive) == 0) {
            existing = {name, *area};
            return;
        }
    }
    m_names.push_back({name, *area});
}

std::optional<Area> Names::find(const QString& name) const
{
    for (const Name& existing : m_names)
        if (existing.name.compare(name, Qt::CaseInsensitive) == 0)
            return existing.area;
    return std::nullopt;
}

Worksheet::Worksheet(Workbook& workbook, const QString& name) : m_workbook(&workbook), m_name(name) {}

// A character the file cannot hold is replaced before the rules are checked,
// so that two names can never become one only in the file.
void Worksheet::setName(const QString& name)
{
    const QString safe = xmlSafeText(name);
    if (const QString problem = sheetNameProblem(safe, m_workbook->namesBeside(*this)); !problem.isEmpty())
        throw Error(QStringLiteral("The sheet cannot be named \"%1\": %2").arg(safe, problem));
    m_name = safe;
}

int Worksheet::Index() const { return m_workbook->indexOf(*this) + 1; }

void Worksheet::Select() { m_workbook->activate(*this); }

xl::Range Worksheet::Cells(int row, int column)
{
    checkCell(row, column);
    return xl::Range(*this, Reference{AreaKind::Cells, {row, column, row, column}});
}

Reference Worksheet::resolve(const QString& addressOrName) const
{
    if (auto reference = parseAddress(addressOrName))
        return *reference;
    if (auto area = m_names.find(addressOrName.trimmed()))
        return Reference{AreaKind::Cells, *area};
    throw Error(QStringLiteral("\"%1\" is neither an address on sheet \"%2\" nor a name defined on it")
                    .arg(addressOrName, m_name));
}

xl::Range Worksheet::Range(const QString& address) { return xl::Range(*this, resolve(address)); }

xl::Range Worksheet::Range(const QString& first, const QString& last)
{
    return Range(xl::Range(*this, resolve(first)), xl::Range(*this, resolve(last)));
}

xl::Range Worksheet::Range(const xl::Range& first, const xl::Range& last)
{
    if (&first.Worksheet() != this || &last.Worksheet() != this)
        throw Error(QStringLiteral("A range can only join cells of its own sheet"));
    const Reference& a = first.reference();
    const Reference& b = last.reference();
    Area area{std::min(a.area.top, b.area.top), std::min(a.area.left, b.area.left),
              std::max(a.area.bottom, b.area.bottom), std::max(a.area.right, b.area.right)};
    AreaKind kind = AreaKind::Cells;
    if (a.kind == b.kind && a.kind != AreaKind::Cells)
        kind = a.kind;
    return xl::Range(*this, Reference{kind, area});
}

xl::Range Worksheet::Columns(const QString& address)
{
    auto reference = parseAddress(address.contains(u':') ? address : address + u':' + address);
    if (!reference || reference->kind != AreaKind::Columns)
        throw Error(QStringLiteral("\"%1\" is not a column address such as B:B or E:G").arg(address));
    return xl::Range(*this, *reference);
}

xl::Range Worksheet::Rows(const QString& address)
{
    auto reference = parseAddress(address.contains(u':') ? address : address + u':' + address);
    if (!reference || reference->kind != AreaKind::Rows)
        throw Error(QStringLiteral("\"%1\" is not a row address such as 1:1 or 2:5").arg(address));
    return xl::Range(*this, *reference);
}

const Cell* Worksheet::findCell(int row, int column) const
{
    auto r = m_rows.find(row);
    if (r == m_rows.end())
        return nullptr;
    auto c = r->second.cells.find(column);
    return c == r->second.cells.end() ? nullptr : &c->second;
}

StyleId Worksheet::styleAt(int row, int column) const
{
    auto r = m_rows.find(row);
    if (r != m_rows.end()) {
        auto c = r->second.cells.find(column);
        if (c != r->second.cells.end())
            return c->second.style;
        if (r->second.style)
            return *r->second.style;
    }
    auto col = m_columns.find(column);
    return col != m_columns.end() && col->second.style ? *col->second.style : kDefaultStyle;
}

// A new cell starts from its row's format when the row has one, else from
// its column's, which is what the cell showed before it existed.
Cell& Worksheet::cellAt(int row, int column)
{
    RowData& rowData = m_rows[row];
    auto [it, added] = rowData.cells.try_emplace(column);
    if (added) {
        if (rowData.style) {
            it->second.style = *rowData.style;
        } else if (auto col = m_columns.find(column); col != m_columns.end() && col->second.style) {
            it->second.style = *col->second.style;
        }
    }
    return it->second;
}

void Worksheet::changeFormat(const Reference& where, const std::function<void(CellFormat&)>& change)
{
    StyleTable& styles = m_workbook->styles();
    std::unordered_map<StyleId, StyleId> changed;
    auto restyle = [&](StyleId id) {
        auto [it, added] = changed.try_emplace(id, id);
        if (added) {
            CellFormat format = styles.format(id);
            change(format);
            it->second = styles.intern(format);
        }
        return it->second;
    };
    const Area& a = where.area;

    switch (where.kind) {
    case AreaKind::Cells:
        if (qint64(a.bottom - a.top + 1) * (a.right - a.left + 1) > kMaxCellsPerChange)
            throw Error(QStringLiteral("The range %1 is too large to format cell by cell").arg(absoluteAddress(a)));
        for (int row = a.top; row <= a.bottom; ++row)
            for (int column = a.left; column <= a.right; ++column) {
                Cell& cell = cellAt(row, column);
                cell.style = restyle(cell.style);
            }
        break;
    case AreaKind::Columns:
        // Where a formatted row crosses the columns the cell is made first,
        // so it keeps the row's format and takes the new property as well.
        for (auto& [row, rowData] : m_rows)
            if (rowData.style)
                for (int column = a.left; column <= a.right; ++column)
                    cellAt(row, column);
        for (int column = a.left; column <= a.right; ++column) {
            ColumnData& col = m_columns[column];
            col.style = restyle(col.style.value_or(kDefaultStyle));
        }
        for (auto& [row, rowData] : m_rows)
            for (auto it = rowData.cells.lower_bound(a.left); it != rowData.cells.end() && it->first <= a.right; ++it)
                it->second.style = restyle(it->second.style);
        break;
    case AreaKind::Rows:
        if (a.bottom - a.top + 1 > kMaxCellsPerChange)
            throw Error(QStringLiteral("The rows %1:%2 are too many to format").arg(a.top).arg(a.bottom));
        for (int row = a.top; row <= a.bottom; ++row) {
            for (auto& [column, col] : m_columns)
                if (col.style)
                    cellAt(row, column);
            RowData& rowData = m_rows[row];
            rowData.style = restyle(rowData.style.value_or(kDefaultStyle));
            for (auto& [column, cell] : rowData.cells)
                cell.style = restyle(cell.style);
        }
        break;
    }
}

void Worksheet::setColumnWidth(int first, int last, double width)
{
    for (int column = first; column <= last; ++column)
        m_columns[column].width = width;
}

void Worksheet::setRowHeight(int first, int last, double height)
{
    if (last - first + 1 > kMaxCellsPerChange)
        throw Error(QStringLiteral("The rows %1:%2 are too many to size").arg(first).arg(last));
    for (int row = first; row <= last; ++row)
        m_rows[row].height = height;
}

} // namespace zorbel::xl
