// Who may change the log-in accounts and the rights: an administrator
// anything, anyone else his own password, whatever the configuration lets
// him open.

#include "tests/client/admin/AdminTestSupport.h"

#include "client/admin/frmUsers.h"
#include "client/admin/frmZorbelAdmin.h"

#include <QCheckBox>

#include <functional>

namespace zorbel::test {
namespace {

class AccountChangesTest : public AdminWindowTest {
protected:
    void SetUp() override {
        AdminWindowTest::SetUp();
        admin = addAccount(QStringLiteral("admin"), addContact(QStringLiteral("Ann"), QStringLiteral("Archer")), 1,
                           QStringLiteral("Ann Archer"), QStringLiteral("AdminPw"));
        bob = addAccount(QStringLiteral("bob"), addContact(QStringLiteral("Bob"), QStringLiteral("Baker")), 0,
                         QStringLiteral("Bob Baker"), QStringLiteral("BobPw"));
        addProject(QStringLiteral("Alpha"), 1, {}, {});
    }
    // Opened afresh, as the user at work opens it.
    QWidget* reopen(const char* name) {
        ui::closeWindow(QString::fromLatin1(name));
        EXPECT_TRUE(ui::showWindow(QString::fromLatin1(name)));
        return ui::window(QString::fromLatin1(name));
    }
    bool logsOn(const char* name, const char* password) {
        return zorbel().UserLogOn(QString::fromLatin1(name), QString::fromLatin1(password)) != nullptr;
    }
    qint32 admin = 0, bob = 0;
};

TEST_F(AccountChangesTest, AnAdministratorChangesAnyAccountAndRightsAnyoneElseOnlyHisOwnPassword) {
    enum { adminRow = 1, bobRow = 2 }; // grid rows, in MultiUserID order
    const struct {
        const char* what;
        bool byAdministrator;
        const char* window;
        int row;             // picked first
        const char* button;  // Add, Edit or Delete
        int rowBeforeOK;     // picked again before OK; 0 none
        const char* name;    // typed; null keeps the shown one
        const char* password;
        bool tick;
        QString refusal;     // empty: the change is made
        std::function<bool()> stored;
    } cases[] = {
        {"another's password", false, "frmUsers", adminRow, "btnEdit", 0, nullptr, "Taken1", false,
         "Only an Administrator can change other Users", [&] { return logsOn("admin", "AdminPw"); }},
        {"another picked while editing his own", false, "frmUsers", bobRow, "btnEdit", adminRow, nullptr, "Taken1",
         false, "Only an Administrator can change other Users", [&] { return logsOn("admin", "AdminPw"); }},
        {"himself an administrator", false, "frmUsers", bobRow, "btnEdit", 0, nullptr, nullptr, true,
         "Only an Administrator can make a User an Administrator",
         [&] { return account(bob, "Administrator").toInt() == 0; }},
        {"his own name", false, "frmUsers", bobRow, "btnEdit", 0, "robert", nullptr, false,
         "You can change only your own Password", [&] { return logsOn("bob", "BobPw"); }},
        {"an account added", false, "frmUsers", bobRow, "btnAdd", 0, "carol", "pw", false,
         "Only an Administrator can add Users", [&] { return !logsOn("carol", "pw"); }},
        {"an account deleted", false, "frmUsers", adminRow, "btnDelete", 0, nullptr, nullptr, false,
         "Only an Administrator can delete Users", [&] { return logsOn("admin", "AdminPw"); }},
        {"rights given", false, "frmZorbelAdmin", bobRow, "btnAdd", 0, nullptr, nullptr, false,
         "Only an Administrator can change User Admin rights",
         [&] { return count(QStringLiteral("ZORBEL_ADMIN_TABLE")) == 0; }},
        {"his own password", false, "frmUsers", bobRow, "btnEdit", 0, nullptr, "BobNew", false, {},
         [&] { return logsOn("bob", "BobNew"); }},
        {"administrator: another's password and flag", true, "frmUsers", bobRow, "btnEdit", 0, nullptr, "Reset1",
         true, {}, [&] { return logsOn("bob", "Reset1") && account(bob, "Administrator").toInt() == 1; }},
        {"administrator: an account added", true, "frmUsers", bobRow, "btnAdd", 0, "carol", "pw", false, {},
         [&] { return logsOn("carol", "pw"); }},
        {"administrator: rights given", true, "frmZorbelAdmin", bobRow, "btnAdd", 0, nullptr, nullptr, false, {},
         [&] { return count(QStringLiteral("ZORBEL_ADMIN_TABLE")) == 1; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        app().g_currentMultiUserID = c.byAdministrator ? admin : bob;
        app().g_userAdministrator = c.byAdministrator ? 1 : 0;
        boxes.clear();
        QWidget* w = reopen(c.window);
        pickRow(w, "FG1", c.row);
        click(w, c.button);
        if (shown(w, "btnOK")) { // not refused at once: what a user could still change
            if (c.rowBeforeOK)
                pickRow(w, "FG1", c.rowBeforeOK);
            if (QLatin1String(c.window) == QLatin1String("frmZorbelAdmin"))
                pick(w, "ComboProjects", 0);
            else if (c.tick)
                child<QCheckBox>(w, "chkAdministrator")->setChecked(true);
            if (c.name)
                type(w, "txtUserName", QString::fromLatin1(c.name));
            if (c.password)
                type(w, "txtPassword", QString::fromLatin1(c.password));
            click(w, "btnOK");
        }
        if (c.refusal.isEmpty()) {
            EXPECT_TRUE(boxes.empty()) << boxes.prompts().front().toStdString();
        } else {
            ASSERT_EQ(boxes.count(), 1);
            EXPECT_EQ(boxes.last().prompt, c.refusal);
            EXPECT_EQ(boxes.last().title, QStringLiteral("Operation Cancelled"));
            EXPECT_EQ(boxes.last().icon(), ui::vbExclamation);
        }
        EXPECT_TRUE(c.stored());
    }
}

} // namespace
} // namespace zorbel::test
