#include "bench/xlsx/Reports.h"

#include "client/reports/SheetFormats.h"
#include "platform/xlsx/Application.h"

namespace zorbel::bench::xlsx {

using namespace zorbel::xl;

namespace {

void setWidths(Worksheet& ws, std::initializer_list<std::pair<const char*, double>> widths)
{
    for (const auto& [columns, width] : widths)
        ws.Columns(QString::fromLatin1(columns)).setColumnWidth(width);
}

// The report's own format bundles, so the replay sets what the report sets.
using reports::alignLeftTopWrapped;
using reports::setPlainArial;
using reports::setPlainTextLayout;

void writeCells(Worksheet& ws, const PlannedRow& row)
{
    for (const auto& [column, value] : row.cells)
        if (!(value.typeId() == QMetaType::QString && value.toString().isEmpty()))
            ws.Cells(row.row, column).setValue(value);
}

// The header font and fill, set property by property as the writers do.
void formatHeader(Worksheet& ws, const PlannedRow& row)
{
    const HeaderStyle style = headerStyle(row.header);
    Range range = ws.Range(ws.Cells(row.row, style.first), ws.Cells(row.row, style.last));
    if (style.alignmentCalls)
        setPlainTextLayout(range);
    setPlainArial(range.Font(), 10, true);
    if (row.header == Header::Info || row.header == Header::Team) {
        range.Font().setUnderline(xlUnderlineStyleNone);
        range.Font().setColorIndex(2);
    }
    range.Interior().setColorIndex(style.fill);
    if (row.header == Header::Milestones)
        ws.Rows(QString::number(row.row)).Font().setColorIndex(2);
}

void writeRows(Worksheet& ws, const std::vector<PlannedRow>& rows)
{
    for (const PlannedRow& row : rows) {
        writeCells(ws, row);
        if (row.header != Header::None)
            formatHeader(ws, row);
    }
}

void detailLayout(Worksheet& ws)
{
    setWidths(ws, {{"B:B", 12}, {"C:C", 40}, {"D:D", 12}, {"E:E", 40}, {"F:F", 15}, {"G:I", 15}, {"J:J", 40}});
    alignLeftTopWrapped(ws.Columns("B:J"));
    ws.Columns("B:B").setNumberFormat("@");
}

void writeInfo(Worksheet& ws, const ReportPlan& plan)
{
    setWidths(ws, {{"B:B", 15}, {"C:C", 12}, {"D:D", 40}, {"E:E", 20}, {"F:F", 40}, {"G:G", 30}, {"H:I", 20},
                   {"J:J", 20}});
    writeRows(ws, {plan.info[0], plan.info[1]});
    alignLeftTopWrapped(ws.Columns("B:J"));
    writeRows(ws, std::vector<PlannedRow>(plan.info.begin() + 2, plan.info.end()));
}

void writeMilestones(Worksheet& ws, const ReportPlan& plan)
{
    setWidths(ws, {{"B:B", 20}, {"C:C", 50}, {"D:D", 15}});
    alignLeftTopWrapped(ws.Columns("B:D"));
    writeRows(ws, plan.milestones);
}

void writeRisks(Worksheet& ws, const ReportPlan& plan)
{
    for (const PlannedRow& row : plan.risks) {
        if (row.header == Header::Risk) {
            setWidths(ws, {{"B:B", 40}, {"C:C", 5}, {"D:D", 12}, {"E:G", 40}, {"H:H", 15}, {"I:I", 4}, {"K:K", 40}});
            alignLeftTopWrapped(ws.Columns("B:K"));
            writeCells(ws, row);
            alignLeftTopWrapped(ws.Columns("B:K"));
            formatHeader(ws, row);
        } else {
            writeCells(ws, row);
            (void)(ws.Cells(row.row, 9).Value().toDouble() * ws.Cells(row.row, 10).Value().toDouble());
        }
    }
}

void writeTimeline(Worksheet& ws, const ReportPlan& plan)
{
    ws.Columns("A:A").setNumberFormat("@");
    writeCells(ws, plan.timeline.front());
    ws.Cells(1, 1).setValue("WBS");
    ws.Cells(1, 2).setValue("Name");
    ws.Columns("A:A").setColumnWidth(12);
    ws.Rows("1:1").setRowHeight(45);
    ws.Columns("B:B").setColumnWidth(40);
    Range names = ws.Columns("A:B");
    names.setHorizontalAlignment(xlLeft);
    names.setVerticalAlignment(xlBottom);
    names.setWrapText(true);
    setPlainArial(ws.Range("A1:B1").Font(), 10, true);
    for (size_t d = 0; d < plan.days.size(); ++d) {
        Range day = ws.Cells(1, 3 + int(d));
        day.setValue(plan.days[d]);
        if (plan.weekend[d])
            day.Interior().setColorIndex(15);
        day.setOrientation(90);
        day.setColumnWidth(2);
        setPlainArial(day.Font(), 8, false);
    }
    for (size_t r = 0; r < plan.bars.size(); ++r) {
        const Bar& bar = plan.bars[r];
        if (r > 0)
            writeCells(ws, plan.timeline[r]);
        ws.Names().Add("StartCell", QStringLiteral("=R%1C%2").arg(bar.row).arg(bar.first));
        ws.Names().Add("EndCell", QStringLiteral("=R%1C%2").arg(bar.row).arg(bar.last));
        ws.Range("StartCell", "EndCell").Interior().setColorIndex(bar.fill);
    }
}

} // namespace

void writeThroughLayer(const ReportPlan& plan, const QString& path)
{
    Application app;
    const int kept = app.SheetsInNewWorkbook();
    app.setSheetsInNewWorkbook(6);
    Workbook& wb = app.Workbooks().Add();
    app.setSheetsInNewWorkbook(kept);
    const char* names[] = {"Project Info", "Milestones", "Deliverables", "Risks", "Detail", "Timeline"};
    for (int i = 0; i < 6; ++i)
        wb.Sheets(i + 1).setName(QString::fromLatin1(names[i]));

    writeInfo(wb.Sheets("Project Info"), plan);
    writeMilestones(wb.Sheets("Milestones"), plan);
    Worksheet& deliverables = wb.Sheets("Deliverables");
    detailLayout(deliverables);
    writeRows(deliverables, plan.deliverables);
    writeRisks(wb.Sheets("Risks"), plan);
    Worksheet& detail = wb.Sheets("Detail");
    detailLayout(detail);
    writeRows(detail, plan.detail);
    writeTimeline(wb.Sheets("Timeline"), plan);

    Worksheet& first = wb.Sheets("Project Info");
    first.Select();
    first.Range("A2:A2").Select();
    wb.SaveAs(path);
}

} // namespace zorbel::bench::xlsx
