#include "platform/xlsx/FileNames.h"

#include "platform/xlsx/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <cstring>

namespace zorbel::xl {

namespace {
constexpr qsizetype kMaxFileNameBytes = 255;
const QString kExtension = QStringLiteral(".xlsx");

bool cannotStandInFileName(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return category == QChar::Other_Control || category == QChar::Separator_Line
           || category == QChar::Separator_Paragraph || category == QChar::Other_Surrogate
           || QChar::isNonCharacter(c) || (c > 0 && c < 0x80 && std::strchr("/\\:*?\"<>|", int(c)));
}

// Invisible characters that change how the rest of a name is shown: with a
// right-to-left override "invoice\u202Eslx.exe" shows as "invoiceexe.xls".
bool isFormatCharacter(char32_t c) { return QChar::category(c) == QChar::Other_Format; }

// The suffixes of other spreadsheet and text-table files: a name typed with
// one of them means "this workbook", so ".xlsx" takes its place. Any other
// dotted ending ("Acme Inc.Plan", "v2.final") is part of the name.
bool isSpreadsheetSuffix(const QString& suffix)
{
    static const QStringList kReplaced = {QStringLiteral("xls"), QStringLiteral("xlsm"), QStringLiteral("xlsb"),
                                          QStringLiteral("xlt"), QStringLiteral("xltx"), QStringLiteral("xltm"),
                                          QStringLiteral("ods"), QStringLiteral("csv")};
    return kReplaced.contains(suffix, Qt::CaseInsensitive);
}
} // namespace

QString workbookFileName(const QString& title)
{
    QString base;
    base.reserve(title.size());
    for (qsizetype i = 0; i < title.size(); ++i) {
        char32_t c = title[i].unicode();
        qsizetype units = 1;
        if (title[i].isHighSurrogate() && i + 1 < title.size() && title[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(title[i], title[i + 1]);
            units = 2;
        }
        if (cannotStandInFileName(c))
            base += u'-';
        else if (!isFormatCharacter(c))
            base.append(title.constData() + i, units);
        i += units - 1;
    }
    qsizetype start = 0;
    while (start < base.size() && (base[start] == u'.' || base[start].isSpace()))
        ++start;
    base.remove(0, start);
    if (base.isEmpty())
        base = QStringLiteral("Workbook");
    // Cut whole characters (never half a surrogate pair) until the name fits.
    while ((base + kExtension).toUtf8().size() > kMaxFileNameBytes) {
        base.chop(base.size() >= 2 && base.back().isLowSurrogate() ? 2 : 1);
    }
    return base + kExtension;
}

QString withWorkbookSuffix(const QString& path)
{
    const QFileInfo file(path);
    const QString suffix = file.suffix();
    if (suffix.compare(u"xlsx", Qt::CaseInsensitive) == 0)
        return path;
    if (isSpreadsheetSuffix(suffix) && file.fileName().size() > suffix.size() + 1)
        return path.chopped(suffix.size() + 1) + kExtension;
    return path + kExtension;
}

QString outputFolderFor(const QString& overrideDir, const QString& documentsDir, const QString& homeDir)
{
    QString folder = !overrideDir.isEmpty() ? overrideDir : !documentsDir.isEmpty() ? documentsDir : homeDir;
    return QDir::cleanPath(QDir::current().absoluteFilePath(folder));
}

QString outputFolder()
{
    const QString folder = outputFolderFor(qEnvironmentVariable("ZORBEL_OUTPUT_DIR"),
                                           QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                                           QDir::homePath());
    if (!QDir().mkpath(folder))
        throw Error(QStringLiteral("The folder %1 cannot be created").arg(folder));
    return folder;
}

} // namespace zorbel::xl
