#include "platform/ui/FlexGrid.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest/QTest>

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace zorbel::ui;

namespace {

void fill(FlexGrid &g, int records, int cols)
{
    g.setRows(1);
    g.setCols(cols);
    g.setRows(records + 1);
    for (int r = 0; r <= records; ++r)
        for (int c = 0; c < cols; ++c)
            g.setTextMatrix(r, c, QString("%1,%2").arg(r).arg(c));
}

// Pixels of this colour inside a cell of the grid as it is on screen, exactly
// or within a tolerance per channel (the style may shade its selection).
int pixelsOf(FlexGrid &g, int row, int col, const QColor &colour, int tolerance = 0)
{
    const QImage shot = g.view()->viewport()->grab().toImage();
    const QRect cell = g.cellRect(row, col);
    int n = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QColor p = shot.pixelColor(x, y);
            n += qAbs(p.red() - colour.red()) <= tolerance && qAbs(p.green() - colour.green()) <= tolerance
                 && qAbs(p.blue() - colour.blue()) <= tolerance;
        }
    return n;
}

} // namespace

// The colour is the information (a risk's score, a task's status): the
// selection must not paint over it or tint it into another one.
TEST(FlexGridCells, OwnColoursAndPicturesShowUnchangedOnTheSelectedRow)
{
    FlexGrid grid;
    grid.resize(400, 200);
    fill(grid, 3, 3);
    QPixmap amber(16, 16);
    amber.fill(QColor(255, 191, 0));
    const QColor high(200, 30, 30);
    grid.show();
    QApplication::setActiveWindow(&grid);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    const QColor highlight = grid.view()->palette().color(QPalette::Active, QPalette::Highlight);

    for (int selectedRow : {1, 2}) {
        grid.setRow(selectedRow);
        grid.setCellPicture(2, 1, amber);
        grid.setCellBackColor(2, 2, high);
        const int cellArea = grid.cellRect(2, 2).width() * grid.cellRect(2, 2).height();
        EXPECT_GE(pixelsOf(grid, 2, 1, amber.toImage().pixelColor(0, 0)), 100) << selectedRow;
        EXPECT_GE(pixelsOf(grid, 2, 2, high), cellArea / 2) << selectedRow;
        // The row still reads as selected, and its other cells as before.
        EXPECT_EQ(pixelsOf(grid, 2, 2, highlight, 4) > 0, selectedRow == 2);
        EXPECT_EQ(pixelsOf(grid, 2, 0, highlight, 4) > cellArea / 4, selectedRow == 2);
    }
}

TEST(FlexGridCells, ColoursAndTextsBelongToTheirCellsThroughShapeChanges)
{
    FlexGrid grid;
    fill(grid, 4, 3);
    grid.setCellBackColor(4, 2, Qt::red);
    grid.setCellBackColor(2, 1, Qt::green);
    grid.setCellPicture(2, 1, QPixmap(4, 4));
    grid.setCellBackColor(9, 1, Qt::blue); // out of range: ignored
    EXPECT_EQ(grid.CellBackColor(4, 2), QColor(Qt::red));
    EXPECT_FALSE(grid.CellBackColor(9, 1).isValid());

    // Columns added and taken away: every surviving cell keeps its own.
    grid.setCols(5);
    EXPECT_EQ(grid.TextMatrix(3, 2), "3,2");
    EXPECT_EQ(grid.TextMatrix(3, 4), "");
    EXPECT_EQ(grid.CellBackColor(2, 1), QColor(Qt::green));
    grid.setCols(2);
    EXPECT_EQ(grid.TextMatrix(4, 1), "4,1");
    EXPECT_EQ(grid.TextMatrix(0, 1), "0,1");
    grid.setCols(3);
    EXPECT_EQ(grid.TextMatrix(4, 2), "");
    EXPECT_FALSE(grid.CellBackColor(4, 2).isValid());

    // A removed colour leaves the picture; dropped rows take theirs along.
    grid.setCellBackColor(2, 1, QColor());
    EXPECT_FALSE(grid.CellBackColor(2, 1).isValid());
    EXPECT_FALSE(grid.CellPicture(2, 1).isNull());
    grid.setCellBackColor(3, 0, Qt::red);
    grid.setRows(3);
    grid.setRows(5);
    EXPECT_FALSE(grid.CellBackColor(3, 0).isValid());
    EXPECT_EQ(grid.TextMatrix(2, 0), "2,0");
    grid.Clear();
    EXPECT_TRUE(grid.CellPicture(2, 1).isNull());
}

// Writes reach the view together once control returns to the event loop;
// rows dropped in between are not reported to it.
TEST(FlexGridCells, TheViewHearsOfEveryWrittenCell)
{
    FlexGrid grid;
    fill(grid, 20, 4);
    QApplication::processEvents();
    QAbstractItemModel *model = grid.view()->model();
    QSignalSpy cells(model, &QAbstractItemModel::dataChanged);
    QSignalSpy headers(model, &QAbstractItemModel::headerDataChanged);

    grid.setTextMatrix(3, 1, "a");
    grid.setTextMatrix(7, 3, "b");
    grid.setCellBackColor(5, 0, Qt::red);
    grid.setTextArray(2, "Finish");
    QApplication::processEvents();
    QRect told;
    for (const QList<QVariant> &args : cells)
        told |= QRect(QPoint(args[0].toModelIndex().column(), args[0].toModelIndex().row() + 1),
                      QPoint(args[1].toModelIndex().column(), args[1].toModelIndex().row() + 1));
    for (QPoint cell : {QPoint(1, 3), QPoint(3, 7), QPoint(0, 5)})
        EXPECT_TRUE(told.contains(cell)) << cell.x() << "," << cell.y();
    ASSERT_FALSE(headers.isEmpty());
    EXPECT_LE(headers.last()[1].toInt(), 2);
    EXPECT_GE(headers.last()[2].toInt(), 2);

    cells.clear();
    grid.setTextMatrix(18, 2, "gone");
    grid.setRows(10);
    QApplication::processEvents();
    for (const QList<QVariant> &args : cells)
        EXPECT_TRUE(args[1].toModelIndex().isValid());
}
