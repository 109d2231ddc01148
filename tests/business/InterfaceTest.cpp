// The automation interface: every member exists (taking its address fails to
// link otherwise) and the published list keeps the interface order.
// Also the argument checks, member by member: their texts, styles and that
// they change nothing.

#include "tests/support/TestDatabase.h"

#include <functional>
#include <gtest/gtest.h>

using namespace zorbel;
using zorbel::test::TestDatabase;

#define ZORBEL_MEMBER(name) (static_cast<void>(&ZorbelClass::name), QStringLiteral(#name))

TEST(Interface, AllMembersInInterfaceOrder) {
    const QStringList members = {
        ZORBEL_MEMBER(ConnectDSN),         ZORBEL_MEMBER(GetConfiguration),  ZORBEL_MEMBER(UserLogOn),
        ZORBEL_MEMBER(GetProjectTeam),     ZORBEL_MEMBER(AddTeamMember),     ZORBEL_MEMBER(DeleteTeamMember),
        ZORBEL_MEMBER(GetProjectStates),   ZORBEL_MEMBER(GetProjectStatus),  ZORBEL_MEMBER(GetMilestones),
        ZORBEL_MEMBER(DeleteMilestone),    ZORBEL_MEMBER(AddMilestone),      ZORBEL_MEMBER(UpdateMilestone),
        ZORBEL_MEMBER(GetDeliverables),    ZORBEL_MEMBER(DeleteDeliverable), ZORBEL_MEMBER(AddDeliverable),
        ZORBEL_MEMBER(UpdateDeliverable),  ZORBEL_MEMBER(GetTasks),          ZORBEL_MEMBER(UpdateTask),
        ZORBEL_MEMBER(AddTask),            ZORBEL_MEMBER(DeleteTask),        ZORBEL_MEMBER(GetActions),
        ZORBEL_MEMBER(UpdateAction),       ZORBEL_MEMBER(AddAction),         ZORBEL_MEMBER(DeleteAction),
        ZORBEL_MEMBER(GetProgress),        ZORBEL_MEMBER(UpdateProgress),    ZORBEL_MEMBER(AddProgress),
        ZORBEL_MEMBER(DeleteProgress),     ZORBEL_MEMBER(GetProjects),       ZORBEL_MEMBER(GetProjectsByAdmin),
        ZORBEL_MEMBER(GetAllProjects),     ZORBEL_MEMBER(UpdateProject),     ZORBEL_MEMBER(UpdateProjectDates),
        ZORBEL_MEMBER(AddProject),         ZORBEL_MEMBER(DeleteProject),     ZORBEL_MEMBER(GetUsers),
        ZORBEL_MEMBER(DeleteUser),         ZORBEL_MEMBER(AddUser),           ZORBEL_MEMBER(UpdateUser),
        ZORBEL_MEMBER(GetContacts),        ZORBEL_MEMBER(DeleteContact),     ZORBEL_MEMBER(AddContact),
        ZORBEL_MEMBER(UpdateContact),      ZORBEL_MEMBER(GetIssueStatus),    ZORBEL_MEMBER(GetIssueSeverity),
        ZORBEL_MEMBER(GetIssueUrgency),    ZORBEL_MEMBER(GetIssueSchedule),  ZORBEL_MEMBER(GetIssues),
        ZORBEL_MEMBER(AddIssue),           ZORBEL_MEMBER(UpdateIssue),       ZORBEL_MEMBER(DeleteIssue),
        ZORBEL_MEMBER(GetIssuesGroups),    ZORBEL_MEMBER(DeleteIssueGroup),  ZORBEL_MEMBER(AddIssueGroup),
        ZORBEL_MEMBER(GetRiskTypes),       ZORBEL_MEMBER(GetRisks),          ZORBEL_MEMBER(AddRisk),
        ZORBEL_MEMBER(UpdateRisk),         ZORBEL_MEMBER(DeleteRisk),        ZORBEL_MEMBER(GetAdminLevels),
        ZORBEL_MEMBER(GetUserAdmin),       ZORBEL_MEMBER(AddUserAdmin),      ZORBEL_MEMBER(UpdateUserAdmin),
        ZORBEL_MEMBER(DeleteUserAdmin),    ZORBEL_MEMBER(GetDocuments),      ZORBEL_MEMBER(DeleteDocument),
        ZORBEL_MEMBER(GetDocumentTypes),   ZORBEL_MEMBER(AddDocument)};
    EXPECT_EQ(members.size(), 68);
    EXPECT_EQ(ZorbelClass::InterfaceMembers(), members);
}

