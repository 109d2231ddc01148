#include "client/risks/IssueLogWorkbook.h"

#include "client/shell/AppState.h"
#include "client/shell/Dates.h"
#include "client/shell/WorkbookSaving.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DateText.h"
#include "platform/ui/MessageBox.h"
#include "platform/xlsx/Application.h"
#include "platform/xlsx/Error.h"
#include "platform/xlsx/SheetName.h"

#include <exception>
#include <iterator>

namespace zorbel::risks {

using shell::state;

namespace {

const QString kFailure = QStringLiteral("XL Create Excel failed: ");

// Fields of the issues list.
enum Field { fReference = 3, fDate, fIssue, fImpact, fResolution, fOwnerID, fStatusID, fSeverityID, fUrgencyID,
             fScheduleID };

// The name columns F to J follow the five text columns A to E.
constexpr int kFirstNameColumn = 6;
constexpr qint16 kHeaderRow = 2;
constexpr int kHeaderFill = 33;

const char* const kHeaders[] = {"Reference", "Date", "Issue", "Impact", "Resolution",
                                "Owner", "Status", "Severity", "Urgency", "Schedule"};

// Runs one step of the export. A failure is shown after `prefix` and the
// export goes on with its next step, as a user would want from a long export
// that stumbled on one group.
template <class Step>
void attempt(const QString& prefix, Step&& step) {
    try {
        step();
    } catch (const xl::Error& e) {
        ui::MsgBox(prefix + e.description());
    } catch (const std::exception& e) {
        ui::MsgBox(prefix + QString::fromLocal8Bit(e.what()));
    }
}

// The header font of the date label and the header row.
void setHeaderFont(xl::Font font) {
    font.setName(QStringLiteral("Arial"));
    font.setSize(10);
    font.setStrikethrough(false);
    font.setSuperscript(false);
    font.setSubscript(false);
    font.setOutlineFont(false);
    font.setShadow(false);
    font.setUnderline(xl::xlUnderlineStyleNone);
    font.setColorIndex(xl::xlColorIndexAutomatic);
    font.setBold(true);
}

QString nowIn(const QString& pattern) {
    return ui::FormatDate(ui::now(), pattern);
}

} // namespace

IssueLogWorkbook::IssueLogWorkbook(IssueLogSource source)
    : m_source(std::move(source)),
      m_nameColumns{{
          {fOwnerID, QStringLiteral("FullName"),
           [this] { return state().g_zorbel->GetProjectTeam(m_source.projectID); }, {}},
          {fStatusID, QStringLiteral("Status"),
           [] {
               auto& s = state();
               s.g_rsStatus = s.g_zorbel->GetIssueStatus();
               return s.g_rsStatus;
           },
           {}},
          {fSeverityID, QStringLiteral("Severity"), [] { return state().g_zorbel->GetIssueSeverity(); }, {}},
          {fUrgencyID, QStringLiteral("Urgency"), [] { return state().g_zorbel->GetIssueUrgency(); }, {}},
          {fScheduleID, QStringLiteral("Schedule"), [] { return state().g_zorbel->GetIssueSchedule(); }, {}},
      }} {}

IssueLogWorkbook::~IssueLogWorkbook() {
    putSheetsSettingBack();
}

void IssueLogWorkbook::Export() {
    if (Write())
        Save();
}

bool IssueLogWorkbook::Write() {
    m_title = nowIn(state().g_dateFormat) + QStringLiteral(" Issue Log for ") + m_source.projectName;
    if (!m_source.groups) {
        ui::MsgBox(kFailure + QStringLiteral("The issue groups could not be read"));
        return false;
    }
    const data::Recordset& groups = *m_source.groups;
    if (groups.RecordCount() == 0)
        return false;

    m_ExcelApp = std::make_unique<xl::Application>();
    m_ExcelApp->setVisible(true);
    // One sheet per group, from the program-wide setting, which is put back
    // once the export ends.
    m_keptSheetsSetting = xl::Application::SheetsInNewWorkbook();
    xl::Application::setSheetsInNewWorkbook(groups.RecordCount());
    m_Workbook = &m_ExcelApp->Workbooks().Add();

    // Named all at once, so a group named like another sheet's default name
    // ("Sheet4") keeps it though that sheet is not renamed yet.
    QStringList names;
    for (int i = 0; i < groups.RecordCount(); ++i)
        names << groups.row(i)[1].toString();
    attempt(kFailure, [&] { m_Workbook->renameSheets(xl::sheetNamesFor(names)); });
    for (int index = 1; index <= groups.RecordCount(); ++index) {
        m_Sheet = &m_Workbook->Worksheets(index);
        m_Sheet->Select();
        attempt(kFailure, [&] { WriteIssueSheet(groups.row(index - 1)[0].toInt()); });
    }
    m_Sheet = &m_Workbook->Worksheets(1);
    m_Sheet->Select();
    m_Sheet->Range(QStringLiteral("A2:A2")).Select();
    return true;
}

bool IssueLogWorkbook::Save() {
    const bool saved = m_Workbook && shell::saveWorkbook(*m_Workbook, m_title, kFailure);
    putSheetsSettingBack();
    return saved;
}

void IssueLogWorkbook::putSheetsSettingBack() {
    if (m_keptSheetsSetting)
        xl::Application::setSheetsInNewWorkbook(*m_keptSheetsSetting);
    m_keptSheetsSetting.reset();
}

void IssueLogWorkbook::WriteIssueSheet(qint32 groupID) {
    m_rsIssues = state().g_zorbel->GetIssues(m_source.sortField, m_source.projectID, groupID, 0);
    LoadIssueHeader(kHeaderRow);
    if (!m_rsIssues)
        throw xl::Error(QStringLiteral("The issues of the group could not be read"));
    for (int i = 0; i < m_rsIssues->RecordCount(); ++i)
        writeIssueRow(kHeaderRow + 1 + i, m_rsIssues->row(i));
}

void IssueLogWorkbook::writeIssueRow(int row, const std::vector<QVariant>& issue) {
    const auto& s = state();
    for (int field = fReference; field <= fResolution; ++field) {
        const QVariant& value = issue[size_t(field)];
        if (value.isNull())
            continue;
        QString text = value.toString();
        if (field == fDate) {
            if (const auto date = shell::dateOf(value))
                text = ui::FormatDate(*date, s.g_excelDateFormat);
        }
        m_Sheet->Cells(row, field - fReference + 1).setValue(text);
    }
    for (int c = 0; c < int(m_nameColumns.size()); ++c) {
        NameColumn& column = m_nameColumns[size_t(c)];
        const QVariant& id = issue[size_t(column.field)];
        if (!id.isNull())
            m_Sheet->Cells(row, kFirstNameColumn + c).setValue(namesOf(column).nameOf(id));
    }
}

const shell::LookUpNames& IssueLogWorkbook::namesOf(NameColumn& column) {
    if (!column.names)
        column.names.emplace(column.fetch(), column.nameField);
    return *column.names;
}

void IssueLogWorkbook::LoadIssueHeader(qint16 row) {
    attempt(QStringLiteral("LoadIssueHeader Method failed: "), [&] {
        xl::Worksheet& sheet = *m_Sheet;
        sheet.Columns(QStringLiteral("A:A")).setColumnWidth(20);
        sheet.Columns(QStringLiteral("B:B")).setColumnWidth(18);
        sheet.Columns(QStringLiteral("C:E")).setColumnWidth(35);
        sheet.Columns(QStringLiteral("F:J")).setColumnWidth(20);

        sheet.Cells(1, 1).setValue("Date:");
        sheet.Cells(1, 2).setValue(nowIn(state().g_excelDateFormat));
        setHeaderFont(sheet.Range(QStringLiteral("A1")).Font());

        for (int c = 0; c < int(std::size(kHeaders)); ++c)
            sheet.Cells(row, c + 1).setValue(kHeaders[c]);

        xl::Range columns = sheet.Columns(QStringLiteral("A:J"));
        columns.setHorizontalAlignment(xl::xlLeft);
        columns.setVerticalAlignment(xl::xlTop);
        columns.setWrapText(true);
        columns.setOrientation(0);
        columns.setAddIndent(false);
        columns.setIndentLevel(0);
        columns.setShrinkToFit(false);
        columns.setReadingOrder(xl::xlContext);
        columns.setMergeCells(false);
        sheet.Range(QStringLiteral("A1:A1")).Select();

        const QString number = QString::number(row);
        xl::Range header = sheet.Range(QStringLiteral("A") + number, QStringLiteral("J") + number);
        setHeaderFont(header.Font());
        header.Interior().setColorIndex(kHeaderFill);
    });
}

} // namespace zorbel::risks
