#pragma once
// A range of a worksheet: a rectangle of cells, whole columns or whole rows,
// with the values and formats the workbook writers set on it.
//
// A range is a small value that points into its sheet; every setter changes
// the sheet at once. Setting a format property on cells changes that one
// property of each cell (creating the cells as formatted blanks); on whole
// columns or rows it changes the column or row itself and every cell already
// in it, and cells written there later start from it. Failures raise
// xl::Error.
#include "platform/xlsx/Address.h"
#include "platform/xlsx/CellFormat.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <type_traits>

namespace zorbel::xl {

class Worksheet;
struct Cell;
class Font;
class Interior;

class Range {
public:
    Range(xl::Worksheet& sheet, const Reference& reference);

    /// The top-left cell's value: a double for a number, a bool, a QString
    /// for text, or an invalid QVariant for an empty cell.
    QVariant Value() const;
    /// Writes every cell of the range. Text is always kept as text (never a
    /// formula or a number); numbers stay numbers unless the cell's number
    /// format is "@". An empty or null value empties the cell and keeps its
    /// format. Only text, numbers and booleans can be written.
    void setValue(const QVariant& value);
    void setValue(const QString& text);
    void setValue(const char* text) { setValue(QString::fromUtf8(text)); }
    template <typename T>
        requires std::is_arithmetic_v<T>
    void setValue(T number)
    {
        if constexpr (std::is_same_v<T, bool>)
            setFlag(number);
        else
            setNumber(double(number));
    }

    /// Makes the range its sheet's selection, shown when the file opens.
    void Select();

    /// Widths in characters, of the range's columns (not allowed on whole rows).
    double ColumnWidth() const;
    void setColumnWidth(double width);
    /// Heights in points, of the range's rows (not allowed on whole columns).
    double RowHeight() const;
    void setRowHeight(double height);

    QString NumberFormat() const { return format().numberFormat; }
    void setNumberFormat(const QString& format);
    void setHorizontalAlignment(int alignment);
    void setVerticalAlignment(int alignment);
    void setWrapText(bool wrap);
    /// Degrees from -90 to 90; 90 reads upwards.
    void setOrientation(int degrees);
    /// Only False: an added indent cannot be kept in the file.
    void setAddIndent(bool add);
    void setIndentLevel(int level);
    void setShrinkToFit(bool shrink);
    void setReadingOrder(int order);
    /// Only False: cells are never merged, and asking for it raises an error.
    void setMergeCells(bool merge);

    xl::Font Font() const;
    xl::Interior Interior() const;

    /// The format the top-left cell shows: its own, else its row's, else
    /// its column's, else the default.
    CellFormat format() const;

    int Row() const { return m_reference.area.top; }
    int Column() const { return m_reference.area.left; }
    /// "$B$2" or "$B$2:$J$2".
    QString Address() const { return absoluteAddress(m_reference.area); }
    const Reference& reference() const { return m_reference; }
    xl::Worksheet& Worksheet() const { return *m_sheet; }

private:
    friend class xl::Font;
    friend class xl::Interior;
    void changeFormat(const std::function<void(CellFormat&)>& change) const;
    void writeCells(const std::function<void(Cell&, const CellFormat&)>& write) const;
    void setNumber(double number);
    void setFlag(bool flag);

    xl::Worksheet* m_sheet;
    Reference m_reference;
};

class Font {
public:
    explicit Font(const Range& range) : m_range(range) {}

    void setName(const QString& name);
    void setSize(double points);
    void setBold(bool bold);
    void setStrikethrough(bool on);
    /// Superscript and subscript exclude each other: setting one clears the other.
    void setSuperscript(bool on);
    void setSubscript(bool on);
    void setOutlineFont(bool on);
    void setShadow(bool on);
    void setUnderline(int style);
    /// A palette position (1 to 56) or xlColorIndexAutomatic.
    void setColorIndex(int colorIndex);

private:
    Range m_range;
};

class Interior {
public:
    explicit Interior(const Range& range) : m_range(range) {}

    /// A palette position (1 to 56) or xlColorIndexNone.
    void setColorIndex(int colorIndex);

private:
    Range m_range;
};

} // namespace zorbel::xl
