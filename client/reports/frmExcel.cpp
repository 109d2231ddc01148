#include "client/reports/frmExcel.h"

#include "client/reports/ProjectReport.h"
#include "client/shell/AppState.h"
#include "client/shell/DateBox.h"
#include "client/shell/Dates.h"
#include "client/shell/Placing.h"
#include "client/shell/ProjectPicking.h"
#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace zorbel::reports {

using shell::placeField;
using shell::placeLabel;
using shell::state;

namespace {

enum ProjectField { fID = 0, fName = 1, fOwner = 4, fStart = 5, fEnd = 6, fWBS = 8 };

QCheckBox* placeCheck(QWidget* parent, const char* name, const QString& caption, const QString& tip, int top,
                      bool ticked) {
    auto* box = placeField<QCheckBox>(parent, name, 5640, top, 3120, 285);
    box->setText(caption);
    box->setToolTip(tip);
    box->setChecked(ticked);
    return box;
}

QDateTime dateField(const data::Recordset& list, int row, int field) {
    return shell::dateOf(list.row(row)[field]).value_or(QDateTime());
}

} // namespace

frmExcel::frmExcel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmExcel"));
    setWindowTitle(QStringLiteral("Create MS Excel Report"));
    controls::resizeTwips(this, 9000, 6960);

    Label1 = placeLabel(this, QStringLiteral("Project"), 120, 150, 735, "Label1");
    txtProject = placeField<QLineEdit>(this, "txtProject", 900, 120, 4500);
    txtProject->setReadOnly(true); // the grid picks the project; a typed name would pick nothing
    FGProjects = placeField<ui::FlexGrid>(this, "FGProjects", 120, 540, 5280, 2520);

    chkTeam = placeCheck(this, "chkTeam", QStringLiteral("Include Team List"),
                         QStringLiteral("Add a list of Project Team Members"), 540, true);
    chkMilestones = placeCheck(this, "chkMilestones", QStringLiteral("Include Milestones"),
                               QStringLiteral("Include a list of Project Milestones"), 900, true);
    chkRisks = placeCheck(this, "chkRisks", QStringLiteral("Include Project Risks"),
                          QStringLiteral("Include Project Risks"), 1260, true);
    chkDeliverables = placeCheck(this, "chkDeliverables", QStringLiteral("Include Deliverables"),
                                 QStringLiteral("Include Deliverables"), 1620, true);
    chkTimeline = placeCheck(this, "chkTimeline", QStringLiteral("Include Timeline"),
                             QStringLiteral("Include Project Timeline"), 1980, false);

    lblStart = placeLabel(this, QStringLiteral("Start"), 120, 3270, 600, "lblStart");
    txtStart = placeField<QLineEdit>(this, "txtStart", 720, 3240, 1320);
    lblDuration = placeLabel(this, QStringLiteral("Duration - must be less than 252"), 2160, 3270, 2640, "lblDuration");
    txtWindow = placeField<QLineEdit>(this, "txtWindow", 4800, 3240, 720);
    lblEnd = placeLabel(this, QStringLiteral("End"), 5760, 3270, 480, "lblEnd");
    txtEnd = placeField<QLineEdit>(this, "txtEnd", 6240, 3240, 1320);
    for (QLineEdit* box : {txtStart, txtWindow, txtEnd})
        box->setReadOnly(true);
    MonthViewStart = placeField<QCalendarWidget>(this, "MonthViewStart", 120, 3720, 3600, 2760);
    MonthViewEnd = placeField<QCalendarWidget>(this, "MonthViewEnd", 5280, 3720, 3600, 2760);
    // A month calendar shows days only; week numbers would crowd the weekday names out.
    for (QCalendarWidget* month : {MonthViewStart, MonthViewEnd})
        month->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);

    bntCreate = new controls::ctrlButton(QStringLiteral("Create"), this);
    bntCreate->setObjectName(QStringLiteral("bntCreate"));
    bntCreate->setToolTip(QStringLiteral("Create Excel Spreadsheet"));
    // In the gap between the calendars, level with their foot: over either it would take their clicks.
    controls::moveTwips(bntCreate, 3802, 6120);

    for (QWidget* w : std::initializer_list<QWidget*>{lblStart, txtStart, lblDuration, txtWindow, lblEnd, txtEnd,
                                                       MonthViewStart, MonthViewEnd})
        w->setVisible(false);

    connect(FGProjects, &ui::FlexGrid::Click, this, &frmExcel::FGProjects_Click);
    // Arrow keys move the highlighted row too; the pick must follow what the user sees.
    connect(FGProjects, &ui::FlexGrid::RowColChange, this, &frmExcel::FGProjects_Click);
    connect(chkTimeline, &QCheckBox::toggled, this, &frmExcel::chkTimeline_Click);
    connect(MonthViewStart, &QCalendarWidget::clicked, this, &frmExcel::MonthViewStart_DateClick);
    connect(MonthViewEnd, &QCalendarWidget::clicked, this, &frmExcel::MonthViewEnd_DateClick);
    connect(bntCreate, &controls::ctrlButton::Click, this, &frmExcel::CreateWorkbook);
    Form_Load();
}

