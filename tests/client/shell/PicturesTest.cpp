// Pictures drawn in code: status lamps in the status light's colours, the
// navigation tree's icons, and a headless picture of the navigation window.

#include "client/shell/Pictures.h"
#include "client/shell/frmNavigate.h"
#include "platform/ui/ProgramEnd.h"
#include "platform/ui/Windows.h"
#include "tests/client/ClientTest.h"

#include <QDir>
#include <QImage>
#include <QTreeWidget>

#include <set>

namespace zorbel::test {
namespace {

class PicturesTest : public ClientTest {
protected:
    ui::ProgramEndRecorder ends;
};

TEST_F(PicturesTest, StatusPicturesShowTheStatusLightColours) {
    const QRgb colours[] = {qRgb(255, 255, 255), qRgb(0, 0, 0),     qRgb(0, 255, 0), qRgb(192, 192, 192),
                            qRgb(38, 180, 223),  qRgb(255, 200, 0), qRgb(255, 0, 0)};
    for (int status = 0; status <= 6; ++status) {
        SCOPED_TRACE(status);
        const QImage image = shell::statusPicture(status).toImage();
        ASSERT_EQ(image.size(), QSize(16, 16));
        // Below the highlight, inside the rim.
        EXPECT_EQ(image.pixel(8, 11) & 0xFFFFFF, colours[status] & 0xFFFFFF);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0); // round: the corners are clear
    }
    EXPECT_TRUE(shell::statusPicture(-1).isNull());
    EXPECT_TRUE(shell::statusPicture(7).isNull());
}

TEST_F(PicturesTest, EveryTreeImageKeyHasItsOwnIcon) {
    const char* keys[] = {"Admin",         "Define",     "Measure",  "Analyse",   "Implement",
                          "ProjectLevel",  "DeliverableLevel", "TaskLevel", "ActionLevel", "ProgressLevel",
                          "AdminLevel",    "Excel",      "Viewer",   "Risk",      "Documents"};
    std::set<QByteArray> distinct;
    for (const char* key : keys) {
        const QPixmap icon = shell::treeIcon(QLatin1String(key));
        ASSERT_FALSE(icon.isNull()) << key;
        const QImage image = icon.toImage().convertToFormat(QImage::Format_ARGB32);
        distinct.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(distinct.size(), std::size(keys));
    EXPECT_TRUE(shell::treeIcon(QStringLiteral("NoSuchImage")).isNull());
}

// The README's picture of the navigation window. Set ZORBEL_SCREENSHOT_DIR
// to write it (docs/ of the source tree holds the committed one).
TEST_F(PicturesTest, NavigationWindowPicture) {
    app().g_navTool = -1;
    ASSERT_TRUE(ui::showWindow(QStringLiteral("frmNavigate")));
    auto* nav = ui::windowAs<shell::frmNavigate>(QStringLiteral("frmNavigate"));
    for (const char* key : {"mea", "meapro", "imp", "imppro"})
        nav->node(QLatin1String(key))->setExpanded(true);
    nav->findChild<QTreeWidget*>(QStringLiteral("TV1"))->setCurrentItem(nav->node(QStringLiteral("meapro")));

    const QPixmap picture = nav->grab();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), nav->size() * picture.devicePixelRatio());
    const QString dir = qEnvironmentVariable("ZORBEL_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(picture.save(QDir(dir).filePath(QStringLiteral("navigation.png"))));
    }
}

} // namespace
} // namespace zorbel::test
