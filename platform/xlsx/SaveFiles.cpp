#include "platform/xlsx/SaveFiles.h"

#include "platform/xlsx/SaveHooks.h"

#include <QFile>
#include <QList>
#include <QRandomGenerator>
#include <QStringList>

#include <cerrno>
#include <dirent.h>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace zorbel::xl {

using testing::reached;
using testing::SaveMoment;

namespace {

QString octal(mode_t mode) { return QStringLiteral("%1").arg(mode & 07777, 4, 8, QChar(u'0')); }

// A name in the target's folder stands for our file only while it still
// holds it; in a folder where others may delete files, it may be gone or
// hold a file of someone else's by the time we look again.
const QString kReplaced = QStringLiteral("another program replaced the file being saved");

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

// Why nobody but the user can be sure of what a folder's entries hold, or
// nothing when he can be.
QString whyUnsafe(const struct stat& folder)
{
    if (!S_ISDIR(folder.st_mode))
        return QStringLiteral("is not a folder");
    if (folder.st_mode & S_ISVTX)
        return {};
    if (folder.st_uid != ::geteuid())
        return QStringLiteral("belongs to another account, which could replace what is in it (mode %1, no sticky bit)")
            .arg(octal(folder.st_mode));
    if (folder.st_mode & 022)
        return QStringLiteral("lets other users rename or replace what is in it (mode %1, no sticky bit)")
            .arg(octal(folder.st_mode));
    return {};
}

QByteArray descriptorPath(int fd) { return "/proc/self/fd/" + QByteArray::number(fd); }

// A name nobody can guess ahead of the save, short enough to fit beside any other.
QByteArray randomName(const char* prefix, const char* suffix = "")
{
    return prefix + QByteArray::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, '0') + suffix;
}

} // namespace

QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

Descriptor::~Descriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int Descriptor::release()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

void Descriptor::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

ScratchFolder::ScratchFolder()
{
    // An empty TMPDIR names no folder; it never stands for the root.
    QList<QByteArray> candidates;
    if (const QByteArray named = qgetenv("TMPDIR"); !named.isEmpty() && named != "/tmp")
        candidates << named;
    candidates << QByteArrayLiteral("/tmp");
    QStringList problems;
    for (const QByteArray& candidate : candidates) {
        const QString problem = tryFolder(candidate);
        if (problem.isEmpty()) {
            makeOwnFolder();
            return;
        }
        problems << problem;
    }
    throw SaveFailure{QStringLiteral("there is no safe temporary folder for the file writer's work files: %1")
                          .arg(problems.join(QStringLiteral("; ")))};
}

ScratchFolder::~ScratchFolder()
{
    // The writer removes each work file as it makes it, so the folder is
    // empty but for a failure; what is left in it is ours all the same.
    if (m_name.isEmpty() || ::unlinkat(m_temporary.get(), m_name.constData(), AT_REMOVEDIR) == 0 || errno != ENOTEMPTY)
        return;
    if (DIR* listing = ::fdopendir(::openat(m_own.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC))) {
        while (const dirent* entry = ::readdir(listing))
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                ::unlinkat(::dirfd(listing), entry->d_name, 0);
        ::closedir(listing);
    }
    ::unlinkat(m_temporary.get(), m_name.constData(), AT_REMOVEDIR);
}

