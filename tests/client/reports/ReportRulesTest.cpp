#include "client/reports/ReportRules.h"

#include <gtest/gtest.h>

namespace zorbel::reports {
namespace {

QDate march(int day) { return QDate(2026, 3, day); }

TEST(ReportRules, SpansAreClippedToTheWindowByCalendarDay) {
    struct Case {
        QDate start, end;
        TimelineSpan expected;
    };
    // The window runs from 5 to 9 March: columns 3 to 7.
    const Case cases[] = {
        {march(5), march(9), {3, 7, 4}},
        {march(1), march(31), {3, 7, 4}},    // both ends cut
        {march(6), march(8), {4, 6, 2}},
        {march(1), march(5), {3, 3, 0}},     // touches the first day
        {march(9), march(20), {7, 7, 0}},    // starts on the last day
        {march(1), march(4), {0, 0, -1}},    // wholly before
        {march(10), march(12), {0, 0, -1}},  // wholly after
        {march(8), march(6), {6, 4, -2}},    // ends before it starts: no bar
        {QDate(), march(6), {0, 0, -1}},     // no start date
        {march(6), QDate(), {0, 0, -1}},
    };
    for (const Case& c : cases) {
        const TimelineSpan span = ClipSpanToWindow(c.start, c.end, march(5), march(9));
        EXPECT_EQ(span.FirstColumn, c.expected.FirstColumn) << c.start.day() << ".." << c.end.day();
        EXPECT_EQ(span.LastColumn, c.expected.LastColumn) << c.start.day() << ".." << c.end.day();
        EXPECT_EQ(span.DaySpan, c.expected.DaySpan) << c.start.day() << ".." << c.end.day();
        EXPECT_EQ(hasBar(span), c.expected.DaySpan >= 0);
    }
    // A window that ends before it starts holds no day at all.
    EXPECT_FALSE(hasBar(ClipSpanToWindow(march(5), march(9), march(9), march(5))));
    EXPECT_EQ(ClipSpanToWindow(march(5), march(5), march(5), march(5)).LastColumn, 3);
}

TEST(ReportRules, ChainsKeepAnEmptyElementForAMissingWBS) {
    EXPECT_EQ(wbsChain({wbsText(1), wbsText(2), wbsText(3)}), QStringLiteral("1.2.3"));
    EXPECT_EQ(wbsChain({wbsText(1), wbsText(QVariant()), wbsText(3)}), QStringLiteral("1..3"));
    EXPECT_EQ(wbsChain({wbsText(1), wbsText(10)}), QStringLiteral("1.10"));
    EXPECT_EQ(wbsChain({wbsText(QVariant())}), QString());
}

TEST(ReportRules, ValuesAsTheSheetsShowThem) {
    EXPECT_EQ(csfText(1), QStringLiteral("Yes"));
    EXPECT_EQ(csfText(0), QStringLiteral("No"));
    EXPECT_EQ(csfText(-1), QStringLiteral("No"));
    EXPECT_FALSE(csfText(QVariant()));
    EXPECT_EQ(riskValueText(5, 0.5), QStringLiteral("2.5"));
    EXPECT_EQ(riskValueText(1, 0.35), QStringLiteral(".35"));
    EXPECT_EQ(riskValueText(5, 2), QStringLiteral("10."));
    EXPECT_EQ(riskValueText(0, 3), QStringLiteral("."));
    EXPECT_EQ(riskValueText(1, 0.12345), QStringLiteral(".123"));
}

} // namespace
} // namespace zorbel::reports
