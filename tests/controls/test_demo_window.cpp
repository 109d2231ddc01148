// A small window placing both controls as the program's editors do.
#include "DemoWindow.h"

#include "controls/Twips.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace zorbel::controls;

namespace {

void click(QWidget *w, QPoint pos = QPoint(44, 12))
{
    QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, {}, w->mapTo(w->window(), pos));
}

} // namespace

TEST(DemoWindow, ButtonsRunCommandsOnlyWhenUsable)
{
    DemoWindow win;
    win.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&win));
    // Placed in twips, read back in twips to the pixel they came to.
    const TwipScale twips = TwipScale::of(&win);
    EXPECT_NEAR(leftTwips(win.btnEdit), 1800, 0.5 / twips.pixelsPerTwipX());
    EXPECT_NEAR(topTwips(win.btnEdit), 840, 0.5 / twips.pixelsPerTwipY());

    win.applyRights(3); // Edit only
    EXPECT_EQ(win.btnAdd->Status(), 2);
    EXPECT_EQ(win.btnEdit->Status(), 0);
    EXPECT_EQ(win.btnDelete->Status(), 2);

    click(win.btnAdd);
    click(win.btnDelete);
    EXPECT_TRUE(win.log.isEmpty());
    EXPECT_EQ(win.editMode, 1);

    click(win.btnEdit);
    EXPECT_EQ(win.log, QStringList{"Edit"});
    EXPECT_EQ(win.editMode, 2);
    EXPECT_TRUE(win.btnOK->isVisible());
    EXPECT_FALSE(win.btnEdit->isVisible());

    click(win.btnCancel);
    EXPECT_EQ(win.log, (QStringList{"Edit", "Cancel"}));
    EXPECT_EQ(win.editMode, 1);

    win.applyRights(4);
    click(win.btnAdd);
    click(win.btnOK);
    EXPECT_EQ(win.log, (QStringList{"Edit", "Cancel", "Add", "OK"}));

    win.LEDStatus->setStatus(5);
    click(win.LEDStatus, QPoint(16, 12));
    EXPECT_EQ(win.log.last(), "LED");

    // The lamp's centre on the window's picture shows the status colour.
    const QImage img = win.grab().toImage();
    const QPoint c = win.LEDStatus->geometry().center();
    EXPECT_EQ(QColor(img.pixel(c)), QColor(255, 200, 0));
}

TEST(DemoWindow, ControlsSaveAndLoadThroughPropertyBags)
{
    DemoWindow win;
    win.applyRights(3);
    win.LEDStatus->setStatus(6);
    const auto bags = win.saveControls();
    // Captions differ from the names; greyed buttons keep their status.
    EXPECT_EQ(bags.value("btnAdd").ReadProperty("ButtonCaption").toString(), "Add");
    EXPECT_EQ(bags.value("btnAdd").ReadProperty("ButtonStatus").toInt(), 2);
    EXPECT_FALSE(bags.value("btnEdit").Contains("ButtonStatus"));
    EXPECT_EQ(bags.value("LEDStatus").ReadProperty("LEDStatus").toInt(), 6);

    DemoWindow other;
    other.loadControls(bags);
    EXPECT_EQ(other.btnAdd->Caption(), "Add");
    EXPECT_EQ(other.btnAdd->Status(), 2);
    EXPECT_EQ(other.btnEdit->Status(), 0);
    EXPECT_EQ(other.btnRefresh->Caption(), "Refresh");
    EXPECT_EQ(other.LEDStatus->Status(), 6);
    EXPECT_EQ(other.LEDStatus->LEDColour(), QColor(255, 0, 0));
}
