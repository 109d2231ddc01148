#include "client/shell/Pictures.h"

#include "client/shell/AppState.h"
#include "controls/StatusLED.h"
#include "platform/ui/MessageBox.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <functional>
#include <iterator>
#include <map>

namespace zorbel::shell {
namespace {

constexpr int kSize = 16;

QPixmap draw(const std::function<void(QPainter&)>& paint)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    paint(p);
    return pixmap;
}

const QColor kOutline(40, 40, 40);

void folder(QPainter& p, const QColor& fill)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(fill.darker(115));
    p.drawRect(QRectF(1.5, 3.5, 6, 2));
    p.setBrush(fill);
    p.drawRect(QRectF(1.5, 5.5, 13, 9));
}

// The five phases share a folder shape in their own colour, each with a small
// mark so they stay apart for people who do not tell the colours apart.
void phaseAdmin(QPainter& p)
{
    folder(p, QColor(170, 170, 180));
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 10), 2.5, 2.5);
}

void phaseDefine(QPainter& p)
{
    folder(p, QColor(255, 220, 110));
    p.setPen(QPen(kOutline, 1.5));
    p.drawLine(QPointF(5, 12.5), QPointF(11, 7.5));
}

void phaseMeasure(QPainter& p)
{
    folder(p, QColor(120, 200, 120));
    p.setPen(QPen(kOutline, 1));
    for (int x = 4; x <= 12; x += 2)
        p.drawLine(QPointF(x, 12.5), QPointF(x, x % 4 == 0 ? 8.5 : 10.5));
}

void phaseAnalyse(QPainter& p)
{
    folder(p, QColor(120, 170, 235));
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(7.5, 9.5), 2.5, 2.5);
    p.drawLine(QPointF(9.5, 11.5), QPointF(12, 13.5));
}

void phaseImplement(QPainter& p)
{
    folder(p, QColor(235, 140, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    p.drawPolygon(QPolygonF({QPointF(5, 7.5), QPointF(11.5, 10), QPointF(5, 12.5)}));
}

void projectLevel(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(60, 110, 200));
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setPen(QPen(Qt::white, 1.5));
    p.drawLine(QPointF(4, 6), QPointF(12, 6));
    p.drawLine(QPointF(4, 9), QPointF(10, 9));
    p.drawLine(QPointF(4, 12), QPointF(8, 12));
}

void deliverableLevel(QPainter& p)
{
    // a parcel
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(205, 160, 100));
    p.drawRect(QRectF(2.5, 4.5, 11, 9));
    p.setBrush(QColor(225, 185, 125));
    p.drawRect(QRectF(1.5, 2.5, 13, 3));
    p.setPen(QPen(QColor(150, 40, 40), 1.5));
    p.drawLine(QPointF(8, 2.5), QPointF(8, 13.5));
}

void taskLevel(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 2.5, 11, 11));
    p.setPen(QPen(QColor(0, 140, 0), 2));
    p.drawPolyline(QPolygonF({QPointF(4.5, 8), QPointF(7, 11), QPointF(12, 4.5)}));
}

void actionLevel(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(240, 170, 40));
    p.drawPolygon(QPolygonF({QPointF(1.5, 5.5), QPointF(8.5, 5.5), QPointF(8.5, 2),
                             QPointF(14.5, 8), QPointF(8.5, 14), QPointF(8.5, 10.5),
                             QPointF(1.5, 10.5)}));
}

void progressLevel(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
    p.setBrush(QColor(90, 160, 230));
    p.drawRect(QRectF(2.5, 9.5, 3, 5));
    p.setBrush(QColor(60, 190, 90));
    p.drawRect(QRectF(6.5, 6.5, 3, 8));
    p.setBrush(QColor(230, 120, 60));
    p.drawRect(QRectF(10.5, 2.5, 3, 12));
}

void adminLevel(QPainter& p)
{
    // a person
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(250, 210, 170));
    p.drawEllipse(QPointF(8, 5), 3, 3);
    p.setBrush(QColor(80, 120, 190));
    QPainterPath body;
    body.moveTo(2.5, 15);
    body.cubicTo(2.5, 9, 13.5, 9, 13.5, 15);
    body.closeSubpath();
    p.drawPath(body);
}

void excel(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(QColor(30, 130, 70));
    p.drawRect(QRectF(1.5, 1.5, 13, 3.5));
    p.setPen(QPen(QColor(30, 130, 70), 1));
    for (qreal y : {8.0, 11.0})
        p.drawLine(QPointF(2, y), QPointF(14, y));
    for (qreal x : {6.0, 10.0})
        p.drawLine(QPointF(x, 5), QPointF(x, 14));
}

