#include "controls/OleColour.h"
#include "controls/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>
#include <limits>

using namespace zorbel::controls;

TEST(Twips, TheDesignMeasureIsFifteenTwipsAPixel)
{
    const TwipScale design;
    const struct {
        int twips, pixels;
    } cases[] = {
        {1395, 93}, {360, 24}, {60, 4}, {0, 0}, {7, 0}, {8, 1}, {-8, -1}, {-7, 0}, {23, 2},
        // The ends of int round without overflowing.
        {std::numeric_limits<int>::max(), 143165576}, {std::numeric_limits<int>::min(), -143165577},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(design.toPixelsX(c.twips), c.pixels) << c.twips;
        EXPECT_EQ(design.toPixelsY(c.twips), c.pixels) << c.twips;
    }
    EXPECT_EQ(design.toTwipsX(88), 1320);
    EXPECT_EQ(design.toTwips(QRect(16, 56, 93, 24)), QRect(240, 840, 1395, 360));
}

TEST(Twips, AWindowAndItsWidgetsGrowWithTheWindowFont)
{
    // The same layout at a small, the default and a large font.
    QFont small = QApplication::font(), large = QApplication::font();
    small.setPointSize(7);
    large.setPointSize(16);
    double lastAcross = 0, lastDown = 0;
    for (const QFont &font : {small, QApplication::font(), large}) {
        SCOPED_TRACE(font.pointSize());
        QWidget window;
        window.setFont(font);
        const TwipScale twips = TwipScale::of(&window);
        EXPECT_GT(twips.pixelsPerTwipX(), lastAcross);
        EXPECT_GT(twips.pixelsPerTwipY(), lastDown);
        lastAcross = twips.pixelsPerTwipX();
        lastDown = twips.pixelsPerTwipY();

        // A child measures by its window's font, whatever font it shows its own text in.
        auto *label = new QLabel(QStringLiteral("Selected Contact"), &window);
        QFont bold = font;
        bold.setBold(true);
        bold.setPointSize(font.pointSize() * 2);
        label->setFont(bold);
        placeTwips(label, 240, 840, 1395, 360);
        EXPECT_EQ(label->geometry(), twips.rect(240, 840, 1395, 360));

        // Read back in twips, to the pixel they came to, and set one at a time.
        const double across = 0.5 / twips.pixelsPerTwipX(), down = 0.5 / twips.pixelsPerTwipY();
        EXPECT_NEAR(leftTwips(label), 240, across);
        EXPECT_NEAR(topTwips(label), 840, down);
        EXPECT_NEAR(widthTwips(label), 1395, across);
        EXPECT_NEAR(heightTwips(label), 360, down);
        setLeftTwips(label, 300);
        setTopTwips(label, 1200);
        setWidthTwips(label, 1500);
        setHeightTwips(label, 450);
        EXPECT_EQ(label->geometry(), twips.rect(300, 1200, 1500, 450));
        moveTwips(label, 0, 0);
        resizeTwips(label, 375, 360);
        EXPECT_EQ(label->geometry(), twips.rect(0, 0, 375, 360));
    }
}

TEST(OleColour, RgbAndBack)
{
    EXPECT_EQ(rgb(0, 64, 128), 0x804000u);
    EXPECT_EQ(fromOleColour(rgb(38, 180, 223)), QColor(38, 180, 223));
    EXPECT_EQ(toOleColour(QColor(255, 200, 0)), rgb(255, 200, 0));
    // A system colour comes from the palette.
    EXPECT_EQ(fromOleColour(0x8000000Fu), QApplication::palette().color(QPalette::Button));
}
