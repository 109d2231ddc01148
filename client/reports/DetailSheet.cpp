// "Detail": the project's whole breakdown as a table, each deliverable
// followed by its tasks, each task by its actions and each action by its
// progress entries, every level under a coloured header of its own. A level's
// header is written again before a record once an earlier record of that
// level under the same parent has had children, so every block of children
// is followed by a fresh header for the rows that come after it.

#include "client/reports/ProjectReport.h"
#include "client/reports/ReportLevels.h"
#include "client/reports/SheetFormats.h"
#include "client/shell/AppState.h"
#include "platform/xlsx/Worksheet.h"

#include <limits>

namespace zorbel::reports {

namespace {

enum Column { B = 2, C, D, E, F, G, H, I, J };

struct DetailHeader {
    int below;             // rows below the last row written
    int first;             // first column of its texts
    QStringList texts;
    int last;              // the coloured range runs from first to last
    int fill;
    bool plainTextLayout;  // the deliverable header sets only font and fill
};

const DetailHeader& headerOf(ProjectReport::Level level) {
    static const DetailHeader headers[] = {
        {2, B, {"WBS", "Deliverable", "CSF", "Metric", "Owner", "Status", "Start Date", "End Date"}, I, 37, false},
        {1, D, {"WBS", "Task", "Owner", "Status", "Start Date", "End Date", "Dependency"}, J, 33, true},
        {1, D, {"WBS", "Action", "Owner", "Status", "Start Date", "End Date"}, I, 37, true},
        {1, D, {"WBS", "Progress", "Owner", "Date"}, G, 34, true},
    };
    return headers[level];
}

} // namespace

void ProjectReport::applyDetailColumns() {
    xl::Worksheet& ws = *m_Sheet;
    const std::pair<const char*, double> widths[] = {{"B:B", 12}, {"C:C", 40}, {"D:D", 12}, {"E:E", 40},
                                                     {"F:F", 15}, {"G:I", 15}, {"J:J", 40}};
    for (const auto& [columns, width] : widths)
        ws.Columns(QString::fromLatin1(columns)).setColumnWidth(width);
    alignLeftTopWrapped(ws.Columns(QStringLiteral("B:J")));
    // A chain such as 1.2 must stay text, never become a number.
    ws.Columns(QStringLiteral("B:B")).setNumberFormat(QStringLiteral("@"));
}

void ProjectReport::WriteDetailSheet() {
    applyDetailColumns();
    m_Row = 0;
    m_Row = WriteDetailLevel(Deliverable, m_request.projectID, m_Row);
}

int ProjectReport::writeDetailHeader(Level level, int row) {
    const DetailHeader& h = headerOf(level);
    const int hr = nextRow(row, h.below);
    for (int i = 0; i < h.texts.size(); ++i)
        m_Sheet->Cells(hr, h.first + i).setValue(h.texts[i]);
    const xl::Range range = m_Sheet->Range(m_Sheet->Cells(hr, h.first), m_Sheet->Cells(hr, h.last));
    setPlainArial(range.Font(), 10, true);
    range.Interior().setColorIndex(h.fill);
    if (h.plainTextLayout)
        setPlainTextLayout(range);
    return hr;
}

int ProjectReport::WriteDetailLevel(Level level, qint32 parentID, int row) {
    const QString& prefix = levelSpec(level).detailPrefix;
    const data::RecordsetPtr list = loadChildren(level, parentID, prefix);
    if (list->RecordCount() == 0)
        return row;
    if (level != Deliverable)
        m_repeatHeader[level - 1] = true; // the parent level has had children
    step(prefix, [&] { row = writeDetailHeader(level, row); });
    m_repeatHeader[level] = false;

    for (list->MoveFirst(); !list->Eof(); list->MoveNext()) {
        if (m_repeatHeader[level])
            step(prefix, [&] { row = writeDetailHeader(level, row); });
        row = nextRow(row);
        makeCurrent(level, *list);
        step(prefix, [&] { writeDetailRow(level, row, *list, parentID); });
        if (hasChildren(level))
            row = WriteDetailLevel(childOf(level), list->Fields(0).toInt(), row);
    }
    return row;
}

void ProjectReport::writeDeliverableRow(int row, const data::Recordset& d, const QString& chain) {
    if (!d[QStringLiteral("WBS")].isNull())
        putText(row, B, chain);
    putValue(row, C, d[QStringLiteral("Deliverable")]);
    if (const auto csf = csfText(d[QStringLiteral("CSF")]))
        putText(row, D, *csf);
    putValue(row, E, d[QStringLiteral("Metric")]);
    putText(row, F, LookupUserFullName(d[QStringLiteral("OwnerID")]));
    putText(row, G, LookupStatusText(d[QStringLiteral("StatusID")]));
    putDate(row, H, d[QStringLiteral("StartDate")]);
    putDate(row, I, d[QStringLiteral("EndDate")]);
}

void ProjectReport::writeDetailRow(Level level, int row, const data::Recordset& r, qint32 deliverableID) {
    const QString chain = keepWBS(level, r);
    if (level == Deliverable) {
        writeDeliverableRow(row, r, chain);
        return;
    }
    if (!r[QStringLiteral("WBS")].isNull())
        putText(row, D, chain);
    putValue(row, E, r[QStringLiteral("Description")]);
    putText(row, F, LookupUserFullName(r[QStringLiteral("OwnerID")]));
    if (level == Progress) {
        putDate(row, G, r[QStringLiteral("ProgressDate")]);
        return;
    }
    putText(row, G, LookupStatusText(r[QStringLiteral("StatusID")]));
    putDate(row, H, r[QStringLiteral("StartDate")]);
    putDate(row, I, r[QStringLiteral("EndDate")]);
    if (level != Task)
        return;
    const qint64 dependency = r[QStringLiteral("Dependency")].toLongLong();
    if (dependency <= 0 || dependency > std::numeric_limits<qint32>::max())
        return;
    const data::RecordsetPtr depended = fetch([&](ZorbelClass& z) {
        return z.GetTasks(deliverableID, static_cast<qint32>(dependency));
    });
    if (depended && depended->RecordCount() > 0) {
        depended->MoveFirst();
        putValue(row, J, depended->Fields(QStringLiteral("Description")));
    }
}

} // namespace zorbel::reports
