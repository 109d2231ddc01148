#include "controls/ButtonPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zorbel::controls {

namespace {

// The control's background, which shows round the picture's corners.
const QColor kBackground(224, 224, 224);

struct Look {
    QColor top, bottom;      // body gradient
    QColor border;           // outline
    QColor innerTop;         // line just inside the top edge
    QColor innerBottom;      // line just inside the bottom edge
};

QImage draw(const Look &look)
{
    QImage img(ButtonPictureWidth, ButtonPictureHeight, QImage::Format_RGB32);
    img.fill(kBackground);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);

    const QRectF body(0.5, 0.5, ButtonPictureWidth - 1.0, ButtonPictureHeight - 1.0);
    QPainterPath path;
    path.addRoundedRect(body, 3.0, 3.0);

    QLinearGradient grad(0, 0, 0, ButtonPictureHeight);
    grad.setColorAt(0.0, look.top);
    grad.setColorAt(1.0, look.bottom);
    p.fillPath(path, grad);

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(look.innerTop);
    p.drawLine(3, 1, ButtonPictureWidth - 4, 1);
    p.setPen(look.innerBottom);
    p.drawLine(3, ButtonPictureHeight - 2, ButtonPictureWidth - 4, ButtonPictureHeight - 2);

    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(look.border, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.end();
    return img;
}

QImage makeNormal()
{
    // Raised: light at the top, a shade darker below, a white highlight line.
    return draw({QColor(252, 252, 253), QColor(200, 210, 224), QColor(90, 110, 140),
                 QColor(255, 255, 255), QColor(170, 182, 200)});
}

QImage makePressed()
{
    // Held down: darker body lit from below, a shadow line under the top edge.
    return draw({QColor(176, 190, 210), QColor(226, 232, 240), QColor(50, 70, 100),
                 QColor(130, 146, 170), QColor(236, 240, 246)});
}

QImage makeDisabled()
{
    // Greyed: flat, no relief.
    return draw({QColor(238, 238, 238), QColor(228, 228, 228), QColor(168, 168, 168),
                 QColor(242, 242, 242), QColor(222, 222, 222)});
}

} // namespace

QImage buttonPicture(ButtonPicture which)
{
    static const QImage normal = makeNormal();
    static const QImage pressed = makePressed();
    static const QImage disabled = makeDisabled();
    switch (which) {
    case ButtonPicture::Pressed: return pressed;
    case ButtonPicture::Disabled: return disabled;
    case ButtonPicture::Normal: break;
    }
    return normal;
}

QImage toolboxBitmap(int resourceId)
{
    QImage img(16, 15, QImage::Format_RGB32);
    img.fill(QColor(192, 192, 192));
    QPainter p(&img);
    if (resourceId == 30001) {
        // StatusLED: a green lamp with a black border.
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::black);
        p.setBrush(QColor(0, 255, 0));
        p.drawEllipse(QRectF(1.5, 1.0, 12.0, 12.0));
    } else {
        // ctrlButton: a small raised button with a caption bar.
        p.setPen(QColor(90, 110, 140));
        p.setBrush(QColor(232, 236, 244));
        p.drawRect(0, 3, 15, 8);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 64, 128));
        p.drawRect(4, 6, 8, 3);
    }
    p.end();
    return img;
}

} // namespace zorbel::controls
