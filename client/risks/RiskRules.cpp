#include "client/risks/RiskRules.h"

#include "client/shell/NavCodes.h"
#include "client/shell/Rights.h"
#include "client/shell/Values.h"
#include "platform/ui/NumberText.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace zorbel::risks {

namespace {

// The nearest whole number, halves to the even one (the default rounding).
int roundedToEven(double value) {
    return static_cast<int>(std::nearbyint(std::clamp(value, -32768.0, 32767.0)));
}

} // namespace

RegisterLevel registerLevelFor(int navCode) {
    namespace nav = shell::nav;
    switch (navCode) {
    case nav::AnalyseProjectRisks:
    case nav::ImplementProjectRisks: return RegisterLevel::Project;
    case nav::AnalyseTaskRisks:
    case nav::ImplementTaskRisks: return RegisterLevel::Task;
    default: return RegisterLevel::Other;
    }
}

bool mayEscalate(qint16 cfgProjectAdmin, qint16 projectLevel) {
    return shell::rightsFor(cfgProjectAdmin, projectLevel).add == 0;
}

std::optional<double> numberInRange(const QString& text, const ScoreRange& range) {
    const auto value = shell::decimalOf(text);
    if (!value || *value < 0.0 || *value > range.upper)
        return std::nullopt;
    return value;
}

bool awaitingDigits(const QString& text) {
    return text.isEmpty() || text == QString(QLocale().decimalPoint()) || text == QLatin1String(".");
}

std::optional<double> savedValue(const QString& text, const ScoreRange& range) {
    if (text.trimmed().isEmpty())
        return 0.0;
    return numberInRange(text, range);
}

std::optional<double> riskValue(const QString& levelText, const QString& probabilityText) {
    const auto level = numberInRange(levelText, kLevelRange);
    const auto probability = numberInRange(probabilityText, kProbabilityRange);
    if (!level || !probability)
        return std::nullopt;
    return *level * *probability;
}

QString scoreText(std::optional<double> value) {
    return value ? ui::FormatNumber(*value, QString::fromLatin1(kScorePattern)) : QString::fromLatin1(kNoScore);
}

int barForLevel(double level) {
    return roundedToEven(100.0 - level * 10.0);
}

int barForProbability(double probability) {
    return roundedToEven(100.0 - probability * 100.0);
}

double levelAtBar(int bar) {
    return (100 - bar) / 10.0;
}

double probabilityAtBar(int bar) {
    return (100 - bar) / 100.0;
}

QString boxText(double value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', QLocale::FloatingPointShortest);
}

QColor GetRiskColour(double value) {
    const int red = roundedToEven(std::isnan(value) ? 0.0 : value * 25.6);
    const int green = 256 - red;
    return QColor(std::clamp(red, 0, 255), std::clamp(green, 0, 255), 0);
}

} // namespace zorbel::risks
