#include "platform/xlsx/XlsxFile.h"

#include "platform/xlsx/Error.h"
#include "platform/xlsx/Palette.h"
#include "platform/xlsx/SaveFiles.h"
#include "platform/xlsx/TextEscape.h"
#include "platform/xlsx/Workbook.h"
#include "platform/xlsx/ZipCheck.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <xlsxwriter.h>

#include <cerrno>
#include <malloc.h>

namespace zorbel::xl {

namespace {

// The writer's workbook, freed unwritten when building it fails part way.
class WriterWorkbook {
public:
    WriterWorkbook(const QByteArray& path, QByteArray temporaryFolder) : m_temporaryFolder(std::move(temporaryFolder))
    {
        lxw_workbook_options options{};
        options.tmpdir = m_temporaryFolder.data();
        m_book = workbook_new_opt(path.constData(), &options);
        if (!m_book)
            throw SaveFailure{QStringLiteral("the file writer could not start")};
    }
    ~WriterWorkbook()
    {
        if (m_book)
            lxw_workbook_free(m_book);
    }
    WriterWorkbook(const WriterWorkbook&) = delete;
    WriterWorkbook& operator=(const WriterWorkbook&) = delete;

    lxw_workbook* get() const { return m_book; }
    lxw_error close()
    {
        lxw_workbook* book = m_book;
        m_book = nullptr;
        return workbook_close(book);
    }

private:
    QByteArray m_temporaryFolder;
    lxw_workbook* m_book = nullptr;
};

lxw_color_t colourOf(int colorIndex)
{
    const quint32 rgb = *paletteColour(colorIndex);
    return rgb == 0 ? lxw_color_t(LXW_COLOR_BLACK) : lxw_color_t(rgb);  // 0 means "no colour" to the writer
}

uint8_t horizontalOf(int alignment)
{
    switch (alignment) {
    case xlLeft: return LXW_ALIGN_LEFT;
    case xlCenter: return LXW_ALIGN_CENTER;
    case xlRight: return LXW_ALIGN_RIGHT;
    case xlFill: return LXW_ALIGN_FILL;
    case xlJustify: return LXW_ALIGN_JUSTIFY;
    case xlCenterAcrossSelection: return LXW_ALIGN_CENTER_ACROSS;
    case xlDistributed: return LXW_ALIGN_DISTRIBUTED;
    default: return LXW_ALIGN_NONE;
    }
}

uint8_t verticalOf(int alignment)
{
    switch (alignment) {
    case xlTop: return LXW_ALIGN_VERTICAL_TOP;
    case xlCenter: return LXW_ALIGN_VERTICAL_CENTER;
    case xlJustify: return LXW_ALIGN_VERTICAL_JUSTIFY;
    case xlDistributed: return LXW_ALIGN_VERTICAL_DISTRIBUTED;
    default: return LXW_ALIGN_NONE;  // bottom, the file's default
    }
}

uint8_t underlineOf(int style)
{
    switch (style) {
    case xlUnderlineStyleSingle: return LXW_UNDERLINE_SINGLE;
    case xlUnderlineStyleDouble: return LXW_UNDERLINE_DOUBLE;
    case xlUnderlineStyleSingleAccounting: return LXW_UNDERLINE_SINGLE_ACCOUNTING;
    case xlUnderlineStyleDoubleAccounting: return LXW_UNDERLINE_DOUBLE_ACCOUNTING;
    default: return LXW_UNDERLINE_NONE;
    }
}

// One writer format per format of the workbook, made when first used.
class Formats {
public:
    Formats(lxw_workbook* book, const StyleTable& styles)
        : m_book(book), m_styles(styles), m_made(size_t(styles.count()), nullptr) {}

    lxw_format* get(StyleId id)
    {
        lxw_format*& made = m_made[size_t(id)];
        if (!made)
            made = make(m_styles.format(id));
        return made;
    }

private:
    lxw_format* make(const CellFormat& f)
    {
        const CellFormat plain;
        lxw_format* format = workbook_add_format(m_book);
        if (!format)
            throw SaveFailure{QStringLiteral("out of memory")};
        if (f.fontName != plain.fontName)
            format_set_font_name(format, f.fontName.toUtf8().constData());
        if (f.fontSize != plain.fontSize)
            format_set_font_size(format, f.fontSize);
        if (f.bold)
            format_set_bold(format);
        if (f.strikethrough)
            format_set_font_strikeout(format);
        if (f.superscript)
            format_set_font_script(format, LXW_FONT_SUPERSCRIPT);
        if (f.subscript)
            format_set_font_script(format, LXW_FONT_SUBSCRIPT);
        if (f.outlineFont)
            format_set_font_outline(format);
        if (f.shadow)
            format_set_font_shadow(format);
        if (f.underline != xlUnderlineStyleNone)
            format_set_underline(format, underlineOf(f.underline));
        if (f.fontColorIndex != xlColorIndexAutomatic)
            format_set_font_color(format, colourOf(f.fontColorIndex));
        if (f.interiorColorIndex != xlColorIndexNone) {
            format_set_pattern(format, LXW_PATTERN_SOLID);
            format_set_bg_color(format, colourOf(f.interiorColorIndex));
        }
        if (f.horizontalAlignment != xlGeneral)
            format_set_align(format, horizontalOf(f.horizontalAlignment));
        if (f.verticalAlignment != xlBottom)
            format_set_align(format, verticalOf(f.verticalAlignment));
        if (f.wrapText)
            format_set_text_wrap(format);
        if (f.orientation != 0)
            format_set_rotation(format, int16_t(f.orientation));
        if (f.indentLevel != 0)
            format_set_indent(format, uint8_t(f.indentLevel));
        if (f.shrinkToFit)
            format_set_shrink(format);
        if (f.readingOrder == xlLTR)
            format_set_reading_order(format, 1);
        if (f.readingOrder == xlRTL)
            format_set_reading_order(format, 2);
        if (f.numberFormat != plain.numberFormat)
            format_set_num_format(format, f.numberFormat.toUtf8().constData());
        return format;
    }

