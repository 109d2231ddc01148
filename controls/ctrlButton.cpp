#include "controls/ctrlButton.h"

#include "controls/Twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace zorbel::controls {

ctrlButton::ctrlButton(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus); // the button reacts to no key
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    resize(sizeHint());

    // A new instance reads "Name" until its host gives it a caption.
    m_Caption = QString::fromLatin1(InitialCaption);
    RefreshButton();
}

ctrlButton::ctrlButton(const QString &caption, QWidget *parent) : ctrlButton(parent)
{
    setCaption(caption);
}

ctrlButton::~ctrlButton() = default;

QSize ctrlButton::sizeHint() const
{
    return TwipScale::of(this).size(DesignWidthTwips, DesignHeightTwips);
}

QSize ctrlButton::minimumSizeHint() const { return PictureRect().size(); }

QRect ctrlButton::CaptionRect() const { return TwipScale::of(this).rect(0, 60, 1320, 255); }

QRect ctrlButton::PictureRect() const { return TwipScale::of(this).rect(0, 0, 1320, 315); }

QFont ctrlButton::CaptionFont() const
{
    // The design's caption is the design font in bold, drawn without
    // smoothing like the bitmap font it stands for.
    QFont caption = font();
    caption.setBold(true);
    caption.setStyleStrategy(QFont::NoAntialias);
    return caption;
}

ctrlButton::Region ctrlButton::RegionAt(const QPoint &pos) const
{
    // The caption label lies above the pictures: it takes the points it covers.
    if (CaptionRect().contains(pos))
        return Region::Caption;
    if (PictureRect().contains(pos))
        return Region::Picture;
    return Region::None;
}

void ctrlButton::setCaption(const QString &caption)
{
    m_Caption = caption;
    markChanged(QString::fromLatin1(PropCaption));
    RefreshButton();
}

void ctrlButton::setStatus(qint16 status)
{
    m_Status = status;
    markChanged(QString::fromLatin1(PropStatus));
    RefreshButton();
}

void ctrlButton::markChanged(const QString &name)
{
    if (!m_changed.contains(name))
        m_changed.append(name);
    emit PropertyChanged(name);
}

void ctrlButton::RefreshButton()
{
    m_captionColour = CaptionColourNormal();
    switch (m_Status) {
    case 0:
        m_visible = ButtonPicture::Normal;
        break;
    case 1:
    case 4:
        m_visible = ButtonPicture::Pressed;
        break;
    case 2:
        m_visible = ButtonPicture::Disabled;
        m_captionColour = CaptionColourGreyed();
        break;
    case 3:
        m_visible = ButtonPicture::Disabled;
        break;
    default:
        break; // the pictures stay as they were
    }
    update();
}

void ctrlButton::ReadProperties(const PropertyBag &bag)
{
    const QString caption =
        bag.ReadProperty(QString::fromLatin1(PropCaption), ExtenderName()).toString();
    const qint16 status = PropertyBag::ToInt16(bag.ReadProperty(QString::fromLatin1(PropStatus), 0));
    m_Caption = caption;
    m_Status = status;
    RefreshButton();
}

void ctrlButton::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(QString::fromLatin1(PropCaption), m_Caption, ExtenderName());
    bag.WriteProperty(QString::fromLatin1(PropStatus), int(m_Status), 0);
}

void ctrlButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), BackColour());
    // The pictures were drawn for the design font and grow with the caption.
    const QRect picture = PictureRect();
    p.drawImage(picture.topLeft(), buttonPicture(m_visible).scaled(picture.size(), Qt::IgnoreAspectRatio,
                                                                   Qt::SmoothTransformation));
    p.setFont(CaptionFont());
    p.setPen(m_captionColour);
    p.drawText(CaptionRect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, m_Caption);
}

// Only the caption strip shows the pressed look; the picture's strip above
// it clicks without it, so the two keep separate handlers.

void ctrlButton::captionMouseDown()
{
    if (Status() == 0)
        setStatus(1);
}

void ctrlButton::captionMouseUp()
{
    if (Status() == 1)
        setStatus(0);
}

void ctrlButton::captionClick()
{
    if (Status() == 0)
        emit Click();
}

void ctrlButton::pictureClick()
{
    // The greyed picture never clicks, whatever status a host left behind.
    if (m_visible == ButtonPicture::Disabled)
        return;
    if (Status() == 0)
        emit Click();
}

void ctrlButton::clickRegion(Region region)
{
    if (region == Region::Caption)
        captionClick();
    else if (region == Region::Picture)
        pictureClick();
}

void ctrlButton::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    // Another button while one is held: the first press rules. The same
    // button again means its release never came: start afresh.
    if (m_pressButton != Qt::NoButton && event->button() != m_pressButton)
        return;
    m_pressRegion = RegionAt(event->position().toPoint());
    m_pressButton = event->button();
    m_pressIsDoubleClick = false;
    if (m_pressRegion == Region::Caption)
        captionMouseDown();
}

void ctrlButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != m_pressButton)
        return;
    const Region pressed = m_pressRegion;
    const bool doubleClick = m_pressIsDoubleClick;
    m_pressRegion = Region::None;
    m_pressButton = Qt::NoButton;
    m_pressIsDoubleClick = false;

    if (pressed == Region::Caption)
        captionMouseUp();
    // A click is a left press and release over the same child; the second
    // press of a double-click raises no second Click.
    if (event->button() == Qt::LeftButton && !doubleClick && pressed != Region::None
        && RegionAt(event->position().toPoint()) == pressed)
        clickRegion(pressed);
}

void ctrlButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double-click arrives as this event (press,
    // release, double-click, release). It shows no pressed look and its
    // release raises no Click, so a double-click raises the one Click of its
    // first press and release: a hurried user runs a command once.
    event->accept();
    if (m_pressButton != Qt::NoButton && event->button() != m_pressButton)
        return;
    if (m_pressButton == Qt::NoButton) {
        m_pressRegion = RegionAt(event->position().toPoint());
        m_pressButton = event->button();
    }
    // (Where the window system delivered the second press as a press too,
    // that press is the one held now: it loses its Click as well.)
    m_pressIsDoubleClick = true;
}

} // namespace zorbel::controls
