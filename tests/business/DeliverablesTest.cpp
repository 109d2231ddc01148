// Deliverables: order by WBS, the key of a new deliverable, the metric handed
// back as stored, project 0 in both check styles.

#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace zorbel;
using zorbel::test::TestDatabase;

namespace {

QDateTime day(int y, int m, int d) {
    return QDateTime(QDate(y, m, d), QTime(0, 0));
}

qint32 addDeliverable(TestDatabase& db, qint32 project, qint16 wbs, const QString& text = QStringLiteral("d")) {
    QString metric = QStringLiteral("metric");
    return db.zorbel().AddDeliverable(project, 3, text, metric, 4, day(2024, 1, 1), day(2024, 2, 1), wbs, 0);
}

std::vector<qint32> ids(const data::RecordsetPtr& rs) {
    std::vector<qint32> out;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        out.push_back(rs->Fields(0).toInt());
    return out;
}

} // namespace

TEST(Deliverables, ListedByWbsThenKey) {
    TestDatabase db;
    const qint32 third = addDeliverable(db, 5, 3);
    const qint32 firstA = addDeliverable(db, 5, 1);
    const qint32 elsewhere = addDeliverable(db, 6, 1);
    const qint32 firstB = addDeliverable(db, 5, 1);
    const qint32 unnumbered = db.connection().insert(
        {QStringLiteral("INSERT INTO ZORBEL_DELIVERABLES (ProjectID, Deliverable) VALUES (5, 'unnumbered')"), {}},
        QStringLiteral("DeliverableID"));

    auto rs = db.zorbel().GetDeliverables(5);
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(ids(rs), (std::vector<qint32>{unnumbered, firstA, firstB, third}));
    QStringList names;
    for (int i = 0; i < rs->FieldCount(); ++i)
        names << rs->FieldName(i).toLower();
    EXPECT_EQ(names, (QStringList{"deliverableid", "projectid", "statusid", "deliverable", "metric", "ownerid",
                                  "startdate", "enddate", "wbs", "csf"}));
    EXPECT_EQ(ids(db.zorbel().GetDeliverables(5, elsewhere)), (std::vector<qint32>{elsewhere}));
    auto empty = db.zorbel().GetDeliverables(77);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->RecordCount(), 0);
    EXPECT_TRUE(db.messages().empty());
}

TEST(Deliverables, NewKeyIsItsOwnWhateverItsWbs) {
    TestDatabase db;
    addDeliverable(db, 5, 5);
    const qint32 next = addDeliverable(db, 5, 6, QStringLiteral("next"));
    const qint32 lower = addDeliverable(db, 5, 2, QStringLiteral("lower"));
    EXPECT_EQ(db.zorbel().GetDeliverables(5, next)->Fields(3).toString(), QStringLiteral("next"));
    EXPECT_EQ(db.zorbel().GetDeliverables(5, lower)->Fields(3).toString(), QStringLiteral("lower"));
}

TEST(Deliverables, TextsAreCleanedAndCutAndTheMetricComesBackAsStored) {
    TestDatabase db;
    const qint32 target = addDeliverable(db, 5, 1);
    struct Case {
        QString given;
        QString stored;
    } cases[] = {
        {QString(300, u'm'), QString(255, u'm')},
        {QStringLiteral("it's 'done'"), QStringLiteral("its done")},
        {QStringLiteral("'") + QString(255, u'k'), QString(255, u'k')},
    };
    for (const Case& c : cases) {
        QString metric = c.given;
        const qint32 added =
            db.zorbel().AddDeliverable(5, 1, c.given, metric, 1, day(2024, 1, 1), day(2024, 1, 2), 9, 1);
        EXPECT_EQ(metric, c.stored) << "the caller's argument holds what was stored";
        ASSERT_EQ(db.zorbel().UpdateDeliverable(target, 5, 1, c.given, c.given, 1, {}, {}, 1, 0), 1);
        for (qint32 id : {added, target}) {
            auto rs = db.zorbel().GetDeliverables(5, id);
            EXPECT_EQ(rs->Fields(QStringLiteral("Deliverable")).toString(), c.stored);
            EXPECT_EQ(rs->Fields(QStringLiteral("Metric")).toString(), c.stored);
        }
    }
}

