#include "client/shell/HeaderBlock.h"

#include "client/shell/AppState.h"
#include "client/shell/Dates.h"
#include "client/shell/Placing.h"

namespace zorbel::shell {

namespace {

struct LevelNames {
    const char* caption;
    const char* captionName;
    const char* name;
    const char* start;
    const char* end;
};

constexpr LevelNames kLevels[] = {
    {"Project", "lblProject", "txtProjectName", "txtStart", "txtEnd"},
    {"Deliverable", "lblDeliverable", "txtDeliverableName", "txtDeliverableStart", "txtDeliverableEnd"},
    {"Task", "lblTask", "txtTaskName", "txtTaskStart", "txtTaskEnd"},
    {"Action", "lblAction", "txtAction", "txtActionStart", "txtActionEnd"},
};

} // namespace

HeaderBlock::HeaderBlock(QWidget& window, Level deepest, int left, int top)
    : m_levels(static_cast<int>(deepest) + 1), m_top(top) {
    for (int k = 0; k < m_levels; ++k) {
        const LevelNames& n = kLevels[k];
        const int y = top + k * LineTwips;
        placeLabel(&window, QLatin1String(n.caption), left, y, 1000, n.captionName);
        Line& line = m_lines[static_cast<size_t>(k)];
        line.name = placeLabel(&window, QString(), left + 1080, y, 4200, n.name);
        line.start = placeLabel(&window, QString(), left + 5480, y, 1500, n.start);
        line.end = placeLabel(&window, QString(), left + 7180, y, 1500, n.end);
    }
}

void HeaderBlock::showCurrent() {
    const auto& s = state();
    const struct {
        const QString& name;
        const QDateTime& start;
        const QDateTime& end;
    } current[] = {
        {s.g_currentProjectName, s.g_projectStart, s.g_projectEnd},
        {s.g_currentDeliverableName, s.g_deliverableStart, s.g_deliverableEnd},
        {s.g_currentTaskName, s.g_taskStart, s.g_taskEnd},
        {s.g_currentActionName, s.g_actionStart, s.g_actionEnd},
    };
    for (int k = 0; k < m_levels; ++k)
        show(static_cast<Level>(k), current[k].name, current[k].start, current[k].end);
}

void HeaderBlock::show(Level level, const QString& name, const QDateTime& start, const QDateTime& end) {
    if (static_cast<int>(level) >= m_levels)
        return;
    m_lines[static_cast<size_t>(level)].name->setText(name);
    showStart(level, start);
    showEnd(level, end);
}

void HeaderBlock::showStart(Level level, const QDateTime& start) {
    if (static_cast<int>(level) < m_levels)
        m_lines[static_cast<size_t>(level)].start->setText(FormatShown(start));
}

void HeaderBlock::showEnd(Level level, const QDateTime& end) {
    if (static_cast<int>(level) < m_levels)
        m_lines[static_cast<size_t>(level)].end->setText(FormatShown(end));
}

} // namespace zorbel::shell