void frmExcel::Form_Load() {
    auto& s = state();
    if (s.g_zorbel)
        m_rights = s.g_zorbel->GetUserAdmin(s.g_currentMultiUserID);
    m_projects = shell::LoadProjectGrid(*FGProjects, QStringLiteral("XL Load Projects failed: "));
    FGProjects_Click();
    if (s.g_zorbel) {
        m_Contacts = s.g_zorbel->GetContacts();
        m_StatusList = s.g_zorbel->GetProjectStatus();
    }
}

void frmExcel::FGProjects_Click() {
    const int row = FGProjects->Row();
    if (!m_projects || row < 1 || row > m_projects->RecordCount() || row >= FGProjects->Rows())
        return; // the header row only: no project of the Implement phase to pick
    const data::Recordset& list = *m_projects;
    const int record = row - 1;
    shell::PickedProject picked;
    picked.id = list.row(record)[fID].toInt();
    picked.name = list.row(record)[fName].toString();
    picked.ownerID = list.row(record)[fOwner].toInt();
    picked.start = dateField(list, record, fStart);
    picked.end = dateField(list, record, fEnd);
    shell::MakeProjectCurrent(picked, m_rights);

    m_projectID = picked.id;
    m_projectName = picked.name;
    m_ProjectWBS = wbsText(list.row(record)[fWBS]);
    txtProject->setText(picked.name);
    // The window starts as the project's own dates, replacing any picked before.
    m_windowStart = picked.start.date();
    m_windowEnd = picked.end.date();
    m_windowPicked = false;
    txtStart->setText(shell::FormatShown(picked.start));
    txtEnd->setText(shell::FormatShown(picked.end));
    if (m_windowStart.isValid())
        MonthViewStart->setSelectedDate(m_windowStart);
    if (m_windowEnd.isValid())
        MonthViewEnd->setSelectedDate(m_windowEnd);
    showWindowLength();
}

void frmExcel::chkTimeline_Click() {
    const bool shown = chkTimeline->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{MonthViewStart, MonthViewEnd, txtStart, txtEnd, txtWindow,
                                                       lblStart, lblDuration, lblEnd})
        w->setVisible(shown);
}

void frmExcel::MonthViewStart_DateClick() {
    m_windowStart = MonthViewStart->selectedDate();
    m_windowPicked = true;
    txtStart->setText(shell::FormatShown(QDateTime(m_windowStart, QTime(0, 0))));
    showWindowLength();
}

void frmExcel::MonthViewEnd_DateClick() {
    m_windowEnd = MonthViewEnd->selectedDate();
    m_windowPicked = true;
    txtEnd->setText(shell::FormatShown(QDateTime(m_windowEnd, QTime(0, 0))));
    showWindowLength();
}

void frmExcel::tellBackwardsWindow() {
    if (m_windowPicked) {
        shell::tellEndBeforeStart();
        return;
    }
    // The window is still the project's own: the user entered neither date here.
    ui::MsgBox(QStringLiteral("The Project's End Date is before its Start Date - pick the Timeline's dates with the "
                              "calendars"),
               ui::vbInformation, QStringLiteral("Operation Cancelled"));
}

void frmExcel::showWindowLength() {
    const auto days = windowDays(m_windowStart, m_windowEnd);
    txtWindow->setText(days ? QString::number(*days) : QString());
}

void frmExcel::CreateWorkbook() {
    if (m_projectID == 0) {
        ui::MsgBox(QStringLiteral("There is no project of the Implement phase to report on"), ui::vbExclamation,
                   QStringLiteral("No Project"));
        return;
    }
    const auto days = windowDays(m_windowStart, m_windowEnd);
    if (!days) {
        ui::MsgBox(QStringLiteral("Must have a valid start and end date"), ui::vbCritical, QStringLiteral("Date Error"));
        return;
    }
    // Only the timeline reads the window: one that ends before it starts
    // would give it no days, and the other sheets never look at it.
    if (*days < 0 && chkTimeline->isChecked()) {
        tellBackwardsWindow();
        return;
    }
    if (windowTooLong(*days)) {
        ui::MsgBox(QStringLiteral("The Duration must be less than 252 days"), ui::vbExclamation,
                   QStringLiteral("Duration Error"));
        return;
    }

    ReportRequest request;
    request.projectID = m_projectID;
    request.projectName = m_projectName;
    request.projectWBS = m_ProjectWBS;
    request.team = chkTeam->isChecked();
    request.sheets = {chkMilestones->isChecked(), chkDeliverables->isChecked(), chkRisks->isChecked(),
                      chkTimeline->isChecked()};
    request.windowFirst = m_windowStart;
    request.windowLast = m_windowEnd;
    ProjectReport report(request, m_Contacts, m_StatusList);
    report.CreateWorkbook();
}

} // namespace zorbel::reports

using zorbel::reports::frmExcel;
ZORBEL_REGISTER_WINDOW(frmExcel)
