// Log-in accounts: stored passwords are hashes that no list gives back.

#include "business/PasswordHash.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace zorbel;
using zorbel::test::TestDatabase;

namespace {

QString storedPassword(TestDatabase& db, qint32 id) {
    return db.select(QStringLiteral("SELECT Password FROM ZORBEL_MULTI_USER_TABLE WHERE MultiUserID = ?"), {id})
        ->Fields(0)
        .toString();
}

qint32 lastAccount(TestDatabase& db) {
    return db.select(QStringLiteral("SELECT MAX(MultiUserID) FROM ZORBEL_MULTI_USER_TABLE"))->Fields(0).toInt();
}

} // namespace

TEST(Accounts, ListedWithAnEmptyPasswordInTheOrderTheyWereAdded) {
    TestDatabase db;
    ZorbelClass& z = db.zorbel();
    EXPECT_EQ(z.AddUser(7, QStringLiteral("zoe"), QStringLiteral("pw1"), QStringLiteral("Zoe Z"), 1), 1);
    EXPECT_EQ(z.AddUser(8, QStringLiteral("al"), QStringLiteral("pw2"), QStringLiteral("Al A"), 0), 1);
    // the same name twice is allowed
    EXPECT_EQ(z.AddUser(8, QStringLiteral("al"), QStringLiteral("pw3"), QStringLiteral("Al A"), 0), 1);

    auto all = z.GetUsers(0, 12345); // the id is ignored without a mode
    ASSERT_NE(all, nullptr);
    ASSERT_EQ(all->RecordCount(), 3);
    const QStringList columns = {"multiuserid", "userid", "username", "password",
                                 "fullname",    "administrator", "projectcreator"};
    for (int i = 0; i < columns.size(); ++i)
        EXPECT_EQ(all->FieldName(i).toLower(), columns[i]);
    qint32 previous = 0;
    for (all->MoveFirst(); !all->Eof(); all->MoveNext()) {
        EXPECT_GT(all->Fields(0).toInt(), previous);
        previous = all->Fields(0).toInt();
        EXPECT_EQ(all->Fields(QStringLiteral("Password")).toString(), QString());
        EXPECT_EQ(all->Fields(QStringLiteral("ProjectCreator")).toInt(), 0);
        EXPECT_TRUE(password::isHash(storedPassword(db, previous)));
    }
    all->MoveFirst();
    EXPECT_EQ(all->Fields(QStringLiteral("UserName")).toString(), QStringLiteral("zoe"));
    EXPECT_EQ(all->Fields(QStringLiteral("Administrator")).toInt(), 1);

    auto one = z.GetUsers(1, previous);
    ASSERT_EQ(one->RecordCount(), 1);
    EXPECT_EQ(one->Fields(QStringLiteral("Password")).toString(), QString());
    EXPECT_EQ(z.GetUsers(1, 999)->RecordCount(), 0);
    EXPECT_TRUE(db.messages().empty());
}

TEST(Accounts, UpdateKeepsOrReplacesThePassword) {
    TestDatabase db;
    ZorbelClass& z = db.zorbel();
    ASSERT_EQ(z.AddUser(7, QStringLiteral("jo"), QStringLiteral("first"), QStringLiteral("Jo"), 0), 1);
    const qint32 id = lastAccount(db);
    db.exec(QStringLiteral("UPDATE ZORBEL_MULTI_USER_TABLE SET ProjectCreator = 1"));

    // an empty password keeps the stored one; the other columns change
    EXPECT_EQ(z.UpdateUser(id, 9, QStringLiteral("joe"), QString(), QStringLiteral("Joe B"), 1), 1);
    EXPECT_NE(z.UserLogOn(QStringLiteral("joe"), QStringLiteral("first")), nullptr);
    auto row = z.GetUsers(1, id);
    EXPECT_EQ(row->Fields(QStringLiteral("UserID")).toInt(), 9);
    EXPECT_EQ(row->Fields(QStringLiteral("FullName")).toString(), QStringLiteral("Joe B"));
    EXPECT_EQ(row->Fields(QStringLiteral("Administrator")).toInt(), 1);
    EXPECT_EQ(row->Fields(QStringLiteral("ProjectCreator")).toInt(), 1) << "never changed by an update";

    // a new password logs in as typed, apostrophe and all; the old one no longer does
    EXPECT_EQ(z.UpdateUser(id, 9, QStringLiteral("joe"), QStringLiteral("it's new"), QStringLiteral("Joe B"), 1), 1);
    EXPECT_TRUE(password::isHash(storedPassword(db, id)));
    EXPECT_NE(z.UserLogOn(QStringLiteral("joe"), QStringLiteral("it's new")), nullptr);
    EXPECT_EQ(z.UserLogOn(QStringLiteral("joe"), QStringLiteral("first")), nullptr);

    EXPECT_EQ(z.UpdateUser(id + 100, 9, QStringLiteral("x"), QString(), QString(), 0), 0) << "no such account";
    EXPECT_TRUE(db.messages().empty());
}

TEST(Accounts, NamesAreCleanedAndCutAndALongPasswordStillLogsIn) {
    TestDatabase db;
    ZorbelClass& z = db.zorbel();
    const QString longName = QStringLiteral("O'") + QString(60, u'n');
    ASSERT_EQ(z.AddUser(1, longName, QString(70, u'p'), longName, 0), 1);
    auto row = z.GetUsers(1, lastAccount(db));
    EXPECT_EQ(row->Fields(QStringLiteral("UserName")).toString(), QStringLiteral("O") + QString(49, u'n'));
    EXPECT_EQ(row->Fields(QStringLiteral("FullName")).toString(), QStringLiteral("O") + QString(49, u'n'));
    EXPECT_NE(z.UserLogOn(QStringLiteral("O") + QString(49, u'n'), QString(70, u'p')), nullptr);
}

TEST(Accounts, DeleteLeavesRightsRows) {
    TestDatabase db;
    ZorbelClass& z = db.zorbel();
    ASSERT_EQ(z.AddUser(1, QStringLiteral("a"), QStringLiteral("p"), QStringLiteral("A"), 0), 1);
    const qint32 id = lastAccount(db);
    ASSERT_EQ(z.AddUserAdmin(id, 3, QStringLiteral("P"), 4, 4, 4, 4, 4), 1);
    EXPECT_EQ(z.DeleteUser(id), 1);
    EXPECT_EQ(z.DeleteUser(id), 1) << "a missing id still reports done";
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_MULTI_USER_TABLE")), 0);
    EXPECT_EQ(z.GetUserAdmin(id)->RecordCount(), 1);
}
