#include "client/risks/RiskRules.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <limits>

namespace zorbel::risks {
namespace {

class RiskRules : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(m_locale); }

private:
    QLocale m_locale;
};

// A box either holds a number within its range or counts as empty: a refused
// or half-typed entry must never be scored or saved.
TEST_F(RiskRules, BoxesScoreOnlyNumbersWithinTheirRange) {
    const struct {
        const char* level;
        const char* probability;
        const char* score;
    } cases[] = {{"2.5", "1", "2.5"}, {"10", "1", "10."},  {"0", "0.7", "."},    {"3.5", "0.75", "2.63"},
                 {".5", ".5", ".25"}, {" 8 ", "0.5", "4."}, {"5.", "0.5", "2.5"}, {"", "0.5", "0.0"},
                 {"5", "", "0.0"},    {".", "0.5", "0.0"},  {"10.1", "1", "0.0"}, {"5", "1.01", "0.0"},
                 {"-1", "0.5", "0.0"}, {"abc", "0.5", "0.0"}, {"nan", "0.5", "0.0"}, {"inf", "0.5", "0.0"}};
    for (const auto& c : cases)
        EXPECT_EQ(scoreText(riskValue(QString::fromLatin1(c.level), QString::fromLatin1(c.probability))),
                  QString::fromLatin1(c.score))
            << c.level << " x " << c.probability;

    // OK: an empty box saves 0, anything outside the range is refused.
    EXPECT_EQ(savedValue(QString(), kLevelRange), 0.0);
    EXPECT_EQ(savedValue(QStringLiteral("10"), kLevelRange), 10.0);
    EXPECT_EQ(savedValue(QStringLiteral("1"), kProbabilityRange), 1.0);
    for (const char* refused : {"11", "abc", ".", "-0.5", "1e400"})
        EXPECT_FALSE(savedValue(QString::fromLatin1(refused), kLevelRange)) << refused;
    EXPECT_FALSE(savedValue(QStringLiteral("1.01"), kProbabilityRange));
    // Typing may start with the point.
    EXPECT_TRUE(awaitingDigits(QStringLiteral(".")));
    EXPECT_TRUE(awaitingDigits(QString()));
    EXPECT_FALSE(awaitingDigits(QStringLiteral(".5")));
}

// Box and bar follow each other: a value goes to the bar's nearest step
// (halves to even) and the bar writes its step back, which maps to itself.
TEST_F(RiskRules, BarsAndBoxesSettleOnTheSameStep) {
    EXPECT_EQ(barForLevel(4.25), 58);
    EXPECT_EQ(boxText(levelAtBar(58)), QStringLiteral("4.2"));
    EXPECT_EQ(barForProbability(0.125), 88);
    EXPECT_EQ(boxText(probabilityAtBar(55)), QStringLiteral("0.45"));
    EXPECT_EQ(boxText(levelAtBar(0)), QStringLiteral("10"));
    for (int bar = 0; bar <= 100; ++bar) {
        EXPECT_EQ(barForLevel(levelAtBar(bar)), bar);
        EXPECT_EQ(barForProbability(probabilityAtBar(bar)), bar);
    }
}

TEST_F(RiskRules, ColourRunsFromGreenToRedWithinTheColourRange) {
    // 0 and 10 reach 256 in one component, held to 255; 5/256, 15/256 and
    // 25/256 make red 0.5, 1.5 and 2.5, whose halves go to the even neighbour.
    const struct {
        double value;
        int red;
        int green;
    } cases[] = {{0, 0, 255},          {10, 255, 0},         {5, 128, 128},        {2.5, 64, 192},
                 {4, 102, 154},        {1, 26, 230},         {5.0 / 256, 0, 255},  {15.0 / 256, 2, 254},
                 {25.0 / 256, 2, 254}, {-3, 0, 255},         {1e300, 255, 0},
                 {std::numeric_limits<double>::quiet_NaN(), 0, 255}};
    for (const auto& c : cases) {
        const QColor colour = GetRiskColour(c.value);
        EXPECT_EQ(colour.red(), c.red) << c.value;
        EXPECT_EQ(colour.green(), c.green) << c.value;
        EXPECT_EQ(colour.blue(), 0) << c.value;
    }
}

} // namespace
} // namespace zorbel::risks
