// "Milestones": each milestone of the project with its date, under a header row.

#include "client/reports/ProjectReport.h"
#include "client/reports/SheetFormats.h"
#include "client/shell/AppState.h"
#include "platform/xlsx/Worksheet.h"

namespace zorbel::reports {

namespace {
const QString kPrefix = QStringLiteral("XL Create Milestones failed: ");
}

void ProjectReport::WriteMilestonesSheet() {
    xl::Worksheet& ws = *m_Sheet;
    ws.Columns(QStringLiteral("B:B")).setColumnWidth(20);
    ws.Columns(QStringLiteral("C:C")).setColumnWidth(50);
    ws.Columns(QStringLiteral("D:D")).setColumnWidth(15);
    ws.Cells(2, 2).setValue("Milestones");
    ws.Cells(2, 3).setValue("Description");
    ws.Cells(2, 4).setValue("Date");
    const xl::Range header = ws.Range(QStringLiteral("B2:D2"));
    setPlainArial(header.Font(), 10, true);
    alignLeftTopWrapped(ws.Columns(QStringLiteral("B:D")));
    header.Interior().setColorIndex(41);
    ws.Rows(QStringLiteral("2:2")).Font().setColorIndex(2);

    m_Row = 2;
    auto& milestones = shell::state().g_rsMilestones;
    milestones = listOf(kPrefix, QStringLiteral("the list of milestones"),
                        [&](ZorbelClass& z) { return z.GetMilestones(m_request.projectID); });
    for (milestones->MoveFirst(); !milestones->Eof(); milestones->MoveNext()) {
        // A milestone without description or date still takes its row.
        m_Row = nextRow(m_Row);
        step(kPrefix, [&] {
            putValue(m_Row, 3, milestones->Fields(QStringLiteral("Description")));
            putDate(m_Row, 4, milestones->Fields(QStringLiteral("EndDate")));
        });
    }
}

} // namespace zorbel::reports
