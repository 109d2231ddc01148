#include "platform/xlsx/Worksheet.h"

#include "platform/xlsx/Constants.h"
#include "platform/xlsx/Error.h"
#include "platform/xlsx/SheetName.h"
#include "platform/xlsx/TextEscape.h"
#include "platform/xlsx/Workbook.h"

#include <algorithm>


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
    // Writers redefine the same names again and again: a name already
    // defined was checked when it was first added.
    const qsizetype existing = indexOf(name);
    if (existing < 0) {
        if (const QString problem = definedNameProblem(name); !problem.isEmpty())
            throw Error(QStringLiteral("\"%1\" cannot be a name: %2").arg(name, problem));
    }
    const auto area = parseR1C1(refersToR1C1);
    if (!area)
        throw Error(QStringLiteral("\"%1\" is not a reference such as =R5C3 or =R5C3:R5C9").arg(refersToR1C1));
    if (existing >= 0)
        m_names[size_t(existing)] = {name, *area};
    else
        m_names.push_back({name, *area});
}

// An exact match first: names are mostly given as they were defined.
qsizetype Names::indexOf(const QString& name) const
{
    for (size_t i = 0; i < m_names.size(); ++i)
        if (m_names[i].name == name)
            return qsizetype(i);
    for (size_t i = 0; i < m_names.size(); ++i)
        if (m_names[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return qsizetype(i);
    return -1;
}

std::optional<Area> Names::find(const QString& name) const
{
    const qsizetype existing = indexOf(name);
    return existing < 0 ? std::nullopt : std::optional<Area>(m_names[size_t(existing)].area);
}

Worksheet::Worksheet(Workbook& workbook, const QString& name) : m_workbook(&workbook), m_name(name) {}

void Worksheet::setName(const QString& name) { m_name = checkedName(name, m_workbook->namesBeside(*this)); }

// A character the file cannot hold is replaced before the rules are checked,
// so that two names can never become one only in the file.
QString Worksheet::checkedName(const QString& name, const QStringList& otherNames)
{
    const QString safe = xmlSafeText(name);
    if (const QString problem = sheetNameProblem(safe, otherNames); !problem.isEmpty())
        throw Error(QStringLiteral("The sheet cannot be named \"%1\": %2").arg(safe, problem));
    return safe;
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

const Cell* RowCells::find(int column) const
{
    auto it = std::lower_bound(m_cells.begin(), m_cells.end(), column,
                               [](const Entry& entry, int c) { return entry.first < c; });
    return it != m_cells.end() && it->first == column ? &it->second : nullptr;
}

RowCells::iterator RowCells::lowerBound(int column)
{
    return std::lower_bound(m_cells.begin(), m_cells.end(), column,
                            [](const Entry& entry, int c) { return entry.first < c; });
}

// Room for a row of the widest tables the writers make, so that a row
// seldom moves as it fills.
constexpr int kCellsOfAWideRow = 10;

Cell& RowCells::findOrAdd(int column, bool& added)
{
    if (m_cells.empty())
        m_cells.reserve(kCellsOfAWideRow);
    auto it = m_cells.empty() || m_cells.back().first < column ? m_cells.end() : lowerBound(column);
    added = it == m_cells.end() || it->first != column;
    if (added)
        it = m_cells.insert(it, Entry{column, Cell{}});
    return it->second;
}

const Cell* Worksheet::findCell(int row, int column) const
{
    auto r = m_rows.find(row);
    return r == m_rows.end() ? nullptr : r->second.cells.find(column);
}

StyleId Worksheet::styleAt(int row, int column) const
{
    auto r = m_rows.find(row);
    if (r != m_rows.end()) {
        if (const Cell* cell = r->second.cells.find(column))
            return cell->style;
        if (r->second.style)
            return *r->second.style;
    }
    auto col = m_columns.find(column);
    return col != m_columns.end() && col->second.style ? *col->second.style : kDefaultStyle;
}

// Rows are written one after another, so the row last reached is kept at
// hand; the map's nodes stay where they are as rows are added.
RowData& Worksheet::rowAt(int row)
{
    if (m_lastRowData && m_lastRow == row)
        return *m_lastRowData;
    auto it = m_rows.lower_bound(row);
    if (it == m_rows.end() || it->first != row)
        it = m_rows.emplace_hint(it, row, RowData{});
    m_lastRow = row;
    m_lastRowData = &it->second;
    return it->second;
}

// A new cell starts from its row's format when the row has one, else from
// its column's, which is what the cell showed before it existed.
Cell& Worksheet::cellAt(int row, int column)
{
    RowData& rowData = rowAt(row);
    bool added = false;
    Cell& cell = rowData.cells.findOrAdd(column, added);
    if (added) {
        if (rowData.style) {
            cell.style = *rowData.style;
        } else if (auto col = m_columns.find(column); col != m_columns.end() && col->second.style) {
            cell.style = *col->second.style;
        }
        countCell(cell.style, +1);
    }
    return cell;
}

void Worksheet::countCell(StyleId style, int change)
{
    if (size_t(style) >= m_cellsOfStyle.size())
        m_cellsOfStyle.resize(size_t(style) + 1, 0);
    m_cellsOfStyle[size_t(style)] += change;
}

void Worksheet::restyleCell(Cell& cell, StyleId style)
{
    if (cell.style == style)
        return;
    countCell(cell.style, -1);
    countCell(style, +1);
    cell.style = style;
}

namespace {
// What each format becomes under one change, worked out once per format.
// Formats are numbered from 0 without gaps, so a vector holds the answers;
// a change that leaves a format as it was keeps its number without a look-up.
class Restyler {
public:
    // `answers` is the sheet's own vector, used again by every change so
    // that formatting a few cells costs no allocation.
    Restyler(StyleTable& styles, const std::function<void(CellFormat&)>& change, std::vector<StyleId>& answers)
        : m_styles(styles), m_change(change), m_to(answers)
    {
        m_to.assign(size_t(styles.count()), kNotYet);
    }

    StyleId operator()(StyleId id)
    {
        if (size_t(id) >= m_to.size())
            m_to.resize(size_t(id) + 1, kNotYet);
        if (m_to[size_t(id)] == kNotYet) {
            CellFormat format = m_styles.format(id);
            m_change(format);
            m_to[size_t(id)] = format == m_styles.format(id) ? id : m_styles.intern(format);
        }
        return m_to[size_t(id)];
    }

    // True when the change leaves as it was every format that some cell of
    // the sheet has (`cellsOfStyle` counts them by format), so that no cell
    // can change and none needs to be visited.
    bool changesNoCell(const std::vector<int>& cellsOfStyle)
    {
        for (size_t id = 0; id < cellsOfStyle.size(); ++id)
            if (cellsOfStyle[id] > 0 && (*this)(StyleId(id)) != StyleId(id))
                return false;
        return true;
    }

private:
    static constexpr StyleId kNotYet = -1;
    StyleTable& m_styles;
    const std::function<void(CellFormat&)>& m_change;
    std::vector<StyleId>& m_to;
};
} // namespace

void Worksheet::changeFormat(const Reference& where, const std::function<void(CellFormat&)>& change)
{
    Restyler restyle(m_workbook->styles(), change, m_restyled);
    const Area& a = where.area;

    switch (where.kind) {
    case AreaKind::Cells:
        if (qint64(a.bottom - a.top + 1) * (a.right - a.left + 1) > kMaxCellsPerChange)
            throw Error(QStringLiteral("The range %1 is too large to format cell by cell").arg(absoluteAddress(a)));
        for (int row = a.top; row <= a.bottom; ++row)
            for (int column = a.left; column <= a.right; ++column) {
                Cell& cell = cellAt(row, column);
                restyleCell(cell, restyle(cell.style));
            }
        break;
    case AreaKind::Columns:
        // Where a formatted row crosses the columns the cell is made first,
        // so it keeps the row's format and takes the new property as well.
        for (int row : m_styledRows)
            for (int column = a.left; column <= a.right; ++column)
                cellAt(row, column);
        for (int column = a.left; column <= a.right; ++column) {
            ColumnData& col = m_columns[column];
            col.style = restyle(col.style.value_or(kDefaultStyle));
        }
        // Writers set the same column formats again and again; only a
        // change that changes a format needs every row's cells visited.
        if (restyle.changesNoCell(m_cellsOfStyle))
            break;
        for (auto& [row, rowData] : m_rows)
            for (auto it = rowData.cells.lowerBound(a.left); it != rowData.cells.end() && it->first <= a.right; ++it)
                restyleCell(it->second, restyle(it->second.style));
        break;
    case AreaKind::Rows:
        if (a.bottom - a.top + 1 > kMaxCellsPerChange)
            throw Error(QStringLiteral("The rows %1:%2 are too many to format").arg(a.top).arg(a.bottom));
        for (int row = a.top; row <= a.bottom; ++row) {
            for (auto& [column, col] : m_columns)
                if (col.style)
                    cellAt(row, column);
            RowData& rowData = rowAt(row);
            rowData.style = restyle(rowData.style.value_or(kDefaultStyle));
            m_styledRows.insert(row);
            for (auto& [column, cell] : rowData.cells)
                restyleCell(cell, restyle(cell.style));
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
        rowAt(row).height = height;
}

} // namespace zorbel::xl
