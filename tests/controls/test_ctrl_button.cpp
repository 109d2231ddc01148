// ctrlButton.
#include "controls/ctrlButton.h"
#include "controls/Twips.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace zorbel::controls;

namespace {

// Points of a button, from the design's twips on the tests' font.
QPoint at(int leftTwips, int topTwips) { return TwipScale::ofFont(QApplication::font()).point(leftTwips, topTwips); }
QPoint captionStrip() { return at(660, 180); } // in the caption strip
QPoint topStrip() { return at(660, 30); } // the picture's top strip, above the caption
QPoint rightMargin() { return at(1360, 180); }
QPoint bottomMargin() { return at(660, 340); }

QImage shot(QWidget &w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// The control shows `picture` at its size on the button's font (compared
// pixel by pixel outside the caption's letters) and its caption letters are
// drawn in `colour`.
void expectLook(ctrlButton &b, ButtonPicture picture, const QColor &colour)
{
    EXPECT_EQ(b.VisiblePicture(), picture);
    EXPECT_EQ(b.CaptionColour(), colour);

    const QImage img = shot(b);
    ASSERT_EQ(buttonPicture(picture).size(), QSize(88, 21));
    const QRect area = b.PictureRect();
    const QImage pic =
        buttonPicture(picture).scaled(area.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const int captionTop = b.CaptionRect().top();
    ASSERT_GT(captionTop, 0);
    // The top strip is the bare picture.
    for (int y = 0; y < captionTop; ++y)
        for (int x = 0; x < pic.width(); ++x)
            ASSERT_EQ(img.pixel(x, y), pic.pixel(x, y)) << "at " << x << "," << y;
    // In the caption strip every pixel is the picture's or the caption colour's.
    int letters = 0;
    for (int y = captionTop; y < pic.height(); ++y)
        for (int x = 0; x < pic.width(); ++x) {
            if (img.pixel(x, y) == pic.pixel(x, y))
                continue;
            ASSERT_EQ(QColor(img.pixel(x, y)), colour) << "at " << x << "," << y;
            ++letters;
        }
    EXPECT_GT(letters, 10) << "caption not drawn";
    // The margins show the control's background.
    EXPECT_EQ(QColor(img.pixel(rightMargin())), ctrlButton::BackColour());
    EXPECT_EQ(QColor(img.pixel(bottomMargin())), ctrlButton::BackColour());
}

// A real double-click through the window system: press, release, press
// (the window system adds the double-click event), release.
void windowDoubleClick(QWidget &w, QPoint pos)
{
    QTest::mouseDClick(w.window()->windowHandle(), Qt::LeftButton, {}, w.mapTo(w.window(), pos));
}

void windowClick(QWidget &w, QPoint pos)
{
    QTest::mouseClick(w.window()->windowHandle(), Qt::LeftButton, {}, w.mapTo(w.window(), pos));
}

struct Shown {
    ctrlButton b;
    Shown()
    {
        b.setObjectName("btnOK");
        b.setCaption("OK");
        b.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&b));
    }
};

} // namespace

TEST(ctrlButton, NewButton)
{
    ctrlButton b;
    EXPECT_STREQ(ctrlButton::ProgID, "ZorbelControls.ctrlButton");
    EXPECT_EQ(b.Caption(), "Name");
    EXPECT_EQ(b.Status(), 0);
    EXPECT_EQ(b.size(), TwipScale::of(&b).size(1395, 360));
    EXPECT_EQ(b.focusPolicy(), Qt::NoFocus);
    expectLook(b, ButtonPicture::Normal, QColor(0, 64, 128));
}

TEST(ctrlButton, PicturesAre88By21AndDiffer)
{
    const QImage n = buttonPicture(ButtonPicture::Normal);
    const QImage p = buttonPicture(ButtonPicture::Pressed);
    const QImage d = buttonPicture(ButtonPicture::Disabled);
    EXPECT_EQ(n.size(), QSize(88, 21));
    EXPECT_EQ(p.size(), QSize(88, 21));
    EXPECT_EQ(d.size(), QSize(88, 21));
    EXPECT_NE(n.pixel(topStrip()), p.pixel(topStrip()));
    EXPECT_NE(n.pixel(topStrip()), d.pixel(topStrip()));
    EXPECT_NE(p.pixel(topStrip()), d.pixel(topStrip()));
    EXPECT_EQ(toolboxBitmap(30000).size(), QSize(16, 15));
    EXPECT_EQ(toolboxBitmap(30001).size(), QSize(16, 15));
}

