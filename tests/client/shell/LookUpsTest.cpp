// Finding a record's id by a column's value, and a column by the record's id.

#include "client/shell/Zorbel5Data.h"
#include "platform/ui/DateText.h"
#include "platform/ui/MessageBox.h"

#include <gtest/gtest.h>

namespace zorbel::shell {
namespace {

using data::Recordset;

data::RecordsetPtr people() {
    return std::make_shared<Recordset>(
        QStringList{QStringLiteral("TeamID"), QStringLiteral("FullName"), QStringLiteral("Age")},
        std::vector<std::vector<QVariant>>{
            {4, QStringLiteral("Ann Lee"), 40},
            {7, QStringLiteral("Bob Ray"), QVariant()},
            {9, QVariant(), 31},
            {12, QStringLiteral("Ann Lee"), 22},
        });
}

data::RecordsetPtr empty() {
    return std::make_shared<Recordset>(QStringList{QStringLiteral("TeamID"), QStringLiteral("FullName")},
                                       std::vector<std::vector<QVariant>>{});
}

TEST(LookUps, IdOfTheFirstMatchingRowWhichStaysCurrent) {
    ui::MessageBoxRecorder boxes;
    auto rs = people();
    EXPECT_EQ(GetIDFromField(QStringLiteral("Ann Lee"), rs, QStringLiteral("fullname")), 4);
    EXPECT_EQ(rs->position(), 0);
    EXPECT_EQ(GetIDFromField(QStringLiteral("Bob Ray"), rs, QStringLiteral("FullName")), 7);
    EXPECT_EQ(rs->position(), 1);
    EXPECT_EQ(GetIDFromField(QStringLiteral("31"), rs, QStringLiteral("Age")), 9); // numbers compare by value
    EXPECT_TRUE(boxes.empty());
}

TEST(LookUps, NoMatchGivesMinusOneAndLeavesTheListAtItsEnd) {
    ui::MessageBoxRecorder boxes;
    auto rs = people();
    EXPECT_EQ(GetIDFromField(QStringLiteral("Cy"), rs, QStringLiteral("FullName")), -1);
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(GetIDFromField(QString(), rs, QStringLiteral("FullName")), -1); // null never matches ""
    EXPECT_EQ(GetIDFromField(QStringLiteral("x"), empty(), QStringLiteral("FullName")), -1);
    EXPECT_TRUE(boxes.empty());
}

TEST(LookUps, FieldOfTheRowWithTheId) {
    ui::MessageBoxRecorder boxes;
    auto rs = people();
    EXPECT_EQ(GetFieldFromID(12, rs, QStringLiteral("Age")), QStringLiteral("22"));
    EXPECT_EQ(rs->position(), 3);
    EXPECT_EQ(GetFieldFromID(5, rs, QStringLiteral("FullName")), QStringLiteral("-1"));
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(GetFieldFromID(4, empty(), QStringLiteral("FullName")), QStringLiteral("-1"));
    EXPECT_TRUE(boxes.empty());
}

TEST(LookUps, FieldTextIsWhatAWindowWouldShow) {
    ui::MessageBoxRecorder boxes;
    const QDateTime due(QDate(2024, 2, 1), QTime(0, 0));
    auto rs = std::make_shared<Recordset>(
        QStringList{QStringLiteral("ID"), QStringLiteral("Due"), QStringLiteral("Done"), QStringLiteral("Cost")},
        std::vector<std::vector<QVariant>>{{1, due, true, 2.5}, {2, QDate(2024, 3, 4), false, 0}});
    EXPECT_EQ(GetFieldFromID(1, rs, QStringLiteral("Due")), ui::FormatDate(due, QString()));
    EXPECT_FALSE(GetFieldFromID(2, rs, QStringLiteral("Due")).contains(QLatin1Char('T')));
    EXPECT_EQ(GetFieldFromID(1, rs, QStringLiteral("Done")), QStringLiteral("True"));
    EXPECT_EQ(GetFieldFromID(2, rs, QStringLiteral("Done")), QStringLiteral("False"));
    EXPECT_EQ(GetFieldFromID(1, rs, QStringLiteral("Cost")), QStringLiteral("2.5"));
    EXPECT_TRUE(boxes.empty());
}

TEST(LookUps, FailuresShowOneMessageAndGiveMinusOne) {
    ui::MessageBoxRecorder boxes;
    EXPECT_EQ(GetIDFromField(QStringLiteral("Ann Lee"), people(), QStringLiteral("Nickname")), -1);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().prompt.startsWith(QStringLiteral("Get ID Error: Ann Lee|")));
    EXPECT_EQ(boxes.last().flags, ui::vbOKOnly);
    EXPECT_TRUE(boxes.last().title.isEmpty());

    auto badIds = std::make_shared<Recordset>(QStringList{QStringLiteral("ID"), QStringLiteral("Name")},
                                              std::vector<std::vector<QVariant>>{{QStringLiteral("x"), QStringLiteral("A")}});
    EXPECT_EQ(GetIDFromField(QStringLiteral("A"), badIds, QStringLiteral("Name")), -1);
    EXPECT_EQ(GetIDFromField(QStringLiteral("A"), nullptr, QStringLiteral("Name")), -1);
    EXPECT_EQ(boxes.count(), 3);

    boxes.clear();
    EXPECT_EQ(GetFieldFromID(7, people(), QStringLiteral("Age")), QStringLiteral("-1")); // null at the match
    EXPECT_EQ(GetFieldFromID(7, people(), QStringLiteral("Nickname")), QStringLiteral("-1"));
    EXPECT_EQ(GetFieldFromID(7, nullptr, QStringLiteral("Age")), QStringLiteral("-1"));
    ASSERT_EQ(boxes.count(), 3);
    for (const QString& prompt : boxes.prompts())
        EXPECT_TRUE(prompt.startsWith(QStringLiteral("GetFieldFromID Error: "))) << prompt.toStdString();
}

} // namespace
} // namespace zorbel::shell
