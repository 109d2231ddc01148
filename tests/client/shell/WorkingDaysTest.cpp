// End dates from a start and a duration, and the duration boxes built on them.

#include "client/shell/AppState.h"
#include "client/shell/Zorbel5Data.h"
#include "platform/ui/MessageBox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace zorbel::shell {
namespace {

QDateTime on(int y, int m, int d, QTime time = QTime(0, 0)) { return QDateTime(QDate(y, m, d), time); }

// 1 January 2024 is a Monday.
TEST(WorkingDays, WeekendsDoNotCountButTheStartDayAlwaysDoes) {
    const QDateTime monday = on(2024, 1, 1);
    EXPECT_EQ(AddWorkingDays(monday, 1, false), monday);
    EXPECT_EQ(AddWorkingDays(monday, 5, false), on(2024, 1, 5));
    EXPECT_EQ(AddWorkingDays(monday, 6, false), on(2024, 1, 8));
    EXPECT_EQ(AddWorkingDays(monday, 15, false), on(2024, 1, 19));
    // A weekend start is day one all the same.
    EXPECT_EQ(AddWorkingDays(on(2024, 1, 6), 1, false), on(2024, 1, 6));
    EXPECT_EQ(AddWorkingDays(on(2024, 1, 6), 2, false), on(2024, 1, 8));
    EXPECT_EQ(AddWorkingDays(on(2024, 1, 7), 2, false), on(2024, 1, 8));
}

TEST(WorkingDays, SevenDayWeekAddsDurationLessOne) {
    EXPECT_EQ(AddWorkingDays(on(2024, 1, 1), 6, true), on(2024, 1, 6));
    EXPECT_EQ(AddWorkingDays(on(2024, 2, 27), 4, true), on(2024, 3, 1)); // leap day counts
}

TEST(WorkingDays, DurationBelowOneGivesTheStart) {
    const QDateTime start = on(2024, 1, 3, QTime(9, 15));
    EXPECT_EQ(AddWorkingDays(start, 0, false), start);
    EXPECT_EQ(AddWorkingDays(start, -4, true), start);
    EXPECT_EQ(AddWorkingDays(start, std::numeric_limits<qint16>::min(), false), start);
}

TEST(WorkingDays, TimeOfDayIsKept) {
    EXPECT_EQ(AddWorkingDays(on(2024, 1, 5, QTime(14, 30, 5)), 2, false), on(2024, 1, 8, QTime(14, 30, 5)));
}

class DurationBoxes : public ::testing::Test {
protected:
    void SetUp() override {
        resetState();
        state().g_dateFormat = QStringLiteral("dd/mm/yyyy");
        ConnectDurationFamily(start, end, duration, sevenDays);
        start.setText(QStringLiteral("01/01/2024"));
        end.setText(QStringLiteral("unchanged"));
    }
    void TearDown() override { resetState(); }
    void type(const QString& text) {
        duration.clear();
        QTest::keyClicks(&duration, text);
    }

    QLineEdit start, end, duration;
    QCheckBox sevenDays{QStringLiteral("7 Day Week")};
    ui::MessageBoxRecorder boxes;
};

TEST_F(DurationBoxes, EveryKeystrokeAndTheCheckBoxRecomputeTheEnd) {
    QTest::keyClicks(&duration, QStringLiteral("1"));
    EXPECT_EQ(end.text(), QStringLiteral("01/01/2024"));
    QTest::keyClicks(&duration, QStringLiteral("1"));
    EXPECT_EQ(end.text(), QStringLiteral("15/01/2024")); // 11 working days
    sevenDays.setChecked(true);
    EXPECT_EQ(end.text(), QStringLiteral("11/01/2024"));
    sevenDays.setChecked(false);
    EXPECT_EQ(end.text(), QStringLiteral("15/01/2024"));
}

TEST_F(DurationBoxes, DecimalsRoundHalfToEven) {
    type(QStringLiteral("2.5"));
    EXPECT_EQ(end.text(), QStringLiteral("02/01/2024"));
    type(QStringLiteral("3.5"));
    EXPECT_EQ(end.text(), QStringLiteral("04/01/2024"));
}

TEST_F(DurationBoxes, UnreadableInputLeavesTheEndAlone) {
    for (const QString& text : {QStringLiteral("x"), QStringLiteral("70000"), QStringLiteral("-"), QStringLiteral("1e9")}) {
        duration.setText(text);
        EXPECT_EQ(end.text(), QStringLiteral("unchanged")) << text.toStdString();
    }
    type(QStringLiteral("3"));
    duration.clear(); // deleting the last digit
    EXPECT_EQ(end.text(), QStringLiteral("03/01/2024"));

    end.setText(QStringLiteral("unchanged"));
    for (const QString& text : {QString(), QStringLiteral("31/02/2024"), QStringLiteral("soon")}) {
        start.setText(text);
        type(QStringLiteral("4"));
        sevenDays.toggle();
        EXPECT_EQ(end.text(), QStringLiteral("unchanged")) << text.toStdString();
    }
    EXPECT_TRUE(boxes.empty());
}

} // namespace
} // namespace zorbel::shell
