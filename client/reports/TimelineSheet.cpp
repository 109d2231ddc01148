// "Timeline": the project's breakdown as a bar chart over the dialog's window
// of days, one narrow column per day from column C, one row per record in
// breakdown order. The part of a record's span inside the window is filled in
// its level's colour; weekends are shaded in the day header.

#include "client/reports/ProjectReport.h"
#include "client/reports/ReportLevels.h"
#include "client/reports/SheetFormats.h"
#include "client/shell/AppState.h"
#include "client/shell/Dates.h"
#include "platform/ui/MessageBox.h"
#include "platform/xlsx/Constants.h"
#include "platform/xlsx/Worksheet.h"

namespace zorbel::reports {

namespace {

const QString kPrefix = QStringLiteral("XL Load Timeline failed: ");
constexpr int kProjectRow = 2;
constexpr int kProjectBar = 41;
constexpr int kWeekendFill = 15;

QDate dayOf(const QVariant& value) {
    const auto date = shell::dateOf(value);
    return date ? date->date() : QDate();
}

} // namespace

void ProjectReport::WriteTimelineSheet() {
    xl::Worksheet& ws = *m_Sheet;
    ws.Columns(QStringLiteral("A:A")).setNumberFormat(QStringLiteral("@"));
    ws.Cells(kProjectRow, 1).setValue(m_ProjectWBS);
    ws.Cells(kProjectRow, 2).setValue(m_request.projectName);
    const QDate first = m_request.windowFirst;
    const QDate last = m_request.windowLast;
    if (!first.isValid() || !last.isValid()) {
        ui::MsgBox(QStringLiteral("Must have a valid start and end date"), ui::vbCritical, QStringLiteral("Date Error"));
        return;
    }
    step(kPrefix, [&] { WriteTimelineHeader(); });
    // The project's bar is the window itself, whatever the project's own dates.
    m_Span = ClipSpanToWindow(first, last, first, last);
    if (hasBar(m_Span))
        step(kPrefix, [&] { drawBar(kProjectRow, kProjectBar); });
    m_Row = WriteTimelineLevel(Deliverable, m_request.projectID, kProjectRow);
}

void ProjectReport::WriteTimelineHeader() {
    xl::Worksheet& ws = *m_Sheet;
    ws.Cells(1, 1).setValue("WBS");
    ws.Cells(1, 2).setValue("Name");
    ws.Columns(QStringLiteral("A:A")).setColumnWidth(12);
    ws.Rows(QStringLiteral("1:1")).setRowHeight(45);
    ws.Columns(QStringLiteral("B:B")).setColumnWidth(40);
    xl::Range names = ws.Columns(QStringLiteral("A:B"));
    names.setHorizontalAlignment(xl::xlLeft);
    names.setVerticalAlignment(xl::xlBottom);
    names.setWrapText(true);
    setPlainArial(ws.Range(QStringLiteral("A1:B1")).Font(), 10, true);

    const QString& dayPattern = shell::state().g_dateFormat;
    const ui::DateFormatter dayText(dayPattern);
    const qint32 days = windowDays(m_request.windowFirst, m_request.windowLast).value_or(-1);
    for (qint32 offset = 0; offset <= days; ++offset) {
        const QDate day = m_request.windowFirst.addDays(offset);
        xl::Range cell = ws.Cells(1, kFirstDayColumn + offset);
        cell.setValue(dayText.format(QDateTime(day, QTime(0, 0))));
        if (day.dayOfWeek() >= Qt::Saturday)
            cell.Interior().setColorIndex(kWeekendFill);
        cell.setOrientation(90);
        cell.setColumnWidth(2);
        setPlainArial(cell.Font(), 8, false);
    }
}

int ProjectReport::WriteTimelineLevel(Level level, qint32 parentID, int row) {
    const LevelSpec& spec = levelSpec(level);
    const data::RecordsetPtr list = loadChildren(level, parentID, spec.timelinePrefix);
    for (list->MoveFirst(); !list->Eof(); list->MoveNext()) {
        row = nextRow(row);
        makeCurrent(level, *list);
        const QString chain = keepWBS(level, *list);
        step(spec.timelinePrefix, [&] {
            if (!list->Fields(QStringLiteral("WBS")).isNull())
                putText(row, 1, chain);
            putValue(row, 2, list->Fields(spec.nameField));
            // A record without both dates has no span: its row gets no bar.
            m_Span = ClipSpanToWindow(dayOf(list->Fields(spec.startField)), dayOf(list->Fields(spec.endField)),
                                      m_request.windowFirst, m_request.windowLast);
            if (hasBar(m_Span))
                drawBar(row, spec.barColour);
        });
        if (hasChildren(level))
            row = WriteTimelineLevel(childOf(level), list->Fields(0).toInt(), row);
    }
    return row;
}

void ProjectReport::drawBar(int row, int colorIndex) {
    xl::Worksheet& ws = *m_Sheet;
    ws.Names().Add(QStringLiteral("StartCell"), QStringLiteral("=R%1C%2").arg(row).arg(m_Span.FirstColumn));
    ws.Names().Add(QStringLiteral("EndCell"), QStringLiteral("=R%1C%2").arg(row).arg(m_Span.LastColumn));
    ws.Range(QStringLiteral("StartCell"), QStringLiteral("EndCell")).Interior().setColorIndex(colorIndex);
}

} // namespace zorbel::reports
