#include "platform/ui/FlexGrid.h"

#include <QHeaderView>
#include <QTableView>
#include <QtTest/QTest>

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace zorbel::ui;

namespace {

// Loads a grid the way the list windows do: header texts, then one appended
// row at a time filled cell by cell.
void load(FlexGrid &g, int records, int cols = 3)
{
    g.Clear();
    g.setRows(1);
    g.setCols(cols);
    for (int c = 0; c < cols; ++c)
        g.setTextArray(c, QString("H%1").arg(c));
    for (int r = 1; r <= records; ++r) {
        g.setRows(g.Rows() + 1);
        for (int c = 0; c < cols; ++c)
            g.setTextMatrix(g.Rows() - 1, c, QString("%1,%2").arg(r).arg(c));
    }
}

class FlexGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.resize(400, 300);
        QObject::connect(&grid, &FlexGrid::Click, [this] { events << QString("Click %1").arg(grid.Row()); });
        QObject::connect(&grid, &FlexGrid::DblClick, [this] { events << QString("DblClick %1").arg(grid.Row()); });
        QObject::connect(&grid, &FlexGrid::RowColChange,
                         [this] { events << QString("RowColChange %1,%2").arg(grid.Row()).arg(grid.Col()); });
    }
    void showLoaded(int records)
    {
        load(grid, records);
        grid.setColWidth(0, 0);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
        events.clear();
    }
    QPoint centre(int row, int col) const { return grid.cellRect(row, col).center(); }
    QWidget *cells() const { return grid.view()->viewport(); }

    FlexGrid grid;
    QStringList events;
};

} // namespace

TEST_F(FlexGridTest, HeaderRowAndAppendedRows)
{
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.Row(), 0);
    load(grid, 3);
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.TextArray(2), "H2");
    EXPECT_EQ(grid.TextMatrix(0, 2), "H2");
    EXPECT_EQ(grid.TextMatrix(3, 1), "3,1");
    // After a load the current row is a record row, and filling raised nothing.
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(grid.view()->model()->headerData(1, Qt::Horizontal).toString(), "H1");

    // Growing in one step keeps what is there.
    grid.setRows(10);
    EXPECT_EQ(grid.TextMatrix(2, 0), "2,0");
    EXPECT_EQ(grid.TextMatrix(9, 0), "");

    grid.setRow(9);
    grid.setRows(1);
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.TextArray(0), "H0");
    grid.setRows(2);
    EXPECT_EQ(grid.TextMatrix(1, 0), ""); // a dropped row does not come back
    EXPECT_EQ(grid.Row(), 1);
}

TEST_F(FlexGridTest, DroppingTheCurrentRowMovesItQuietlyToTheLastRow)
{
    load(grid, 5);
    grid.setRow(5);
    events.clear();
    grid.setRows(3);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(grid.view()->currentIndex().row(), 1);
    EXPECT_TRUE(grid.view()->selectionModel()->isRowSelected(1, {}));
}

TEST_F(FlexGridTest, HiddenColumnsKeepTheirText)
{
    load(grid, 2);
    grid.setColWidth(0, 0);
    grid.setColWidth(1, 1500);
    EXPECT_EQ(grid.ColWidth(0), 0);
    EXPECT_TRUE(grid.view()->isColumnHidden(0));
    EXPECT_EQ(grid.TextMatrix(2, 0), "2,0");
    grid.setTextMatrix(2, 0, "42");
    EXPECT_EQ(grid.TextMatrix(2, 0), "42");
    const double tpp = grid.twipsPerPixel();
    EXPECT_EQ(grid.view()->columnWidth(1), qRound(1500 / tpp));
    EXPECT_NEAR(grid.ColWidth(1), 1500, tpp);
    // Windows size columns as multiples of the width of "A".
    EXPECT_GT(grid.TextWidth("A"), 0);
    EXPECT_NEAR(grid.TextWidth("AAAA"), 4 * grid.TextWidth("A"), 4 * tpp);
}

TEST_F(FlexGridTest, ClearEmptiesEveryCellButKeepsTheShape)
{
    load(grid, 2);
    grid.setCellPicture(1, 1, QPixmap(8, 8));
    grid.setRow(2);
    grid.Clear();
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_EQ(grid.Cols(), 3);
    EXPECT_EQ(grid.Row(), 2);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(grid.TextMatrix(r, c), "") << r << "," << c;
    EXPECT_TRUE(grid.CellPicture(1, 1).isNull());
}

TEST_F(FlexGridTest, PicturesBelongToTheirCells)
{
    load(grid, 3);
    QPixmap red(16, 16);
    red.fill(Qt::red);
    grid.setCellPicture(3, 1, red);
    EXPECT_EQ(grid.CellPicture(3, 1).size(), QSize(16, 16));
    EXPECT_TRUE(grid.CellPicture(2, 1).isNull());
    grid.setRows(3);
    grid.setRows(4);
    EXPECT_TRUE(grid.CellPicture(3, 1).isNull());
}

