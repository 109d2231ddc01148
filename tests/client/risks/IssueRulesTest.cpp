#include "client/risks/IssueRules.h"

#include <gtest/gtest.h>

namespace zorbel::risks {
namespace {

TEST(IssueRulesTest, EveryOrderEntryGivesItsClauseAndAnythingElseOrdersByID) {
    ASSERT_EQ(issueOrderCaptions().size(), 9);
    const struct {
        int index;
        const char* caption;
        const char* clause;
    } cases[] = {
        {0, "Reference", "IssueReference"}, {1, "Issue Date", "IssueDate"},
        {2, "Latest Issue First", "IssueDate DESC"}, {3, "Issue", "Issue"},
        {4, "Owner", "OwnerID"},            {5, "Status", "StatusID DESC"},
        {6, "Severity", "SeverityID DESC"}, {7, "Urgency", "UrgencyID DESC"},
        {8, "Schedule", "ScheduleID DESC"}, {-1, nullptr, "IssueID"},
        {9, nullptr, "IssueID"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(issueOrderClause(c.index), QLatin1String(c.clause));
        if (c.caption) {
            EXPECT_EQ(issueOrderCaptions().at(c.index), QLatin1String(c.caption));
        }
    }
}

TEST(IssueRulesTest, AGroupNameIsComparedAsItWouldBeStored) {
    const QString full(50, QLatin1Char('g'));
    const struct {
        QString typed;
        QString stored;
    } cases[] = {
        {QStringLiteral("  Design  "), QStringLiteral("Design")},
        {QStringLiteral("O'Brien's"), QStringLiteral("OBriens")},
        {QStringLiteral("' Spaced '"), QStringLiteral("Spaced")},
        {QStringLiteral("'''"), QString()},
        {full + QStringLiteral("tail"), full},
        {QString(49, QLatin1Char('a')) + QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("z"),
         QString(49, QLatin1Char('a')) + QString::fromUtf8("\xF0\x9F\x98\x80")},
        {QStringLiteral("Si") + QChar(u'\0') + QStringLiteral("te"), QStringLiteral("Site")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        EXPECT_EQ(storedGroupName(c.typed), c.stored);
    }
}

} // namespace
} // namespace zorbel::risks