void viewer(QPainter& p)
{
    // an eye
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    QPainterPath eye;
    eye.moveTo(1, 8);
    eye.quadTo(8, 1, 15, 8);
    eye.quadTo(8, 15, 1, 8);
    p.drawPath(eye);
    p.setBrush(QColor(50, 110, 190));
    p.drawEllipse(QPointF(8, 8), 3, 3);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(8, 8), 1.2, 1.2);
}

void risk(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(230, 40, 40));
    p.drawPolygon(QPolygonF({QPointF(8, 1.5), QPointF(15, 14.5), QPointF(1, 14.5)}));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(8, 6), QPointF(8, 10));
    p.drawPoint(QPointF(8, 12.5));
}

void documents(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(3.5, 1.5), QPointF(10, 1.5), QPointF(13.5, 5),
                             QPointF(13.5, 14.5), QPointF(3.5, 14.5)}));
    p.setBrush(QColor(210, 210, 210));
    p.drawPolygon(QPolygonF({QPointF(10, 1.5), QPointF(10, 5), QPointF(13.5, 5)}));
    p.setPen(QPen(QColor(110, 110, 110), 1));
    for (qreal y : {7.5, 9.5, 11.5})
        p.drawLine(QPointF(5.5, y), QPointF(11.5, y));
}

const std::map<QString, void (*)(QPainter&)>& iconPainters()
{
    static const std::map<QString, void (*)(QPainter&)> painters{
        {QStringLiteral("Admin"), phaseAdmin},
        {QStringLiteral("Define"), phaseDefine},
        {QStringLiteral("Measure"), phaseMeasure},
        {QStringLiteral("Analyse"), phaseAnalyse},
        {QStringLiteral("Implement"), phaseImplement},
        {QStringLiteral("ProjectLevel"), projectLevel},
        {QStringLiteral("DeliverableLevel"), deliverableLevel},
        {QStringLiteral("TaskLevel"), taskLevel},
        {QStringLiteral("ActionLevel"), actionLevel},
        {QStringLiteral("ProgressLevel"), progressLevel},
        {QStringLiteral("AdminLevel"), adminLevel},
        {QStringLiteral("Excel"), excel},
        {QStringLiteral("Viewer"), viewer},
        {QStringLiteral("Risk"), risk},
        {QStringLiteral("Documents"), documents},
    };
    return painters;
}

// Fills of the grids' status pictures by StatusID: lamps drawn in these exact
// colours (not the status light's own shades).
const QColor kGridLampFills[] = {
    QColor(255, 255, 255), QColor(51, 51, 0),    QColor(0, 255, 0),  QColor(204, 204, 204),
    QColor(102, 204, 255), QColor(255, 204, 51), QColor(255, 0, 0),
};

// A 16 by 16 round lamp with a black outline on white.
QPixmap gridLamp(const QColor& fill)
{
    QPixmap picture(kSize, kSize);
    if (picture.isNull())
        return picture;
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(fill);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    return picture;
}

} // namespace

void LoadStatusPictures()
{
    auto& pictures = state().g_statusPictures;
    for (int k = 0; k < static_cast<int>(std::size(kGridLampFills)); ++k) {
        QPixmap picture = gridLamp(kGridLampFills[k]);
        if (picture.isNull()) {
            ui::MsgBox(QStringLiteral("Load Images Failed: ")
                       + QStringLiteral("status picture %1 could not be made").arg(k));
            return;
        }
        pictures[static_cast<size_t>(k)] = std::move(picture);
    }
}

QPixmap gridStatusPicture(int status)
{
    auto& pictures = state().g_statusPictures;
    if (status < 0 || status >= static_cast<int>(pictures.size()))
        return {};
    if (status < static_cast<int>(std::size(kGridLampFills)) && pictures[static_cast<size_t>(status)].isNull())
        LoadStatusPictures();
    return pictures[static_cast<size_t>(status)];
}

QPixmap statusPicture(int status)
{
    const auto colour = controls::StatusLED::StatusColour(status);
    if (!colour)
        return {};
    return draw([&](QPainter& p) {
        // a lamp: the status colour with a dark rim and a small highlight
        p.setPen(QPen(kOutline, 1.5));
        p.setBrush(*colour);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 140));
        p.drawEllipse(QRectF(4.5, 4, 3.5, 2.5));
    });
}

QPixmap treeIcon(const QString& imageKey)
{
    const auto& painters = iconPainters();
    const auto it = painters.find(imageKey);
    if (it == painters.end())
        return {};
    return draw(it->second);
}

} // namespace zorbel::shell
