#pragma once
// The rules of risk scoring, free of windows: how a level and a probability
// are read from their boxes, how they map to the two bars, the score's text
// and its colour. The risk dialog's lamp and the register's value cells take
// their colour from the same function, so a risk looks the same in both.

#include <QColor>
#include <QString>
#include <optional>

namespace zorbel::risks {

// One of the two scored quantities: its upper limit (the lower is 0) and the
// message that refuses anything else.
struct ScoreRange {
    double upper;
    const char* message;
};
inline constexpr ScoreRange kLevelRange{10.0, "Risk Value must be in the range 0 to 10"};
inline constexpr ScoreRange kProbabilityRange{1.0, "Probability must be in the range 0 to 1"};

// How the score is written on screen.
inline constexpr const char* kScorePattern = "##.##";
// The score's text while either box holds no number.
inline constexpr const char* kNoScore = "0.0";

// The register a window works on, by the navigation code it was opened from:
// the current project's own risks, the current task's, or neither.
enum class RegisterLevel { Other, Project, Task };
RegisterLevel registerLevelFor(int navCode);
// Whether the user may escalate a task's risk: it becomes a risk of the
// project's own register, so it needs what that register's Add needs (with
// per-project rights on, a project level of 4 or more), whatever the task
// level that let him edit the risk.
bool mayEscalate(qint16 cfgProjectAdmin, qint16 projectLevel);

// The box's number when it is one within the range (limits included);
// nothing for an empty box or any other text.
std::optional<double> numberInRange(const QString& text, const ScoreRange& range);
// Whether a box holds nothing to read yet: empty, or a lone decimal point
// typed as the start of a number.
bool awaitingDigits(const QString& text);
// The value OK saves from a box: 0 for an empty box, the number when it is
// one within the range, nothing (refused) otherwise.
std::optional<double> savedValue(const QString& text, const ScoreRange& range);

// The score of two boxes, level x probability; nothing while either is not
// a number within its range (it then counts as empty, so no half-typed or
// refused entry is ever scored).
std::optional<double> riskValue(const QString& levelText, const QString& probabilityText);
// A score as it is written, or "0.0" for none.
QString scoreText(std::optional<double> value);

// The bars run from 0 at the top (the highest value) to 100 at the bottom, so
// a level moves in steps of 0.1 and a probability in steps of 0.01. A value
// goes to the nearest step, halves to the even one (4.25 sits at 58).
int barForLevel(double level);
int barForProbability(double probability);
double levelAtBar(int bar);
double probabilityAtBar(int bar);
// A bar's value as a box shows it: the shortest decimal text, in the locale.
QString boxText(double value);

// The colour of a score: red grows with it and green shrinks, from green at
// 0 through olive to red at 10. Red is the score x 25.6 rounded (halves to
// even), green 256 less that; each is then held within 0 to 255, so 0 and 10
// give full green and full red, not an overflowed black.
QColor GetRiskColour(double value);

} // namespace zorbel::risks
