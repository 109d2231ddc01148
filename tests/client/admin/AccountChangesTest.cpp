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
        const qint32 ann = addContact(QStringLiteral("Ann"), QStringLiteral("Archer"));
        const qint32 bobContact = addContact(QStringLiteral("Bob"), QStringLiteral("Baker"));
        admin = addAccount(QStringLiteral("admin"), ann, 1, QStringLiteral("Ann Archer"), QStringLiteral("AdminPw"));
        bob = addAccount(QStringLiteral("bob"), bobContact, 0, QStringLiteral("Bob Baker"), QStringLiteral("BobPw"));
        addProject(QStringLiteral("Alpha"), ann, {}, {});
    }
    // The windows as the user at work opens them, afresh.
    QWidget* users() {
        ui::closeWindow(QStringLiteral("frmUsers"));
        return open<admin::frmUsers>(QStringLiteral("frmUsers"));
    }
    QWidget* rightsWindow() {
        ui::closeWindow(QStringLiteral("frmZorbelAdmin"));
        return open<admin::frmZorbelAdmin>(QStringLiteral("frmZorbelAdmin"));
    }
    bool logsOn(const QString& name, const QString& password) { return zorbel().UserLogOn(name, password) != nullptr; }
    static void tick(QWidget* w, bool on) { child<QCheckBox>(w, "chkAdministrator")->setChecked(on); }

    qint32 admin = 0;
    qint32 bob = 0;
    // Grid rows of the two accounts, in MultiUserID order.
    static constexpr int adminRow = 1;
    static constexpr int bobRow = 2;
};

TEST_F(AccountChangesTest, AnAdministratorChangesAnyAccountAndRightsAnyoneElseOnlyHisOwnPassword) {
    const QString otherUsers = QStringLiteral("Only an Administrator can change other Users");
    const struct {
        const char* what;
        bool asAdministrator;
        std::function<void()> clicks;
        QString refusal; // empty: the change is made
        std::function<bool()> stored;
    } cases[] = {
        // A plain user first, while the accounts are as set up.
        {"sets another's password", false,
         [&] {
             auto* w = users();
             pickRow(w, "FG1", adminRow);
             click(w, "btnEdit");
         },
         otherUsers, [&] { return logsOn(QStringLiteral("admin"), QStringLiteral("AdminPw")); }},
        {"picks another account while editing his own", false,
         [&] {
             auto* w = users();
             pickRow(w, "FG1", bobRow);
             click(w, "btnEdit");
             pickRow(w, "FG1", adminRow);
             type(w, "txtPassword", QStringLiteral("Taken1"));
             click(w, "btnOK");
         },
         otherUsers, [&] { return !logsOn(QStringLiteral("admin"), QStringLiteral("Taken1")); }},
        {"makes himself an administrator", false,
         [&] {
             auto* w = users();
             pickRow(w, "FG1", bobRow);
             click(w, "btnEdit");
             tick(w, true);
             click(w, "btnOK");
         },
         QStringLiteral("Only an Administrator can make a User an Administrator"),
         [&] { return account(bob, "Administrator").toInt() == 0; }},
        {"renames himself", false,
         [&] {
             auto* w = users();
             pickRow(w, "FG1", bobRow);
             click(w, "btnEdit");
             type(w, "txtUserName", QStringLiteral("robert"));
             click(w, "btnOK");
         },
         QStringLiteral("You can change only your own Password"),
         [&] { return account(bob, "UserName").toString() == QStringLiteral("bob"); }},
        {"adds an account", false, [&] { click(users(), "btnAdd"); },
         QStringLiteral("Only an Administrator can add Users"),
         [&] { return count(QStringLiteral("ZORBEL_MULTI_USER_TABLE")) == 2; }},
        {"deletes an account", false,
         [&] {
             auto* w = users();
             pickRow(w, "FG1", adminRow);
             click(w, "btnDelete");
         },
         QStringLiteral("Only an Administrator can delete Users"),
         [&] { return count(QStringLiteral("ZORBEL_MULTI_USER_TABLE")) == 2; }},
        {"gives himself rights", false,
         [&] {
             auto* w = rightsWindow();
             pickRow(w, "FG1", bobRow);
             click(w, "btnAdd");
         },
         QStringLiteral("Only an Administrator can change User Admin rights"),
         [&] { return count(QStringLiteral("ZORBEL_ADMIN_TABLE")) == 0; }},
        {"changes his own password", false,
         [&] {
             auto* w = users();
             pickRow(w, "FG1", bobRow);
             click(w, "btnEdit");
             type(w, "txtPassword", QStringLiteral("BobNew"));
             click(w, "btnOK");
         },
         {}, [&] { return logsOn(QStringLiteral("bob"), QStringLiteral("BobNew")); }},
        // The administrator.
        {"administrator sets another's password and flag", true,
         [&] {
             auto* w = users();
             pickRow(w, "FG1", bobRow);
             click(w, "btnEdit");
             type(w, "txtPassword", QStringLiteral("Reset1"));
             tick(w, true);
             click(w, "btnOK");
         },
         {},
         [&] {
             return logsOn(QStringLiteral("bob"), QStringLiteral("Reset1"))
                    && account(bob, "Administrator").toInt() == 1;
         }},
        {"administrator adds an account", true,
         [&] {
             auto* w = users();
             click(w, "btnAdd");
             type(w, "txtUserName", QStringLiteral("carol"));
             type(w, "txtPassword", QStringLiteral("pw"));
             click(w, "btnOK");
         },
         {}, [&] { return logsOn(QStringLiteral("carol"), QStringLiteral("pw")); }},
        {"administrator gives rights", true,
         [&] {
             auto* w = rightsWindow();
             pickRow(w, "FG1", adminRow);
             click(w, "btnAdd");
             pick(w, "ComboProjects", 0);
             pick(w, "ComboProjectAdmin", 3);
             click(w, "btnOK");
         },
         {}, [&] { return count(QStringLiteral("ZORBEL_ADMIN_TABLE"), QStringLiteral("ProjectAdminLevel = 4")) == 1; }},
        {"administrator deletes an account", true,
         [&] {
             auto* w = users();
             pickRow(w, "FG1", bobRow);
             click(w, "btnDelete");
             boxes.script(ui::vbYes);
             click(w, "btnOK");
         },
         {}, [&] { return count(QStringLiteral("ZORBEL_MULTI_USER_TABLE")) == 2; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        app().g_currentMultiUserID = c.asAdministrator ? admin : bob;
        app().g_userAdministrator = c.asAdministrator ? 1 : 0;
        boxes.clear();
        c.clicks();
        if (c.refusal.isEmpty()) {
            for (const auto& box : boxes.boxes())
                EXPECT_NE(box.title, QStringLiteral("Operation Cancelled")) << box.prompt.toStdString();
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
