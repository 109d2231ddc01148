// Filling a grid from a list by a column table: which field lands where, what
// a null shows, how dates are written, and the status lamps.

#include "client/shell/AppState.h"
#include "client/shell/GridFiller.h"
#include "client/shell/Pictures.h"
#include "platform/ui/FlexGrid.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace zorbel::shell {
namespace {

QDateTime at(int y, int m, int d, int h = 0, int min = 0) { return QDateTime(QDate(y, m, d), QTime(h, min)); }

TEST(GridFiller, FieldsLandInTheirColumnsWithTheirNullTextsAndDateForms) {
    resetState();
    state().g_dateFormat = QStringLiteral("dd/mm/yyyy");
    // The general form follows the locale: fix it for the texts below.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    enum Field { fID, fName, fStatus, fStart, fDependency };
    const data::Recordset list({QStringLiteral("ID"), QStringLiteral("Name"), QStringLiteral("StatusID"),
                                QStringLiteral("StartDate"), QStringLiteral("Dependency")},
                               {{11, QStringLiteral("Dig"), 6, at(2024, 3, 5, 10, 30), 4},
                                {12, QVariant(), QVariant(), QVariant(), QVariant()},
                                {13, QStringLiteral("Pour"), 9, QStringLiteral("2024-07-01 00:00:00"), 0}});
    const GridColumns columns = {
        {.field = fID},
        {.field = fStatus, .header = QStringLiteral("!"), .widthInA = 3, .kind = GridColumn::StatusPicture},
        {.field = fStart, .header = QStringLiteral("Start"), .widthInA = 12, .kind = GridColumn::Date},
        {.field = fName, .header = QStringLiteral("Name"), .widthInA = 30, .alignment = 0},
        {.field = fStart, .kind = GridColumn::GeneralDate},
        {.field = fStart},
        {.field = fDependency, .whenNull = QStringLiteral("0")},
        {.compute = [](const ListRow& r) { return r[fName].toString().toUpper(); }},
    };
    ui::FlexGrid grid;
    layOutGrid(grid, columns);
    appendRows(grid, columns, list);

    ASSERT_EQ(grid.Cols(), 8);
    ASSERT_EQ(grid.Rows(), 4);
    const struct {
        int row;
        std::vector<QString> texts; // columns 0 and 2 to 7
    } rows[] = {
        {1, {"11", "05/03/2024", "Dig", "05/03/2024 10:30:00", "2024-03-05 10:30:00", "4", "DIG"}},
        {2, {"12", "", "", "", "", "0", ""}},
        {3, {"13", "01/07/2024", "Pour", "01/07/2024", "2024-07-01 00:00:00", "0", "POUR"}},
    };
    const int textColumns[] = {0, 2, 3, 4, 5, 6, 7};
    for (const auto& r : rows)
        for (size_t k = 0; k < r.texts.size(); ++k)
            EXPECT_EQ(grid.TextMatrix(r.row, textColumns[k]), r.texts[k]) << "row " << r.row << " col " << textColumns[k];

    EXPECT_EQ(grid.TextArray(3), QStringLiteral("Name"));
    EXPECT_EQ(grid.ColAlignment(3), ui::FlexGrid::AlignLeftTop);
    EXPECT_EQ(grid.ColWidth(0), 0);
    EXPECT_GT(grid.ColWidth(3), grid.ColWidth(2));
    // Status 6 has its lamp; a null status is status 0; 9 has none.
    EXPECT_EQ(grid.CellPicture(1, 1).toImage(), gridStatusPicture(6).toImage());
    EXPECT_EQ(grid.CellPicture(2, 1).toImage(), gridStatusPicture(0).toImage());
    EXPECT_FALSE(grid.CellPicture(2, 1).isNull());
    EXPECT_TRUE(grid.CellPicture(3, 1).isNull());
    EXPECT_TRUE(grid.TextMatrix(1, 1).isEmpty());

    // Appending goes below what the grid holds; without pictures the lamps stay off.
    appendRows(grid, columns, list, {.pictures = false});
    ASSERT_EQ(grid.Rows(), 7);
    EXPECT_EQ(grid.TextMatrix(4, 0), QStringLiteral("11"));
    EXPECT_TRUE(grid.CellPicture(4, 1).isNull());
    QLocale::setDefault(before);
    resetState();
}

} // namespace
} // namespace zorbel::shell
