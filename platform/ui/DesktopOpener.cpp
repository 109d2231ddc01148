#include "platform/ui/DesktopOpener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace zorbel::ui {

namespace {
DesktopOpenerRecorder *g_recorder = nullptr;
}

bool openWithDesktop(const QString &path)
{
    if (g_recorder)
        return g_recorder->take(path);
    // The desktop's launcher starts in the background and would report a
    // missing file as opened; the file is looked for here instead.
    const QFileInfo file(path);
    if (path.isEmpty() || !file.exists())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

DesktopOpenerRecorder::DesktopOpenerRecorder() : m_outer(g_recorder) { g_recorder = this; }

DesktopOpenerRecorder::~DesktopOpenerRecorder() { g_recorder = m_outer; }

bool DesktopOpenerRecorder::take(const QString &path)
{
    m_paths << path;
    return m_opened;
}

} // namespace zorbel::ui
