#pragma once
// Filling a record grid from a list: the piece every list window shares. A
// window gives a table of its grid's columns; each says which field of the
// list it shows (any field in any column) or how its text is computed from
// the record, its header, its width and alignment, how a date is written and
// what an empty (null) field shows. The filler lays the grid out by that
// table and writes one grid row per record, in the list's order, below the
// rows the grid holds.
//
// What a window does around the fill stays its own: whether it clears the
// grid first, the progress bar, the grid-ready flag and which row it selects
// afterwards differ from window to window.

#include "platform/data/Recordset.h"

#include <QColor>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

namespace zorbel::ui {
class FlexGrid;
}

namespace zorbel::shell {

// One record of a list, field by field.
using ListRow = std::vector<QVariant>;

struct GridColumn {
    enum Kind {
        Text,          // the value as text; a date value as stored ("yyyy-MM-dd hh:mm:ss")
        Date,          // a date in the configured pattern (g_dateFormat)
        GeneralDate,   // a date in the general form: the date, and the time when it is not midnight
        StatusPicture, // no text: the grid picture of the StatusID in the field (a null one is status 0)
    };
    int field = -1;      // the list field shown; -1 for a computed column
    QString header{};    // row 0; an empty header leaves row 0 as it is
    int widthInA = 0;    // in widths of the letter "A" in the grid's font; 0 hides the column
    int alignment = -1;  // a FlexGrid alignment; -1 keeps the grid's default
    Kind kind = Text;
    QString whenNull{};  // what a null field shows (the tasks grid shows "0" for no predecessor)
    // A computed column's text from the whole record (a name looked up by an id, a score).
    std::function<QString(const ListRow&)> compute{};
    // A cell's own background colour from the whole record (a risk's score);
    // an invalid colour leaves the cell plain.
    std::function<QColor(const ListRow&)> colour{};
};
using GridColumns = std::vector<GridColumn>;

// A table that shows field k in column k, every column hidden and without a
// header: the start of a window whose grid follows the list's own order.
GridColumns columnsInListOrder(int fieldCount);

// The text a column shows for one record.
QString cellText(const GridColumn& column, const ListRow& row);

// Sets the grid's column count to the table's, then every width, the headers
// of row 0 and the alignments.
void layOutGrid(ui::FlexGrid& grid, const GridColumns& columns);

struct FillOptions {
    // Whether status-picture columns get their pictures (some editors draw
    // them only in the Implement phase).
    bool pictures = true;
    // Runs after each record's row is written (a loader's progress step).
    std::function<void()> afterRow{};
};
// Appends one row per record of the list below the grid's last row and fills it.
void appendRows(ui::FlexGrid& grid, const GridColumns& columns, const data::Recordset& list,
                const FillOptions& options = {});

} // namespace zorbel::shell
