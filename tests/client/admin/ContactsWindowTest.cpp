#include "tests/client/admin/AdminTestSupport.h"

#include "client/admin/frmContacts.h"
#include "client/admin/frmUsers.h"

namespace zorbel::test {
namespace {

using admin::frmContacts;
using admin::frmUsers;

class ContactsWindowTest : public AdminWindowTest {
protected:
    frmContacts* openContacts() { return open<frmContacts>(QStringLiteral("frmContacts")); }
    QVariant contact(qint32 id, const char* column) {
        return stored(QStringLiteral("ZORBEL_USER_TABLE"), QString::fromLatin1(column), QStringLiteral("UserID"), id);
    }
};

TEST_F(ContactsWindowTest, AddEditAndDeleteActOnTheContactShown) {
    const qint32 ann = addContact(QStringLiteral("Ann"), QStringLiteral("Archer"));
    const qint32 zed = insertContact(40000, QStringLiteral("Zed"), QStringLiteral("Zeta"));
    auto* w = openContacts();
    auto* g = grid(w, "FG1");
    ASSERT_EQ(g->Rows(), 3);
    EXPECT_EQ(g->TextMatrix(1, 1) + g->TextMatrix(1, 2), QStringLiteral("AnnArcher")); // first name first
    EXPECT_EQ(w->contactID(), ann);

    pickRow(w, "FG1", 2);
    EXPECT_EQ(w->contactID(), zed);
    EXPECT_EQ(text(w, "txtSelectedOwner"), QStringLiteral("Zed Zeta"));
    click(w, "btnEdit");
    type(w, "txtTitle", QStringLiteral("Dr"));
    click(w, "btnOK");
    // A second Edit without a click changes the same contact, as do Cancel and Refresh between.
    click(w, "btnEdit");
    click(w, "btnCancel");
    click(w, "btnRefresh");
    click(w, "btnEdit");
    type(w, "txtMobile", QStringLiteral("0700"));
    click(w, "btnOK");
    EXPECT_EQ(contact(zed, "Title").toString(), QStringLiteral("Dr"));
    EXPECT_EQ(contact(zed, "Mobile").toString(), QStringLiteral("0700"));
    EXPECT_EQ(contact(ann, "Title").toString(), QString());
    EXPECT_EQ(contact(ann, "Mobile").toString(), QString());

    click(w, "btnAdd");
    EXPECT_EQ(text(w, "txtFirstName"), QString());
    type(w, "txtFirstName", QStringLiteral("Bea"));
    type(w, "txtLastName", QStringLiteral("Baker"));
    click(w, "btnOK");
    EXPECT_TRUE(boxes.empty());
    ASSERT_EQ(g->Rows(), 4);
    EXPECT_EQ(g->TextMatrix(2, 2), QStringLiteral("Baker"));
    const qint32 bea = db().query({QStringLiteral("SELECT UserID FROM ZORBEL_USER_TABLE WHERE SurName = 'Baker'"), {}})
                           ->Fields(0)
                           .toInt();
    EXPECT_EQ(w->contactID(), bea); // the new contact is the one shown
    EXPECT_EQ(text(w, "txtFirstName"), QStringLiteral("Bea"));

    // What is typed in delete mode is not sent; No deletes nothing.
    pickRow(w, "FG1", 3);
    for (int answer : {ui::vbNo, ui::vbYes}) {
        click(w, "btnDelete");
        type(w, "txtFirstName", QStringLiteral("typed"));
        boxes.script(answer);
        click(w, "btnOK");
        ASSERT_FALSE(boxes.empty()) << "answer " << answer;
        EXPECT_EQ(boxes.last().prompt, QStringLiteral("Are you sure you want to delete Zed Zeta"));
        EXPECT_EQ(w->mode(), shell::kBrowse);
        EXPECT_FALSE(shown(w, "btnOK"));
        EXPECT_EQ(contact(zed, "FirstName"), answer == ui::vbNo ? QVariant(QStringLiteral("Zed")) : QVariant());
    }
    EXPECT_EQ(w->contactID(), bea); // the last row stands in the place of the last row deleted
    EXPECT_EQ(count(QStringLiteral("ZORBEL_USER_TABLE")), 2);
}

TEST_F(ContactsWindowTest, AnEmptyListLeavesNothingSelectedToEditOrDelete) {
    addContact(QStringLiteral("Ann"), QStringLiteral("Archer"));
    auto* w = openContacts();
    click(w, "btnDelete");
    click(w, "btnOK");
    EXPECT_EQ(grid(w, "FG1")->Rows(), 1);
    EXPECT_EQ(w->contactID(), 0);
    EXPECT_EQ(text(w, "txtFirstName"), QString());
    EXPECT_EQ(text(w, "txtSelectedOwner"), QString());
    EXPECT_FALSE(shown(w, "btnEdit"));
    EXPECT_FALSE(shown(w, "btnDelete"));
    EXPECT_TRUE(shown(w, "btnRefresh"));
}

TEST_F(ContactsWindowTest, OpenedFromNextStepBesideTheAccountsEachWindowSavesItsOwnRecord) {
    const qint32 ann = addContact(QStringLiteral("Ann"), QStringLiteral("Archer"));
    const qint32 bob = addContact(QStringLiteral("Bob"), QStringLiteral("Cole"));
    app().g_currentMultiUserID = addAccount(QStringLiteral("admin"), ann, 1); // adds accounts
    auto* contacts = openContacts(); // from the tree
    auto* users = open<frmUsers>(QStringLiteral("frmUsers"));

    // The accounts window's Add must not turn the contacts window's Edit into an add,
    // and the Next Step dialog brings up the same contacts window, still editing.
    pickRow(contacts, "FG1", 2);
    click(contacts, "btnEdit");
    click(users, "btnAdd");
    ASSERT_TRUE(ui::showWindow(QStringLiteral("frmNextStep")));
    click(ui::window(QStringLiteral("frmNextStep")), "btnContacts");
    EXPECT_EQ(ui::window(QStringLiteral("frmContacts")), contacts);
    EXPECT_EQ(contacts->mode(), shell::kEdit);
    type(contacts, "txtTitle", QStringLiteral("Boss"));
    click(contacts, "btnOK");
    EXPECT_EQ(count(QStringLiteral("ZORBEL_USER_TABLE")), 2);
    EXPECT_EQ(stored(QStringLiteral("ZORBEL_USER_TABLE"), QStringLiteral("Title"), QStringLiteral("UserID"), bob),
              QVariant(QStringLiteral("Boss")));

    // A contact sorted first reloads the shared list; the accounts window still
    // picks from the list it shows.
    click(contacts, "btnAdd");
    type(contacts, "txtFirstName", QStringLiteral("Aaron"));
    type(contacts, "txtLastName", QStringLiteral("Aardvark"));
    click(contacts, "btnOK");
    EXPECT_EQ(users->mode(), shell::kAdd);
    pick(users, "ComboContacts", 1);
    type(users, "txtUserName", QStringLiteral("bob"));
    type(users, "txtPassword", QStringLiteral("pw"));
    click(users, "btnOK");
    EXPECT_TRUE(boxes.empty());
    const qint32 id = lastID(QStringLiteral("ZORBEL_MULTI_USER_TABLE"), QStringLiteral("MultiUserID"));
    EXPECT_EQ(account(id, "UserID").toInt(), bob);
    EXPECT_EQ(account(id, "FullName").toString(), QStringLiteral("Bob Cole"));
}

} // namespace
} // namespace zorbel::test
