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

TEST_F(NextStepTest, OpensTheAdminWindowsOnlyForAUserTheTreeShowsThemTo) {
    const struct {
        qint16 ownerRule, projectRights, administrator;
        bool opens;
    } cases[] = {
        {0, 0, 0, true}, {1, 0, 0, false}, {0, 1, 0, false}, {1, 1, 1, true}, {0, 1, 1, true},
    };
    for (const auto& c : cases) {
        for (const char* button : {"btnContacts", "btnTeams"}) {
            SCOPED_TRACE(testing::Message() << button << " " << c.ownerRule << c.projectRights << c.administrator);
            app().g_cfgOwnerAdmin = c.ownerRule;
            app().g_cfgProjectAdmin = c.projectRights;
            app().g_userAdministrator = c.administrator;
            ui::closeWindow(QStringLiteral("frmContacts"));
            ui::closeWindow(QStringLiteral("frmTeams"));
            ASSERT_TRUE(ui::showWindow(QStringLiteral("frmNextStep")));
            dialog = ui::window(QStringLiteral("frmNextStep"));
            boxes.clear();
            press(button);
            const QString window = QLatin1String(button) == QLatin1String("btnTeams") ? QStringLiteral("frmTeams")
                                                                                      : QStringLiteral("frmContacts");
            EXPECT_EQ(ui::isLoaded(window), c.opens);
            EXPECT_EQ(ui::isLoaded(QStringLiteral("frmNextStep")), !c.opens);
            EXPECT_EQ(boxes.count(), c.opens ? 0 : 1);
            if (!c.opens)
                EXPECT_EQ(boxes.last().title, QStringLiteral("Operation Cancelled"));
        }
    }
}

TEST_F(NextStepTest, ClosingOpensNothing) {
    EXPECT_TRUE(ui::closeWindow(QStringLiteral("frmNextStep")));
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmContacts")));
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmTeams")));
}

} // namespace
} // namespace zorbel::test
