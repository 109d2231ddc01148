#include "controls/StatusLED.h"

#include "controls/Twips.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace zorbel::controls {

std::optional<QColor> StatusLED::StatusColour(int status)
{
    switch (status) {
    case 0: return QColor(255, 255, 255); // white
    case 1: return QColor(0, 0, 0);       // black
    case 2: return QColor(0, 255, 0);     // green
    case 3: return QColor(192, 192, 192); // silver
    case 4: return QColor(38, 180, 223);  // light blue
    case 5: return QColor(255, 200, 0);   // amber
    case 6: return QColor(255, 0, 0);     // red
    default: return std::nullopt;
    }
}

StatusLED::StatusLED(QWidget *parent) : QWidget(parent), m_colour(DesignColour())
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    resize(sizeHint());

    ApplyStatusColour();
}

StatusLED::~StatusLED() = default;

QSize StatusLED::sizeHint() const
{
    return TwipScale::of(this).size(DesignWidthTwips, DesignHeightTwips);
}

void StatusLED::ApplyStatusColour()
{
    if (m_LEDType != 0)
        return;
    if (const auto c = StatusColour(m_Status)) {
        m_colour = *c;
        update();
    }
}

void StatusLED::markChanged(const QString &name)
{
    if (!m_changed.contains(name))
        m_changed.append(name);
    emit PropertyChanged(name);
}

void StatusLED::setStatus(qint16 status)
{
    m_Status = status;
    m_LEDType = 0;
    markChanged(QString::fromLatin1(ChangedStatus));
    ApplyStatusColour();
}

void StatusLED::setLEDColour(const QColor &colour)
{
    m_LEDType = 1;
    // An invalid colour is black, as its OLE value 0 is, so that the lamp
    // shows the colour that LEDColour and LEDColourOle report.
    m_colour = colour.isValid() ? colour.toRgb() : QColor(0, 0, 0);
    m_colour.setAlpha(255);
    markChanged(QString::fromLatin1(ChangedLEDColour));
    update();
}

void StatusLED::ReadProperties(const PropertyBag &bag)
{
    const qint16 type = PropertyBag::ToInt16(bag.ReadProperty(QString::fromLatin1(PropLEDType), 0));
    const qint16 status =
        PropertyBag::ToInt16(bag.ReadProperty(QString::fromLatin1(PropLEDStatus), 0));
    m_LEDType = type;
    m_Status = status;
    // The colour is not persisted: the lamp comes back with its design colour.
    m_colour = DesignColour();
    ApplyStatusColour();
    update();
}

void StatusLED::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(QString::fromLatin1(PropLEDType), int(m_LEDType), 0);
    bag.WriteProperty(QString::fromLatin1(PropLEDStatus), int(m_Status), 0);
}

QRect StatusLED::CircleRect() const
{
    const int d = std::min(width(), height());
    return QRect((width() - d) / 2, (height() - d) / 2, d, d);
}

void StatusLED::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), BackColour());
    const QRect c = CircleRect();
    if (c.width() <= 0)
        return;
    // Drawn without smoothing so that every pixel is the lamp colour, the
    // black border or the white background: a lamp's colour is read off it.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(BorderColour(), 0));
    p.setBrush(m_colour);
    p.drawEllipse(c.adjusted(0, 0, -1, -1));
}

void StatusLED::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (m_pressButton != Qt::NoButton && event->button() != m_pressButton)
        return;
    m_pressButton = event->button();
    m_pressIsDoubleClick = false;
}

void StatusLED::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != m_pressButton)
        return;
    const bool doubleClick = m_pressIsDoubleClick;
    m_pressButton = Qt::NoButton;
    m_pressIsDoubleClick = false;
    if (event->button() == Qt::LeftButton && !doubleClick
        && rect().contains(event->position().toPoint()))
        emit Click();
}

void StatusLED::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double-click: its release raises no second Click.
    event->accept();
    if (m_pressButton != Qt::NoButton && event->button() != m_pressButton)
        return;
    m_pressButton = event->button();
    m_pressIsDoubleClick = true;
}

} // namespace zorbel::controls
