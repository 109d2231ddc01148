// What must not differ between the engines: each value type read back as it
// was written, a double's every digit, transactions, the order of texts
// whatever the server's language, and where undated rows go.

#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>
#include <cmath>

using namespace zorbel;
using zorbel::test::TestDatabase;

namespace {

QStringList column(const RecordsetPtr& rs, const QString& field) {
    QStringList out;
    for (int i = 0; rs && i < rs->RecordCount(); ++i)
        out << rs->cell(i, rs->FieldIndex(field)).toString();
    return out;
}

} // namespace

TEST(Engines, ValuesReadBackAsTheTypeTheyWereWrittenAs) {
    TestDatabase db;
    db.exec(QStringLiteral("DROP TABLE IF EXISTS ZORBEL_VALUES")); // the database outlives a test
    db.exec(QStringLiteral("CREATE TABLE ZORBEL_VALUES (N INTEGER, S SMALLINT, R DOUBLE PRECISION, T VARCHAR(50), "
                           "D TIMESTAMP)"));
    const QDateTime when(QDate(2031, 12, 31), QTime(23, 59, 58, 999));
    const QString text = QStringLiteral("Grüße, 東京 \U0001F600");
    db.exec(QStringLiteral("INSERT INTO ZORBEL_VALUES (N, S, R, T, D) VALUES (?, ?, ?, ?, ?)"),
            {2147483647, qint16(-32768), -0.0625, text, when});
    db.exec(QStringLiteral("INSERT INTO ZORBEL_VALUES (N, S, R, T, D) VALUES (?, ?, ?, ?, ?)"),
            {QVariant(QMetaType::fromType<int>()), QVariant(QMetaType::fromType<short>()),
             QVariant(QMetaType::fromType<double>()), QVariant(QMetaType::fromType<QString>()),
             QVariant(QMetaType::fromType<QDateTime>())});
    auto rs = db.select(QStringLiteral("SELECT N, S, R, T, D FROM ZORBEL_VALUES ORDER BY N NULLS LAST"));
    ASSERT_EQ(rs->RecordCount(), 2);
    const QVariant expected[] = {2147483647, -32768, -0.0625, text, when};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(rs->cell(0, c).typeId(), expected[c].typeId()) << c;
        EXPECT_EQ(rs->cell(0, c), expected[c]) << c;
        EXPECT_TRUE(rs->cell(1, c).isNull()) << "a typed null reads as null: " << c;
    }
    EXPECT_EQ(rs->cell(0, 4).toDateTime().timeSpec(), Qt::LocalTime);
}

TEST(Engines, OnlyACommittedTransactionKeepsItsRows) {
    TestDatabase db;
    const data::Statement insert{QStringLiteral("INSERT INTO ZORBEL_ISSUES_GROUPS (Description) VALUES (?)"),
                                 {QStringLiteral("kept?")}};
    {
        data::Transaction abandoned(db.connection());
        db.connection().execute(insert);
    }
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_ISSUES_GROUPS")), 0);
    {
        data::Transaction kept(db.connection());
        db.connection().execute(insert);
        kept.commit();
    }
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_ISSUES_GROUPS")), 1);
    EXPECT_GT(db.connection().lastInsertId(), 0);
}

TEST(Engines, DoublesReadBackToTheLastDigit) {
    TestDatabase db;
    const double values[] = {0.1 + 0.2, 1.0 / 3.0, 1e-300, 123456789.12345679, -2.5e15, std::nextafter(1.0, 2.0)};
    for (double value : values)
        db.exec(QStringLiteral("INSERT INTO ZORBEL_RISKS (TaskID, RiskLevel) VALUES (1, ?)"), {value});
    auto rs = db.select(QStringLiteral("SELECT RiskLevel FROM ZORBEL_RISKS ORDER BY RiskID"));
    ASSERT_EQ(rs->RecordCount(), static_cast<int>(std::size(values)));
    for (int i = 0; i < rs->RecordCount(); ++i) {
        EXPECT_EQ(rs->cell(i, 0).typeId(), QMetaType::Double);
        EXPECT_EQ(rs->cell(i, 0).toDouble(), values[i]) << i;
    }
}

TEST(Engines, TextsOrderByteByByteWhateverTheServersLanguage) {
    TestDatabase db;
    ZorbelClass& z = db.zorbel();
    // Capitals before small letters, accented letters after all unaccented ones.
    const QStringList sorted = {"A", "B", "Zed", "a", "b", "e", QStringLiteral("ä"), QStringLiteral("é")};
    for (const char* name : {"b", "é", "Zed", "a", "ä", "B", "e", "A"}) {
        ASSERT_EQ(z.AddContact(QStringLiteral("F"), QString::fromUtf8(name), {}, {}, {}, {}, {}), 1);
        ASSERT_EQ(z.AddIssueGroup(QString::fromUtf8(name)), 1);
    }
    EXPECT_EQ(column(z.GetContacts(), QStringLiteral("SurName")), sorted);
    EXPECT_EQ(column(z.GetIssuesGroups(), QStringLiteral("Description")), sorted);
}

TEST(Engines, UndatedRowsComeFirstInEveryDateOrdering) {
    TestDatabase db;
    ZorbelClass& z = db.zorbel();
    const QDateTime day(QDate(2024, 5, 1), QTime(9, 0));
    for (const auto& [reference, when] : {std::pair{"early", day}, {"none", QDateTime()}, {"late", day.addDays(3)}}) {
        ASSERT_GT(z.AddIssue(5, 2, QString::fromLatin1(reference), when, {}, {}, {}, 1, 2, 1, 1, 1), 0);
        ASSERT_GT(z.AddMilestone(5, QString::fromLatin1(reference), when, day, 1, 1), 0);
    }
    const struct {
        RecordsetPtr rs;
        const char* field;
        QStringList expected;
    } lists[] = {
        {z.GetIssues(QStringLiteral("IssueDate"), 5, 2, 0), "IssueReference", {"none", "early", "late"}},
        {z.GetIssues(QStringLiteral("IssueDate DESC"), 5, 2, 0), "IssueReference", {"none", "late", "early"}},
        {z.GetMilestones(5), "Description", {"none", "early", "late"}},
    };
    for (const auto& list : lists)
        EXPECT_EQ(column(list.rs, QString::fromLatin1(list.field)), list.expected) << list.field;
    EXPECT_TRUE(db.messages().empty());
}
