// "Risks": the project's own risks, then the risks of every task that has
// any, deliverable by deliverable. Each group has its own header row and
// lists its risks highest value (level times probability) first; the value
// column shows that product as text.

#include "client/reports/ProjectReport.h"
#include "client/reports/SheetFormats.h"
#include "client/shell/AppState.h"
#include "client/shell/Zorbel5Data.h"
#include "platform/xlsx/Worksheet.h"

namespace zorbel::reports {

namespace {

const QString kRowPrefix = QStringLiteral("XL Load Risks failed: ");
const QString kByValue = QStringLiteral("(RiskLevel * Probability) DESC");
constexpr qint16 kProjectRisks = 1;
constexpr qint16 kTaskRisks = 0;

enum Column { B = 2, C, D, E, F, G, H, I, J, K };

} // namespace

void ProjectReport::WriteRisksSheet() {
    // The type names are read once for the sheet, not once per risk.
    m_riskTypes = fetch([](ZorbelClass& z) { return z.GetRiskTypes(); });
    if (!m_riskTypes)
        reportMissingLookUp(QStringLiteral("risk type"));
    m_Row = 1;
    m_Row = WriteRiskHeader(m_Row, QStringLiteral("Project"));
    auto& scratch = shell::state().g_rsScratch;
    const QString risksOf = QStringLiteral("the list of risks");
    scratch = listOf(kRowPrefix, risksOf, [&](ZorbelClass& z) {
        return z.GetRisks(m_request.projectID, kByValue, kProjectRisks);
    });
    m_Row = WriteRiskRow(m_Row, *scratch, m_ProjectWBS + QStringLiteral(": ") + m_request.projectName);

    // The sheet's own lists: the shared lists and current ids stay as they are.
    const data::RecordsetPtr deliverables = listOf(kRowPrefix, QStringLiteral("the list of deliverables"),
                                                   [&](ZorbelClass& z) { return z.GetDeliverables(m_request.projectID); });
    for (deliverables->MoveFirst(); !deliverables->Eof(); deliverables->MoveNext()) {
        const QString deliverableWBS = wbsText(deliverables->Fields(QStringLiteral("WBS")));
        const qint32 deliverableID = deliverables->Fields(0).toInt();
        const data::RecordsetPtr tasks = listOf(kRowPrefix, QStringLiteral("the list of tasks"),
                                                [&](ZorbelClass& z) { return z.GetTasks(deliverableID); });
        for (tasks->MoveFirst(); !tasks->Eof(); tasks->MoveNext()) {
            const qint32 taskID = tasks->Fields(0).toInt();
            const QString taskWBS = wbsText(tasks->Fields(QStringLiteral("WBS")));
            scratch = listOf(kRowPrefix, risksOf,
                             [&](ZorbelClass& z) { return z.GetRisks(taskID, kByValue, kTaskRisks); });
            if (scratch->RecordCount() == 0)
                continue;
            const QString label = wbsChain({m_ProjectWBS, deliverableWBS, taskWBS}) + QStringLiteral(": ")
                                  + tasks->Fields(QStringLiteral("Description")).toString();
            m_Row = WriteRiskHeader(m_Row, QStringLiteral("Task"));
            m_Row = WriteRiskRow(m_Row, *scratch, label);
        }
    }
}

int ProjectReport::WriteRiskHeader(int row, const QString& title) {
    xl::Worksheet& ws = *m_Sheet;
    const int hr = nextRow(row);
    const std::pair<const char*, double> widths[] = {{"B:B", 40}, {"C:C", 5}, {"D:D", 12}, {"E:G", 40},
                                                     {"H:H", 15}, {"I:I", 4}, {"K:K", 40}};
    for (const auto& [columns, width] : widths)
        ws.Columns(QString::fromLatin1(columns)).setColumnWidth(width);
    const xl::Range columns = ws.Columns(QStringLiteral("B:K"));
    alignLeftTopWrapped(columns);
    const QStringList texts{title,   QStringLiteral("!"), QStringLiteral("Risk Type"), QStringLiteral("Risk"),
                            QStringLiteral("Impact"), QStringLiteral("Mitigation"), QStringLiteral("Owner"),
                            QStringLiteral("(R)"), QStringLiteral("(P)"), QStringLiteral("Note")};
    for (int i = 0; i < texts.size(); ++i)
        ws.Cells(hr, B + i).setValue(texts[i]);
    alignLeftTopWrapped(columns);
    const xl::Range header = ws.Range(QStringLiteral("B%1").arg(hr), QStringLiteral("K%1").arg(hr));
    setPlainTextLayout(header);
    header.Interior().setColorIndex(33);
    setPlainArial(header.Font(), 10, true);
    return hr;
}

int ProjectReport::WriteRiskRow(int row, data::Recordset& risks, const QString& label) {
    xl::Worksheet& ws = *m_Sheet;
    for (risks.MoveFirst(); !risks.Eof(); risks.MoveNext()) {
        row = nextRow(row);
        step(kRowPrefix, [&] {
            ws.Cells(row, B).setValue(label);
            const QVariant type = risks[QStringLiteral("RiskType")];
            if (!type.isNull() && m_riskTypes)
                putText(row, D, shell::GetFieldFromID(type.toInt(), m_riskTypes, QStringLiteral("RiskType")));
            putValue(row, E, risks[QStringLiteral("Description")]);
            putValue(row, F, risks[QStringLiteral("Impact")]);
            putValue(row, G, risks[QStringLiteral("Mitigation")]);
            putText(row, H, LookupUserFullName(risks[QStringLiteral("OwnerID")]));
            ws.Cells(row, I).setValue(risks[QStringLiteral("RiskLevel")].toDouble());
            ws.Cells(row, J).setValue(risks[QStringLiteral("Probability")].toDouble());
            putValue(row, K, risks[QStringLiteral("RiskNote")]);
            // The value is worked out from what the row shows, as a reader would check it.
            ws.Cells(row, C).setValue(riskValueText(ws.Cells(row, I).Value().toDouble(),
                                                    ws.Cells(row, J).Value().toDouble()));
        });
    }
    return row;
}

} // namespace zorbel::reports
