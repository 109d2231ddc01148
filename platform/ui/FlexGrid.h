#pragma once
// The record grid of every list window: a table of text cells addressed by
// (row, column) from 0, row 0 being the fixed header row.
//
// Rows and columns:
//  - Rows() counts the header row; setRows(1) drops every record row,
//    setRows(Rows() + 1) appends an empty last row, and a larger count in one
//    step appends many. Existing cells keep their text. Rows below 1 are
//    taken as 1: the header row always exists.
//  - Column widths are in twips, measured across as the window holding the
//    grid measures its layout (by its font; 15 per pixel at the design
//    font), so columns keep their share of a grid placed in twips. Width 0
//    hides a column; a hidden column still holds its text. ColWidth reads
//    back the shown width, rounded to whole pixels.
//  - Out-of-range cells read as "" and ignore writes (with a warning).
//
// Current cell and notifications:
//  - Row()/Col() is the current cell. Row() is 0 only while there is no
//    record row; once record rows exist the current row is a record row
//    (row 1 unless set otherwise). The whole current row shows selected.
//  - RowColChange() is raised once per change of the current cell by the
//    mouse, the keyboard, or setRow/setCol from code (as the classic grid
//    does). It is not raised when the current row moves only because setRows
//    added the first record row or removed the current one, nor for setCol
//    while there is no record row (there is no current cell to move).
//  - Cols below 1 are taken as 1.
//  - Click() is raised on a click on a record cell, after the current cell
//    has moved there (so after its RowColChange). A click on the header row
//    changes nothing and raises nothing.
//  - A double-click raises one Click (for its first press) and then
//    DblClick().
//
// Filling is linear: each cell write is constant time, appending a row is
// amortised constant time, and the view repaints once for a whole fill.
#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QTableView;
class QModelIndex;

namespace zorbel::ui {

class FlexGridModel;

class FlexGrid : public QWidget {
    Q_OBJECT
public:
    // Column alignments: horizontal (left, centre, right) x vertical (top,
    // centre, bottom), and "general": text left, numbers right, centred
    // vertically.
    enum Alignment {
        AlignLeftTop = 0, AlignLeftCenter = 1, AlignLeftBottom = 2,
        AlignCenterTop = 3, AlignCenterCenter = 4, AlignCenterBottom = 5,
        AlignRightTop = 6, AlignRightCenter = 7, AlignRightBottom = 8,
        AlignGeneral = 9,
    };

    explicit FlexGrid(QWidget *parent = nullptr);
    ~FlexGrid() override;

    int Rows() const;
    void setRows(int rows);
    int Cols() const;
    void setCols(int cols);

    int Row() const { return m_row; }
    /// Makes a record row (1 .. Rows()-1) current; other values are ignored.
    void setRow(int row);
    int Col() const { return m_col; }
    /// Makes a column (0 .. Cols()-1) current; other values are ignored.
    void setCol(int col);

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString &text);
    /// Header cells: index = column number in row 0.
    QString TextArray(int index) const { return TextMatrix(0, index); }
    void setTextArray(int index, const QString &text) { setTextMatrix(0, index, text); }

    /// A picture drawn at the left of a cell, in its own colours also on the
    /// selected row; a null picture removes it.
    QPixmap CellPicture(int row, int col) const;
    void setCellPicture(int row, int col, const QPixmap &picture);
    /// A cell's own background colour, kept on the selected row (which then
    /// shows as a band along the cell's edges); an invalid colour removes it.
    QColor CellBackColor(int row, int col) const;
    void setCellBackColor(int row, int col, const QColor &color);

    int ColWidth(int col) const;
    void setColWidth(int col, int twips);
    int ColAlignment(int col) const;
    void setColAlignment(int col, int alignment);

    /// Empties every cell, headers, pictures and colours included; Rows, Cols
    /// and the current cell stay.
    void Clear();

    /// Width of the text in the grid's font, in twips.
    int TextWidth(const QString &text) const;
    /// Twips per pixel across, by the measure of the grid's window.
    double twipsPerPixel() const;

    /// The view inside, for tests that click cells and headers.
    QTableView *view() const { return m_view; }
    /// A record cell's rectangle in view()->viewport() coordinates (empty
    /// for the header row, hidden columns and out-of-range cells).
    QRect cellRect(int row, int col) const;

signals:
    void Click();
    void DblClick();
    void RowColChange();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether the cell exists; warns in the caller's name when it does not.
    bool cellExists(const char *caller, int row, int col) const;
    void onCurrentChanged(const QModelIndex &current);
    void onClicked(const QModelIndex &index);
    void onDoubleClicked(const QModelIndex &index);
    void syncCurrent();
    void keepCurrentValid();

    FlexGridModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    int m_row = 0;
    int m_col = 0;
    bool m_syncing = false;
    bool m_afterDoubleClick = false;
};

} // namespace zorbel::ui
