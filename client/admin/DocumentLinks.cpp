#include "client/admin/DocumentLinks.h"

#include <QDir>
#include <QFileInfo>

namespace zorbel::admin {

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
    // Any execute bit: a program for one user is a program for the desktop.
    constexpr auto runnable = QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    if (file.permissions() & runnable)
        return QStringLiteral("%1 is a program and is not opened").arg(path);
    return {};
}

} // namespace zorbel::admin
