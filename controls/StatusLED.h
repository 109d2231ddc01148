#pragma once
// StatusLED ("ZorbelControls.StatusLED"): the round status lamp.
// Status picks one of seven colours; LEDColour paints any colour and makes
// the lamp ignore Status until Status is written again.
#include "controls/ControlsExport.h"
#include "controls/OleColour.h"
#include "controls/PropertyBag.h"

#include <QColor>
#include <QRect>
#include <QStringList>
#include <QWidget>
#include <optional>

namespace zorbel::controls {

class ZORBEL_CONTROLS_EXPORT StatusLED : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qint16 Status READ Status WRITE setStatus)
    Q_PROPERTY(QColor LEDColour READ LEDColour WRITE setLEDColour)

public:
    static constexpr const char *ProgID = "ZorbelControls.StatusLED";

    // Persisted property names.
    static constexpr const char *PropLEDType = "LEDType";
    static constexpr const char *PropLEDStatus = "LEDStatus";
    // Names the lets mark changed (the status let marks "Status").
    static constexpr const char *ChangedStatus = "Status";
    static constexpr const char *ChangedLEDColour = "LEDColour";

    // Design area in twips (by the window font's measure): 375 x 360.
    static constexpr int DesignWidthTwips = 375;
    static constexpr int DesignHeightTwips = 360;

    static QColor BackColour() { return QColor(255, 255, 255); }
    static QColor BorderColour() { return QColor(0, 0, 0); }
    /// The shape's colour before anything paints it (white).
    static QColor DesignColour() { return QColor(255, 255, 255); }

    /// The colour of a status number (0 white, 1 black, 2 green, 3 silver,
    /// 4 light blue, 5 amber, 6 red); none for any other value.
    static std::optional<QColor> StatusColour(int status);

    /// A white lamp (Status 0, LEDType 0); 375 x 360 twips (25 x 24 px at the design font).
    explicit StatusLED(QWidget *parent = nullptr);
    ~StatusLED() override;

    qint16 Status() const { return m_Status; }
    /// Status = value, LEDType = 0, marks "Status", paints the status colour
    /// (a value outside 0 to 6 keeps the lamp's colour).
    void setStatus(qint16 status);

    QColor LEDColour() const { return m_colour; }
    /// LEDType = 1, paints the colour (an invalid one as black, alpha
    /// ignored), marks "LEDColour".
    void setLEDColour(const QColor &colour);
    /// The same with OLE colours (0x00BBGGRR, or a system colour).
    OleColour LEDColourOle() const { return toOleColour(m_colour); }
    void setLEDColourOle(OleColour colour) { setLEDColour(fromOleColour(colour)); }

    /// 0: the colour follows Status; 1: set through LEDColour.
    qint16 LEDType() const { return m_LEDType; }

    /// Loads "LEDType" then "LEDStatus" (defaults 0), then paints the status
    /// colour when LEDType is 0. The colour is not persisted: a lamp read
    /// with LEDType 1 shows the design colour (white). A value that is no
    /// 16-bit integer throws PropertyError and leaves the lamp as it was.
    void ReadProperties(const PropertyBag &bag);
    /// Stores "LEDType" then "LEDStatus"; values equal to 0 are omitted.
    void WriteProperties(PropertyBag &bag) const;

    QStringList ChangedProperties() const { return m_changed; }
    void ClearChangedProperties() { m_changed.clear(); }

    /// The lamp: the largest circle that fits the control, centred (pixels).
    QRect CircleRect() const;

    QSize sizeHint() const override;

signals:
    /// Raised by every click on the control.
    void Click();
    void PropertyChanged(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void ApplyStatusColour();
    void markChanged(const QString &name);

    qint16 m_Status = 0;
    qint16 m_LEDType = 0;
    QColor m_colour;
    QStringList m_changed;

    Qt::MouseButton m_pressButton = Qt::NoButton;
    bool m_pressIsDoubleClick = false;
};

} // namespace zorbel::controls
