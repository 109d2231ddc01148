#include "platform/ui/DesktopOpener.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include <memory>

namespace zorbel::ui {

namespace {
DesktopOpenerRecorder *g_recorder = nullptr;

const QString kOpener = QStringLiteral("xdg-open");

// Long enough for the opener to find the file's program and hand the file
// over (it then exits, non-zero when there is no such program); short enough
// that an opener which runs the program in the foreground, and so is still
// running, holds nobody up: that file is open.
constexpr int kOpenerWaitMs = 3000;
} // namespace

bool openWithDesktop(const QString &path)
{
    if (g_recorder)
        return g_recorder->take(path);
    // The opener would report a missing file only in its exit status; it is
    // looked for here so that the answer does not wait on the opener.
    const QFileInfo file(path);
    if (path.isEmpty() || !file.exists())
        return false;
    auto opener = std::make_unique<QProcess>();
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->start(kOpener, {file.absoluteFilePath()});
    if (!opener->waitForStarted())
        return false;
    if (opener->waitForFinished(kOpenerWaitMs))
        return opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
    // Left to end on its own; the application owns it until then.
    QProcess *running = opener.release();
    running->setParent(QCoreApplication::instance());
    QObject::connect(running, &QProcess::finished, running, &QObject::deleteLater);
    return true;
}

DesktopOpenerRecorder::DesktopOpenerRecorder() : m_outer(g_recorder) { g_recorder = this; }

DesktopOpenerRecorder::~DesktopOpenerRecorder() { g_recorder = m_outer; }

bool DesktopOpenerRecorder::take(const QString &path)
{
    m_paths << path;
    return m_opened;
}

} // namespace zorbel::ui
