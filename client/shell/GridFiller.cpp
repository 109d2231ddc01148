#include "client/shell/GridFiller.h"

#include "client/shell/Dates.h"
#include "client/shell/Pictures.h"
#include "client/shell/Values.h"
#include "platform/ui/DateText.h"
#include "platform/ui/FlexGrid.h"

#include <algorithm>

namespace zorbel::shell {

namespace {

QString storedText(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    default:
        return value.toString();
    }
}

const QVariant& fieldOf(const GridColumn& column, const ListRow& row) {
    static const QVariant none;
    if (column.field < 0 || column.field >= static_cast<int>(row.size()))
        return none;
    return row[static_cast<size_t>(column.field)];
}

} // namespace

GridColumns columnsInListOrder(int fieldCount) {
    GridColumns columns(static_cast<size_t>(std::max(fieldCount, 0)));
    for (int k = 0; k < fieldCount; ++k)
        columns[static_cast<size_t>(k)].field = k;
    return columns;
}

namespace {

// The text of one field's value in a column (not a computed column).
QString valueText(const GridColumn& column, const QVariant& value) {
    if (value.isNull())
        return column.whenNull;
    switch (column.kind) {
    case GridColumn::Date:
        return FormatShown(dateOf(value).value_or(QDateTime()));
    case GridColumn::GeneralDate:
        return ui::FormatDate(dateOf(value).value_or(QDateTime()), QString());
    case GridColumn::StatusPicture:
        return QString();
    default:
        return storedText(value);
    }
}

} // namespace

QString cellText(const GridColumn& column, const ListRow& row) {
    if (column.compute)
        return column.compute(row);
    if (column.kind == GridColumn::StatusPicture)
        return QString();
    return valueText(column, fieldOf(column, row));
}

void layOutGrid(ui::FlexGrid& grid, const GridColumns& columns) {
    const int cols = static_cast<int>(columns.size());
    grid.setCols(cols);
    const int widthOfA = grid.TextWidth(QStringLiteral("A"));
    for (int c = 0; c < cols; ++c) {
        const GridColumn& column = columns[static_cast<size_t>(c)];
        grid.setColWidth(c, column.widthInA * widthOfA);
        if (!column.header.isEmpty())
            grid.setTextArray(c, column.header);
        if (column.alignment >= 0)
            grid.setColAlignment(c, column.alignment);
    }
}

void appendRows(ui::FlexGrid& grid, const GridColumns& columns, const data::Recordset& list,
                const FillOptions& options) {
    const int count = list.RecordCount();
    const int first = grid.Rows();
    grid.setRows(first + count);
    const int cols = std::min(static_cast<int>(columns.size()), grid.Cols());
    // Cells are read one by one, so a long list is never copied row by row;
    // only a table with computed texts or colours needs whole records.
    const bool wholeRecords = std::any_of(columns.begin(), columns.begin() + cols,
                                          [](const GridColumn& c) { return c.compute || c.colour; });
    for (int i = 0; i < count; ++i) {
        const ListRow* row = wholeRecords ? &list.row(i) : nullptr;
        const int gridRow = first + i;
        for (int c = 0; c < cols; ++c) {
            const GridColumn& column = columns[static_cast<size_t>(c)];
            const QVariant value = row ? fieldOf(column, *row) : list.cell(i, column.field);
            if (column.kind == GridColumn::StatusPicture) {
                if (options.pictures) {
                    // A record without a status shows the lamp of status 0.
                    grid.setCellPicture(gridRow, c, gridStatusPicture(value.isNull() ? 0 : int16Of(value, -1)));
                }
                continue;
            }
            grid.setTextMatrix(gridRow, c, column.compute ? column.compute(*row) : valueText(column, value));
            if (column.colour) {
                if (const QColor colour = column.colour(*row); colour.isValid())
                    grid.setCellBackColor(gridRow, c, colour);
            }
        }
        if (options.afterRow)
            options.afterRow();
    }
}

} // namespace zorbel::shell
