// Log-on: hashed and old clear-text passwords, duplicates, apostrophes.

#include "business/PasswordHash.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace zorbel;
using zorbel::test::TestDatabase;

namespace {

qint32 addAccount(TestDatabase& db, const QString& name, const QString& storedPassword, qint32 contact = 5,
                  int administrator = 0) {
    return db.connection().insert({QStringLiteral("INSERT INTO ZORBEL_MULTI_USER_TABLE (UserID, UserName, Password, "
                                                  "FullName, ProjectCreator, Administrator) VALUES (?,?,?,?,?,?)"),
                                   {contact, name, storedPassword, QStringLiteral("Full ") + name, 0, administrator}},
                                  QStringLiteral("MultiUserID"));
}

QString storedPassword(TestDatabase& db, qint32 id) {
    return db.select(QStringLiteral("SELECT Password FROM ZORBEL_MULTI_USER_TABLE WHERE MultiUserID = ?"), {id})
        ->Fields(0)
        .toString();
}

} // namespace

TEST(UserLogOn, NoAccountsGivesNothing) {
    TestDatabase db;
    EXPECT_EQ(db.zorbel().UserLogOn(QStringLiteral("admin"), QStringLiteral("x")), nullptr);
    EXPECT_TRUE(db.messages().empty());
}

TEST(UserLogOn, HashedPasswordReturnsTheAccountRow) {
    TestDatabase db;
    const qint32 id = addAccount(db, QStringLiteral("jo"), password::hash(QStringLiteral("Secret1")), 42, 1);
    auto rs = db.zorbel().UserLogOn(QStringLiteral("jo"), QStringLiteral("Secret1"));
    ASSERT_NE(rs, nullptr);
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Fields(QStringLiteral("MultiUserID")).toInt(), id);
    EXPECT_EQ(rs->Fields(QStringLiteral("UserID")).toInt(), 42);
    EXPECT_EQ(rs->Fields(QStringLiteral("FullName")).toString(), QStringLiteral("Full jo"));
    EXPECT_EQ(rs->Fields(QStringLiteral("Administrator")).toInt(), 1);
    EXPECT_EQ(rs->Fields(QStringLiteral("Password")).toString(), QString()) << "the stored hash left the database";
    // the columns come in the log-on order, ProjectCreator before Administrator
    EXPECT_EQ(rs->FieldName(5).toLower(), QStringLiteral("projectcreator"));
    EXPECT_EQ(rs->FieldName(6).toLower(), QStringLiteral("administrator"));
}

TEST(UserLogOn, ComparisonsAreExact) {
    TestDatabase db;
    addAccount(db, QStringLiteral("jo"), password::hash(QStringLiteral("Secret1")));
    EXPECT_EQ(db.zorbel().UserLogOn(QStringLiteral("jo"), QStringLiteral("secret1")), nullptr);
    EXPECT_EQ(db.zorbel().UserLogOn(QStringLiteral("Jo"), QStringLiteral("Secret1")), nullptr);
    EXPECT_EQ(db.zorbel().UserLogOn(QStringLiteral("jo "), QStringLiteral("Secret1")), nullptr);
    EXPECT_EQ(db.zorbel().UserLogOn(QStringLiteral("jo"), QString()), nullptr);
    EXPECT_EQ(db.zorbel().UserLogOn(QStringLiteral("jo' OR '1'='1"), QStringLiteral("x")), nullptr);
}

TEST(UserLogOn, NullNameOrPasswordNeverMatches) {
    TestDatabase db;
    db.exec(QStringLiteral("INSERT INTO ZORBEL_MULTI_USER_TABLE (UserID, UserName, Password) VALUES (1, 'n', NULL)"));
    db.exec(QStringLiteral("INSERT INTO ZORBEL_MULTI_USER_TABLE (UserID, UserName, Password) VALUES (1, NULL, '')"));
    EXPECT_EQ(db.zorbel().UserLogOn(QStringLiteral("n"), QString()), nullptr);
    EXPECT_EQ(db.zorbel().UserLogOn(QString(), QString()), nullptr);
}

TEST(UserLogOn, ClearTextAccountLogsInOnceAndIsRehashed) {
    TestDatabase db;
    const qint32 id = addAccount(db, QStringLiteral("old"), QStringLiteral("plain"));
    EXPECT_EQ(db.zorbel().UserLogOn(QStringLiteral("old"), QStringLiteral("wrong")), nullptr);
    EXPECT_EQ(storedPassword(db, id), QStringLiteral("plain"));
    ASSERT_NE(db.zorbel().UserLogOn(QStringLiteral("old"), QStringLiteral("plain")), nullptr);
    const QString now = storedPassword(db, id);
    EXPECT_TRUE(password::isHash(now));
    EXPECT_NE(now, QStringLiteral("plain"));
    ASSERT_NE(db.zorbel().UserLogOn(QStringLiteral("old"), QStringLiteral("plain")), nullptr);
}

