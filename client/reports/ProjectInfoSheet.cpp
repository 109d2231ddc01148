// "Project Info": the project's own record under a header row and, when the
// dialog asks for it, the project team with each member's contact details.

#include "client/reports/ProjectReport.h"
#include "client/reports/SheetFormats.h"
#include "client/shell/AppState.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageBox.h"
#include "platform/xlsx/Constants.h"
#include "platform/xlsx/Worksheet.h"

#include <utility>

namespace zorbel::reports {

namespace {

const QString kPrefix = QStringLiteral("XL Create Info Sheet failed: ");
constexpr int kTeamHeaderRow = 6;
// A team member's contact details after the name, column by column.
constexpr std::pair<int, const char*> kMemberFields[] = {
    {5, "Title"}, {6, "Company"}, {7, "email"}, {8, "Telephone"}, {9, "Mobile"}};

// White bold Arial on the header blue, never underlined.
void formatInfoHeader(xl::Range range) {
    range.Interior().setColorIndex(41);
    setPlainArial(range.Font(), 10, true);
    range.Font().setColorIndex(2);
    range.Font().setUnderline(xl::xlUnderlineStyleNone);
}

} // namespace

void ProjectReport::WriteProjectInfoSheet() {
    xl::Worksheet& ws = *m_Sheet;
    const QString today = m_excelDates.format(ui::now());
    const data::RecordsetPtr project = listOf(kPrefix, QStringLiteral("the project"), [&](ZorbelClass& z) {
        return z.GetProjects(3, m_request.projectID);
    });

    const std::pair<const char*, double> widths[] = {{"B:B", 15}, {"C:C", 12}, {"D:D", 40}, {"E:E", 20}, {"F:F", 40},
                                                     {"G:G", 30}, {"H:H", 20}, {"I:I", 20}, {"J:J", 20}};
    for (const auto& [columns, width] : widths)
        ws.Columns(QString::fromLatin1(columns)).setColumnWidth(width);
    const char* headers[] = {"Date", "WBS", "Project Name", "Reference No", "Description",
                             "Owner", "Start Date", "End Date", "Status"};
    for (int i = 0; i < 9; ++i)
        ws.Cells(2, 2 + i).setValue(headers[i]);
    formatInfoHeader(ws.Range(QStringLiteral("B2:J2")));

    ws.Cells(3, 2).setValue(today);
    if (project->RecordCount() == 0) {
        if (project->FieldCount() > 0) // read, but the project is gone
            ui::MsgBox(kPrefix + QStringLiteral("the project is no longer in the database"), ui::vbOKOnly);
    } else {
        project->MoveFirst();
        const data::Recordset& p = *project;
        // Each cell is a step of its own: a refused one stays empty alone.
        const std::function<void()> cells[] = {
            [&] { putValue(3, 3, p[QStringLiteral("WBS")]); },
            [&] { putValue(3, 4, p[QStringLiteral("Name")]); },
            [&] { putValue(3, 5, p[QStringLiteral("Reference")]); },
            [&] { putValue(3, 6, p[QStringLiteral("Description")]); },
            [&] { putText(3, 7, LookupContactName(p[QStringLiteral("OwnerID")])); },
            [&] { putDate(3, 8, p[QStringLiteral("StartDate")]); },
            [&] { putDate(3, 9, p[QStringLiteral("EndDate")]); },
            [&] { putText(3, 10, LookupStatusText(p[QStringLiteral("StatusID")])); },
        };
        for (const auto& cell : cells)
            step(kPrefix, cell);
    }

    xl::Range columns = ws.Columns(QStringLiteral("B:J"));
    alignLeftTopWrapped(columns);
    setPlainTextLayout(columns);

    if (m_request.team)
        writeTeamBlock();
}

void ProjectReport::writeTeamBlock() {
    xl::Worksheet& ws = *m_Sheet;
    const char* headers[] = {"Name", "Title", "Company", "email", "Telephone", "Mobile"};
    for (int i = 0; i < 6; ++i)
        ws.Cells(kTeamHeaderRow, 4 + i).setValue(headers[i]);
    formatInfoHeader(ws.Range(QStringLiteral("D6:I6")));

    auto& team = shell::state().g_rsTeam;
    team = listOf(kPrefix, QStringLiteral("the project team"),
                  [&](ZorbelClass& z) { return z.GetProjectTeam(m_request.projectID); });
    const int userField = team->FieldIndex(QStringLiteral("UserID"));
    int row = kTeamHeaderRow + 1;
    for (int i = 0; i < team->RecordCount(); ++i) {
        const data::RecordsetPtr contact = fetch([&](ZorbelClass& z) {
            return z.GetContacts(1, team->row(i)[userField].toInt());
        });
        // A member whose contact is gone takes no row.
        if (!contact || contact->RecordCount() == 0)
            continue;
        contact->MoveFirst();
        const data::Recordset& c = *contact;
        // A refused cell stays empty alone; the rest of the member's row is still written.
        step(kPrefix, [&] {
            putText(row, 4, c[QStringLiteral("FirstName")].toString() + QLatin1Char(' ')
                                + c[QStringLiteral("SurName")].toString());
        });
        for (const auto& [column, field] : kMemberFields)
            step(kPrefix, [&] { putValue(row, column, c[QString::fromLatin1(field)]); });
        row = nextRow(row);
    }
}

} // namespace zorbel::reports
