// Per-project rights rows, and the project list they open to an account.

#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace zorbel;
using zorbel::test::TestDatabase;

namespace {

qint32 addProject(TestDatabase& db, const QString& name, int state) {
    return db.connection().insert(
        {QStringLiteral("INSERT INTO ZORBEL_PROJECTS (Name, State, WBS) VALUES (?,?,1)"), {name, state}},
        QStringLiteral("ProjectID"));
}

QStringList projectNames(const RecordsetPtr& rs) {
    QStringList out;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        out << rs->Fields(QStringLiteral("Name")).toString();
    return out;
}

} // namespace

TEST(Rights, LevelNamesInOrder) {
    TestDatabase db;
    auto levels = db.zorbel().GetAdminLevels();
    ASSERT_EQ(levels->RecordCount(), 4);
    for (int level = 1; !levels->Eof(); levels->MoveNext(), ++level)
        EXPECT_EQ(levels->Fields(QStringLiteral("AdminLevelID")).toInt(), level);
}

TEST(Rights, RowsAddedTwiceUpdatedWholeAndDeleted) {
    TestDatabase db;
    ZorbelClass& z = db.zorbel();
    EXPECT_EQ(z.GetUserAdmin(70000)->RecordCount(), 0);
    const QString name = QStringLiteral("Bob's ") + QString(60, u'p');
    EXPECT_EQ(z.AddUserAdmin(70000, 80000, name, 4, 3, 2, 1, 0), 1);
    EXPECT_EQ(z.AddUserAdmin(70000, 80000, name, 2, 2, 2, 2, 2), 1) << "a second row for the same pair";
    EXPECT_EQ(z.AddUserAdmin(5, 80000, name, 2, 2, 2, 2, 2), 1);

    auto rows = z.GetUserAdmin(70000);
    ASSERT_EQ(rows->RecordCount(), 2);
    EXPECT_EQ(rows->FieldCount(), 9);
    EXPECT_EQ(rows->Fields(QStringLiteral("ProjectName")).toString(), QStringLiteral("Bobs ") + QString(45, u'p'));
    EXPECT_EQ(rows->Fields(QStringLiteral("ProjectID")).toInt(), 80000);
    const int expected[] = {4, 3, 2, 1, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(rows->Fields(4 + i).toInt(), expected[i]);
    const qint32 first = rows->Fields(0).toInt();
    rows->MoveNext();
    EXPECT_GT(rows->Fields(0).toInt(), first);

    // the update rewrites the account and the project too
    EXPECT_EQ(z.UpdateUserAdmin(first, 6, 9, QStringLiteral("Nine"), 1, 1, 1, 1, 4), 1);
    EXPECT_EQ(z.GetUserAdmin(70000)->RecordCount(), 1);
    auto moved = z.GetUserAdmin(6);
    ASSERT_EQ(moved->RecordCount(), 1);
    EXPECT_EQ(moved->Fields(QStringLiteral("ProjectID")).toInt(), 9);
    EXPECT_EQ(moved->Fields(QStringLiteral("IssueAdminLevel")).toInt(), 4);
    EXPECT_EQ(z.UpdateUserAdmin(0, 6, 9, {}, 1, 1, 1, 1, 1), 0) << "matches no row";

    EXPECT_EQ(z.DeleteUserAdmin(first), 1);
    EXPECT_EQ(z.DeleteUserAdmin(first), 1);
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_ADMIN_TABLE")), 2);
    EXPECT_TRUE(db.messages().empty());
}

TEST(Rights, ProjectLevelAboveOneOpensTheProjectToTheAccount) {
    TestDatabase db;
    ZorbelClass& z = db.zorbel();
    const qint32 open = addProject(db, QStringLiteral("Open"), 3);
    const qint32 readOnly = addProject(db, QStringLiteral("ReadOnly"), 3);
    const qint32 none = addProject(db, QStringLiteral("None"), 3);
    const qint32 closed = addProject(db, QStringLiteral("Closed"), 4);
    addProject(db, QStringLiteral("NoRow"), 3);
    ASSERT_EQ(z.AddUserAdmin(70000, open, QStringLiteral("Open"), 4, 1, 1, 1, 1), 1);
    ASSERT_EQ(z.AddUserAdmin(70000, readOnly, QStringLiteral("ReadOnly"), 2, 1, 1, 1, 1), 1);
    ASSERT_EQ(z.AddUserAdmin(70000, none, QStringLiteral("None"), 1, 4, 4, 4, 4), 1);
    ASSERT_EQ(z.AddUserAdmin(70000, closed, QStringLiteral("Closed"), 4, 4, 4, 4, 4), 1);
    ASSERT_EQ(z.AddUserAdmin(70001, none, QStringLiteral("None"), 4, 4, 4, 4, 4), 1);

    EXPECT_EQ(projectNames(z.GetProjectsByAdmin(3, 70000)), (QStringList{"Open", "ReadOnly"}));
    EXPECT_EQ(projectNames(z.GetProjectsByAdmin(4, 70000)), QStringList{"Closed"});
    EXPECT_EQ(projectNames(z.GetProjectsByAdmin(3, 70001)), QStringList{"None"});

    // lowering the level closes the project again
    const qint32 openRow = z.GetUserAdmin(70000)->Fields(0).toInt();
    ASSERT_EQ(z.UpdateUserAdmin(openRow, 70000, open, QStringLiteral("Open"), 1, 4, 4, 4, 4), 1);
    EXPECT_EQ(projectNames(z.GetProjectsByAdmin(3, 70000)), QStringList{"ReadOnly"});
    EXPECT_TRUE(db.messages().empty());
}