TEST(UserLogOn, PasswordWithApostropheLogsInAsTyped) {
    TestDatabase db;
    // the accounts window stores a password cleaned of apostrophes
    addAccount(db, QStringLiteral("ap"), password::hash(QStringLiteral("its")));
    EXPECT_NE(db.zorbel().UserLogOn(QStringLiteral("ap"), QStringLiteral("it's")), nullptr);
    EXPECT_NE(db.zorbel().UserLogOn(QStringLiteral("ap"), QStringLiteral("its")), nullptr);
    // a long password was stored cut to 50
    addAccount(db, QStringLiteral("long"), password::hash(QString(50, u'p')));
    EXPECT_NE(db.zorbel().UserLogOn(QStringLiteral("long"), QString(60, u'p')), nullptr);
}

TEST(UserLogOn, TheLastMatchingAccountWins) {
    TestDatabase db;
    addAccount(db, QStringLiteral("twin"), password::hash(QStringLiteral("pw")), 1);
    const qint32 second = addAccount(db, QStringLiteral("twin"), password::hash(QStringLiteral("pw")), 2);
    addAccount(db, QStringLiteral("twin"), password::hash(QStringLiteral("other")), 3);
    auto rs = db.zorbel().UserLogOn(QStringLiteral("twin"), QStringLiteral("pw"));
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(rs->Fields(QStringLiteral("MultiUserID")).toInt(), second);
}

TEST(ProjectTeam, AddListDelete) {
    TestDatabase db;
    EXPECT_EQ(db.zorbel().AddTeamMember(11, 7, QStringLiteral("Zed Young"), QStringLiteral("Zed"),
                                        QStringLiteral("Young")),
              1);
    EXPECT_EQ(db.zorbel().AddTeamMember(12, 7, QStringLiteral("Amy Able"), QStringLiteral("Amy"),
                                        QStringLiteral("Able")),
              1);
    // the same contact twice is allowed
    EXPECT_EQ(db.zorbel().AddTeamMember(12, 7, QStringLiteral("Amy Able"), QStringLiteral("Amy"),
                                        QStringLiteral("Able")),
              1);
    EXPECT_EQ(db.zorbel().AddTeamMember(13, 8, QStringLiteral("Other"), QStringLiteral("O"), QStringLiteral("B")), 1);
    auto team = db.zorbel().GetProjectTeam(7);
    ASSERT_NE(team, nullptr);
    ASSERT_EQ(team->RecordCount(), 3);
    EXPECT_EQ(team->Fields(QStringLiteral("SurName")).toString(), QStringLiteral("Able"));
    const qint32 first = team->Fields(0).toInt();
    team->MoveNext();
    EXPECT_GT(team->Fields(0).toInt(), first) << "ties on SurName keep the key order";
    team->MoveLast();
    EXPECT_EQ(team->Fields(QStringLiteral("SurName")).toString(), QStringLiteral("Young"));
    EXPECT_EQ(team->Fields(QStringLiteral("UserID")).toInt(), 11);

    EXPECT_EQ(db.zorbel().GetProjectTeam(99)->RecordCount(), 0);
    EXPECT_EQ(db.zorbel().DeleteTeamMember(first), 1);
    EXPECT_EQ(db.zorbel().DeleteTeamMember(123456), 1) << "a missing id still reports done";
    EXPECT_EQ(db.zorbel().GetProjectTeam(7)->RecordCount(), 2);
    EXPECT_TRUE(db.messages().empty());
}

TEST(ProjectTeam, ProjectZeroIsRefused) {
    TestDatabase db;
    EXPECT_EQ(db.zorbel().AddTeamMember(11, 0, QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")), 0);
    ASSERT_EQ(db.messages().size(), 1u);
    EXPECT_EQ(db.messages()[0].text, QStringLiteral("Invalid ProjectID"));
    EXPECT_EQ(db.messages()[0].flags, 48);
    EXPECT_EQ(db.messages()[0].title, QStringLiteral("Class Error"));
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_TEAM_TABLE")), 0);
}

TEST(UserLogOn, AnUnknownNameCostsTheHashingOfAKnownOne) {
    // The stand-in hash must cost what a stored one costs (its parameters), and
    // no typed password may ever match it.
    const auto parameters = [](const QString& hash) { return hash.section(u'$', 1, 3); };
    EXPECT_EQ(parameters(password::unmatchableHash()), parameters(password::hash(QStringLiteral("Secret1"))));
    for (const char* typed : {"", "admin", "Secret1"})
        EXPECT_FALSE(password::verify(password::unmatchableHash(), QString::fromLatin1(typed))) << typed;
}
