// The issue log: look-up lists, the open/closed split, the orderings it may
// ask for, and the project id that arrives as any value.

#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

#include <iterator>

using namespace zorbel;
using zorbel::test::TestDatabase;

namespace {

const QDateTime kDay(QDate(2024, 5, 1), QTime(0, 0));

qint32 addIssue(TestDatabase& db, const QVariant& project, qint32 group, const QString& reference, qint16 status,
                const QDateTime& when = kDay, qint32 owner = 1) {
    return db.zorbel().AddIssue(project, group, reference, when, QStringLiteral("issue ") + reference,
                                QStringLiteral("impact"), QStringLiteral("resolution"), owner, status, 1, 1, 1);
}

QStringList references(const RecordsetPtr& rs) {
    QStringList out;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        out << rs->Fields(QStringLiteral("IssueReference")).toString();
    return out;
}

} // namespace

TEST(Issues, LookUpListsInKeyOrder) {
    TestDatabase db;
    ZorbelClass& z = db.zorbel();
    const struct {
        RecordsetPtr rs;
        const char* text;
        const char* first;
    } lists[] = {{z.GetIssueStatus(), "Status", "Closed"},
                 {z.GetIssueSeverity(), "Severity", "Low"},
                 {z.GetIssueUrgency(), "Urgency", "Low"},
                 {z.GetIssueSchedule(), "Schedule", "None"}};
    for (const auto& list : lists) {
        ASSERT_NE(list.rs, nullptr);
        ASSERT_EQ(list.rs->RecordCount(), 4);
        EXPECT_EQ(list.rs->FieldCount(), 2);
        EXPECT_EQ(list.rs->Fields(0).toInt(), 1);
        EXPECT_EQ(list.rs->Fields(QString::fromLatin1(list.text)).toString(), QString::fromLatin1(list.first));
        list.rs->MoveLast();
        EXPECT_EQ(list.rs->Fields(0).toInt(), 4);
    }
}

TEST(Issues, StatusOneIsTheClosedListEverythingElseTheOpenOne) {
    TestDatabase db;
    addIssue(db, 5, 2, QStringLiteral("closed"), 1);
    addIssue(db, 5, 2, QStringLiteral("open"), 2);
    addIssue(db, 5, 2, QStringLiteral("held"), 4);
    addIssue(db, 5, 3, QStringLiteral("other group"), 2);
    addIssue(db, 6, 2, QStringLiteral("other project"), 2);
    ZorbelClass& z = db.zorbel();
    EXPECT_EQ(references(z.GetIssues(QStringLiteral("IssueID"), 5, 2, 1)), QStringList{"closed"});
    EXPECT_EQ(references(z.GetIssues(QStringLiteral("IssueID"), 5, 2, 0)), (QStringList{"open", "held"}));
    EXPECT_EQ(references(z.GetIssues(QStringLiteral("IssueID"), 5, 2, 2)), (QStringList{"open", "held"}));
    EXPECT_EQ(z.GetIssues(QStringLiteral("IssueID"), 5, 9, 0)->RecordCount(), 0);
    EXPECT_TRUE(db.messages().empty());
}

