#pragma once
// The cells of a six-sheet project report of a realistic size, worked out
// once so that both writers of the benchmark write exactly the same thing.
#include <QString>
#include <QVariant>
#include <utility>
#include <vector>

namespace zorbel::bench::xlsx {

// The coloured header rows of the report's tables.
enum class Header {
    None,
    Info,         // Project Info: B..J on 41, white font
    Team,         // Project Info team block: D..I on 41, white font
    Milestones,   // B..D on 41, white font through the row
    Deliverable,  // B..I on 37
    Task,         // D..J on 33
    Action,       // D..I on 37
    Progress,     // D..G on 34
    Risk,         // B..K on 33
};

struct HeaderStyle {
    int first, last;  // columns
    int fill;
    bool whiteFont;
    bool alignmentCalls;  // the writer also resets orientation, indent and the like
};
HeaderStyle headerStyle(Header header);

struct PlannedRow {
    int row = 0;
    Header header = Header::None;
    std::vector<std::pair<int, QVariant>> cells;  // column, text or number
};

struct Bar {
    int row, first, last, fill;
};

struct ReportPlan {
    std::vector<PlannedRow> info, milestones, deliverables, risks, detail;
    std::vector<PlannedRow> timeline;    // rows 2 on: WBS chain and name
    std::vector<QString> days;           // row 1 from column C
    std::vector<bool> weekend;
    std::vector<Bar> bars;               // the project bar first
};

/// 20 deliverables x 10 tasks x 5 actions x 4 progress entries, a team of 10,
/// 20 milestones, 5 project risks and 3 risks on every task, and a 200-day
/// timeline of the whole walk (5,221 rows, a bar on each). Fewer deliverables
/// give the same shape, smaller: every kind of row, header repeat and bar.
inline constexpr int kReportDeliverables = 20;
ReportPlan makeReportPlan(int deliverables = kReportDeliverables);

} // namespace zorbel::bench::xlsx
