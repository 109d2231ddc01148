#pragma once
// The shared routines every window calls: record look-ups, the navigation
// window's progress bar, and working-day arithmetic with the duration boxes
// built on it.

#include "platform/data/Recordset.h"

#include <QDateTime>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace zorbel::shell {

// Id (column 0) of the first row whose column fieldName equals value; -1 when
// none does. A database null never matches. The recordset is left on the row
// found (past the last row when none matched).
qint32 GetIDFromField(const QString& value, const data::RecordsetPtr& rs, const QString& fieldName);
// Column fieldName, as text, of the first row whose id equals id; "-1" when none does.
QString GetFieldFromID(qint32 id, const data::RecordsetPtr& rs, const QString& fieldName);

// The navigation window's progress bar, driven by a loader: Start with the
// record count, Step once per row, End when done. Nothing happens when the
// navigation window is not loaded.
void ProgressStart(qint32 count);
void ProgressStep();
void ProgressEnd();

// End date of a piece of work that starts on startDate and lasts duration
// days, the start day being day one; Saturdays and Sundays do not count
// unless sevenDayWeek. The time of day is kept.
QDateTime AddWorkingDays(const QDateTime& startDate, qint16 duration, bool sevenDayWeek);
// The length of a piece of work from startDate to endDate as AddWorkingDays
// counts it, so that AddWorkingDays gives endDate back from it whenever
// endDate is a working day. 0 when endDate falls on a day before startDate;
// at most the largest 16-bit duration.
qint16 WorkingDaysFrom(const QDateTime& startDate, const QDateTime& endDate, bool sevenDayWeek);

// The handler of every "Duration" box and "7 Day Week" box: writes the end
// date computed from the start box and the duration into the end box, with
// the configured date pattern. A start box that is empty or not a date, or a
// duration that is not a whole 16-bit number, leaves the end box as it was.
void DurationChanged(const QLineEdit& startBox, QLineEdit& endBox, const QLineEdit& durationBox,
                     const QCheckBox& sevenDayWeek);
// Connects a window's duration box and check box to DurationChanged.
void ConnectDurationFamily(QLineEdit& startBox, QLineEdit& endBox, QLineEdit& durationBox, QCheckBox& sevenDayWeek);

// The "Duration" label, box and "7 Day Week" box placed in one row from
// (left, top) in twips of the parent, wired to the start and end boxes.
struct DurationEntry {
    QLabel* label = nullptr;
    QLineEdit* box = nullptr;
    QCheckBox* sevenDayWeek = nullptr;
};
DurationEntry placeDurationEntry(QWidget& parent, QLineEdit& startBox, QLineEdit& endBox, int left, int top);

} // namespace zorbel::shell
