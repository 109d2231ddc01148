#include "controls/OleColour.h"
#include "controls/Twips.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <limits>

using namespace zorbel::controls;

TEST(Twips, FifteenTwipsPerPixel)
{
    EXPECT_EQ(TwipsPerPixel, 15);
    EXPECT_EQ(twipsToPixels(1395), 93);
    EXPECT_EQ(twipsToPixels(360), 24);
    EXPECT_EQ(twipsToPixels(60), 4);
    EXPECT_EQ(twipsToPixels(0), 0);
    EXPECT_EQ(twipsToPixels(7), 0);
    EXPECT_EQ(twipsToPixels(8), 1);
    EXPECT_EQ(twipsToPixels(-8), -1);
    EXPECT_EQ(twipsToPixels(-7), 0);
    EXPECT_EQ(twipsToPixels(23), 2);
    // The ends of int round without overflowing.
    EXPECT_EQ(twipsToPixels(std::numeric_limits<int>::max()), 143165576);
    EXPECT_EQ(twipsToPixels(std::numeric_limits<int>::min()), -143165577);
    EXPECT_EQ(pixelsToTwips(88), 1320);
    EXPECT_DOUBLE_EQ(twipsPerPixelForDpi(96.0), 15.0);
    EXPECT_DOUBLE_EQ(twipsPerPixelForDpi(120.0), 12.0);
}

TEST(Twips, WidgetsPlacedAndReadInTwips)
{
    QWidget parent;
    auto *w = new QWidget(&parent);
    placeTwips(w, 240, 840, 1395, 360);
    EXPECT_EQ(w->geometry(), QRect(16, 56, 93, 24));
    EXPECT_EQ(leftTwips(w), 240);
    EXPECT_EQ(topTwips(w), 840);
    EXPECT_EQ(widthTwips(w), 1395);
    EXPECT_EQ(heightTwips(w), 360);
    setTopTwips(w, 1200);
    setLeftTwips(w, 300);
    setWidthTwips(w, 1500);
    setHeightTwips(w, 450);
    EXPECT_EQ(w->geometry(), QRect(20, 80, 100, 30));
    moveTwips(w, 0, 0);
    resizeTwips(w, 375, 360);
    EXPECT_EQ(w->geometry(), QRect(0, 0, 25, 24));
    EXPECT_EQ(pixelRectToTwips(w->geometry()), QRect(0, 0, 375, 360));
}

TEST(OleColour, RgbAndBack)
{
    EXPECT_EQ(rgb(0, 64, 128), 0x804000u);
    EXPECT_EQ(fromOleColour(rgb(38, 180, 223)), QColor(38, 180, 223));
    EXPECT_EQ(toOleColour(QColor(255, 200, 0)), rgb(255, 200, 0));
    // A system colour comes from the palette.
    EXPECT_EQ(fromOleColour(0x8000000Fu), QApplication::palette().color(QPalette::Button));
}
