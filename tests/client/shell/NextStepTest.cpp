// "Next Step": the wizard's last word leads on to contacts or teams.

#include "client/shell/frmNextStep.h"
#include "controls/ctrlButton.h"
#include "platform/ui/Windows.h"
#include "tests/client/ClientTest.h"

#include <QPlainTextEdit>
#include <QTest>

namespace zorbel::test {
namespace {

class NextStepTest : public ClientTest {
protected:
    void SetUp() override {
        ClientTest::SetUp();
        // The administration windows may not be part of this build; stand-ins
        // are enough to see which one opens.
        for (const QString& name : {QStringLiteral("frmContacts"), QStringLiteral("frmTeams")}) {
            if (!ui::isRegistered(name)) {
                ui::registerWindow(name, [] { return std::make_unique<QWidget>(); });
                standIns << name;
            }
        }
        ASSERT_TRUE(ui::showWindow(QStringLiteral("frmNextStep")));
        dialog = ui::window(QStringLiteral("frmNextStep"));
    }
    void TearDown() override {
        ClientTest::TearDown();
        for (const QString& name : standIns)
            ui::unregisterWindow(name);
    }
    void press(const char* button) {
        auto* b = dialog->findChild<controls::ctrlButton*>(QString::fromLatin1(button));
        ASSERT_NE(b, nullptr);
        QTest::mouseClick(b, Qt::LeftButton);
    }

    QStringList standIns;
    QWidget* dialog = nullptr;
};

TEST_F(NextStepTest, TellsWhatIsLeftToDo) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Next Step"));
    auto* text = dialog->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->toPlainText(),
              QStringLiteral("To complete the Project Creation Process, the Project needs to have a Team.\n\n"
                             "To build a Team from exisitng Contacts, click on Team\n\n"
                             "or to add new contacts, click on Contacts\n"));
    EXPECT_EQ(dialog->findChild<controls::ctrlButton*>(QStringLiteral("btnContacts"))->Caption(),
              QStringLiteral("Contacts"));
    EXPECT_EQ(dialog->findChild<controls::ctrlButton*>(QStringLiteral("btnTeams"))->Caption(), QStringLiteral("Team"));
}

TEST_F(NextStepTest, TeamOpensTheTeamsWindowAndCloses) {
    press("btnTeams");
    EXPECT_TRUE(ui::isLoaded(QStringLiteral("frmTeams")));
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmContacts")));
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmNextStep")));
}

TEST_F(NextStepTest, ContactsOpensTheContactsWindowAndCloses) {
    press("btnContacts");
    EXPECT_TRUE(ui::isLoaded(QStringLiteral("frmContacts")));
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmTeams")));
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmNextStep")));
}

TEST_F(NextStepTest, ANonAdministratorIsRefusedWhileTheTreeHidesTheAdminItemsFromHim) {
    app().g_cfgProjectAdmin = 1;
    for (const char* button : {"btnContacts", "btnTeams"}) {
        press(button);
        ASSERT_FALSE(boxes.empty()) << button;
        EXPECT_EQ(boxes.last().title, QStringLiteral("Operation Cancelled")) << button;
    }
    EXPECT_EQ(boxes.count(), 2);
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmContacts")));
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmTeams")));
    app().g_userAdministrator = 1;
    press("btnTeams");
    EXPECT_TRUE(ui::isLoaded(QStringLiteral("frmTeams")));
}

TEST_F(NextStepTest, ClosingOpensNothing) {
    EXPECT_TRUE(ui::closeWindow(QStringLiteral("frmNextStep")));
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmContacts")));
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmTeams")));
}

} // namespace
} // namespace zorbel::test
