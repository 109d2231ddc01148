// The risk register: task and project risks in one table, scored orderings.

#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace zorbel;
using zorbel::test::TestDatabase;

namespace {

const QString kByScore = QStringLiteral("(RiskLevel * Probability) DESC");

void addRisk(TestDatabase& db, qint32 taskOrProject, const QString& description, double level, double probability,
             qint16 projectRisk, qint32 owner = 1, qint16 type = 1) {
    ASSERT_EQ(db.zorbel().AddRisk(taskOrProject, type, description, QStringLiteral("impact"),
                                  QStringLiteral("mitigation"), owner, level, probability, QString(), projectRisk),
              1);
}

QStringList descriptions(const RecordsetPtr& rs) {
    QStringList out;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        out << rs->Fields(QStringLiteral("Description")).toString();
    return out;
}

} // namespace

TEST(Risks, TypesInKeyOrder) {
    TestDatabase db;
    auto types = db.zorbel().GetRiskTypes();
    ASSERT_EQ(types->RecordCount(), 5);
    EXPECT_EQ(types->Fields(0).toInt(), 1);
    EXPECT_EQ(types->Fields(QStringLiteral("RiskType")).toString(), QStringLiteral("Technical"));
}

TEST(Risks, ByTaskByProjectAndById) {
    TestDatabase db;
    addRisk(db, 4, QStringLiteral("task four"), 5, 0.6, 0);
    addRisk(db, 4, QStringLiteral("project four"), 8, 0.5, 1);
    addRisk(db, 4, QStringLiteral("project four, low"), 1, 0.1, 1);
    addRisk(db, 9, QStringLiteral("task nine"), 2, 0.2, 0);
    ZorbelClass& z = db.zorbel();
    EXPECT_EQ(descriptions(z.GetRisks(4, kByScore, 0)), QStringList{"task four"});
    EXPECT_EQ(descriptions(z.GetRisks(4, kByScore, 1)), (QStringList{"project four", "project four, low"}));
    EXPECT_EQ(z.GetRisks(5, kByScore, 0)->RecordCount(), 0);

    const qint32 nine = db.select(QStringLiteral("SELECT RiskID FROM ZORBEL_RISKS WHERE TaskID = 9"))->Fields(0).toInt();
    // with an id the other arguments play no part, not even an ordering we would refuse
    auto one = z.GetRisks(0, QStringLiteral("garbage"), 1, nine);
    ASSERT_EQ(one->RecordCount(), 1);
    EXPECT_EQ(one->Fields(QStringLiteral("Description")).toString(), QStringLiteral("task nine"));
    EXPECT_DOUBLE_EQ(one->Fields(QStringLiteral("Probability")).toDouble(), 0.2);
    EXPECT_EQ(one->FieldCount(), 11);
    EXPECT_TRUE(db.messages().empty());
}

TEST(Risks, OnlyKnownOrderingsAreRun) {
    TestDatabase db;
    addRisk(db, 3, QStringLiteral("b"), 5, 0.6, 0, 2, 2);
    addRisk(db, 3, QStringLiteral("a"), 8, 0.5, 0, 1, 2);
    addRisk(db, 3, QStringLiteral("c"), 5, 0.6, 0, 1, 1);
    ZorbelClass& z = db.zorbel();
    EXPECT_EQ(descriptions(z.GetRisks(3, kByScore, 0)), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(descriptions(z.GetRisks(3, QStringLiteral("( RiskLevel*Probability )  DESC"), 0)),
              (QStringList{"a", "b", "c"}));
    EXPECT_EQ(descriptions(z.GetRisks(3, QStringLiteral("Description"), 0)), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(descriptions(z.GetRisks(3, QStringLiteral("OwnerID"), 0)), (QStringList{"a", "c", "b"}));
    EXPECT_EQ(descriptions(z.GetRisks(3, QStringLiteral("RiskType"), 0)), (QStringList{"c", "b", "a"}));
    EXPECT_EQ(descriptions(z.GetRisks(3, QStringLiteral("RiskLevel DESC"), 0)), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(descriptions(z.GetRisks(3, QStringLiteral("Probability DESC"), 0)), (QStringList{"b", "c", "a"}));
    ASSERT_TRUE(db.messages().empty());

    for (const char* refused : {"", "RiskID; DROP TABLE ZORBEL_RISKS", "(SELECT 1)", "RiskID"}) {
        db.messages().clear();
        EXPECT_EQ(z.GetRisks(3, QString::fromLatin1(refused), 0), nullptr) << refused;
        ASSERT_EQ(db.messages().size(), 1u);
        EXPECT_TRUE(db.messages()[0].text.startsWith(QStringLiteral("(C)GetRisks Method failed: ")));
    }
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_RISKS")), 3);
}

TEST(Risks, UpdateMovesATaskRiskToItsProjectAndCutsTexts) {
    TestDatabase db;
    addRisk(db, 4, QStringLiteral("r"), 1, 0.1, 0);
    const qint32 id = db.select(QStringLiteral("SELECT RiskID FROM ZORBEL_RISKS"))->Fields(0).toInt();
    const QString long300(300, u'm');
    EXPECT_EQ(db.zorbel().UpdateRisk(id, 77, 3, QStringLiteral("D'esc"), long300, long300, 70000, 2.5, 0.75,
                                     long300, 1),
              1);
    auto rs = db.zorbel().GetRisks(77, kByScore, 1);
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Fields(QStringLiteral("RiskType")).toInt(), 3);
    EXPECT_EQ(rs->Fields(QStringLiteral("Description")).toString(), QStringLiteral("Desc"));
    for (const char* cut : {"Impact", "Mitigation", "RiskNote"})
        EXPECT_EQ(rs->Fields(QString::fromLatin1(cut)).toString(), QString(255, u'm')) << cut;
    EXPECT_EQ(rs->Fields(QStringLiteral("OwnerID")).toInt(), 70000);
    EXPECT_DOUBLE_EQ(rs->Fields(QStringLiteral("RiskLevel")).toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(rs->Fields(QStringLiteral("Probability")).toDouble(), 0.75);

    EXPECT_EQ(db.zorbel().UpdateRisk(0, 1, 1, {}, {}, {}, 1, 1, 1, {}, 0), 0) << "matches no row";
    EXPECT_EQ(db.zorbel().DeleteRisk(id), 1);
    EXPECT_EQ(db.zorbel().DeleteRisk(id), 1);
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_RISKS")), 0);
    EXPECT_TRUE(db.messages().empty());
}
