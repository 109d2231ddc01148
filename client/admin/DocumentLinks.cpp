#include "client/admin/DocumentLinks.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>

namespace zorbel::admin {

namespace {

// Types the desktop starts, installs or hands to an interpreter. Scripts,
// ELF programs and AppImages all descend from application/x-executable.
constexpr const char* kRunnableTypes[] = {
    "application/x-executable",
    "application/x-sharedlib",
    "application/x-pie-executable",
    "application/x-shellscript",
    "application/x-desktop",
    "application/x-java-archive",
    "application/x-java-jnlp-file",
    "application/x-ms-dos-executable",
    "application/x-msdownload",
    "application/x-ms-ne-executable",
    "application/vnd.microsoft.portable-executable",
    "application/x-msi",
    "application/x-ms-shortcut",
    "application/x-bat",
    "application/vnd.debian.binary-package",
    "application/x-rpm",
    "application/vnd.flatpak",
    "application/vnd.flatpak.ref",
    "application/vnd.flatpak.repo",
    "application/vnd.snap",
};

// Windows programs and scripts the type database may not know by name: a
// desktop with a Windows layer installed would run them.
constexpr const char* kWindowsProgramSuffixes[] = {
    "exe", "com", "scr", "pif", "cpl", "msi", "msix", "msp", "appx", "bat", "cmd",
    "ps1", "vbs", "vbe", "jse", "wsf", "wsh", "hta", "lnk", "reg",
};

bool runnableType(const QMimeType& type) {
    for (const char* name : kRunnableTypes)
        if (type.inherits(QString::fromLatin1(name)))
            return true;
    return false;
}

// Whether the desktop would run the file: by its execute bits, its suffix,
// or its type as its name or its first bytes give it (a script or a program
// renamed to look like a document is still one).
bool runnable(const QFileInfo& file) {
    // Any execute bit: a program for one user is a program for the desktop.
    constexpr auto exec = QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    if (file.permissions() & exec)
        return true;
    const QString suffix = file.suffix().toLower();
    for (const char* s : kWindowsProgramSuffixes)
        if (suffix == QLatin1String(s))
            return true;
    const QMimeDatabase types;
    return runnableType(types.mimeTypeForFile(file, QMimeDatabase::MatchExtension))
           || runnableType(types.mimeTypeForFile(file, QMimeDatabase::MatchContent));
}

} // namespace

std::optional<LinkParts> splitLink(const QString& path) {
    qsizetype at = path.lastIndexOf(u'/');
    if (at < 0)
        at = path.lastIndexOf(u'\\');
    if (at < 0 || at + 1 == path.size())
        return std::nullopt;
    return LinkParts{path.left(at), path.mid(at + 1)};
}

QString openRefusal(const QString& path) {
    if (path.isEmpty())
        return QStringLiteral("no file is linked");
    if (!QDir::isAbsolutePath(path))
        return QStringLiteral("\"%1\" is not a full path").arg(path);
    const QFileInfo file(path);
    if (!file.exists())
        return QStringLiteral("%1 does not exist").arg(path);
    if (!file.isFile())
        return QStringLiteral("%1 is not a file").arg(path);
    if (!file.isReadable())
        return QStringLiteral("%1 cannot be read").arg(path);
    if (runnable(file))
        return QStringLiteral("%1 is a program and is not opened").arg(path);
    return {};
}

} // namespace zorbel::admin