TEST(ctrlButton, StatusPicksPictureAndCaptionColour)
{
    const QColor navy(0, 64, 128), silver(192, 192, 192);
    ctrlButton b;
    b.setCaption("Delete");
    b.setStatus(0);
    expectLook(b, ButtonPicture::Normal, navy);
    b.setStatus(1);
    expectLook(b, ButtonPicture::Pressed, navy);
    b.setStatus(2);
    expectLook(b, ButtonPicture::Disabled, silver);
    b.setStatus(3);
    expectLook(b, ButtonPicture::Disabled, navy);
    b.setStatus(4);
    expectLook(b, ButtonPicture::Pressed, navy);
    b.setStatus(2);
    b.setStatus(0);
    expectLook(b, ButtonPicture::Normal, navy);
}

TEST(ctrlButton, OutOfRangeStatusKeepsPictureAndPaintsNormalCaption)
{
    const QColor navy(0, 64, 128);
    Shown s;
    QSignalSpy clicks(&s.b, &ctrlButton::Click);
    s.b.setStatus(2);
    s.b.setStatus(7);
    EXPECT_EQ(s.b.Status(), 7);
    expectLook(s.b, ButtonPicture::Disabled, navy);
    s.b.setStatus(1);
    s.b.setStatus(-1);
    expectLook(s.b, ButtonPicture::Pressed, navy);
    s.b.setStatus(0);
    s.b.setStatus(9);
    expectLook(s.b, ButtonPicture::Normal, navy);
    windowClick(s.b, captionStrip());
    windowClick(s.b, topStrip());
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(s.b.Status(), 9);
}

TEST(ctrlButton, ClickAtStatusZeroRaisesOneClick)
{
    Shown s;
    QSignalSpy clicks(&s.b, &ctrlButton::Click);
    windowClick(s.b, captionStrip());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(s.b.Status(), 0);
    QTest::mouseClick(&s.b, Qt::LeftButton, {}, captionStrip()); // widget-level events too
    EXPECT_EQ(clicks.count(), 2);
}

TEST(ctrlButton, TopStripClicksWithoutPressedLook)
{
    Shown s;
    QSignalSpy clicks(&s.b, &ctrlButton::Click);
    QSignalSpy changes(&s.b, &ctrlButton::PropertyChanged);
    QTest::mousePress(&s.b, Qt::LeftButton, {}, topStrip());
    EXPECT_EQ(s.b.Status(), 0);
    EXPECT_EQ(s.b.VisiblePicture(), ButtonPicture::Normal);
    QTest::mouseRelease(&s.b, Qt::LeftButton, {}, topStrip());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(s.b.RegionAt(topStrip()), ctrlButton::Region::Picture);
}

TEST(ctrlButton, MarginsRaiseNothing)
{
    Shown s;
    QSignalSpy clicks(&s.b, &ctrlButton::Click);
    for (QPoint p : {rightMargin(), bottomMargin(), at(1380, 350)}) {
        EXPECT_EQ(s.b.RegionAt(p), ctrlButton::Region::None);
        QTest::mousePress(&s.b, Qt::LeftButton, {}, p);
        EXPECT_EQ(s.b.Status(), 0);
        QTest::mouseRelease(&s.b, Qt::LeftButton, {}, p);
        windowClick(s.b, p);
        windowDoubleClick(s.b, p);
    }
    EXPECT_EQ(clicks.count(), 0);
}

TEST(ctrlButton, NeverClicksAtStatusTwo)
{
    Shown s;
    s.b.setStatus(2);
    QSignalSpy clicks(&s.b, &ctrlButton::Click);
    QTest::mousePress(&s.b, Qt::LeftButton, {}, captionStrip());
    EXPECT_EQ(s.b.Status(), 2); // mouse-down leaves it greyed
    EXPECT_EQ(s.b.VisiblePicture(), ButtonPicture::Disabled);
    QTest::mouseRelease(&s.b, Qt::LeftButton, {}, captionStrip());
    EXPECT_EQ(s.b.Status(), 2);
    for (QPoint p : {captionStrip(), topStrip(), rightMargin()}) {
        windowClick(s.b, p);
        windowDoubleClick(s.b, p);
        QTest::mouseClick(&s.b, Qt::LeftButton, {}, p);
        QTest::mouseDClick(&s.b, Qt::LeftButton, {}, p);
    }
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(s.b.Status(), 2);
}

