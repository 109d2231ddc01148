// What must not differ between the engines: each value type read back as it
// was written, a double's every digit, transactions, the order of texts
// whatever the server's language, where undated rows go, and edge values
// (surrogates, byte-order marks, years, non-finite numbers) stored alike or
// refused alike.

#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>
#include <cmath>
#include <functional>

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
        EXPECT_GT(db.connection().insert(insert, QStringLiteral("IssueGroupID")), 0);
        kept.commit();
    }
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_ISSUES_GROUPS")), 1);
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

TEST(Engines, EdgeValuesAreStoredAlikeOrRefusedAlike) {
    TestDatabase db;
    const QChar high(0xD800);
    const QDateTime day(QDate(2024, 5, 1), QTime(9, 0));
    const auto when = [](int year, int month, int dayOfMonth, QTime time = QTime(0, 0)) {
        return QDateTime(QDate(year, month, dayOfMonth), time);
    };
    const auto milestone = [&](QDateTime start) {
        return [&, start](ZorbelClass& z) { z.AddMilestone(5, QStringLiteral("edge"), start, day, 1, 1); };
    };
    const auto risk = [](double level) {
        return [level](ZorbelClass& z) { z.AddRisk(1, 1, QStringLiteral("edge"), {}, {}, 1, level, 0.5, {}, 0); };
    };
    const struct {
        const char* what;
        std::function<void(ZorbelClass&)> add;
        const char* member;
        const char* table;
        const char* key;
        const char* column;
        QVariant stored; // invalid: refused with the member's failure, nothing stored
    } cases[] = {
        // Qt writes a lone surrogate as '?': one character, so 50 fit a 50-wide column on both engines
        {"a lone high surrogate at the cut width",
         [&](ZorbelClass& z) {
             z.AddTeamMember(1, 7, QStringLiteral("F"), QStringLiteral("G"), QString(49, u'x') + high + u'y');
         },
         "AddTeamMember", "ZORBEL_TEAM_TABLE", "TeamID", "SurName", QString(49, u'x') + u'?'},
        {"a leading byte-order mark",
         [](ZorbelClass& z) { z.AddIssueGroup(QChar(0xFEFF) + QStringLiteral("Group")); }, "AddIssueGroup",
         "ZORBEL_ISSUES_GROUPS", "IssueGroupID", "Description", QString(QChar(0xFEFF)) + QStringLiteral("Group")},
        {"the first year", milestone(when(1, 1, 1)), "AddMilestone", "ZORBEL_MILESTONES", "MilestoneID", "StartDate",
         when(1, 1, 1)},
        {"the last year", milestone(when(9999, 12, 31, QTime(23, 59, 59, 999))), "AddMilestone", "ZORBEL_MILESTONES",
         "MilestoneID", "StartDate", when(9999, 12, 31, QTime(23, 59, 59, 999))},
        {"a year after 9999", milestone(when(10000, 1, 1)), "AddMilestone", "ZORBEL_MILESTONES", "MilestoneID",
         "StartDate", {}},
        {"a year before 1", milestone(when(-5, 3, 1)), "AddMilestone", "ZORBEL_MILESTONES", "MilestoneID",
         "StartDate", {}},
        {"not a number", risk(std::nan("")), "AddRisk", "ZORBEL_RISKS", "RiskID", "RiskLevel", {}},
        {"infinity", risk(-HUGE_VAL), "AddRisk", "ZORBEL_RISKS", "RiskID", "RiskLevel", {}},
        {"negative zero", risk(-0.0), "AddRisk", "ZORBEL_RISKS", "RiskID", "RiskLevel", 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString table = QString::fromLatin1(c.table);
        const int before = db.count(table);
        db.messages().clear();
        c.add(db.zorbel());
        if (!c.stored.isValid()) {
            EXPECT_EQ(db.count(table), before);
            ASSERT_FALSE(db.messages().empty());
            EXPECT_TRUE(db.messages().front().text.startsWith(QStringLiteral("(C)%1 Method failed: ").arg(c.member)))
                << db.messages().front().text.toStdString();
            continue;
        }
        EXPECT_TRUE(db.messages().empty());
        ASSERT_EQ(db.count(table), before + 1);
        const QVariant read = db.select(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3 DESC")
                                            .arg(QString::fromLatin1(c.column), table, QString::fromLatin1(c.key)))
                                  ->Fields(0);
        EXPECT_EQ(read, c.stored);
        if (c.stored.typeId() == QMetaType::Double) {
            EXPECT_EQ(std::signbit(read.toDouble()), std::signbit(c.stored.toDouble()));
        }
    }
}
