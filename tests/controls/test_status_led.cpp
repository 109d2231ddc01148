// StatusLED.
#include "controls/StatusLED.h"
#include "controls/Twips.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace zorbel::controls;

namespace {

QColor centre(StatusLED &led)
{
    const QImage img = led.grab().toImage().convertToFormat(QImage::Format_RGB32);
    return QColor(img.pixel(led.width() / 2, led.height() / 2));
}

const QList<QColor> kStatusColours = {
    QColor(255, 255, 255), QColor(0, 0, 0),     QColor(0, 255, 0),   QColor(192, 192, 192),
    QColor(38, 180, 223),  QColor(255, 200, 0), QColor(255, 0, 0),
};

} // namespace

TEST(StatusLED, NewLampIsWhite)
{
    StatusLED led;
    EXPECT_STREQ(StatusLED::ProgID, "ZorbelControls.StatusLED");
    EXPECT_EQ(led.Status(), 0);
    EXPECT_EQ(led.LEDType(), 0);
    EXPECT_EQ(led.LEDColour(), QColor(255, 255, 255));
    EXPECT_EQ(led.size(), TwipScale::of(&led).size(375, 360));
    EXPECT_EQ(centre(led), QColor(255, 255, 255));
}

TEST(StatusLED, CentrePixelPerStatusColour)
{
    StatusLED led;
    for (int s = 0; s <= 6; ++s) {
        led.setStatus(qint16(s));
        EXPECT_EQ(led.LEDColour(), kStatusColours[s]) << "status " << s;
        EXPECT_EQ(centre(led), kStatusColours[s]) << "status " << s;
        EXPECT_EQ(StatusLED::StatusColour(s), kStatusColours[s]);
    }
    EXPECT_FALSE(StatusLED::StatusColour(7).has_value());
    EXPECT_FALSE(StatusLED::StatusColour(-1).has_value());
}

TEST(StatusLED, OutOfRangeStatusKeepsColour)
{
    StatusLED led;
    led.setStatus(4);
    EXPECT_EQ(centre(led), QColor(38, 180, 223));
    led.setStatus(9);
    EXPECT_EQ(led.Status(), 9);
    EXPECT_EQ(led.LEDColour(), QColor(38, 180, 223));
    EXPECT_EQ(centre(led), QColor(38, 180, 223));
    led.setStatus(-3);
    EXPECT_EQ(centre(led), QColor(38, 180, 223));
}

TEST(StatusLED, LEDColourThenStatusReturnsToStatusColour)
{
    StatusLED led;
    led.setLEDColour(QColor(128, 128, 0));
    EXPECT_EQ(led.LEDType(), 1);
    EXPECT_EQ(led.LEDColour(), QColor(128, 128, 0));
    EXPECT_EQ(centre(led), QColor(128, 128, 0));
    led.setStatus(2);
    EXPECT_EQ(led.LEDType(), 0);
    EXPECT_EQ(led.LEDColour(), QColor(0, 255, 0));
    EXPECT_EQ(centre(led), QColor(0, 255, 0));
}

TEST(StatusLED, SameStatusAgainBringsTheStatusColourBack)
{
    StatusLED led;
    led.setStatus(6);
    led.setLEDColour(QColor(10, 20, 30));
    EXPECT_EQ(centre(led), QColor(10, 20, 30));
    led.setStatus(6);
    EXPECT_EQ(centre(led), QColor(255, 0, 0));
}

TEST(StatusLED, LEDColourAsOleColour)
{
    StatusLED led;
    led.setLEDColourOle(rgb(255, 128, 0));
    EXPECT_EQ(led.LEDColour(), QColor(255, 128, 0));
    EXPECT_EQ(led.LEDColourOle(), rgb(255, 128, 0));
    EXPECT_EQ(led.property("LEDColour").value<QColor>(), QColor(255, 128, 0));

    // A host's invalid or translucent colour: the lamp shows what it reports.
    led.setLEDColour(QColor());
    EXPECT_EQ(led.LEDColour(), QColor(0, 0, 0));
    EXPECT_EQ(led.LEDColourOle(), rgb(0, 0, 0));
    EXPECT_EQ(centre(led), QColor(0, 0, 0));
    led.setLEDColour(QColor(0, 0, 255, 40));
    EXPECT_EQ(centre(led), QColor(0, 0, 255));
}

