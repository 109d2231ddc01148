#include "platform/xlsx/FileNames.h"

#include "platform/xlsx/Error.h"

#include <QDir>
#include <QStandardPaths>

namespace zorbel::xl {

namespace {
constexpr qsizetype kMaxFileNameBytes = 255;
const QString kExtension = QStringLiteral(".xlsx");

bool cannotStandInFileName(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("/\\:*?\"<>|").contains(c);
}
} // namespace

QString workbookFileName(const QString& title)
{
    QString base = title;
    for (QChar& c : base)
        if (cannotStandInFileName(c))
            c = u'-';
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
