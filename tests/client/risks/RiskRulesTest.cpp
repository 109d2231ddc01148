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
    } cases[] = {
        {"2.5", "1", "2.5"},   {"10", "1", "10."},   {"5", "0.5", "2.5"},   {"0", "0.7", "."},
        {"6", "1", "6."},      {"3.5", "0.75", "2.63"}, {".5", ".5", ".25"}, {" 8 ", "0.5", "4."},
        {"", "0.5", "0.0"},    {"5", "", "0.0"},     {".", "0.5", "0.0"},   {"10.1", "1", "0.0"},
        {"5", "1.01", "0.0"},  {"-1", "0.5", "0.0"}, {"abc", "0.5", "0.0"}, {"nan", "0.5", "0.0"},
        {"inf", "0.5", "0.0"}, {"5.", "0.5", "2.5"},
    };
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
    const struct {
        double level;
        int bar;
        const char* back;
    } levels[] = {{4.25, 58, "4.2"}, {0.5, 95, "0.5"}, {10, 0, "10"}, {0, 100, "0"}, {6.3, 37, "6.3"}, {4.35, 56, "4.4"}};
    for (const auto& c : levels) {
        EXPECT_EQ(barForLevel(c.level), c.bar) << c.level;
        EXPECT_EQ(boxText(levelAtBar(c.bar)), QString::fromLatin1(c.back)) << c.level;
    }
    const struct {
        double probability;
        int bar;
        const char* back;
    } probabilities[] = {{0.45, 55, "0.45"}, {0.125, 88, "0.12"}, {1, 0, "1"}, {0, 100, "0"}, {0.07, 93, "0.07"}};
    for (const auto& c : probabilities) {
        EXPECT_EQ(barForProbability(c.probability), c.bar) << c.probability;
        EXPECT_EQ(boxText(probabilityAtBar(c.bar)), QString::fromLatin1(c.back)) << c.probability;
    }
    for (int bar = 0; bar <= 100; ++bar) {
        EXPECT_EQ(barForLevel(levelAtBar(bar)), bar);
        EXPECT_EQ(barForProbability(probabilityAtBar(bar)), bar);
    }
}

TEST_F(RiskRules, ColourRunsFromGreenToRedWithinTheColourRange) {
    const struct {
        double value;
        int red;
        int green;
    } cases[] = {
        {0, 0, 255},           // green 256 held to 255
        {10, 255, 0},          // red 256 held to 255
        {5, 128, 128},         {2.5, 64, 192},        {4, 102, 154},  {2, 51, 205}, {1, 26, 230},
        {5.0 / 256, 0, 255},   // 0.5: the half goes to even 0 (green 256, held)
        {15.0 / 256, 2, 254},  // 1.5 -> 2
        {25.0 / 256, 2, 254},  // 2.5 -> 2
        {-3, 0, 255},          {100, 255, 0},         {1e300, 255, 0},
        {std::numeric_limits<double>::quiet_NaN(), 0, 255},
    };
    for (const auto& c : cases) {
        const QColor colour = GetRiskColour(c.value);
        EXPECT_EQ(colour.red(), c.red) << c.value;
        EXPECT_EQ(colour.green(), c.green) << c.value;
        EXPECT_EQ(colour.blue(), 0) << c.value;
    }
}

} // namespace
} // namespace zorbel::risks