TEST(StatusLED, LetsMarkChanged)
{
    StatusLED led;
    QSignalSpy changes(&led, &StatusLED::PropertyChanged);
    led.setStatus(3);
    led.setLEDColour(Qt::red);
    ASSERT_EQ(changes.count(), 2);
    EXPECT_EQ(changes.at(0).at(0).toString(), "Status");
    EXPECT_EQ(changes.at(1).at(0).toString(), "LEDColour");
    EXPECT_EQ(led.ChangedProperties(), (QStringList{"Status", "LEDColour"}));
}

TEST(StatusLED, LargestCentredCircleWithBlackBorder)
{
    StatusLED led;
    led.resize(33, 25); // a host's 495 x 375 twips at the design font
    led.setStatus(5);
    EXPECT_EQ(led.CircleRect(), QRect(4, 0, 25, 25)); // 375 twips across, centred
    const QImage img = led.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QColor amber(255, 200, 0);
    EXPECT_EQ(QColor(img.pixel(16, 12)), amber);
    // Outside the circle: the white background.
    EXPECT_EQ(QColor(img.pixel(1, 12)), QColor(255, 255, 255));
    EXPECT_EQ(QColor(img.pixel(31, 12)), QColor(255, 255, 255));
    EXPECT_EQ(QColor(img.pixel(4, 0)), QColor(255, 255, 255)); // the circle's corner box
    // The border: the leftmost and rightmost pixels of the middle row are black.
    EXPECT_EQ(QColor(img.pixel(4, 12)), QColor(0, 0, 0));
    EXPECT_EQ(QColor(img.pixel(28, 12)), QColor(0, 0, 0));
    EXPECT_EQ(QColor(img.pixel(16, 0)), QColor(0, 0, 0));
    // Just inside the border: the lamp colour.
    EXPECT_EQ(QColor(img.pixel(6, 12)), amber);

    led.resize(20, 40); // tall: centred vertically
    EXPECT_EQ(led.CircleRect(), QRect(0, 10, 20, 20));
}

TEST(StatusLED, EveryClickRaisesClick)
{
    StatusLED led;
    led.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&led));
    QSignalSpy clicks(&led, &StatusLED::Click);
    QTest::mouseClick(led.windowHandle(), Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseClick(led.windowHandle(), Qt::LeftButton, {}, QPoint(0, 0)); // a corner too
    EXPECT_EQ(clicks.count(), 2);
    led.setStatus(6);
    QTest::mouseClick(&led, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(clicks.count(), 3);
    led.setLEDColour(Qt::blue);
    QTest::mouseClick(&led, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(clicks.count(), 4);
    QTest::mouseDClick(led.windowHandle(), Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(clicks.count(), 5); // a double-click is one click
    QTest::mouseClick(led.windowHandle(), Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(clicks.count(), 6);
}

TEST(StatusLED, PropertiesPersistTypeAndStatusNotColour)
{
    StatusLED a;
    PropertyBag bag;
    a.WriteProperties(bag);
    EXPECT_TRUE(bag.IsEmpty());

    a.setStatus(4);
    a.WriteProperties(bag);
    EXPECT_EQ(bag.Names(), QStringList{"ledstatus"});

    a.setLEDColour(QColor(128, 128, 0));
    a.WriteProperties(bag);
    EXPECT_EQ(bag.Names(), (QStringList{"ledstatus", "ledtype"}));
    EXPECT_EQ(bag.ReadProperty("LEDType").toInt(), 1);
    EXPECT_EQ(bag.ReadProperty("LEDStatus").toInt(), 4);

    // Read back: LEDType 1, so the lamp shows the design colour (white).
    StatusLED b;
    b.ReadProperties(PropertyBag::FromMap(bag.ToMap()));
    EXPECT_EQ(b.LEDType(), 1);
    EXPECT_EQ(b.Status(), 4);
    EXPECT_EQ(b.LEDColour(), QColor(255, 255, 255));

    // A stored status with LEDType 0 paints its colour.
    StatusLED c;
    c.ReadProperties(PropertyBag::FromMap({{"ledstatus", 6}}));
    EXPECT_EQ(c.Status(), 6);
    EXPECT_EQ(centre(c), QColor(255, 0, 0));

    EXPECT_THROW(c.ReadProperties(PropertyBag::FromMap({{"LEDType", 1e9}})), PropertyError);
    EXPECT_EQ(c.Status(), 6);
}
