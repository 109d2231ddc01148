#include "tests/client/admin/AdminTestSupport.h"

#include "client/admin/frmUsers.h"

#include <QCheckBox>

namespace zorbel::test {
namespace {

using admin::frmUsers;

class UsersWindowTest : public AdminWindowTest {
protected:
    void SetUp() override {
        AdminWindowTest::SetUp();
        ann = addContact(QStringLiteral("Ann"), QStringLiteral("Archer"));
    }
    frmUsers* openUsers() { return open<frmUsers>(QStringLiteral("frmUsers")); }
    static QCheckBox* administrator(QWidget* w) { return child<QCheckBox>(w, "chkAdministrator"); }
    bool logsOn(const QString& name, const QString& password) { return zorbel().UserLogOn(name, password) != nullptr; }
    qint32 ann = 0;
};

// Every text a window holds where a user could read it: boxes and grid cells,
// hidden columns included.
QStringList visibleTexts(QWidget* w) {
    QStringList texts;
    for (auto* box : w->findChildren<QLineEdit*>())
        texts << box->text();
    for (auto* g : w->findChildren<ui::FlexGrid*>())
        for (int r = 0; r < g->Rows(); ++r)
            for (int c = 0; c < g->Cols(); ++c)
                texts << g->TextMatrix(r, c);
    return texts;
}

TEST_F(UsersWindowTest, NoPasswordOrHashIsEverShownAndAnEmptyBoxKeepsTheStoredOne) {
    app().g_currentMultiUserID =
        addAccount(QStringLiteral("admin"), ann, 1, QStringLiteral("Ann Archer"), QStringLiteral("Secret1"));
    auto* w = openUsers();
    const auto nothingShown = [&](const char* step) {
        for (const QString& t : visibleTexts(w))
            for (const char* secret : {"Secret1", "NewPass9", "BobPass7", "$argon"})
                EXPECT_FALSE(t.contains(QLatin1String(secret))) << step << ": " << qPrintable(t);
    };
    nothingShown("opened");
    click(w, "btnEdit");
    type(w, "txtPassword", QStringLiteral("NewPass9"));
    EXPECT_FALSE(child<QLineEdit>(w, "txtPassword")->displayText().contains(QLatin1String("NewPass9")));
    click(w, "btnOK");
    nothingShown("edited");
    click(w, "btnAdd");
    type(w, "txtUserName", QStringLiteral("bob"));
    type(w, "txtPassword", QStringLiteral("BobPass7"));
    click(w, "btnOK");
    click(w, "btnRefresh");
    nothingShown("added");
    EXPECT_TRUE(boxes.empty());

    // Bob, added, stays the account shown: two Edits without a click both change his.
    click(w, "btnEdit"); // the box starts empty: saving keeps the password
    EXPECT_EQ(text(w, "txtPassword"), QString());
    click(w, "btnOK");
    EXPECT_TRUE(logsOn(QStringLiteral("bob"), QStringLiteral("BobPass7")));
    click(w, "btnEdit");
    type(w, "txtPassword", QStringLiteral("BobPass8"));
    click(w, "btnOK");
    EXPECT_TRUE(logsOn(QStringLiteral("admin"), QStringLiteral("NewPass9")));
    EXPECT_FALSE(logsOn(QStringLiteral("admin"), QStringLiteral("Secret1")));
    EXPECT_TRUE(logsOn(QStringLiteral("bob"), QStringLiteral("BobPass8")));
}

TEST_F(UsersWindowTest, RefusedSavesAndDeletesChangeNothing) {
    const qint32 admin = addAccount(QStringLiteral("admin"), ann, 1);
    const qint32 oneil = addAccount(QStringLiteral("O'Neil"), ann); // stored as ONeil
    const qint32 nobody = addAccount(QStringLiteral("nobody"), 0);
    struct Case {
        const char* what;
        qint32 row;        // account picked first; 0 for Add
        int mode;
        QString name;      // typed user name; null keeps the shown one
        QString password;
        bool untick;
        qint32 loggedIn;
        QString refusal;
    };
    const QString lastAdmin = QStringLiteral("At least one User must remain an Administrator");
    const QString altered = QStringLiteral("A User Name cannot hold an apostrophe or be longer than 50 characters");
    const Case cases[] = {
        {"empty name", 0, shell::kAdd, QStringLiteral("'"), QStringLiteral("x"), false, admin,
         QStringLiteral("Enter a User Name")},
        {"apostrophe in a new name", 0, shell::kAdd, QStringLiteral("o'neil"), QStringLiteral("x"), false, admin,
         altered},
        {"stored form taken", 0, shell::kAdd, QStringLiteral("ONeil"), QStringLiteral("x"), false, admin,
         QStringLiteral("The User Name ONeil is already in use - choose another")},
        {"another's name", admin, shell::kEdit, QStringLiteral("ONeil"), {}, false, admin,
         QStringLiteral("The User Name ONeil is already in use - choose another")},
        {"another's name with an apostrophe", admin, shell::kEdit, QStringLiteral("O'Neil"), {}, false, admin,
         altered},
        {"no password", 0, shell::kAdd, QStringLiteral("carol"), {}, false, admin,
         QStringLiteral("Enter a Password for the new User")},
        {"apostrophes, stored as no password", 0, shell::kAdd, QStringLiteral("carol"), QStringLiteral("''"), false,
         admin, QStringLiteral("Enter a Password for the new User")},
        {"new password stored as none", oneil, shell::kEdit, {}, QStringLiteral("'"), false, admin,
         QStringLiteral("A Password cannot be made of apostrophes only - choose another")},
        {"no contact", nobody, shell::kEdit, {}, {}, false, admin, QStringLiteral("Select a Contact for this User")},
        {"untick last administrator", admin, shell::kEdit, {}, {}, true, admin, lastAdmin},
        {"delete oneself, the last administrator", admin, shell::kDelete, {}, {}, false, admin,
         QStringLiteral("You cannot delete the User you are logged in as")},
    };
    auto* w = openUsers();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        app().g_currentMultiUserID = c.loggedIn;
        boxes.clear();
        if (c.row)
            pickRow(w, "FG1", shell::rowOfID(zorbel().GetUsers(), c.row) + 1);
        click(w, c.mode == shell::kAdd ? "btnAdd" : c.mode == shell::kEdit ? "btnEdit" : "btnDelete");
        if (!c.name.isNull())
            type(w, "txtUserName", c.name);
        if (!c.password.isNull())
            type(w, "txtPassword", c.password);
        if (c.untick)
            administrator(w)->setChecked(false);
        click(w, "btnOK");
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().prompt, c.refusal);
        EXPECT_EQ(w->mode(), c.mode == shell::kDelete ? shell::kBrowse : c.mode);
        if (shown(w, "btnCancel"))
            click(w, "btnCancel");
    }
    EXPECT_EQ(count(QStringLiteral("ZORBEL_MULTI_USER_TABLE")), 3);
    EXPECT_EQ(account(admin, "Administrator").toInt(), 1);
    EXPECT_EQ(account(admin, "UserName").toString(), QStringLiteral("admin"));

