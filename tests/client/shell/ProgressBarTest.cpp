// The navigation window's progress bar as loaders drive it.

#include "client/shell/Zorbel5Data.h"
#include "platform/ui/ProgramEnd.h"
#include "platform/ui/Windows.h"
#include "tests/client/ClientTest.h"

#include <QProgressBar>

namespace zorbel::test {
namespace {

class ProgressBarTest : public ClientTest {
protected:
    ui::ProgramEndRecorder ends; // closing the navigation window ends the program
};

TEST_F(ProgressBarTest, NothingHappensWithoutTheNavigationWindow) {
    ASSERT_FALSE(ui::isLoaded(QStringLiteral("frmNavigate")));
    shell::ProgressStart(5);
    shell::ProgressStep();
    shell::ProgressEnd();
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmNavigate")));
}

TEST_F(ProgressBarTest, StartStepEnd) {
    ASSERT_TRUE(ui::showWindow(QStringLiteral("frmNavigate")));
    auto* bar = ui::window(QStringLiteral("frmNavigate"))->findChild<QProgressBar*>(QStringLiteral("PB1"));
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isHidden());

    shell::ProgressStart(0); // an empty list shows nothing
    shell::ProgressStep();
    EXPECT_TRUE(bar->isHidden());

    shell::ProgressStart(3);
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(bar->maximum(), 3);
    EXPECT_EQ(bar->value(), 0);
    for (int i = 0; i < 5; ++i)
        shell::ProgressStep();
    EXPECT_EQ(bar->value(), 3); // stays at the maximum
    shell::ProgressEnd();
    EXPECT_TRUE(bar->isHidden());
}

} // namespace
} // namespace zorbel::test