TEST(ctrlButton, PressHoldReleaseGoesZeroOneZeroThenClick)
{
    Shown s;
    QList<qint16> statuses;
    qint16 statusAtClick = -99;
    QObject::connect(&s.b, &ctrlButton::PropertyChanged, [&] { statuses << s.b.Status(); });
    QObject::connect(&s.b, &ctrlButton::Click, [&] { statusAtClick = s.b.Status(); });
    s.b.ClearChangedProperties();

    QTest::mousePress(s.b.windowHandle(), Qt::LeftButton, {}, captionStrip());
    EXPECT_EQ(s.b.Status(), 1);
    expectLook(s.b, ButtonPicture::Pressed, QColor(0, 64, 128));
    EXPECT_EQ(statusAtClick, -99); // no Click while held
    QTest::mouseRelease(s.b.windowHandle(), Qt::LeftButton, {}, captionStrip());
    EXPECT_EQ(s.b.Status(), 0);
    expectLook(s.b, ButtonPicture::Normal, QColor(0, 64, 128));
    EXPECT_EQ(statuses, (QList<qint16>{1, 0}));
    EXPECT_EQ(statusAtClick, 0); // Click follows the mouse-up
    EXPECT_EQ(s.b.ChangedProperties(), QStringList{"ButtonStatus"});
}

TEST(ctrlButton, ReleaseOutsideCaptionRestoresButRaisesNothing)
{
    Shown s;
    QSignalSpy clicks(&s.b, &ctrlButton::Click);
    QTest::mousePress(&s.b, Qt::LeftButton, {}, captionStrip());
    EXPECT_EQ(s.b.Status(), 1);
    QTest::mouseRelease(&s.b, Qt::LeftButton, {}, rightMargin());
    EXPECT_EQ(s.b.Status(), 0);
    EXPECT_EQ(clicks.count(), 0);
}

TEST(ctrlButton, RightButtonShowsPressedButRaisesNoClick)
{
    Shown s;
    QSignalSpy clicks(&s.b, &ctrlButton::Click);
    QTest::mousePress(&s.b, Qt::RightButton, {}, captionStrip());
    EXPECT_EQ(s.b.Status(), 1);
    QTest::mouseRelease(&s.b, Qt::RightButton, {}, captionStrip());
    EXPECT_EQ(s.b.Status(), 0);
    EXPECT_EQ(clicks.count(), 0);
}

TEST(ctrlButton, StatusFourStaysPressed)
{
    Shown s;
    s.b.setStatus(4);
    QSignalSpy clicks(&s.b, &ctrlButton::Click);
    windowClick(s.b, captionStrip());
    windowClick(s.b, topStrip());
    EXPECT_EQ(s.b.Status(), 4);
    EXPECT_EQ(s.b.VisiblePicture(), ButtonPicture::Pressed);
    EXPECT_EQ(clicks.count(), 0);
}

TEST(ctrlButton, DoubleClickRaisesOneClick)
{
    Shown s;
    QSignalSpy clicks(&s.b, &ctrlButton::Click);
    windowDoubleClick(s.b, captionStrip());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(s.b.Status(), 0);
    EXPECT_EQ(s.b.VisiblePicture(), ButtonPicture::Normal);

    windowDoubleClick(s.b, topStrip());
    EXPECT_EQ(clicks.count(), 2);

    // The same sequence sent to the widget: press, release, double-click, release.
    QTest::mousePress(&s.b, Qt::LeftButton, {}, captionStrip());
    QTest::mouseRelease(&s.b, Qt::LeftButton, {}, captionStrip());
    QTest::mouseDClick(&s.b, Qt::LeftButton, {}, captionStrip());
    EXPECT_EQ(s.b.Status(), 0); // the second press shows no pressed look
    QTest::mouseRelease(&s.b, Qt::LeftButton, {}, captionStrip());
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_EQ(s.b.Status(), 0);

    // And a single click afterwards counts again.
    windowClick(s.b, captionStrip());
    EXPECT_EQ(clicks.count(), 4);
}

TEST(ctrlButton, NoKeyboardOperation)
{
    Shown s;
    QSignalSpy clicks(&s.b, &ctrlButton::Click);
    QTest::keyClick(&s.b, Qt::Key_Space);
    QTest::keyClick(&s.b, Qt::Key_Return);
    QTest::keyClick(&s.b, Qt::Key_Enter);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(s.b.Status(), 0);
}

