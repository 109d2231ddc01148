#include "platform/ui/NumberText.h"

#include <QLocale>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <limits>

using namespace zorbel::ui;

// Scores are read by people and sorted by eye: a lost point, a leading zero
// or a half rounded the wrong way shows a different risk than the one stored.
TEST(NumberText, DigitPlacesPointAndRoundingFollowThePattern)
{
    const QLocale old;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const struct {
        double value;
        const char *pattern;
        const char *text;
    } cases[] = {
        {6.25, "##.##", "6.25"},
        {2.5, "##.##", "2.5"},
        {0.25, "##.##", ".25"},
        {6, "##.##", "6."},
        {0, "##.##", "."},
        {10, "##.##", "10."},
        {3.5 * 0.75, "##.##", "2.63"},   // 2.625: the half goes away from zero
        {2.675, "##.##", "2.68"},        // the double lies below 2.675; the shown number does not
        {0.995, "##.##", "1."},          // the carry reaches the whole part
        {99.999, "##.##", "100."},       // and adds a digit
        {0.1 * 3, "##.##", ".3"},
        {-2.625, "##.##", "-2.63"},
        {-0.001, "##.##", "."},          // no sign on a zero
        {1.0 / 3, "##.###", ".333"},
        {2.0 / 3, "##.###", ".667"},
        {8 * 0.5, "##.###", "4."},
        {1234567.891, "##.##", "1234567.89"},
        {1e20, "##.##", "100000000000000000000."},
        {2.5, "0.00", "2.50"},
        {0.25, "0.0#", "0.25"},
        {2.5, "##", "3"},
        {0.4, "##", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatNumber(c.value, QString::fromLatin1(c.pattern)), QString::fromLatin1(c.text))
            << c.value << " " << c.pattern;

    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN(), QStringLiteral("##.##")), QString());
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), QStringLiteral("##.##")), QString());

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FormatNumber(6.25, QStringLiteral("##.##")), QStringLiteral("6,25"));
    QLocale::setDefault(old);
}
