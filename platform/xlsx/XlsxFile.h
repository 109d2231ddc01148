#pragma once
// Saving an in-memory workbook as an .xlsx file through libxlsxwriter.
#include <QString>

#include <functional>

namespace zorbel::xl {

class Workbook;

/// Writes `book` to the full path `path`. The file writer works in a folder
/// of its own in the system's temporary folder, where nobody else can rename,
/// replace or put anything; the finished file is then copied into a new file
/// that this function makes beside `path` itself (never through a link),
/// given the permissions of the regular file it replaces, synced to the disk
/// and renamed over `path` only while that name still holds it. A link
/// standing at `path` is replaced, never followed. Any failure, the writer's
/// own included, raises xl::Error naming the path and the reason (the
/// system's own where there is one, such as "No space left on device";
/// "another program replaced the file being saved" when another user of the
/// folder swapped the new file) and leaves no temporary file of its own. It
/// leaves `path` unchanged too, unless that user swaps his file in at the very
/// moment of the rename: the save is refused then as well.
void writeXlsxFile(const Workbook& book, const QString& path);

/// Sets the C library's allocator so that saving a large workbook does not
/// hand its memory back to the system and take it again part after part.
/// The setting holds for the whole process (it also stops the allocator from
/// moving its threshold for mapping large blocks), so it is the program's to
/// make, once, as it starts and before any thread runs; a benchmark makes it
/// for every writer it compares.
void keepWriterMemoryAtHand();

/// Test hook: while alive, every save calls it with the path of its finished
/// file in the target's folder, just before it checks that the name still
/// holds that file and renames it, so that a test can swap the file there as
/// another user of a shared folder could. Hooks nest; the innermost is called.
class BeforeRenameHook {
public:
    using Callback = std::function<void(const QString& temporaryPath)>;
    explicit BeforeRenameHook(Callback callback);
    ~BeforeRenameHook();
    BeforeRenameHook(const BeforeRenameHook&) = delete;
    BeforeRenameHook& operator=(const BeforeRenameHook&) = delete;

    /// Used by writeXlsxFile.
    void run(const QString& temporaryPath) const { m_callback(temporaryPath); }

private:
    Callback m_callback;
    BeforeRenameHook* m_outer = nullptr;
};

} // namespace zorbel::xl