TEST_F(FlexGridTest, OutOfRangeCellsReadEmptyAndIgnoreWrites)
{
    load(grid, 1);
    grid.setTextMatrix(5, 0, "x");
    grid.setTextMatrix(1, 7, "x");
    EXPECT_EQ(grid.TextMatrix(5, 0), "");
    EXPECT_EQ(grid.TextMatrix(-1, 0), "");
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cols(), 3);
}

TEST_F(FlexGridTest, AlignmentsFollowTheClassicNumbers)
{
    load(grid, 1);
    auto align = [this](int col) {
        return grid.view()->model()->data(grid.view()->model()->index(0, col), Qt::TextAlignmentRole).value<Qt::Alignment>();
    };
    grid.setColAlignment(1, FlexGrid::AlignLeftTop);
    grid.setColAlignment(2, FlexGrid::AlignRightBottom);
    EXPECT_EQ(align(1), Qt::AlignLeft | Qt::AlignTop);
    EXPECT_EQ(align(2), Qt::AlignRight | Qt::AlignBottom);
    grid.setTextMatrix(1, 0, "12.5");
    EXPECT_EQ(align(0), Qt::AlignRight | Qt::AlignVCenter); // general: numbers right
    EXPECT_EQ(grid.ColAlignment(2), FlexGrid::AlignRightBottom);
}

TEST_F(FlexGridTest, AClickMovesTheRowThenRaisesOneClick)
{
    showLoaded(5);
    QTest::mouseClick(cells(), Qt::LeftButton, {}, centre(3, 1));
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(events, (QStringList{"RowColChange 3,1", "Click 3"}));

    // Clicking the current cell again: a click, but no change.
    events.clear();
    QTest::mouseClick(cells(), Qt::LeftButton, {}, centre(3, 1));
    EXPECT_EQ(events, QStringList{"Click 3"});
}

TEST_F(FlexGridTest, ADoubleClickRaisesOneClickThenDblClick)
{
    showLoaded(5);
    // Through the window, so that the platform's event sequence is the real
    // one: press, release, press + double-click, release.
    QTest::mouseDClick(grid.windowHandle(), Qt::LeftButton, {}, cells()->mapTo(&grid, centre(2, 2)));
    EXPECT_EQ(events.count("Click 2"), 1) << events.join("; ").toStdString();
    EXPECT_EQ(events.last(), "DblClick 2");
    // The next single click is a click again.
    events.clear();
    QTest::mouseClick(cells(), Qt::LeftButton, {}, centre(2, 2));
    EXPECT_EQ(events, QStringList{"Click 2"});
}

TEST_F(FlexGridTest, TheCurrentRowStaysSelected)
{
    showLoaded(3);
    QTest::mouseClick(cells(), Qt::LeftButton, {}, centre(2, 1));
    QTest::mouseClick(cells(), Qt::LeftButton, Qt::ControlModifier, centre(2, 1));
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_TRUE(grid.view()->selectionModel()->isRowSelected(1, {}));
}

TEST_F(FlexGridTest, AHeaderClickSelectsNothing)
{
    showLoaded(3);
    grid.setRow(2);
    events.clear();
    QHeaderView *header = grid.view()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(FlexGridTest, KeyboardMovesRaiseRowColChangeOncePerMove)
{
    showLoaded(3);
    grid.setCol(1);
    events.clear();
    grid.setFocus();
    QTest::keyClick(grid.view(), Qt::Key_Down);
    QTest::keyClick(grid.view(), Qt::Key_Down);
    QTest::keyClick(grid.view(), Qt::Key_Down); // already on the last row
    QTest::keyClick(grid.view(), Qt::Key_Right);
    EXPECT_EQ(events, (QStringList{"RowColChange 2,1", "RowColChange 3,1", "RowColChange 3,2"}));
    EXPECT_TRUE(grid.view()->selectionModel()->isRowSelected(2, {}));
}

TEST_F(FlexGridTest, SettingRowOrColFromCodeRaisesRowColChangeWhenItChanges)
{
    load(grid, 4);
    events.clear();
    grid.setRow(3);
    grid.setRow(3);
    grid.setCol(2);
    grid.setRow(0);  // the header row is never current
    grid.setRow(99);
    EXPECT_EQ(events, (QStringList{"RowColChange 3,0", "RowColChange 3,2"}));
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_TRUE(grid.view()->selectionModel()->isRowSelected(2, {}));
}

TEST_F(FlexGridTest, AColumnChosenBeforeTheFirstFillStaysCurrentAfterIt)
{
    // A fresh grid has a second column to choose before any record exists.
    EXPECT_EQ(grid.Cols(), 2);
    grid.setCol(1);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 0);
    load(grid, 3, 13);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_TRUE(events.isEmpty()); // filling is no move by the user
    EXPECT_EQ(grid.view()->currentIndex().column(), 1);
}