TEST(Interface, ArgumentChecksRefuseWithTheirTextAndChangeNothing) {
    TestDatabase db;
    ZorbelClass& z = db.zorbel();
    const QDateTime day(QDate(2024, 1, 2), QTime());
    db.exec(QStringLiteral("INSERT INTO ZORBEL_MULTI_USER_TABLE (UserName) VALUES ('u')"));
    db.exec(QStringLiteral("INSERT INTO ZORBEL_USER_TABLE (SurName) VALUES ('s')"));
    db.exec(QStringLiteral("INSERT INTO ZORBEL_ISSUE_LOG (ProjectID, Issue) VALUES (1, 'i')"));
    const struct {
        const char* text;
        const char* table;
        std::function<qint32()> call;
    } checks[] = {
        {"Invalid MultiUserID", "ZORBEL_MULTI_USER_TABLE",
         [&] { return z.UpdateUser(0, 1, QStringLiteral("x"), QStringLiteral("p"), QStringLiteral("x"), 1); }},
        {"Invalid ContactID", "ZORBEL_USER_TABLE",
         [&] { return z.UpdateContact(0, QStringLiteral("x"), QStringLiteral("x"), {}, {}, {}, {}, {}); }},
        {"Invalid ProjectID", "ZORBEL_ISSUE_LOG",
         [&] { return z.AddIssue(0, 1, QStringLiteral("x"), day, QStringLiteral("x"), {}, {}, 1, 2, 1, 1, 1); }},
        {"Invalid IssueID", "ZORBEL_ISSUE_LOG",
         [&] { return z.UpdateIssue(0, 1, 1, QStringLiteral("x"), day, QStringLiteral("x"), {}, {}, 1, 2, 1, 1, 1); }},
    };
    for (const auto& check : checks) {
        const QString table = QString::fromLatin1(check.table);
        auto before = db.select(QStringLiteral("SELECT * FROM ") + table);
        db.messages().clear();
        EXPECT_EQ(check.call(), 0) << check.text;
        ASSERT_EQ(db.messages().size(), 1u) << check.text;
        EXPECT_EQ(db.messages()[0].text, QString::fromLatin1(check.text));
        EXPECT_EQ(db.messages()[0].flags, 0);
        EXPECT_TRUE(db.messages()[0].title.isEmpty());
        auto after = db.select(QStringLiteral("SELECT * FROM ") + table);
        ASSERT_EQ(after->RecordCount(), before->RecordCount()) << check.text;
        for (int i = 0; i < after->FieldCount(); ++i)
            EXPECT_EQ(after->Fields(i), before->Fields(i)) << check.text << " column " << i;
    }
}

TEST(Interface, FailedStatementsReturnZeroAfterTheirMessage) {
    TestDatabase db;
    ZorbelClass& z = db.zorbel();
    for (const char* table : {"ZORBEL_MULTI_USER_TABLE", "ZORBEL_ISSUE_LOG", "ZORBEL_ISSUES_GROUPS", "ZORBEL_RISKS",
                              "ZORBEL_ADMIN_TABLE", "ZORBEL_DOCUMENTS"})
        db.exec(QStringLiteral("DROP TABLE ") + QString::fromLatin1(table));
    const QDateTime day(QDate(2024, 1, 2), QTime());
    const struct {
        const char* member;
        std::function<qint32()> call;
    } members[] = {
        {"AddUser", [&] { return z.AddUser(1, QStringLiteral("u"), QStringLiteral("p"), {}, 0); }},
        {"UpdateUser", [&] { return z.UpdateUser(1, 1, QStringLiteral("u"), {}, {}, 0); }},
        {"DeleteUser", [&] { return z.DeleteUser(1); }},
        {"AddIssue", [&] { return z.AddIssue(1, 1, {}, day, {}, {}, {}, 1, 2, 1, 1, 1); }},
        {"UpdateIssue", [&] { return z.UpdateIssue(1, 1, 1, {}, day, {}, {}, {}, 1, 2, 1, 1, 1); }},
        {"DeleteIssue", [&] { return z.DeleteIssue(1); }},
        {"AddIssueGroup", [&] { return z.AddIssueGroup({}); }},
        {"DeleteIssueGroup", [&] { return z.DeleteIssueGroup(1); }},
        {"AddRisk", [&] { return z.AddRisk(1, 1, {}, {}, {}, 1, 1, 1, {}, 0); }},
        {"UpdateRisk", [&] { return z.UpdateRisk(1, 1, 1, {}, {}, {}, 1, 1, 1, {}, 0); }},
        {"DeleteRisk", [&] { return z.DeleteRisk(1); }},
        {"AddUserAdmin", [&] { return z.AddUserAdmin(1, 1, {}, 1, 1, 1, 1, 1); }},
        {"UpdateUserAdmin", [&] { return z.UpdateUserAdmin(1, 1, 1, {}, 1, 1, 1, 1, 1); }},
        {"DeleteUserAdmin", [&] { return z.DeleteUserAdmin(1); }},
        {"AddDocument", [&] { return z.AddDocument(1, 1, {}, {}, {}, day, 1, {}); }},
        {"DeleteDocument", [&] { return z.DeleteDocument(1); }},
    };
    for (const auto& m : members) {
        db.messages().clear();
        EXPECT_EQ(m.call(), 0) << m.member;
        ASSERT_EQ(db.messages().size(), 1u) << m.member;
        EXPECT_TRUE(db.messages()[0].text.startsWith(QStringLiteral("(C)%1 Method failed: ").arg(m.member)))
            << db.messages()[0].text.toStdString();
    }
    EXPECT_EQ(z.GetUsers(), nullptr);
    EXPECT_EQ(z.GetIssues(QStringLiteral("IssueID"), 1, 1, 0), nullptr);
    EXPECT_EQ(z.GetRisks(1, QStringLiteral("Description"), 0), nullptr);
    EXPECT_EQ(z.GetUserAdmin(1), nullptr);
    EXPECT_EQ(z.GetDocuments(1), nullptr);
}
