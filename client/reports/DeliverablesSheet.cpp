// "Deliverables": the project's deliverables, one row each under a single
// header, laid out as on the Detail sheet but without what lies below them.

#include "client/reports/ProjectReport.h"
#include "client/shell/AppState.h"

namespace zorbel::reports {

namespace {
const QString kRowsPrefix = QStringLiteral("XL Load Deliverables failed: ");
}

void ProjectReport::WriteDeliverablesSheet() {
    applyDetailColumns();
    m_Row = 0;
    m_Row = WriteDeliverableHeader(m_Row);
    WriteDeliverableRows();
}

void ProjectReport::WriteDeliverableRows() {
    auto& deliverables = shell::state().g_rsDeliverables;
    deliverables = listOf(kRowsPrefix, QStringLiteral("the list of deliverables"),
                          [&](ZorbelClass& z) { return z.GetDeliverables(m_request.projectID); });
    for (deliverables->MoveFirst(); !deliverables->Eof(); deliverables->MoveNext()) {
        m_Row = nextRow(m_Row);
        const QVariant wbs = deliverables->Fields(QStringLiteral("WBS"));
        step(kRowsPrefix, [&] {
            writeDeliverableRow(m_Row, *deliverables, wbsChain({m_ProjectWBS, wbsText(wbs)}));
        });
    }
}

} // namespace zorbel::reports
