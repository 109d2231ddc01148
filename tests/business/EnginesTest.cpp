// What must not differ between the engines: a double's every digit, the order
// of texts whatever the server's language, and where undated rows go.

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
