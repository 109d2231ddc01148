// Writes the control library's art to PNG files for controls/README.md:
//   ctrlButton-normal.png, ctrlButton-pressed.png, ctrlButton-disabled.png,
//   toolbox-30000.png, toolbox-30001.png and sample.png (both controls in
//   several states). Usage: zorbel_controls_pictures [output-dir]
#include "controls/ButtonPictures.h"
#include "controls/StatusLED.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <cstdio>

using namespace zorbel::controls;

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(out.path()));
        return 1;
    }

    bool ok = true;
    ok &= buttonPicture(ButtonPicture::Normal).save(out.filePath("ctrlButton-normal.png"));
    ok &= buttonPicture(ButtonPicture::Pressed).save(out.filePath("ctrlButton-pressed.png"));
    ok &= buttonPicture(ButtonPicture::Disabled).save(out.filePath("ctrlButton-disabled.png"));
    ok &= toolboxBitmap(30000).save(out.filePath("toolbox-30000.png"));
    ok &= toolboxBitmap(30001).save(out.filePath("toolbox-30001.png"));

    // A sample window: buttons at Status 0, 1, 2, 3 and lamps for 0 to 6.
    QWidget sample;
    sample.setAutoFillBackground(true);
    QPalette pal = sample.palette();
    pal.setColor(QPalette::Window, QColor(240, 240, 240));
    sample.setPalette(pal);
    const char *captions[] = {"OK", "Add", "Delete", "Cancel"};
    for (int i = 0; i < 4; ++i) {
        auto *b = new ctrlButton(QString::fromLatin1(captions[i]), &sample);
        b->setStatus(qint16(i));
        moveTwips(b, 120 + i * 1500, 120);
    }
    for (int s = 0; s <= 6; ++s) {
        auto *led = new StatusLED(&sample);
        led->setStatus(qint16(s));
        moveTwips(led, 120 + s * 450, 600);
    }
    auto *freeColour = new StatusLED(&sample);
    freeColour->setLEDColour(QColor(128, 128, 0));
    placeTwips(freeColour, 120 + 7 * 450, 600, 495, 375);
    resizeTwips(&sample, 6180, 1080);
    sample.show();
    app.processEvents();
    const QImage shot = sample.grab().toImage();
    ok &= shot.scaled(shot.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation)
              .save(out.filePath("sample.png"));

    if (!ok) {
        std::fprintf(stderr, "could not write the pictures to %s\n", qPrintable(out.path()));
        return 1;
    }
    std::printf("pictures written to %s\n", qPrintable(out.absolutePath()));
    return 0;
}