    // Any non-zero flag is an administrator: with a second one the first may go,
    // and an edit keeping its own name passes.
    db().execute({QStringLiteral("UPDATE ZORBEL_MULTI_USER_TABLE SET Administrator = 2 WHERE MultiUserID = ?"),
                  {QVariant(oneil)}});
    boxes.clear();
    click(w, "btnRefresh");
    pickRow(w, "FG1", 2);
    EXPECT_TRUE(administrator(w)->isChecked());
    pickRow(w, "FG1", 1);
    click(w, "btnEdit");
    administrator(w)->setChecked(false);
    click(w, "btnOK");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(account(admin, "Administrator").toInt(), 0);
}

TEST_F(UsersWindowTest, AddOffersTheFirstContactAndAnAccountKeepsAContactNoLongerListed) {
    const qint32 zed = insertContact(40000, QStringLiteral("Zed"), QStringLiteral("Zeta"));
    const qint32 ghost = addAccount(QStringLiteral("ghost"), 999, 1, QStringLiteral("Gone Person"));
    app().g_currentMultiUserID = ghost;
    auto* w = openUsers();
    EXPECT_EQ(text(w, "txtContact"), QStringLiteral("Gone Person"));
    click(w, "btnEdit");
    type(w, "txtUserName", QStringLiteral("ghost2"));
    click(w, "btnOK");
    EXPECT_EQ(account(ghost, "UserID").toInt(), 999);
    EXPECT_EQ(account(ghost, "FullName").toString(), QStringLiteral("Gone Person"));

    click(w, "btnAdd");
    EXPECT_EQ(text(w, "txtUserName"), QString());
    EXPECT_FALSE(administrator(w)->isChecked());
    EXPECT_EQ(text(w, "txtContact"), QStringLiteral("Ann Archer"));
    pick(w, "ComboContacts", 1);
    type(w, "txtUserName", QStringLiteral("zed"));
    type(w, "txtPassword", QStringLiteral("pw"));
    click(w, "btnOK");
    const qint32 id = lastID(QStringLiteral("ZORBEL_MULTI_USER_TABLE"), QStringLiteral("MultiUserID"));
    EXPECT_EQ(account(id, "UserID").toInt(), zed);
    EXPECT_EQ(account(id, "FullName").toString(), QStringLiteral("Zed Zeta"));
    EXPECT_EQ(account(id, "Administrator").toInt(), 0);
}

} // namespace
} // namespace zorbel::test
