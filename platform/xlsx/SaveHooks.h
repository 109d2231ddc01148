#pragma once
// The moments of a save at which another user of a shared folder could act:
// plant a file at a name, swap one, take one away. Tests hold a SaveHook to
// do so at exactly those moments; the program never installs one.
#include <QString>

#include <functional>

namespace zorbel::xl::testing {

enum class SaveMoment {
    PartFileMade, ///< the new file beside the report exists, still empty
    BeforeRename, ///< it holds the whole workbook, has its mode and is on the disk
    AfterRename,  ///< it has just taken the report's name
};

/// While alive, the save calls it at each moment with the path that names
/// the new file then (the part file's, or after the rename the report's).
/// Hooks nest; the innermost is called.
class SaveHook {
public:
    using Callback = std::function<void(SaveMoment moment, const QString& path)>;
    explicit SaveHook(Callback callback);
    ~SaveHook();
    SaveHook(const SaveHook&) = delete;
    SaveHook& operator=(const SaveHook&) = delete;

private:
    friend void reached(SaveMoment moment, const QString& path);
    Callback m_callback;
    SaveHook* m_outer = nullptr;
};

/// Used by the save: tells the innermost hook, if any, that a moment came.
void reached(SaveMoment moment, const QString& path);

} // namespace zorbel::xl::testing
