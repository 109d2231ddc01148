#pragma once
// The rules of the project report that need no workbook and no window: which
// sheets a report holds, how long a timeline may be, where a record's bar
// falls in the timeline, how WBS numbers chain and how a few values read.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <initializer_list>
#include <optional>

namespace zorbel::reports {

// Which optional sheets the report dialog's boxes ask for.
struct SheetChoice {
    bool milestones = true;
    bool deliverables = true;
    bool risks = true;
    bool timeline = false;
};

// The report's sheets in workbook order: "Project Info" and "Detail" always,
// the others as chosen.
QStringList reportSheetNames(const SheetChoice& choice);

// A timeline has one narrow column per day from column C; beyond this many
// days it no longer fits what a reader can take in (nor the classic column limit).
inline constexpr qint32 kTimelineDayLimit = 252;
// The window's length in days, end minus start (negative when the end comes
// first); nothing when either date is missing.
std::optional<qint32> windowDays(const QDate& first, const QDate& last);
// Whether a report with this window length is refused. Only a long window
// is: a negative one simply draws no day columns.
inline bool windowTooLong(qint32 days) { return days >= kTimelineDayLimit; }

// Where a record's span falls on the timeline: the sheet columns of its first
// and last day inside the window (column C is the window's first day) and the
// clipped span in days, -1 when the span lies wholly outside the window.
struct TimelineSpan {
    qint32 FirstColumn = 0;
    qint32 LastColumn = 0;
    qint32 DaySpan = -1;
};
inline constexpr int kFirstDayColumn = 3;
// Counted in calendar days, whatever the time of day: work that starts at
// 13:00 still fills its first day, and a span touching the window on its
// first or last day counts as inside. A span that ends before it starts gets
// a negative DaySpan and so no bar.
TimelineSpan ClipSpanToWindow(const QDate& start, const QDate& end, const QDate& windowFirst, const QDate& windowLast);
// A bar is drawn for a span that has at least one day in the window.
inline bool hasBar(const TimelineSpan& span) { return span.DaySpan > -1; }

// A WBS number as one element of a chain: its decimal text, empty for none.
QString wbsText(const QVariant& wbs);
// The WBS numbers from the project down, joined by "."; a record without a
// WBS stays an empty element, so its children's chains never borrow another
// record's number.
QString wbsChain(std::initializer_list<QString> elements);

// A deliverable's CSF flag as the report shows it: "Yes" for 1, "No" for any
// other value, nothing for none.
std::optional<QString> csfText(const QVariant& csf);

// A risk's value as its sheet shows it: level times probability in the
// pattern "##.###".
QString riskValueText(double level, double probability);

} // namespace zorbel::reports
