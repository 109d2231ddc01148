#include "platform/xlsx/XlsxFile.h"

#include "platform/xlsx/Error.h"
#include "platform/xlsx/Palette.h"
#include "platform/xlsx/TextEscape.h"
#include "platform/xlsx/Workbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorbel::xl {

namespace {

// Why a save failed, carried to writeXlsxFile, which names the path.
struct Failure {
    QString reason;
};

QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// The mode a program's new file gets: read and write for all that the
// process's file mask lets through. The mask is read, not set, since setting
// it would change it for every thread for that moment; where it cannot be
// read the file stays the owner's alone.
mode_t newFileMode()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
            bool ok = false;
            const uint mask = line.startsWith("Umask:") ? line.mid(6).trimmed().toUInt(&ok, 8) : 0;
            if (ok)
                return 0666 & ~mask;
        }
    }
    return 0600;
}

const QString kReplaced = QStringLiteral("another program replaced the file being saved");

BeforeRenameHook* g_beforeRename = nullptr;

// A descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }
    void reset(int fd)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

// The folder where the file writer makes the workbook and its own temporary
// files: a folder of ours alone in the system's temporary folder, which is
// sticky, so nobody else can rename, replace or put anything in it (a folder
// beside the target could be renamed and replaced in a shared folder).
class PrivateFolder {
public:
    PrivateFolder()
    {
        QByteArray pattern = QFile::encodeName(QDir::tempPath()) + "/zorbel-save-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            throw Failure{systemError(errno)};
        m_path = pattern;
    }
    ~PrivateFolder() { QDir(QFile::decodeName(m_path)).removeRecursively(); }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    const QByteArray& path() const { return m_path; }

private:
    QByteArray m_path;
};

