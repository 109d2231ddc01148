#include "platform/ui/ProgramEnd.h"

#include "platform/ui/Windows.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace zorbel::ui {

namespace {
ProgramEndRecorder *g_recorder = nullptr;
}

void endProgram()
{
    closeAllWindows();
    if (g_recorder) {
        g_recorder->record();
        return;
    }
    if (QCoreApplication *app = QCoreApplication::instance()) {
        // exit() ends a running loop; the queued quit also ends a loop that
        // start-up code has not entered yet.
        QCoreApplication::exit(0);
        QMetaObject::invokeMethod(app, &QCoreApplication::quit, Qt::QueuedConnection);
    }
}

ProgramEndRecorder::ProgramEndRecorder() : m_outer(g_recorder) { g_recorder = this; }

ProgramEndRecorder::~ProgramEndRecorder() { g_recorder = m_outer; }

} // namespace zorbel::ui
