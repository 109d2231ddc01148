#include "bench/xlsx/ReportPlan.h"

#include <QDate>

namespace zorbel::bench::xlsx {

namespace {
constexpr int kTasks = 10, kActions = 5, kProgress = 4;
constexpr int kTimelineDays = 200, kTeam = 10;

QString date(int day) { return QDate(2026, 1, 5).addDays(day).toString("dd/MM/yyyy"); }
QString text(const char* what, const QString& chain)
{
    return QStringLiteral("%1 %2: a line of text as long as the ones people type").arg(QLatin1String(what), chain);
}

PlannedRow header(int row, Header kind, std::initializer_list<const char*> texts)
{
    PlannedRow planned{row, kind, {}};
    int column = headerStyle(kind).first;
    for (const char* t : texts)
        planned.cells.push_back({column++, QString::fromLatin1(t)});
    return planned;
}
} // namespace

HeaderStyle headerStyle(Header header)
{
    switch (header) {
    case Header::Info: return {2, 10, 41, true, false};
    case Header::Team: return {4, 9, 41, true, false};
    case Header::Milestones: return {2, 4, 41, true, false};
    case Header::Deliverable: return {2, 9, 37, false, false};
    case Header::Task: return {4, 10, 33, false, true};
    case Header::Action: return {4, 9, 37, false, true};
    case Header::Progress: return {4, 7, 34, false, true};
    case Header::Risk: return {2, 11, 33, false, true};
    case Header::None: break;
    }
    return {0, 0, 0, false, false};
}

ReportPlan makeReportPlan(int deliverables)
{
    ReportPlan plan;
    plan.info.push_back(header(2, Header::Info, {"Date", "WBS", "Project Name", "Reference No", "Description",
                                                 "Owner", "Start Date", "End Date", "Status"}));
    plan.info.push_back({3, Header::None, {{2, "05/01/2026 09:30"}, {3, 1.0}, {4, "Bridge Works"}, {5, "BW-001"},
                                           {6, text("Project", "1")}, {7, "Ann Lee"}, {8, date(0)},
                                           {9, date(kTimelineDays)}, {10, "Open"}}});
    plan.info.push_back(header(6, Header::Team, {"Name", "Title", "Company", "email", "Telephone", "Mobile"}));
    for (int m = 0; m < kTeam; ++m)
        plan.info.push_back({7 + m, Header::None, {{4, QStringLiteral("Member %1").arg(m)}, {5, "Engineer"},
                                                   {6, "Bridge Co"}, {7, QStringLiteral("m%1@example.org").arg(m)},
                                                   {8, "01234 567890"}, {9, "07700 900000"}}});

    plan.milestones.push_back(header(2, Header::Milestones, {"Milestones", "Description", "Date"}));
    for (int m = 0; m < 20; ++m)
        plan.milestones.push_back({3 + m, Header::None, {{3, text("Milestone", QString::number(m + 1))}, {4, date(m * 10)}}});

    auto deliverableRow = [](int row, int d) {
        const QString chain = QStringLiteral("1.%1").arg(d);
        return PlannedRow{row, Header::None, {{2, chain}, {3, text("Deliverable", chain)}, {4, d % 2 ? "Yes" : "No"},
                                              {5, text("Metric", chain)}, {6, "Ann Lee"}, {7, "Open"},
                                              {8, date(d)}, {9, date(d + 60)}}};
    };
    plan.deliverables.push_back(header(2, Header::Deliverable, {"WBS", "Deliverable", "CSF", "Metric", "Owner",
                                                                "Status", "Start Date", "End Date"}));
    for (int d = 1; d <= deliverables; ++d)
        plan.deliverables.push_back(deliverableRow(2 + d, d));

    // Risks: the project's group, then every fourth task's.
    int row = 1;
    auto riskGroup = [&](const char* title, const QString& label, int count) {
        plan.risks.push_back(header(++row, Header::Risk, {title, "!", "Risk Type", "Risk", "Impact", "Mitigation",
                                                          "Owner", "(R)", "(P)", "Note"}));
        for (int r = 0; r < count; ++r) {
            const double level = 1 + r, probability = 0.5 * (r + 1);
            plan.risks.push_back({++row, Header::None, {{2, label}, {3, QString::number(level * probability) + "."},
                                                        {4, "Technical"}, {5, text("Risk", label)},
                                                        {6, text("Impact", label)}, {7, text("Mitigation", label)},
                                                        {8, "Ann Lee"}, {9, level}, {10, probability},
                                                        {11, text("Note", label)}}});
        }
    };
    riskGroup("Project", "1: Bridge Works", 5);
    for (int d = 1; d <= deliverables; ++d)
        for (int t = 1; t <= kTasks; ++t)
            riskGroup("Task", QStringLiteral("1.%1.%2: Task %1.%2").arg(d).arg(t), 3);

    // Detail: every level under its header, repeated as the walk repeats it.
    row = 0;
    auto detailHeader = [&](int at, Header kind) {
        switch (kind) {
        case Header::Deliverable:
            plan.detail.push_back(header(at, kind, {"WBS", "Deliverable", "CSF", "Metric", "Owner", "Status",
                                                    "Start Date", "End Date"}));
            break;
        case Header::Task:
            plan.detail.push_back(header(at, kind, {"WBS", "Task", "Owner", "Status", "Start Date", "End Date",
                                                    "Dependency"}));
            break;
        case Header::Action:
            plan.detail.push_back(header(at, kind, {"WBS", "Action", "Owner", "Status", "Start Date", "End Date"}));
            break;
        default:
            plan.detail.push_back(header(at, kind, {"WBS", "Progress", "Owner", "Date"}));
        }
        return at;
    };
    for (int d = 1; d <= deliverables; ++d) {
        row = detailHeader(row + 2, Header::Deliverable);
        plan.detail.push_back(deliverableRow(++row, d));
        for (int t = 1; t <= kTasks; ++t) {
            row = detailHeader(row + 1, Header::Task);
            const QString task = QStringLiteral("1.%1.%2").arg(d).arg(t);
            plan.detail.push_back({++row, Header::None, {{4, task}, {5, text("Task", task)}, {6, "Ann Lee"},
                                                         {7, "Open"}, {8, date(t)}, {9, date(t + 20)},
                                                         {10, t > 1 ? text("Task", task) : QString()}}});
            for (int a = 1; a <= kActions; ++a) {
                row = detailHeader(row + 1, Header::Action);
                const QString action = task + QStringLiteral(".%1").arg(a);
                plan.detail.push_back({++row, Header::None, {{4, action}, {5, text("Action", action)},
                                                             {6, "Ann Lee"}, {7, "Open"}, {8, date(a)},
                                                             {9, date(a + 5)}}});
                row = detailHeader(row + 1, Header::Progress);
                for (int p = 1; p <= kProgress; ++p) {
                    const QString entry = action + QStringLiteral(".%1").arg(p);
                    plan.detail.push_back({++row, Header::None, {{4, entry}, {5, text("Progress", entry)},
                                                                 {6, "Ann Lee"}, {7, date(a + p)}}});
                }
            }
        }
    }

    // Timeline: the project row, then every record of the walk in breakdown
    // order, each with its bar: spans of weeks for deliverables and tasks,
    // days for actions, one day for a progress entry.
    for (int day = 0; day < kTimelineDays; ++day) {
        plan.days.push_back(date(day));
        plan.weekend.push_back(QDate(2026, 1, 5).addDays(day).dayOfWeek() >= 6);
    }
    const int lastColumn = 3 + kTimelineDays - 1;
    plan.timeline.push_back({2, Header::None, {{1, "1"}, {2, "Bridge Works"}}});
    plan.bars.push_back({2, 3, lastColumn, 41});
    row = 2;
    auto record = [&](const QString& chain, const char* what, int firstDay, int days, int fill) {
        plan.timeline.push_back({++row, Header::None, {{1, chain}, {2, text(what, chain)}}});
        plan.bars.push_back({row, 3 + firstDay, std::min(lastColumn, 3 + firstDay + days), fill});
    };
    for (int d = 1; d <= deliverables; ++d) {
        const QString deliverable = QStringLiteral("1.%1").arg(d);
        record(deliverable, "Deliverable", d * 3, 60, 37);
        for (int t = 1; t <= kTasks; ++t) {
            const QString task = deliverable + QStringLiteral(".%1").arg(t);
            record(task, "Task", d * 3 + t, 20, 33);
            for (int a = 1; a <= kActions; ++a) {
                const QString action = task + QStringLiteral(".%1").arg(a);
                record(action, "Action", d * 3 + t + a, 5, 37);
                for (int p = 1; p <= kProgress; ++p)
                    record(action + QStringLiteral(".%1").arg(p), "Progress", d * 3 + t + a + p % 7, 0, 34);
            }
        }
    }
    return plan;
}

} // namespace zorbel::bench::xlsx