    lxw_workbook* m_book;
    const StyleTable& m_styles;
    std::vector<lxw_format*> m_made;
};

// The writer names its file errors in general terms ("Zip generic error
// ZIP_ERRNO") and leaves the system's reason, a full disk say, in errno. Its
// work files are the temporary folder's, and a failure there is told as that
// folder's: the report's own folder and disk are fine.
SaveFailure closingFailure(lxw_error error, int systemErrorNumber, const ScratchFolder& scratch)
{
    const QString reason =
        systemErrorNumber != 0 ? systemError(systemErrorNumber) : QString::fromUtf8(lxw_strerror(error));
    switch (error) {
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        return scratch.failure(QStringLiteral("cannot hold the file writer's work files: %1").arg(reason));
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return {reason};
    default:
        return {QString::fromUtf8(lxw_strerror(error))};
    }
}

// A part cut short comes from a work file the writer could not write whole;
// anything else wrong was damaged on its way into the report's own file.
SaveFailure brokenFailure(const BrokenPart& broken, const ScratchFolder& scratch)
{
    const QString part = broken.part.isEmpty() ? QStringLiteral("the written file") : broken.part;
    if (broken.kind == BrokenPart::CutShort)
        return scratch.failure(
            QStringLiteral("could not hold the file writer's work file for %1 whole: %2. Is that folder full?")
                .arg(part, broken.detail));
    return {QStringLiteral("the written workbook is damaged: %1: %2").arg(part, broken.detail)};
}

// `where` names the cell, row or name; it is worked out only on a failure.
template <class Where>
void check(lxw_error error, const Worksheet& sheet, Where&& where)
{
    if (error != LXW_NO_ERROR)
        throw SaveFailure{QStringLiteral("%1 of sheet \"%2\": %3")
                          .arg(where(), sheet.Name(), QString::fromUtf8(lxw_strerror(error)))};
}

QString cellName(int row, int column) { return columnLetters(column) + QString::number(row); }

// One record per run of equal columns: records that overlap make a file the
// spreadsheet program has to repair.
void writeColumns(lxw_worksheet* target, const Worksheet& sheet, Formats& formats)
{
    const auto& columns = sheet.columns();
    for (auto it = columns.begin(); it != columns.end();) {
        const int first = it->first;
        const ColumnData& data = it->second;
        int last = first;
        auto next = std::next(it);
        while (next != columns.end() && next->first == last + 1 && next->second.width == data.width
               && next->second.style == data.style) {
            last = next->first;
            ++next;
        }
        lxw_format* format = data.style ? formats.get(*data.style) : nullptr;
        check(worksheet_set_column(target, lxw_col_t(first - 1), lxw_col_t(last - 1),
                                   data.width.value_or(LXW_DEF_COL_WIDTH), format),
              sheet, [&] { return QStringLiteral("Column %1").arg(columnLetters(first)); });
        it = next;
    }
}

// The file's UTF-8 text of a cell, in one buffer used again for every cell.
class Utf8Buffer {
public:
    const char* operator()(const QString& text)
    {
        const qsizetype needed = m_encoder.requiredSpace(text.size()) + 1;
        if (m_bytes.size() < needed)
            m_bytes.resize(needed);
        char* end = m_encoder.appendToBuffer(m_bytes.data(), text);
        *end = '\0';
        return m_bytes.constData();
    }

private:
    QStringEncoder m_encoder{QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
    QByteArray m_bytes;
};

void writeCells(lxw_worksheet* target, const Worksheet& sheet, Formats& formats)
{
    auto columnStyled = [&](int column) {
        auto it = sheet.columns().find(column);
        return it != sheet.columns().end() && it->second.style.has_value();
    };
    Utf8Buffer utf8;
    for (const auto& [row, data] : sheet.rows()) {
        const lxw_row_t r = lxw_row_t(row - 1);
        if (data.height || data.style)
            check(worksheet_set_row(target, r, data.height.value_or(LXW_DEF_ROW_HEIGHT),
                                    data.style ? formats.get(*data.style) : nullptr),
                  sheet, [&] { return QStringLiteral("Row %1").arg(row); });
        for (const auto& [column, cell] : data.cells) {
            const lxw_col_t c = lxw_col_t(column - 1);
            // A cell of the default format is still written with a format of
            // its own where its row or column has one, or it would show theirs.
            lxw_format* format = formats.get(cell.style);
            lxw_error error = LXW_NO_ERROR;
            if (const auto* text = std::get_if<QString>(&cell.value))
                error = worksheet_write_string(target, r, c, utf8(escapeCellText(*text)), format);
            else if (const auto* number = std::get_if<double>(&cell.value))
                error = worksheet_write_number(target, r, c, *number, format);
            else if (const auto* flag = std::get_if<bool>(&cell.value))
                error = worksheet_write_boolean(target, r, c, *flag, format);
            else if (cell.style != kDefaultStyle || data.style || columnStyled(column))
                error = worksheet_write_blank(target, r, c, format);
            check(error, sheet, [&] { return QStringLiteral("Cell %1").arg(cellName(row, column)); });
        }
    }
}

void writeSelection(lxw_worksheet* target, const Worksheet& sheet)
{
    const Reference& selection = sheet.selection();
    if (selection == Reference{})
        return;  // A1, which the file shows anyway
    Area a = selection.area;
    if (selection.kind == AreaKind::Columns) {
        a.top = 1;
        a.bottom = kMaxRows;
    } else if (selection.kind == AreaKind::Rows) {
        a.left = 1;
        a.right = kMaxColumns;
    }
    worksheet_set_selection(target, lxw_row_t(a.top - 1), lxw_col_t(a.left - 1), lxw_row_t(a.bottom - 1),
                            lxw_col_t(a.right - 1));
}

void writeNames(lxw_workbook* target, const Worksheet& sheet)
{
    if (sheet.Names().Count() == 0)
        return;
    // The writer finds a name's sheet by the first "!" of "Sheet!Name".
    if (sheet.Name().contains(u'!'))
        throw SaveFailure{QStringLiteral("names cannot be saved on sheet \"%1\", whose name holds \"!\"").arg(sheet.Name())};
    QString quoted = sheet.Name();
    quoted.replace(u'\'', QStringLiteral("''"));
    for (const Names::Name& name : sheet.Names().items()) {
        const QByteArray local = (sheet.Name() + u'!' + name.name).toUtf8();
        const QByteArray formula = QStringLiteral("='%1'!%2").arg(quoted, absoluteAddress(name.area)).toUtf8();
        check(workbook_define_name(target, local.constData(), formula.constData()), sheet,
              [&] { return QStringLiteral("Name %1").arg(name.name); });
    }
}

void build(lxw_workbook* target, const Workbook& book)
{
    Formats formats(target, book.styles());
    std::vector<lxw_worksheet*> written;
    for (const auto& sheet : book.sheets()) {
        lxw_worksheet* ws = workbook_add_worksheet(target, sheet->Name().toUtf8().constData());
        if (!ws)
            throw SaveFailure{QStringLiteral("the sheet \"%1\" could not be added").arg(sheet->Name())};
        writeColumns(ws, *sheet, formats);
        writeCells(ws, *sheet, formats);
        writeSelection(ws, *sheet);
        writeNames(target, *sheet);
        written.push_back(ws);
    }
    worksheet_activate(written[size_t(book.activeIndex() - 1)]);
}

} // namespace

// The file writer takes a deflate buffer of some 270 KB for each part of the
// file and frees it again, and a report's own cells take the heap up in steps
// of the C library's default pad of 128 KB. With that pad, the memory goes
// back to the system after every part and is faulted in again page by page,
// which costs a large report more time than writing all its cells; a pad of
// 1 MB keeps it at hand.
void keepWriterMemoryAtHand()
{
    mallopt(M_TOP_PAD, 1 << 20);
}

void writeXlsxFile(const Workbook& book, const QString& path)
{
    auto failed = [&](const QString& reason) {
        return Error(QStringLiteral("The workbook could not be saved as %1: %2").arg(path, reason));
    };
    const QFileInfo target(path);
    if (target.isDir() && !target.isSymLink())
        throw failed(QStringLiteral("a folder of that name is there"));
    try {
        // Made first, so that a folder that cannot take it fails the save at once.
        IncomingFile incoming(target.absolutePath());
        const ScratchFolder scratch;
        {
            WriterWorkbook writer(incoming.pathForWriter(), scratch.pathForWriter());
            build(writer.get(), book);
            errno = 0;
            const lxw_error error = writer.close();
            if (error != LXW_NO_ERROR)
                throw closingFailure(error, errno, scratch);
        }
        if (const std::optional<BrokenPart> broken = firstBrokenPart(incoming.descriptor()))
            throw brokenFailure(*broken, scratch);
        incoming.moveTo(QFile::encodeName(target.fileName()));
    } catch (const SaveFailure& failure) {
        throw failed(failure.reason);
    }
}

} // namespace zorbel::xl
