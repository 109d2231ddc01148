#pragma once
// ctrlButton ("ZorbelControls.ctrlButton"): the picture push
// button of every window. A caption laid over one of three pictures (normal,
// pressed, disabled); the host decides through Status whether it works, and
// it raises Click only while Status is 0.
#include "controls/ButtonPictures.h"
#include "controls/ControlsExport.h"
#include "controls/PropertyBag.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace zorbel::controls {

class ZORBEL_CONTROLS_EXPORT ctrlButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(qint16 Status READ Status WRITE setStatus)

public:
    static constexpr const char *ProgID = "ZorbelControls.ctrlButton";

    // The button's status values.
    static constexpr qint16 StatusNormal = 0;   // usable: Click is raised
    static constexpr qint16 StatusPressed = 1;  // held down under the mouse (the button's own)
    static constexpr qint16 StatusGreyed = 2;   // greyed picture, silver caption
    static constexpr qint16 StatusDisabledNormalCaption = 3; // greyed picture, normal caption
    static constexpr qint16 StatusHeld = 4;     // pressed picture, stays down

    // Persisted property names and the caption after creation.
    static constexpr const char *PropCaption = "ButtonCaption";
    static constexpr const char *PropStatus = "ButtonStatus";
    static constexpr const char *InitialCaption = "Name";

    // Design area and children, in twips (by the window font's measure, as every layout).
    static constexpr int DesignWidthTwips = 1395;
    static constexpr int DesignHeightTwips = 360;

    static QColor BackColour() { return QColor(224, 224, 224); }
    static QColor CaptionColourNormal() { return QColor(0, 64, 128); }
    static QColor CaptionColourGreyed() { return QColor(192, 192, 192); }

    /// Where a point of the control falls (in the control's pixels).
    enum class Region {
        None,     // the margins round the picture: nothing happens there
        Caption,  // the caption strip: pressed look while held, Click on click
        Picture,  // the picture's top strip above the caption: Click without the pressed look
    };

    /// Caption "Name", Status 0, the normal picture; 1395 x 360 twips (93 x 24 px at the design font).
    explicit ctrlButton(QWidget *parent = nullptr);
    /// The same, with the caption set (marks "ButtonCaption" changed).
    explicit ctrlButton(const QString &caption, QWidget *parent = nullptr);
    ~ctrlButton() override;

    QString Caption() const { return m_Caption; }
    void setCaption(const QString &caption);

    qint16 Status() const { return m_Status; }
    void setStatus(qint16 status);

    /// Loads "ButtonCaption" (default: the extender's name, objectName())
    /// and "ButtonStatus" (default 0). A value that is no 16-bit integer
    /// throws PropertyError and leaves the control as it was.
    void ReadProperties(const PropertyBag &bag);
    /// Stores "ButtonCaption" then "ButtonStatus"; values equal to their
    /// defaults are omitted by the bag.
    void WriteProperties(PropertyBag &bag) const;

    /// The extender's Name: the objectName() the host gives the instance.
    QString ExtenderName() const { return objectName(); }

    /// The picture now visible, the caption's colour and its font (the
    /// button's own font in bold, so the caption grows with the window's).
    ButtonPicture VisiblePicture() const { return m_visible; }
    QColor CaptionColour() const { return m_captionColour; }
    QFont CaptionFont() const;

    /// Names marked changed since the last ClearChangedProperties().
    QStringList ChangedProperties() const { return m_changed; }
    void ClearChangedProperties() { m_changed.clear(); }

    /// The caption strip (label) and the pictures' area, in pixels.
    QRect CaptionRect() const;
    QRect PictureRect() const;
    Region RegionAt(const QPoint &pos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    /// The control's one event: a click on the caption or picture while Status is 0.
    void Click();
    /// A property was set (under the name the host knows it by).
    void PropertyChanged(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void RefreshButton();
    void markChanged(const QString &name);
    void captionMouseDown();
    void captionMouseUp();
    void captionClick();
    void pictureClick();
    void clickRegion(Region region);

    qint16 m_Status = 0;
    QString m_Caption;
    ButtonPicture m_visible = ButtonPicture::Normal;
    QColor m_captionColour;
    QStringList m_changed;

    // Mouse tracking: the region pressed, with which button, and whether this
    // press is the second of a double-click (whose first click already counted).
    Region m_pressRegion = Region::None;
    Qt::MouseButton m_pressButton = Qt::NoButton;
    bool m_pressIsDoubleClick = false;
};

} // namespace zorbel::controls