TEST(Issues, OnlyKnownOrderingsAreRunWithTheKeyBreakingTies) {
    TestDatabase db;
    addIssue(db, 5, 2, QStringLiteral("b"), 2, kDay);
    addIssue(db, 5, 2, QStringLiteral("a"), 2, kDay.addDays(1));
    addIssue(db, 5, 2, QStringLiteral("c"), 2, kDay);
    ZorbelClass& z = db.zorbel();
    for (const char* order : {"IssueReference", "IssueDate", "IssueDate DESC", "Issue", "OwnerID", "StatusID DESC",
                              "SeverityID DESC", "UrgencyID DESC", "ScheduleID DESC", "IssueID"}) {
        auto rs = z.GetIssues(QString::fromLatin1(order), 5, 2, 0);
        ASSERT_NE(rs, nullptr) << order;
        EXPECT_EQ(rs->RecordCount(), 3) << order;
    }
    EXPECT_EQ(references(z.GetIssues(QStringLiteral("IssueReference"), 5, 2, 0)), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(references(z.GetIssues(QStringLiteral("  IssueDate   DESC "), 5, 2, 0)), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(references(z.GetIssues(QStringLiteral("OwnerID"), 5, 2, 0)), (QStringList{"b", "a", "c"}));
    ASSERT_TRUE(db.messages().empty());

    for (const char* refused : {"", "IssueID; DELETE FROM ZORBEL_ISSUE_LOG", "IssueID) OR (1=1",
                                "NoSuchColumn", "issuedate desc"}) {
        db.messages().clear();
        EXPECT_EQ(z.GetIssues(QString::fromLatin1(refused), 5, 2, 0), nullptr) << refused;
        ASSERT_EQ(db.messages().size(), 1u) << refused;
        EXPECT_TRUE(db.messages()[0].text.startsWith(QStringLiteral("(C)GetIssues Method failed: ")));
        EXPECT_EQ(db.messages()[0].flags, 0);
    }
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_ISSUE_LOG")), 3);
}

TEST(Issues, ProjectIdMustBeAWholeNonZeroNumber) {
    TestDatabase db;
    const QVariant refused[] = {QVariant(), QVariant(0), QVariant(QString()), QVariant(QStringLiteral("abc")),
                                QVariant(QStringLiteral("0")), QVariant(QStringLiteral("1.5")), QVariant(2.5),
                                QVariant(qint64(1) << 40), QVariant(QStringLiteral("99999999999"))};
    for (const QVariant& project : refused) {
        db.messages().clear();
        EXPECT_EQ(addIssue(db, project, 1, QStringLiteral("r"), 2), 0) << project.toString().toStdString();
        ASSERT_EQ(db.messages().size(), 1u);
        EXPECT_EQ(db.messages()[0].text, QStringLiteral("Invalid ProjectID"));
        EXPECT_EQ(db.messages()[0].flags, 0);
        EXPECT_TRUE(db.messages()[0].title.isEmpty());
    }
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_ISSUE_LOG")), 0);

    db.messages().clear();
    EXPECT_EQ(addIssue(db, QStringLiteral("12"), 1, QStringLiteral("text"), 2), 1);
    EXPECT_EQ(addIssue(db, 12.0, 1, QStringLiteral("double"), 2), 1);
    EXPECT_EQ(references(db.zorbel().GetIssues(QStringLiteral("IssueID"), 12, 1, 0)),
              (QStringList{"text", "double"}));
    const qint32 id = db.select(QStringLiteral("SELECT MIN(IssueID) FROM ZORBEL_ISSUE_LOG"))->Fields(0).toInt();
    EXPECT_EQ(db.zorbel().UpdateIssue(id, QStringLiteral("x"), 1, {}, kDay, {}, {}, {}, 1, 2, 1, 1, 1), 0);
    EXPECT_EQ(db.messages().back().text, QStringLiteral("Invalid ProjectID"));
    EXPECT_EQ(db.zorbel().UpdateIssue(0, 12, 1, {}, kDay, {}, {}, {}, 1, 2, 1, 1, 1), 0);
    EXPECT_EQ(db.messages().back().text, QStringLiteral("Invalid IssueID"));
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_ISSUE_LOG"), QStringLiteral("IssueReference = 'text'")), 1);
}

TEST(Issues, UpdateRewritesEveryColumnCutToWidth) {
    TestDatabase db;
    addIssue(db, 5, 2, QStringLiteral("r"), 2);
    const qint32 id = db.select(QStringLiteral("SELECT IssueID FROM ZORBEL_ISSUE_LOG"))->Fields(0).toInt();
    const QDateTime when(QDate(2023, 12, 31), QTime(17, 30));
    const QString long300(300, u'x');
    EXPECT_EQ(db.zorbel().UpdateIssue(id, 70000, 80000, QStringLiteral("R'ef") + long300, when, long300,
                                      QStringLiteral("it's"), long300, 70001, 3, 4, 2, 3),
              1);
    auto rs = db.zorbel().GetIssues(QStringLiteral("IssueID"), 70000, 80000, 3);
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Fields(QStringLiteral("IssueReference")).toString(), QStringLiteral("Ref") + QString(47, u'x'));
    EXPECT_EQ(rs->Fields(QStringLiteral("IssueDate")).toDateTime(), when);
    EXPECT_EQ(rs->Fields(QStringLiteral("Issue")).toString(), QString(255, u'x'));
    EXPECT_EQ(rs->Fields(QStringLiteral("Impact")).toString(), QStringLiteral("its"));
    EXPECT_EQ(rs->Fields(QStringLiteral("Resolution")).toString(), QString(255, u'x'));
    EXPECT_EQ(rs->Fields(QStringLiteral("OwnerID")).toInt(), 70001);
    EXPECT_EQ(rs->Fields(QStringLiteral("StatusID")).toInt(), 3);
    EXPECT_EQ(rs->Fields(QStringLiteral("SeverityID")).toInt(), 4);
    EXPECT_EQ(rs->Fields(QStringLiteral("UrgencyID")).toInt(), 2);
    EXPECT_EQ(rs->Fields(QStringLiteral("ScheduleID")).toInt(), 3);
    EXPECT_EQ(db.zorbel().UpdateIssue(id + 100, 1, 1, {}, when, {}, {}, {}, 1, 2, 1, 1, 1), 0) << "no such issue";
    EXPECT_EQ(db.zorbel().DeleteIssue(id), 1);
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_ISSUE_LOG")), 0);
    EXPECT_TRUE(db.messages().empty());
}

TEST(IssueGroups, ListedByDescriptionAndDeletedWithoutTouchingIssues) {
    TestDatabase db;
    ZorbelClass& z = db.zorbel();
    const QString wide = QStringLiteral("Groundworks, drainage and the northern access");
    const struct {
        QString added;
        QString stored;
    } names[] = { // in list order, added the other way round
        {QString(), QString()},
        {QStringLiteral("Budget's ") + QString(60, u'b'), QStringLiteral("Budgets ") + QString(42, u'b')},
        {wide, wide}, // 45 characters: more than a sheet's name holds, and kept whole
        {QStringLiteral("Site"), QStringLiteral("Site")},
    };
    for (auto n = std::rbegin(names); n != std::rend(names); ++n)
        EXPECT_EQ(z.AddIssueGroup(n->added), 1);
    auto groups = z.GetIssuesGroups();
    ASSERT_EQ(groups->RecordCount(), 4);
    for (const auto& n : names) {
        EXPECT_EQ(groups->Fields(1).toString(), n.stored);
        EXPECT_FALSE(groups->Fields(1).isNull()) << "empty text, not null";
        groups->MoveNext();
    }
    groups->MoveLast();
    const qint32 site = groups->Fields(0).toInt();
    EXPECT_EQ(z.IssuesInGroup(site), 0);
    addIssue(db, 5, site, QStringLiteral("r"), 2);
    addIssue(db, 6, site, QStringLiteral("s"), 1); // another project's closed issue counts too
    EXPECT_EQ(z.IssuesInGroup(site), 2);
    EXPECT_EQ(z.DeleteIssueGroup(site), 1);
    EXPECT_EQ(z.GetIssuesGroups()->RecordCount(), 3);
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_ISSUE_LOG")), 2);
}
