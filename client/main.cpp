// ZorbelZude: the program. It starts by loading the log-in window, whose load
// connects to the data source "Zorbel5" and reads the configuration.

#include "client/shell/Zorbel5LogIn.h"
#include "platform/ui/Windows.h"
#include "platform/xlsx/XlsxFile.h"

#include <QApplication>

int main(int argc, char** argv) {
    // The allocator is the whole process's: set before anything else runs.
    zorbel::xl::keepWriterMemoryAtHand();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorbel Zude"));
    // The program ends only through ui::endProgram: the log-in window closes
    // once the navigation window is up, and closing the navigation window ends
    // everything however many editors are open.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString startUp = QStringLiteral("Zorbel5LogIn");
    auto* logIn = qobject_cast<zorbel::shell::Zorbel5LogIn*>(zorbel::ui::loadWindow(startUp));
    if (!logIn)
        return 1;
    if (!logIn->startedUp()) {
        // Start-up has shown its message and asked for the end already.
        zorbel::ui::closeWindow(startUp);
        return 1;
    }
    zorbel::ui::showWindow(startUp);
    return app.exec();
}