TEST(Deliverables, ProjectZeroIsRefused) {
    TestDatabase db;
    const qint32 id = addDeliverable(db, 5, 1, QStringLiteral("kept"));
    QString metric = QStringLiteral("m'x");
    EXPECT_EQ(db.zorbel().AddDeliverable(0, 1, QStringLiteral("d"), metric, 1, {}, {}, 1, 0), 0);
    EXPECT_EQ(db.zorbel().UpdateDeliverable(id, 0, 1, QStringLiteral("moved"), {}, 1, {}, {}, 1, 0), 0);
    ASSERT_EQ(db.messages().size(), 2u);
    // the add warns, the update shows the bare text
    EXPECT_EQ(db.messages()[0].text, QStringLiteral("Invalid ProjectID"));
    EXPECT_EQ(db.messages()[0].flags, 48);
    EXPECT_EQ(db.messages()[0].title, QStringLiteral("Class Error"));
    EXPECT_EQ(db.messages()[1].text, QStringLiteral("Invalid ProjectID"));
    EXPECT_EQ(db.messages()[1].flags, 0);
    EXPECT_TRUE(db.messages()[1].title.isEmpty());
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_DELIVERABLES")), 1);
    auto rs = db.zorbel().GetDeliverables(5, id);
    EXPECT_EQ(rs->Fields(QStringLiteral("ProjectID")).toInt(), 5);
    EXPECT_EQ(rs->Fields(QStringLiteral("Deliverable")).toString(), QStringLiteral("kept"));
}

TEST(Deliverables, UpdateRewritesEveryColumnAndDeleteLeavesTasks) {
    TestDatabase db;
    const qint32 id = addDeliverable(db, 5, 1);
    ASSERT_EQ(db.zorbel().UpdateDeliverable(id, 6, 5, QStringLiteral("D"), QStringLiteral("M"), 90000,
                                            day(2025, 4, 1), day(2025, 4, 30), 7, 1),
              1);
    auto rs = db.zorbel().GetDeliverables(0, id);
    const QVariantList expected = {id, 6, 5, QStringLiteral("D"), QStringLiteral("M"), 90000,
                                   day(2025, 4, 1), day(2025, 4, 30), 7, 1};
    for (int col = 1; col < expected.size(); ++col) {
        if (expected[col].typeId() == QMetaType::QDateTime)
            EXPECT_EQ(rs->Fields(col).toDateTime(), expected[col].toDateTime()) << col;
        else
            EXPECT_EQ(rs->Fields(col).toString(), expected[col].toString()) << col;
    }
    EXPECT_EQ(db.zorbel().UpdateDeliverable(id + 50, 6, 5, {}, {}, 1, {}, {}, 1, 0), 0) << "no such deliverable";

    ASSERT_GT(db.zorbel().AddTask(id, 1, QStringLiteral("t"), 1, {}, {}, 0, 1), 0);
    EXPECT_EQ(db.zorbel().DeleteDeliverable(id), 1);
    EXPECT_EQ(db.zorbel().DeleteDeliverable(id), 1);
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_DELIVERABLES")), 0);
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_TASKS")), 1);
    EXPECT_TRUE(db.messages().empty());
}

TEST(Deliverables, AFailedStatementIsNeverASuccess) {
    TestDatabase db;
    db.exec(QStringLiteral("DROP TABLE ZORBEL_DELIVERABLES"));
    EXPECT_EQ(addDeliverable(db, 5, 1), 0);
    EXPECT_EQ(db.zorbel().UpdateDeliverable(1, 5, 1, {}, {}, 1, {}, {}, 1, 0), 0);
    EXPECT_EQ(db.zorbel().DeleteDeliverable(1), 0);
    EXPECT_EQ(db.zorbel().GetDeliverables(5), nullptr);
    ASSERT_EQ(db.messages().size(), 4u);
    EXPECT_TRUE(db.messages()[0].text.startsWith(QStringLiteral("(C)AddDeliverable Method failed: ")));
    EXPECT_TRUE(db.messages()[3].text.startsWith(QStringLiteral("(C)GetDeliverables Method failed: ")));
}