// Held by a descriptor and judged as opened, so that a link or name swapped
// after the judgement leads nowhere else.
QString ScratchFolder::tryFolder(const QByteArray& path)
{
    const QString name = QFile::decodeName(path);
    Descriptor folder(::open(path.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0)
        return errno == ENOENT    ? QStringLiteral("%1 is not there").arg(name)
               : errno == ENOTDIR ? QStringLiteral("%1 is not a folder").arg(name)
                                  : QStringLiteral("%1 cannot be opened: %2").arg(name, systemError(errno));
    struct stat status {};
    if (::fstat(folder.get(), &status) != 0)
        return QStringLiteral("%1 cannot be opened: %2").arg(name, systemError(errno));
    if (const QString why = whyUnsafe(status); !why.isEmpty())
        return name + u' ' + why;
    m_temporary.reset(folder.release());
    m_path = name;
    return {};
}

// Nobody else can rename or replace it in a folder so chosen, and only the
// user can make anything in it.
void ScratchFolder::makeOwnFolder()
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = randomName("zorbel-save-");
        if (::mkdirat(m_temporary.get(), name.constData(), 0700) == 0) {
            m_own.reset(::openat(m_temporary.get(), name.constData(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            if (m_own.get() >= 0) {
                m_name = name;
                return;
            }
            const int error = errno;
            ::unlinkat(m_temporary.get(), name.constData(), AT_REMOVEDIR);
            throw failure(QStringLiteral("cannot hold the file writer's work files: %1").arg(systemError(error)));
        }
        if (errno != EEXIST)
            throw failure(QStringLiteral("cannot hold the file writer's work files: %1").arg(systemError(errno)));
    }
    throw failure(QStringLiteral("has no free name for the file writer's work files"));
}

QByteArray ScratchFolder::pathForWriter() const { return descriptorPath(m_own.get()); }

SaveFailure ScratchFolder::failure(const QString& reason) const
{
    return {QStringLiteral("the temporary folder %1 %2").arg(m_path, reason)};
}

IncomingFile::IncomingFile(const QString& folder)
    : m_folderPath(folder),
      // Held for its entries only: a folder the user may write in but not list takes reports too.
      m_folder(::open(QFile::encodeName(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC))
{
    if (m_folder.get() < 0)
        throw SaveFailure{systemError(errno)};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = randomName(".zorbel-", ".xlsx.part");
        m_file.reset(::openat(m_folder.get(), name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              0600));
        if (m_file.get() >= 0) {
            // The owner's alone from its first byte, whatever the mask: it
            // may take the place of a private report. And writable by him,
            // since the file writer opens it again.
            if (::fstat(m_file.get(), &m_own) == 0) {
                m_name = name;
                if (::fchmod(m_file.get(), 0600) == 0) {
                    reached(SaveMoment::PartFileMade, pathOf(m_name));
                    return;
                }
            }
            const int error = errno;
            removeIfOurs();
            throw SaveFailure{systemError(error)};
        }
        if (errno != EEXIST)
            throw SaveFailure{systemError(errno)};
    }
    throw SaveFailure{QStringLiteral("no free temporary name in the folder")};
}

IncomingFile::~IncomingFile() { removeIfOurs(); }

void IncomingFile::removeIfOurs()
{
    if (!m_name.isEmpty() && holdsOurFile(m_name))
        ::unlinkat(m_folder.get(), m_name.constData(), 0);
}

QByteArray IncomingFile::pathForWriter() const { return descriptorPath(m_file.get()); }

// The report keeps the permissions of the user's own report it replaces (one
// kept private stays private), never its set-user-ID, set-group-ID or sticky
// bits; a file of anyone else's at its name, one that is linked from
// elsewhere too, or a link, says nothing of how open the user wants his
// report, so the report then gets a new file's mode. It is on the disk
// before it takes the old file's place, so a crash leaves the one or the
// other whole. Should another program swap a file in at the moment of the
// rename, the report's name holds that file: the save is refused then too.
void IncomingFile::moveTo(const QByteArray& target)
{
    struct stat replaced {};
    const bool ownReport = ::fstatat(m_folder.get(), target.constData(), &replaced, AT_SYMLINK_NOFOLLOW) == 0
                           && S_ISREG(replaced.st_mode) && replaced.st_uid == ::geteuid() && replaced.st_nlink == 1;
    const mode_t mode = ownReport ? replaced.st_mode & 0777 : newFileMode();
    if (::fchmod(m_file.get(), mode) != 0 || ::fsync(m_file.get()) != 0)
        throw SaveFailure{systemError(errno)};
    reached(SaveMoment::BeforeRename, pathOf(m_name));
    if (!holdsOurFile(m_name))
        throw SaveFailure{kReplaced};
    if (::renameat(m_folder.get(), m_name.constData(), m_folder.get(), target.constData()) != 0)
        throw SaveFailure{errno == ENOENT ? kReplaced : systemError(errno)};
    m_name.clear();
    reached(SaveMoment::AfterRename, pathOf(target));
    if (!holdsOurFile(target))
        throw SaveFailure{kReplaced};
}

// Our descriptor keeps the file alive, so no other file can come to have its
// device and inode while we compare them.
bool IncomingFile::holdsOurFile(const QByteArray& name) const
{
    struct stat named {};
    return ::fstatat(m_folder.get(), name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0
           && named.st_dev == m_own.st_dev && named.st_ino == m_own.st_ino;
}

QString IncomingFile::pathOf(const QByteArray& name) const
{
    return m_folderPath + u'/' + QFile::decodeName(name);
}

} // namespace zorbel::xl
