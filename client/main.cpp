// ZorbelZude: the program.

#include "business/Factory.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorbel Zude"));
    auto sink = [](const QString& text, int flags, const QString& title) {
        const auto icon = flags & 48 ? QMessageBox::Warning : QMessageBox::NoIcon;
        QMessageBox box(icon, title.isEmpty() ? QStringLiteral("Zorbel Zude") : title, text);
        return box.exec() ? 1 : 1;
    };
    try {
        auto zorbel = zorbel::CreateObject(QStringLiteral("Zorbel5.ZorbelClass"));
        zorbel->setMessageSink(sink);
        zorbel->ConnectDSN(QStringLiteral("Data Source=Zorbel5;User ID=;Mode=ReadWrite"));
        QMainWindow window;
        window.setWindowTitle(QStringLiteral("Zorbel Zude"));
        window.resize(640, 480);
        window.show();
        return app.exec();
    } catch (const zorbel::data::Error&) {
        return 1;
    }
}
