#pragma once
// Opening a file in the program the desktop associates with its type, as a
// double-click in the file manager would (documents of the register, saved
// workbooks).
//
// The path goes to the desktop whole, as one argument: never through a
// shell, so no character in a file name is ever read as a command.
#include <QString>
#include <QStringList>

namespace zorbel::ui {

/// Asks the desktop's opener (xdg-open) to open the file and waits a few
/// seconds for its exit status; false when the file does not exist, the
/// opener cannot be started, or it ends in failure (a machine may have no
/// program for the type). An opener still running after the wait has started
/// the program and counts as opened. Callers report a failure with the
/// file's full path.
bool openWithDesktop(const QString &path);

/// While alive, nothing is launched: each path is recorded and answered with
/// the recorder's answer (opened, unless told otherwise). Recorders nest; the
/// innermost one gets the paths.
class DesktopOpenerRecorder {
public:
    DesktopOpenerRecorder();
    ~DesktopOpenerRecorder();
    DesktopOpenerRecorder(const DesktopOpenerRecorder &) = delete;
    DesktopOpenerRecorder &operator=(const DesktopOpenerRecorder &) = delete;

    /// What every later request answers: true opened, false failed.
    void answer(bool opened) { m_opened = opened; }

    /// Every path asked for, as the caller gave it.
    const QStringList &paths() const { return m_paths; }
    int count() const { return int(m_paths.size()); }

    /// Used by openWithDesktop.
    bool take(const QString &path);

private:
    QStringList m_paths;
    bool m_opened = true;
    DesktopOpenerRecorder *m_outer = nullptr;
};

} // namespace zorbel::ui