TEST(ctrlButton, LetsMarkTheirPropertiesChanged)
{
    ctrlButton b;
    QSignalSpy changes(&b, &ctrlButton::PropertyChanged);
    b.setCaption("Edit");
    b.setStatus(2);
    b.setStatus(2);
    EXPECT_EQ(changes.count(), 3);
    EXPECT_EQ(changes.at(0).at(0).toString(), "ButtonCaption");
    EXPECT_EQ(changes.at(1).at(0).toString(), "ButtonStatus");
    EXPECT_EQ(b.ChangedProperties(), (QStringList{"ButtonCaption", "ButtonStatus"}));
    b.ClearChangedProperties();
    EXPECT_TRUE(b.ChangedProperties().isEmpty());
    EXPECT_EQ(b.property("Caption").toString(), "Edit");
    EXPECT_EQ(b.property("Status").toInt(), 2);
}

TEST(ctrlButton, PropertiesRoundTripAndDefaultsOmitted)
{
    ctrlButton a;
    a.setObjectName("btnOK");
    a.setCaption("btnOK"); // the caption equals the control's name
    PropertyBag bag;
    a.WriteProperties(bag);
    EXPECT_TRUE(bag.IsEmpty()) << bag.Names().join(",").toStdString();

    a.setCaption("OK");
    a.setStatus(2);
    a.WriteProperties(bag);
    EXPECT_EQ(bag.Names(), (QStringList{"buttoncaption", "buttonstatus"}));
    EXPECT_EQ(bag.ReadProperty("ButtonCaption").toString(), "OK");
    EXPECT_EQ(bag.ReadProperty("ButtonStatus").toInt(), 2);

    ctrlButton b;
    b.setObjectName("btnOK");
    b.ReadProperties(PropertyBag::FromMap(bag.ToMap()));
    EXPECT_EQ(b.Caption(), "OK");
    EXPECT_EQ(b.Status(), 2);
    expectLook(b, ButtonPicture::Disabled, QColor(192, 192, 192));

    // An empty bag: the caption is the control's name, the status 0.
    ctrlButton c;
    c.setObjectName("btnCancel");
    c.setStatus(2);
    c.ReadProperties(PropertyBag());
    EXPECT_EQ(c.Caption(), "btnCancel");
    EXPECT_EQ(c.Status(), 0);
    EXPECT_EQ(c.VisiblePicture(), ButtonPicture::Normal);

    // Names stored in lower case by the host; status read as a 16-bit integer.
    ctrlButton d;
    d.setObjectName("btnAdd");
    d.ReadProperties(PropertyBag::FromMap({{"buttoncaption", "Add"}, {"buttonstatus", "3"}}));
    EXPECT_EQ(d.Caption(), "Add");
    EXPECT_EQ(d.Status(), 3);
    EXPECT_EQ(d.VisiblePicture(), ButtonPicture::Disabled);
}

TEST(ctrlButton, BadStoredStatusIsTheCallersError)
{
    ctrlButton b;
    b.setObjectName("btnX");
    b.setCaption("X");
    EXPECT_THROW(b.ReadProperties(PropertyBag::FromMap({{"ButtonStatus", 70000}})), PropertyError);
    EXPECT_THROW(b.ReadProperties(PropertyBag::FromMap({{"ButtonStatus", "abc"}})), PropertyError);
    EXPECT_EQ(b.Caption(), "X");
    EXPECT_EQ(b.Status(), 0);
}

TEST(ctrlButton, HostSizeDoesNotMoveTheChildren)
{
    ctrlButton b;
    const QRect picture = b.PictureRect();
    const QRect caption = b.CaptionRect();
    b.resize(b.width() + 7, b.height() + 3); // a host sizing the instance a little larger
    EXPECT_EQ(b.PictureRect(), picture);
    EXPECT_EQ(b.CaptionRect(), caption);
    EXPECT_EQ(b.RegionAt(QPoint(b.width() - 2, caption.center().y())), ctrlButton::Region::None);
    expectLook(b, ButtonPicture::Normal, QColor(0, 64, 128));
    b.resize(picture.width() - 8, picture.height() - 1); // smaller: the picture is cut, not shrunk
    const QImage img = shot(b);
    EXPECT_EQ(img.size(), b.size());
    const QImage pic = buttonPicture(ButtonPicture::Normal)
                           .scaled(picture.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_EQ(img.pixel(10, 2), pic.pixel(10, 2));
}
