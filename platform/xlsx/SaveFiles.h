#pragma once
// The files a save works with, and the rule by which the finished workbook
// takes the report's place. A report may be saved into a folder that other
// users can write in (a shared folder, a drop box), and the file writer keeps
// work files in the temporary folder, so nothing here is reached by a name
// that someone else could point elsewhere: each folder and the new file are
// held by descriptors, and the file writer is given those descriptors' own
// paths (/proc/self/fd/N), which lead to the folder or file opened whatever
// its name holds by then.
#include <QByteArray>
#include <QString>

#include <sys/stat.h>

namespace zorbel::xl {

/// Why a save failed, without the report's path, which the caller adds.
struct SaveFailure {
    QString reason;
};

/// The system's own words for an error number, such as "No space left on device".
QString systemError(int error);

/// A descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor();
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }
    void reset(int fd);
    /// Gives the descriptor up without closing it.
    int release();

private:
    int m_fd;
};

/// The folder for the file writer's work files: a folder of the save's own,
/// made in the one TMPDIR names or in /tmp, whichever first is a folder in
/// which no other user can rename or replace an entry (the user's own and
/// writable by nobody else, or sticky). Being its own, it takes every work
/// file the writer makes, or the save fails here already: where the writer
/// cannot make one, it puts it in TMPDIR, /tmp or the current folder instead,
/// whatever they are. Throws SaveFailure naming each folder tried and what
/// is wrong with it, or the folder chosen and why nothing can be made there.
/// Removed with whatever it holds.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    /// The path the file writer is given for it.
    QByteArray pathForWriter() const;
    /// A failure of the work files there, reported as the temporary folder's.
    SaveFailure failure(const QString& reason) const;

private:
    QString tryFolder(const QByteArray& path);
    void makeOwnFolder();

    Descriptor m_temporary;
    QString m_path;
    QByteArray m_name; // of the save's own folder in it
    Descriptor m_own;
};

/// The new file that becomes the report: made beside it by this program
/// itself (never through a link, the owner's alone from its first byte) and
/// written only through its descriptor. Removed again, unless it took the
/// report's place, while its name still holds it.
class IncomingFile {
public:
    /// Makes the file in `folder`, which needs no right to be listed.
    explicit IncomingFile(const QString& folder);
    ~IncomingFile();
    IncomingFile(const IncomingFile&) = delete;
    IncomingFile& operator=(const IncomingFile&) = delete;

    /// The path the file writer is given for it.
    QByteArray pathForWriter() const;
    /// Open for reading and writing.
    int descriptor() const { return m_file.get(); }

    /// Gives the file its mode, puts it on the disk and renames it over
    /// `target`, a name in the same folder, only while its own name still
    /// holds it. Throws SaveFailure with the replaced-file reason when
    /// another program took it away or swapped it, before or at the rename.
    void moveTo(const QByteArray& target);

private:
    bool holdsOurFile(const QByteArray& name) const;
    void removeIfOurs();
    QString pathOf(const QByteArray& name) const;

    QString m_folderPath;
    Descriptor m_folder;
    Descriptor m_file;
    QByteArray m_name; // empty once it is no longer ours to remove
    struct stat m_own {};
};

} // namespace zorbel::xl
