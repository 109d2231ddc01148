#pragma once
// The header of a window that works below the project: one line for the
// current project and, under it, one for the current deliverable, task and
// action down to the level the window needs, each with its name, start and
// end in the configured date pattern. The editors of deliverables, tasks,
// actions and progress entries show it; the new-project wizard's pages show
// the project line with the project they have just created.
//
// A window gives the deepest level it shows and where the block starts; the
// labels are the window's children, named as the window names them
// (txtProjectName, txtStart, txtEnd; txtDeliverableName, txtDeliverableStart,
// txtDeliverableEnd; txtTaskName, txtTaskStart, txtTaskEnd; txtAction,
// txtActionStart, txtActionEnd), so code and tests reach them by name.

#include <QDateTime>
#include <QString>
#include <array>

class QLabel;
class QWidget;

namespace zorbel::shell {

class HeaderBlock {
public:
    enum Level { Project, Deliverable, Task, Action };
    // Height of one line, in twips.
    static constexpr int LineTwips = 390;

    // Places the caption and the three labels of every level from the project
    // down to `deepest`, one line each, from (left, top) in twips.
    HeaderBlock(QWidget& window, Level deepest, int left, int top);

    // Shows the current selection of the application state, every level the block has.
    void showCurrent();
    // Shows one level's name and dates (an invalid date shows as empty).
    void show(Level level, const QString& name, const QDateTime& start, const QDateTime& end);
    // Changes one shown date, as after a Yes to a project-date question.
    void showStart(Level level, const QDateTime& start);
    void showEnd(Level level, const QDateTime& end);

    // Twips below the top of the block: where the window's own controls may start.
    int bottom() const { return m_top + m_levels * LineTwips; }

private:
    struct Line {
        QLabel* name = nullptr;
        QLabel* start = nullptr;
        QLabel* end = nullptr;
    };
    std::array<Line, 4> m_lines{};
    int m_levels = 0;
    int m_top = 0;
};

} // namespace zorbel::shell