// The file that brings the finished workbook into the target's folder. This
// program makes it there itself, never through a link, and reaches it only
// through its descriptor until it takes the target's place; the name serves
// only for that rename, and only while it still holds our file: in a folder
// where others may delete files, anyone can put a link or a file of his own
// in its place. For the same reason it is removed, when the save fails, only
// while its name is still ours.
class IncomingFile {
public:
    explicit IncomingFile(const QString& folder)
        : m_folderPath(folder),
          m_folder(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        if (m_folder.get() < 0)
            throw Failure{systemError(errno)};
        for (int attempt = 0; attempt < 100; ++attempt) {
            // The name is short so that it fits whatever the target is called.
            const QByteArray name = QStringLiteral(".zorbel-%1.xlsx.part")
                                        .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'))
                                        .toLatin1();
            // The owner's alone from its first byte: it may take the place of a private report.
            m_file.reset(::openat(m_folder.get(), name.constData(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
            if (m_file.get() >= 0) {
                m_name = name;
                if (::fstat(m_file.get(), &m_own) != 0)
                    throw Failure{systemError(errno)};
                return;
            }
            if (errno != EEXIST)
                throw Failure{systemError(errno)};
        }
        throw Failure{QStringLiteral("no free temporary name in the folder")};
    }
    ~IncomingFile()
    {
        if (!m_name.isEmpty() && holdsOurFile(m_name))
            ::unlinkat(m_folder.get(), m_name.constData(), 0);
    }
    IncomingFile(const IncomingFile&) = delete;
    IncomingFile& operator=(const IncomingFile&) = delete;

    void copyFrom(const QByteArray& source)
    {
        const Descriptor in(::open(source.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
        if (in.get() < 0)
            throw Failure{systemError(errno)};
        char buffer[1 << 16];
        for (;;) {
            const ssize_t got = ::read(in.get(), buffer, sizeof buffer);
            if (got == 0)
                return;
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                throw Failure{systemError(errno)};
            for (ssize_t done = 0; done < got;) {
                const ssize_t put = ::write(m_file.get(), buffer + done, size_t(got - done));
                if (put < 0 && errno == EINTR)
                    continue;
                if (put <= 0)
                    throw Failure{systemError(put < 0 ? errno : EIO)};
                done += put;
            }
        }
    }

    // The file takes the permissions of the regular file it replaces (a
    // report kept private stays private; a link in its place is no report of
    // ours), or those of any new file, and is on the disk before it takes that
    // file's place, so a crash leaves the old file or the new one whole.
    // Should another program swap a file in at the moment of the rename, the
    // report's name holds that file: the save is refused then too.
    void moveTo(const QByteArray& target)
    {
        struct stat replaced {};
        const mode_t mode = ::fstatat(m_folder.get(), target.constData(), &replaced, AT_SYMLINK_NOFOLLOW) == 0
                                    && S_ISREG(replaced.st_mode)
                                ? replaced.st_mode & 07777
                                : newFileMode();
        if (::fchmod(m_file.get(), mode) != 0 || ::fsync(m_file.get()) != 0)
            throw Failure{systemError(errno)};
        if (g_beforeRename)
            g_beforeRename->run(m_folderPath + u'/' + QString::fromLatin1(m_name));
        if (!holdsOurFile(m_name))
            throw Failure{kReplaced};
        if (::renameat(m_folder.get(), m_name.constData(), m_folder.get(), target.constData()) != 0)
            throw Failure{systemError(errno)};
        m_name.clear();
        if (!holdsOurFile(target))
            throw Failure{kReplaced};
    }

private:
    // Our descriptor keeps the file alive, so no other file can come to have
    // its device and inode while we compare them.
    bool holdsOurFile(const QByteArray& name) const
    {
        struct stat named {};
        return ::fstatat(m_folder.get(), name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0
               && named.st_dev == m_own.st_dev && named.st_ino == m_own.st_ino;
    }

    QString m_folderPath;
    Descriptor m_folder;
    Descriptor m_file;
    QByteArray m_name;  // empty once it is no longer ours to remove
    struct stat m_own {};
};

// The writer's workbook, freed unwritten when building it fails part way.
class WriterWorkbook {
public:
    WriterWorkbook(const QByteArray& path, QByteArray& temporaryFolder)
    {
        lxw_workbook_options options{};
        options.tmpdir = temporaryFolder.data();
        m_book = workbook_new_opt(path.constData(), &options);
        if (!m_book)
            throw Failure{QStringLiteral("the file writer could not start")};
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
            throw Failure{QStringLiteral("out of memory")};
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
// ZIP_ERRNO") and leaves the system's reason, a full disk say, in errno.
QString closingFailure(lxw_error error, int systemErrorNumber)
{
    switch (error) {
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        if (systemErrorNumber != 0)
            return systemError(systemErrorNumber);
        break;
    default:
        break;
    }
    return QString::fromUtf8(lxw_strerror(error));
}

// `where` names the cell, row or name; it is worked out only on a failure.
template <class Where>
void check(lxw_error error, const Worksheet& sheet, Where&& where)
{
    if (error != LXW_NO_ERROR)
        throw Failure{QStringLiteral("%1 of sheet \"%2\": %3")
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
        throw Failure{QStringLiteral("names cannot be saved on sheet \"%1\", whose name holds \"!\"").arg(sheet.Name())};
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
            throw Failure{QStringLiteral("the sheet \"%1\" could not be added").arg(sheet->Name())};
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
        PrivateFolder folder;
        QByteArray temporaries = folder.path();
        const QByteArray written = folder.path() + "/workbook.xlsx";
        {
            WriterWorkbook writer(written, temporaries);
            build(writer.get(), book);
            errno = 0;
            const lxw_error error = writer.close();
            if (error != LXW_NO_ERROR)
                throw Failure{closingFailure(error, errno)};
        }
        incoming.copyFrom(written);
        incoming.moveTo(QFile::encodeName(target.fileName()));
    } catch (const Failure& failure) {
        throw failed(failure.reason);
    }
}

BeforeRenameHook::BeforeRenameHook(Callback callback) : m_callback(std::move(callback)), m_outer(g_beforeRename)
{
    g_beforeRename = this;
}

BeforeRenameHook::~BeforeRenameHook() { g_beforeRename = m_outer; }

} // namespace zorbel::xl
