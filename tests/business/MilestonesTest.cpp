// Milestones: order by start date, the key of a new milestone, project 0, cuts.

#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace zorbel;
using zorbel::test::TestDatabase;

namespace {

QDateTime day(int y, int m, int d) {
    return QDateTime(QDate(y, m, d), QTime(0, 0));
}

qint32 addMilestone(TestDatabase& db, qint32 project, const QDateTime& start, const QString& text = QStringLiteral("m")) {
    return db.zorbel().AddMilestone(project, text, start, start.addDays(1), 3, 2);
}

std::vector<qint32> ids(const data::RecordsetPtr& rs) {
    std::vector<qint32> out;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        out.push_back(rs->Fields(0).toInt());
    return out;
}

} // namespace

TEST(Milestones, ListedByStartDateThenKey) {
    TestDatabase db;
    const qint32 june = addMilestone(db, 5, day(2024, 6, 1));
    const qint32 marchA = addMilestone(db, 5, day(2024, 3, 1));
    const qint32 elsewhere = addMilestone(db, 6, day(2024, 1, 1));
    const qint32 marchB = addMilestone(db, 5, day(2024, 3, 1));
    const qint32 undated = db.connection().insert(
        {QStringLiteral("INSERT INTO ZORBEL_MILESTONES (ProjectID, Description) VALUES (5, 'undated')"), {}},
        QStringLiteral("MilestoneID"));

    auto rs = db.zorbel().GetMilestones(5);
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(ids(rs), (std::vector<qint32>{undated, marchA, marchB, june}));
    QStringList names;
    for (int i = 0; i < rs->FieldCount(); ++i)
        names << rs->FieldName(i).toLower();
    EXPECT_EQ(names, (QStringList{"milestoneid", "projectid", "description", "startdate", "enddate", "statusid",
                                  "ownerid"}));
    // one milestone by its key, whatever project is passed
    EXPECT_EQ(ids(db.zorbel().GetMilestones(5, elsewhere)), (std::vector<qint32>{elsewhere}));
    EXPECT_EQ(db.zorbel().GetMilestones(77)->RecordCount(), 0);
    EXPECT_TRUE(db.messages().empty());
}

TEST(Milestones, AnEarlierMilestoneGetsItsOwnKeyBack) {
    TestDatabase db;
    addMilestone(db, 5, day(2024, 9, 1));
    addMilestone(db, 5, day(2024, 10, 1));
    const qint32 early = addMilestone(db, 5, day(2024, 2, 1), QStringLiteral("early"));
    ASSERT_GT(early, 0);
    auto rs = db.zorbel().GetMilestones(5, early);
    EXPECT_EQ(rs->Fields(QStringLiteral("Description")).toString(), QStringLiteral("early"));
    EXPECT_EQ(rs->Fields(QStringLiteral("StartDate")).toDateTime(), day(2024, 2, 1));
    EXPECT_EQ(rs->Fields(QStringLiteral("EndDate")).toDateTime(), day(2024, 2, 2));
}

TEST(Milestones, ProjectZeroWarnsAndWritesNothing) {
    TestDatabase db;
    const qint32 id = addMilestone(db, 5, day(2024, 6, 1), QStringLiteral("kept"));
    EXPECT_EQ(addMilestone(db, 0, day(2024, 6, 1)), 0);
    EXPECT_EQ(db.zorbel().UpdateMilestone(id, 0, QStringLiteral("moved"), day(2024, 1, 1), day(2024, 1, 1), 1, 1), 0);
    ASSERT_EQ(db.messages().size(), 2u);
    for (const auto& m : db.messages()) {
        EXPECT_EQ(m.text, QStringLiteral("Invalid ProjectID"));
        EXPECT_EQ(m.flags, 48);
        EXPECT_EQ(m.title, QStringLiteral("Class Error"));
    }
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_MILESTONES")), 1);
    auto rs = db.zorbel().GetMilestones(5, id);
    EXPECT_EQ(rs->Fields(QStringLiteral("ProjectID")).toInt(), 5);
    EXPECT_EQ(rs->Fields(QStringLiteral("Description")).toString(), QStringLiteral("kept"));
}

TEST(Milestones, DescriptionIsCleanedAndCutToFifty) {
    TestDatabase db;
    const qint32 target = addMilestone(db, 5, day(2024, 6, 1));
    struct Case {
        QString given;
        QString stored;
    } cases[] = {
        {QString(60, u'a'), QString(50, u'a')},
        {QString(50, u'b'), QString(50, u'b')},
        {QStringLiteral("Sign'off ''") + QString(45, u'c'), QStringLiteral("Signoff ") + QString(42, u'c')},
    };
    for (const Case& c : cases) {
        const qint32 added = addMilestone(db, 5, day(2024, 7, 1), c.given);
        ASSERT_EQ(db.zorbel().UpdateMilestone(target, 5, c.given, day(2024, 6, 1), day(2024, 6, 2), 4, 9), 1);
        for (qint32 id : {added, target})
            EXPECT_EQ(db.zorbel().GetMilestones(5, id)->Fields(2).toString(), c.stored) << c.given.toStdString();
    }
}

TEST(Milestones, UpdateAndDeleteReportWhatHappened) {
    TestDatabase db;
    const qint32 id = addMilestone(db, 5, day(2024, 6, 1));
    ASSERT_EQ(db.zorbel().UpdateMilestone(id, 6, QStringLiteral("moved"), day(2025, 1, 2), day(2025, 1, 3), 6, 80000), 1);
    auto rs = db.zorbel().GetMilestones(0, id);
    EXPECT_EQ(rs->Fields(QStringLiteral("ProjectID")).toInt(), 6);
    EXPECT_EQ(rs->Fields(QStringLiteral("StatusID")).toInt(), 6);
    EXPECT_EQ(rs->Fields(QStringLiteral("OwnerID")).toInt(), 80000);
    EXPECT_EQ(db.zorbel().UpdateMilestone(id + 100, 6, QStringLiteral("x"), {}, {}, 1, 1), 0) << "no such milestone";
    EXPECT_EQ(db.zorbel().DeleteMilestone(id), 1);
    EXPECT_EQ(db.zorbel().DeleteMilestone(id), 1) << "a missing id still reports done";
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_MILESTONES")), 0);
    EXPECT_TRUE(db.messages().empty());

    db.exec(QStringLiteral("DROP TABLE ZORBEL_MILESTONES"));
    EXPECT_EQ(addMilestone(db, 5, day(2024, 6, 1)), 0);
    EXPECT_EQ(db.zorbel().UpdateMilestone(id, 5, {}, {}, {}, 1, 1), 0);
    EXPECT_EQ(db.zorbel().DeleteMilestone(id), 0);
    EXPECT_EQ(db.zorbel().GetMilestones(5), nullptr);
    ASSERT_EQ(db.messages().size(), 4u);
    EXPECT_TRUE(db.messages()[0].text.startsWith(QStringLiteral("(C)AddMilestone Method failed: ")));
    EXPECT_TRUE(db.messages()[1].text.startsWith(QStringLiteral("(C)UpdateMilestone Method failed: ")));
    EXPECT_TRUE(db.messages()[2].text.startsWith(QStringLiteral("(C)DeleteMilestone Method failed: ")));
    EXPECT_TRUE(db.messages()[3].text.startsWith(QStringLiteral("(C)GetMilestones Method failed: ")));
}
