#pragma once
// A worksheet of the in-memory workbook: its name, cells, row and column
// formats, sizes, defined names and selection, all kept so that the writers
// can read back what they wrote and the file writer can save it whole.
#include "platform/xlsx/Address.h"
#include "platform/xlsx/CellFormat.h"
#include "platform/xlsx/Range.h"

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <set>
#include <variant>
#include <vector>

namespace zorbel::xl {

class Workbook;

/// Empty, a number, a boolean or a text.
using CellValue = std::variant<std::monostate, double, bool, QString>;

struct Cell {
    CellValue value;
    StyleId style = kDefaultStyle;
};

/// A row's cells in column order. Writers fill a row from left to right, so
/// the cells sit in one vector, a new last cell goes on at the end, and a
/// cell is found by halving.
class RowCells {
public:
    using Entry = std::pair<int, Cell>;  ///< column, cell
    using iterator = std::vector<Entry>::iterator;
    using const_iterator = std::vector<Entry>::const_iterator;

    iterator begin() { return m_cells.begin(); }
    iterator end() { return m_cells.end(); }
    const_iterator begin() const { return m_cells.begin(); }
    const_iterator end() const { return m_cells.end(); }
    bool empty() const { return m_cells.empty(); }
    int size() const { return int(m_cells.size()); }

    /// The cell in `column`; nullptr when there is none.
    const Cell* find(int column) const;
    /// The first cell at `column` or right of it.
    iterator lowerBound(int column);
    /// The cell in `column`, made empty when there is none; `added` tells
    /// which. The reference holds until the next cell is made.
    Cell& findOrAdd(int column, bool& added);

private:
    std::vector<Entry> m_cells;
};

struct RowData {
    std::optional<double> height;
    std::optional<StyleId> style;  ///< set once a format was set on the whole row
    RowCells cells;
};

struct ColumnData {
    std::optional<double> width;
    std::optional<StyleId> style;  ///< set once a format was set on the whole column
};

/// The names defined on a sheet. Defining a name again replaces it, so each
/// name is saved once, with its last definition.
class Names {
public:
    struct Name {
        QString name;
        Area area;
    };

    /// Defines or redefines `name` (compared without regard to case) as the
    /// cell or area of "=R5C3" or "=R5C3:R5C9" on this sheet.
    void Add(const QString& name, const QString& refersToR1C1);
    int Count() const { return int(m_names.size()); }
    std::optional<Area> find(const QString& name) const;
    const std::vector<Name>& items() const { return m_names; }

private:
    qsizetype indexOf(const QString& name) const;

    std::vector<Name> m_names;
};

class Worksheet {
public:
    Worksheet(Workbook& workbook, const QString& name);
    Worksheet(const Worksheet&) = delete;
    Worksheet& operator=(const Worksheet&) = delete;

    const QString& Name() const { return m_name; }
    /// Renames the sheet; a name the rules refuse raises xl::Error and the
    /// sheet keeps its name.
    void setName(const QString& name);
    /// 1-based position in the workbook.
    int Index() const;
    /// Makes this the workbook's active sheet.
    void Select();

    /// Row and column from 1.
    xl::Range Cells(int row, int column);
    /// An address ("B2", "B2:J2", "A:J", "1:2") or a name defined on the sheet.
    xl::Range Range(const QString& address);
    /// The smallest area holding both (addresses or names).
    xl::Range Range(const QString& first, const QString& last);
    xl::Range Range(const xl::Range& first, const xl::Range& last);
    /// "B:B", "E:G" or "B".
    xl::Range Columns(const QString& address);
    /// "1:1", "2:5" or "2".
    xl::Range Rows(const QString& address);
    xl::Names& Names() { return m_names; }
    const xl::Names& Names() const { return m_names; }

    xl::Workbook& Parent() const { return *m_workbook; }

    // Read back
    const std::map<int, RowData>& rows() const { return m_rows; }
    const std::map<int, ColumnData>& columns() const { return m_columns; }
    const Reference& selection() const { return m_selection; }
    /// The cell, when it was ever written or formatted.
    const Cell* findCell(int row, int column) const;
    /// The format shown at a cell: its own, else its row's, else its column's.
    StyleId styleAt(int row, int column) const;

private:
    friend class xl::Range;
    friend class Workbook;
    // The name as the sheet holds it beside `otherNames`; raises xl::Error
    // for a name the rules refuse.
    static QString checkedName(const QString& name, const QStringList& otherNames);
    Cell& cellAt(int row, int column);
    RowData& rowAt(int row);
    void countCell(StyleId style, int change);
    void restyleCell(Cell& cell, StyleId style);
    void changeFormat(const Reference& where, const std::function<void(CellFormat&)>& change);
    void setColumnWidth(int first, int last, double width);
    void setRowHeight(int first, int last, double height);
    void select(const Reference& where) { m_selection = where; }
    Reference resolve(const QString& addressOrName) const;

    Workbook* m_workbook;
    QString m_name;
    std::map<int, RowData> m_rows;
    std::map<int, ColumnData> m_columns;
    std::vector<int> m_cellsOfStyle;  ///< how many cells have each format
    std::vector<StyleId> m_restyled;  ///< what each format became, during one change
    std::set<int> m_styledRows;  ///< rows formatted as a whole, which whole-column formats cross
    int m_lastRow = 0;           ///< the row cellAt reached last, kept at hand
    RowData* m_lastRowData = nullptr;
    xl::Names m_names;
    Reference m_selection;
};

} // namespace zorbel::xl
