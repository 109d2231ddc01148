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

QString cellText(const GridColumn& column, const ListRow& row) {
    if (column.compute)
        return column.compute(row);
    if (column.kind == GridColumn::StatusPicture)
        return QString();
    const QVariant& value = fieldOf(column, row);
    if (value.isNull())
        return column.whenNull;
    switch (column.kind) {
    case GridColumn::Date:
        return FormatShown(dateOf(value).value_or(QDateTime()));
    case GridColumn::GeneralDate:
        return ui::FormatDate(dateOf(value).value_or(QDateTime()), QString());
    default:
        return storedText(value);
    }
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
    for (int i = 0; i < count; ++i) {
        const ListRow& row = list.row(i);
        const int gridRow = first + i;
        for (int c = 0; c < cols; ++c) {
            const GridColumn& column = columns[static_cast<size_t>(c)];
            if (column.kind == GridColumn::StatusPicture) {
                if (options.pictures) {
                    // A record without a status shows the lamp of status 0.
                    const QVariant& status = fieldOf(column, row);
                    grid.setCellPicture(gridRow, c, gridStatusPicture(status.isNull() ? 0 : int16Of(status, -1)));
                }
                continue;
            }
            grid.setTextMatrix(gridRow, c, cellText(column, row));
            if (column.colour) {
                if (const QColor colour = column.colour(row); colour.isValid())
                    grid.setCellBackColor(gridRow, c, colour);
            }
        }
        if (options.afterRow)
            options.afterRow();
    }
}

} // namespace zorbel::shell
