#include "platform/xlsx/Range.h"

#include "platform/xlsx/Constants.h"
#include "platform/xlsx/Error.h"
#include "platform/xlsx/Palette.h"
#include "platform/xlsx/TextEscape.h"
#include "platform/xlsx/Workbook.h"
#include "platform/xlsx/Worksheet.h"

#include <QMetaType>
#include <cmath>
#include <initializer_list>

namespace zorbel::xl {

namespace {
constexpr qint64 kMaxCellsPerWrite = 1 << 20;

void requireOneOf(int value, std::initializer_list<int> allowed, const char* property)
{
    for (int a : allowed)
        if (a == value)
            return;
    throw Error(QStringLiteral("%1 cannot be set to %2").arg(QLatin1String(property)).arg(value));
}

void requireBetween(double value, double low, double high, const char* property)
{
    if (!(value >= low && value <= high))
        throw Error(QStringLiteral("%1 must lie between %2 and %3, not %4")
                        .arg(QLatin1String(property)).arg(low).arg(high).arg(value));
}

void requirePaletteOr(int colorIndex, int other)
{
    if (colorIndex != other && !paletteColour(colorIndex))
        throw Error(QStringLiteral("ColorIndex %1 is not a colour of the palette (1 to 56)").arg(colorIndex));
}

// Format texts go into the file as they are, where a control character
// would leave it unreadable.
void requireNoControl(const QString& text, const char* what)
{
    for (QChar c : text)
        if (c.unicode() < 0x20)
            throw Error(QStringLiteral("%1 cannot hold a control character").arg(QLatin1String(what)));
}

// A number shown as the text a text-formatted cell keeps.
QString numberAsText(double number) { return QString::number(number, 'g', 15); }
} // namespace

Range::Range(xl::Worksheet& sheet, const Reference& reference) : m_sheet(&sheet), m_reference(reference) {}

QVariant Range::Value() const
{
    const Cell* cell = m_sheet->findCell(Row(), Column());
    if (!cell)
        return {};
    return std::visit(
        [](const auto& v) -> QVariant {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return QVariant();
            else
                return QVariant::fromValue(v);
        },
        cell->value);
}

void Range::setValue(const QVariant& value)
{
    if (value.isNull()) {
        setValue(QString());
        return;
    }
    switch (value.metaType().id()) {
    case QMetaType::QString:
        setValue(*static_cast<const QString*>(value.constData()));
        return;
    case QMetaType::Bool:
        setFlag(value.toBool());
        return;
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Long: case QMetaType::ULong:
    case QMetaType::Char: case QMetaType::SChar: case QMetaType::UChar:
    case QMetaType::Double: case QMetaType::Float:
        setNumber(value.toDouble());
        return;
    default:
        throw Error(QStringLiteral("A value of type %1 cannot be written into a cell; write it as text")
                        .arg(QLatin1String(value.metaType().name())));
    }
}

void Range::writeCells(const std::function<void(Cell&, const CellFormat&)>& write) const
{
    if (m_reference.kind != AreaKind::Cells)
        throw Error(QStringLiteral("Values are written into cells, not into whole columns or rows"));
    const Area& a = m_reference.area;
    if (qint64(a.bottom - a.top + 1) * (a.right - a.left + 1) > kMaxCellsPerWrite)
        throw Error(QStringLiteral("The range %1 is too large to write cell by cell").arg(Address()));
    const StyleTable& styles = m_sheet->Parent().styles();
    if (a.isSingleCell()) {  // nearly every write
        Cell& cell = m_sheet->cellAt(a.top, a.left);
        write(cell, styles.format(cell.style));
        return;
    }
    for (int row = a.top; row <= a.bottom; ++row)
        for (int column = a.left; column <= a.right; ++column) {
            Cell& cell = m_sheet->cellAt(row, column);
            write(cell, styles.format(cell.style));
        }
}

// A cell holds 32,767 characters counted as a spreadsheet program counts
// them: a control character, which the file holds as "_xHHHH_", counts one,
// and a character beyond the basic plane two (a surrogate pair). The file
// writer counts the text it is handed instead; a text it would refuse at the
// save is refused here, so that every text taken here saves.
void Range::setValue(const QString& text)
{
    if (text.size() > kMaxCellText)
        throw Error(QStringLiteral("A cell holds at most %1 characters of text").arg(kMaxCellText));
    // Escaping makes one character 7 at most, so only long texts need counting.
    constexpr qsizetype kAlwaysFits = kMaxCellText / 7;
    if (text.size() > kAlwaysFits && fileWriterLength(text) > kMaxCellText)
        throw Error(QStringLiteral("A cell holds at most %1 characters of text, where a NUL character or a text "
                                   "such as \"_x0041_\" counts 7")
                        .arg(kMaxCellText));
    writeCells([&](Cell& cell, const CellFormat&) {
        if (text.isEmpty())
            cell.value = std::monostate{};
        else
            cell.value = text;
    });
}

// A text-formatted cell keeps what is written later as text, as the
// spreadsheet program does.
void Range::setNumber(double number)
{
    if (!std::isfinite(number))
        throw Error(QStringLiteral("A cell cannot hold %1").arg(number));
    writeCells([&](Cell& cell, const CellFormat& format) {
        if (format.numberFormat == u"@")
            cell.value = numberAsText(number);
        else
            cell.value = number;
    });
}

void Range::setFlag(bool flag)
{
    writeCells([&](Cell& cell, const CellFormat& format) {
        if (format.numberFormat == u"@")
            cell.value = flag ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        else
            cell.value = flag;
    });
}

void Range::Select() { m_sheet->select(m_reference); }

double Range::ColumnWidth() const
{
    auto col = m_sheet->columns().find(Column());
    return col != m_sheet->columns().end() && col->second.width ? *col->second.width : 8.43;
}

void Range::setColumnWidth(double width)
{
    if (m_reference.kind == AreaKind::Rows)
        throw Error(QStringLiteral("A column width is set on cells or columns, not on whole rows"));
    requireBetween(width, 0, 255, "ColumnWidth");
    m_sheet->setColumnWidth(m_reference.area.left, m_reference.area.right, width);
}

double Range::RowHeight() const
{
    auto row = m_sheet->rows().find(Row());
    return row != m_sheet->rows().end() && row->second.height ? *row->second.height : 15;
}

void Range::setRowHeight(double height)
{
    if (m_reference.kind == AreaKind::Columns)
        throw Error(QStringLiteral("A row height is set on cells or rows, not on whole columns"));
    requireBetween(height, 0, 409, "RowHeight");
    m_sheet->setRowHeight(m_reference.area.top, m_reference.area.bottom, height);
}

void Range::changeFormat(const std::function<void(CellFormat&)>& change) const
{
    m_sheet->changeFormat(m_reference, change);
}

CellFormat Range::format() const { return m_sheet->Parent().styles().format(m_sheet->styleAt(Row(), Column())); }

void Range::setNumberFormat(const QString& format)
{
    if (format.isEmpty() || format.size() > 255)
        throw Error(QStringLiteral("A number format has 1 to 255 characters"));
    requireNoControl(format, "A number format");
    changeFormat([&, safe = xmlSafeText(format)](CellFormat& f) { f.numberFormat = safe; });
}

void Range::setHorizontalAlignment(int alignment)
{
    requireOneOf(alignment, {xlGeneral, xlLeft, xlCenter, xlRight, xlFill, xlJustify, xlCenterAcrossSelection,
                             xlDistributed},
                 "HorizontalAlignment");
    changeFormat([&](CellFormat& f) { f.horizontalAlignment = alignment; });
}

void Range::setVerticalAlignment(int alignment)
{
    requireOneOf(alignment, {xlTop, xlCenter, xlBottom, xlJustify, xlDistributed}, "VerticalAlignment");
    changeFormat([&](CellFormat& f) { f.verticalAlignment = alignment; });
}

void Range::setWrapText(bool wrap)
{
    changeFormat([&](CellFormat& f) { f.wrapText = wrap; });
}

void Range::setOrientation(int degrees)
{
    requireBetween(degrees, -90, 90, "Orientation");
    changeFormat([&](CellFormat& f) { f.orientation = degrees; });
}

void Range::setAddIndent(bool add)
{
    if (add)
        throw Error(QStringLiteral("AddIndent cannot be set to True"));
}

void Range::setIndentLevel(int level)
{
    requireBetween(level, 0, 15, "IndentLevel");
    changeFormat([&](CellFormat& f) { f.indentLevel = level; });
}

void Range::setShrinkToFit(bool shrink)
{
    changeFormat([&](CellFormat& f) { f.shrinkToFit = shrink; });
}

void Range::setReadingOrder(int order)
{
    requireOneOf(order, {xlContext, xlLTR, xlRTL}, "ReadingOrder");
    changeFormat([&](CellFormat& f) { f.readingOrder = order; });
}

void Range::setMergeCells(bool merge)
{
    if (merge)
        throw Error(QStringLiteral("Cells cannot be merged"));
}

xl::Font Range::Font() const { return xl::Font(*this); }
xl::Interior Range::Interior() const { return xl::Interior(*this); }

void Font::setName(const QString& name)
{
    if (name.trimmed().isEmpty() || name.size() > 31)
        throw Error(QStringLiteral("A font name has 1 to 31 characters"));
    requireNoControl(name, "A font name");
    m_range.changeFormat([&, safe = xmlSafeText(name)](CellFormat& f) { f.fontName = safe; });
}

void Font::setSize(double points)
{
    requireBetween(points, 1, 409, "Font size");
    m_range.changeFormat([&](CellFormat& f) { f.fontSize = points; });
}

void Font::setBold(bool bold)
{
    m_range.changeFormat([&](CellFormat& f) { f.bold = bold; });
}

void Font::setStrikethrough(bool on)
{
    m_range.changeFormat([&](CellFormat& f) { f.strikethrough = on; });
}

void Font::setSuperscript(bool on)
{
    m_range.changeFormat([&](CellFormat& f) {
        f.superscript = on;
        if (on)
            f.subscript = false;
    });
}

void Font::setSubscript(bool on)
{
    m_range.changeFormat([&](CellFormat& f) {
        f.subscript = on;
        if (on)
            f.superscript = false;
    });
}

void Font::setOutlineFont(bool on)
{
    m_range.changeFormat([&](CellFormat& f) { f.outlineFont = on; });
}

void Font::setShadow(bool on)
{
    m_range.changeFormat([&](CellFormat& f) { f.shadow = on; });
}

void Font::setUnderline(int style)
{
    requireOneOf(style, {xlUnderlineStyleNone, xlUnderlineStyleSingle, xlUnderlineStyleDouble,
                         xlUnderlineStyleSingleAccounting, xlUnderlineStyleDoubleAccounting},
                 "Underline");
    m_range.changeFormat([&](CellFormat& f) { f.underline = style; });
}

void Font::setColorIndex(int colorIndex)
{
    requirePaletteOr(colorIndex, xlColorIndexAutomatic);
    m_range.changeFormat([&](CellFormat& f) { f.fontColorIndex = colorIndex; });
}

void Interior::setColorIndex(int colorIndex)
{
    requirePaletteOr(colorIndex, xlColorIndexNone);
    m_range.changeFormat([&](CellFormat& f) { f.interiorColorIndex = colorIndex; });
}

} // namespace zorbel::xl
