#include "platform/data/DatabaseFile.h"

#include "platform/data/Error.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorbel::data {
namespace {

Error cannotCreate(const QString& what, const QString& path, int error) {
    return Error(kConnectionFailed,
                 QStringLiteral("cannot create the %1 %2: %3").arg(what, path, QString::fromLocal8Bit(std::strerror(error))));
}

// Every folder it makes is the owner's alone, like the file.
void createFolder(const QString& folder) {
    if (QFileInfo(folder).isDir())
        return;
    const QString parent = QFileInfo(folder).absolutePath();
    if (parent != folder)
        createFolder(parent);
    if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST)
        throw cannotCreate(QStringLiteral("folder"), folder, errno);
}

} // namespace

QString databaseFileNotFound(const QString& path) {
    return QStringLiteral("database file not found: ") + path;
}

bool createDatabaseFile(const QString& path) {
    const QString file = QFileInfo(path).absoluteFilePath();
    createFolder(QFileInfo(file).absolutePath());
    // An empty file is an empty SQLite database; O_EXCL leaves one that is there untouched.
    const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == EEXIST)
            return false;
        throw cannotCreate(QStringLiteral("database file"), file, errno);
    }
    ::close(fd);
    return true;
}

} // namespace zorbel::data
