#include "client/risks/frmIssueLog.h"

#include "client/risks/IssueLogWorkbook.h"
#include "client/risks/IssueRules.h"
#include "client/risks/frmAddIssue.h"
#include "client/shell/AppState.h"
#include "client/shell/Combos.h"
#include "client/shell/Placing.h"
#include "client/shell/Rights.h"
#include "client/shell/Values.h"
#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include <limits>

namespace zorbel::risks {

using shell::GridColumn;
using shell::placeField;
using shell::placeLabel;
using shell::state;

namespace {

// Fields of the issues list.
enum Field { fID, fProjectID, fGroupID, fReference, fDate, fIssue, fImpact, fResolution, fOwnerID, fStatusID,
             fSeverityID, fUrgencyID, fScheduleID };

const QString kDialog = QStringLiteral("frmAddIssue");

frmAddIssue* loadDialog() {
    return dynamic_cast<frmAddIssue*>(ui::loadWindow(kDialog));
}

} // namespace

frmIssueLog::frmIssueLog() {
    setObjectName(QStringLiteral("frmIssueLog"));
    setWindowTitle(QStringLiteral("Issue Log"));
    controls::resizeTwips(this, 10800, 6360);

    placeLabel(this, QStringLiteral("Selected Issue"), 240, 120, 1260, "Label1");
    txtIssue = placeLabel(this, QString(), 1620, 120, 6855, "txtIssue");
    controls::setHeightTwips(txtIssue, 615);
    txtIssue->setWordWrap(true);
    txtIssue->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    placeLabel(this, QStringLiteral("Sort By"), 240, 990, 780, "Label2");
    ComboOrder = placeField<QComboBox>(this, "ComboOrder", 1080, 960, 2160);
    placeLabel(this, QStringLiteral("Issue Group"), 3480, 990, 1080, "Label3");
    ComboIssueGroup = placeField<QComboBox>(this, "ComboIssueGroup", 4620, 960, 2760);
    chkViewAll = placeField<QCheckBox>(this, "chkViewAll", 7620, 960, 1680);
    chkViewAll->setText(QStringLiteral("View Closed"));
    chkViewAll->setToolTip(QStringLiteral("View Closed Issues"));
    QFont bold = chkViewAll->font();
    bold.setBold(true);
    chkViewAll->setFont(bold);

    FG1 = placeField<ui::FlexGrid>(this, "FG1", 240, 1440, 10185, 3570);

    const struct {
        controls::ctrlButton** slot;
        const char* name;
        const char* caption;
        void (frmIssueLog::*handler)();
    } buttons[] = {
        {&btnEdit, "btnEdit", "Edit", &frmIssueLog::btnEdit_Click},
        {&btnAdd, "btnAdd", "Add", &frmIssueLog::btnAdd_Click},
        {&btnDelete, "btnDelete", "Delete", &frmIssueLog::btnDelete_Click},
        {&btnRefresh, "btnRefresh", "Refresh", &frmIssueLog::btnRefresh_Click},
        {&btnExcel, "btnExcel", "Excel", &frmIssueLog::btnExcel_Click},
    };
    int left = 240;
    for (const auto& b : buttons) {
        auto* button = shell::placeButton(this, b.name, QString::fromLatin1(b.caption), left, 5355);
        connect(button, &controls::ctrlButton::Click, this, b.handler);
        *b.slot = button;
        left += controls::ctrlButton::DesignWidthTwips + 60;
    }

    const int leftTop = ui::FlexGrid::AlignLeftTop;
    const auto named = [](const shell::LookUpNames& names, Field id) {
        return [&names, id](const shell::ListRow& row) { return names.nameOf(row[id]); };
    };
    m_columns = {
        {.field = fID, .header = QStringLiteral("ID")},
        {.field = fProjectID, .header = QStringLiteral("PrjID"), .alignment = leftTop},
        {.field = fGroupID, .header = QStringLiteral("IssGrp"), .alignment = leftTop},
        {.field = fReference, .header = QStringLiteral("Issue Reference"), .widthInA = 15, .alignment = leftTop},
        {.field = fDate, .header = QStringLiteral("Issue date"), .widthInA = 12, .alignment = leftTop,
         .kind = GridColumn::Date},
        {.field = fIssue, .header = QStringLiteral("Issue"), .widthInA = 30, .alignment = leftTop},
        {.field = fImpact, .header = QStringLiteral("Impact"), .widthInA = 30, .alignment = leftTop},
        {.field = fResolution, .header = QStringLiteral("Resolution"), .widthInA = 30, .alignment = leftTop},
        {.field = fOwnerID, .header = QStringLiteral("OwnerID"), .alignment = leftTop},
        {.field = fStatusID, .header = QStringLiteral("StatusID"), .alignment = leftTop},
        {.field = fSeverityID, .header = QStringLiteral("SeverityID"), .alignment = leftTop},
        {.field = fUrgencyID, .header = QStringLiteral("UrgencyID"), .alignment = leftTop},
        {.field = fScheduleID, .header = QStringLiteral("ScheduleID"), .alignment = leftTop},
        {.header = QStringLiteral("Owner"), .widthInA = 15, .alignment = leftTop, .compute = named(m_owners, fOwnerID)},
        {.header = QStringLiteral("Status"), .widthInA = 15, .alignment = leftTop,
         .compute = named(m_statuses, fStatusID)},
        {.header = QStringLiteral("Severity"), .widthInA = 15, .alignment = leftTop,
         .compute = named(m_severities, fSeverityID)},
        {.header = QStringLiteral("Urgency"), .widthInA = 15, .alignment = leftTop,
         .compute = named(m_urgencies, fUrgencyID)},
        {.header = QStringLiteral("Schedule"), .widthInA = 20, .compute = named(m_schedules, fScheduleID)},
    };

    connect(ComboOrder, &QComboBox::currentIndexChanged, this, &frmIssueLog::ComboOrder_Click);
    connect(ComboIssueGroup, &QComboBox::currentIndexChanged, this, &frmIssueLog::ComboIssueGroup_Click);
    connect(chkViewAll, &QCheckBox::toggled, this, &frmIssueLog::chkViewAll_Click);
    connect(FG1, &ui::FlexGrid::RowColChange, this, &frmIssueLog::ShowSelectedIssue);

    Form_Resize();
    Form_Load();
}

qint32 frmIssueLog::projectID() const {
    return state().g_currentProjectID;
}

QString frmIssueLog::projectName() const {
    return state().g_currentProjectName;
}

void frmIssueLog::Form_Load() {
    auto& s = state();
    ui::showModal(QStringLiteral("frmSelectProject"));

    // Picking the first order loads the list, still in the group that was
    // current before the log opened; a log without groups keeps that list.
    LoadIssueOrderCombo();
    ShowIssueButtons();

    m_rsGroups = s.g_zorbel->GetIssuesGroups();
    if (m_rsGroups) {
        if (m_rsGroups->RecordCount() > 0) {
            shell::fillCombo(*ComboIssueGroup, m_rsGroups, 1);
            s.g_currentIssueGroupID = shell::idAtRow(m_rsGroups, 0);
            ComboIssueGroup->setCurrentIndex(0); // the pick loads the first group's issues
        } else {
            s.g_currentIssueGroupID = 0;
            s.g_currentIssueGroupName.clear();
        }
    }
    shell::ApplyRights(btnAdd, btnEdit, btnDelete, s.g_issueAdminLevel);
}

void frmIssueLog::LoadIssueOrderCombo() {
    shell::fillCombo(*ComboOrder, issueOrderCaptions());
    ComboOrder->setCurrentIndex(0);
}

void frmIssueLog::IssueOrderClause(int index) {
    m_sortField = issueOrderClause(index);
}

void frmIssueLog::ComboOrder_Click() {
    IssueOrderClause(ComboOrder->currentIndex());
    LoadIssues();
}

void frmIssueLog::ComboIssueGroup_Click() {
    // The group is the one at the picked position: two groups of one name stay apart.
    const int index = ComboIssueGroup->currentIndex();
    if (index < 0 || !m_rsGroups || index >= m_rsGroups->RecordCount())
        return;
    auto& s = state();
    s.g_currentIssueGroupName = ComboIssueGroup->itemText(index);
    s.g_currentIssueGroupID = shell::idAtRow(m_rsGroups, index);
    LoadIssues();
}

void frmIssueLog::LoadIssues() {
    auto& s = state();
    if (!shell::mayList(s.g_issueAdminLevel))
        return;
    FG1->Clear();
    FG1->setRows(1);
    m_issueCount = 0;
    txtIssue->clear();
    // Until a row is taken nothing is selected: Edit and Delete must never
    // act on an issue the list no longer shows.
    clearSelection();

    m_rsIssues = s.g_zorbel->GetIssues(m_sortField, s.g_currentProjectID, s.g_currentIssueGroupID,
                                       chkViewAll->isChecked() ? 1 : 0);
    if (m_rsIssues && m_rsIssues->RecordCount() > std::numeric_limits<qint16>::max()) {
        ui::MsgBox(QStringLiteral("LoadIssues Method failed: Overflow"));
        m_rsIssues.reset();
    }
    if (m_rsIssues && m_rsIssues->RecordCount() > 0) {
        m_issueCount = static_cast<qint16>(m_rsIssues->RecordCount());
        m_owners = shell::LookUpNames(s.g_zorbel->GetProjectTeam(s.g_currentProjectID), QStringLiteral("FullName"));
        m_statuses = shell::LookUpNames(s.g_zorbel->GetIssueStatus(), QStringLiteral("Status"));
        m_severities = shell::LookUpNames(s.g_zorbel->GetIssueSeverity(), QStringLiteral("Severity"));
        m_urgencies = shell::LookUpNames(s.g_zorbel->GetIssueUrgency(), QStringLiteral("Urgency"));
        m_schedules = shell::LookUpNames(s.g_zorbel->GetIssueSchedule(), QStringLiteral("Schedule"));
        shell::layOutGrid(*FG1, m_columns);
        shell::appendRows(*FG1, m_columns, *m_rsIssues);
        FG1->setCol(1);
        FG1->setRow(1);
        ShowSelectedIssue();
    } else if (m_rsIssues) {
        shell::layOutGrid(*FG1, m_columns);
    }
    ShowIssueButtons();
}

void frmIssueLog::clearSelection() {
    auto& s = state();
    s.g_currentIssueID = 0;
    s.g_issueOwnerID = 0;
    s.g_issueStatusID = 0;
    s.g_issueSeverityID = 0;
    s.g_issueUrgencyID = 0;
    s.g_issueScheduleID = 0;
    m_issueReference.clear();
    m_issueDate = QVariant();
    m_issueText.clear();
    m_issueImpact.clear();
    m_issueResolution.clear();
}

void frmIssueLog::ShowSelectedIssue() {
    const int r = FG1->Row();
    if (m_issueCount < 1 || r < 1 || r >= FG1->Rows())
        return;
    auto& s = state();
    // An empty id cell (a null in the database) reads 0.
    const auto id = [this, r](Field f) { return FG1->TextMatrix(r, f).toInt(); };
    const auto id16 = [this, r](Field f) { return shell::int16Of(FG1->TextMatrix(r, f)); };
    s.g_currentIssueID = id(fID);
    s.g_currentIssueGroupID = id(fGroupID);
    m_issueReference = FG1->TextMatrix(r, fReference);
    // The grid shows the date in the configured pattern; the dialog gets it as stored.
    m_issueDate = m_rsIssues && r - 1 < m_rsIssues->RecordCount() ? m_rsIssues->row(r - 1)[fDate] : QVariant();
    m_issueText = FG1->TextMatrix(r, fIssue);
    m_issueImpact = FG1->TextMatrix(r, fImpact);
    m_issueResolution = FG1->TextMatrix(r, fResolution);
    s.g_issueOwnerID = id(fOwnerID);
    s.g_issueStatusID = id16(fStatusID);
    s.g_issueSeverityID = id16(fSeverityID);
    s.g_issueUrgencyID = id16(fUrgencyID);
    s.g_issueScheduleID = id16(fScheduleID);
    txtIssue->setText(m_issueText);
}

void frmIssueLog::ShowIssueButtons() {
    // "View Closed" always shows: a group whose issues are all closed must
    // still be able to list them.
    const bool any = m_issueCount >= 1;
    btnEdit->setVisible(any);
    btnDelete->setVisible(any);
}

void frmIssueLog::btnAdd_Click() {
    const auto& s = state();
    // An issue outside every project or group would be listed nowhere; the
    // user is told which of the two is missing.
    if (s.g_currentProjectID == 0) {
        ui::MsgBox(QStringLiteral("Select a Project of the Implement phase first"));
        return;
    }
    if (s.g_currentIssueGroupID == 0) {
        ui::MsgBox(QStringLiteral("Add an Issue Group first"));
        return;
    }
    frmAddIssue* dialog = loadDialog();
    if (!dialog)
        return;
    dialog->DialogMode = shell::kAdd;
    dialog->clearForAdd();
    ui::showModal(kDialog);
    if (!s.g_dialogCancelled)
        LoadIssues();
}

void frmIssueLog::btnEdit_Click() {
    if (m_issueCount < 1 || state().g_currentIssueID == 0)
        return;
    frmAddIssue* dialog = loadDialog();
    if (!dialog)
        return;
    dialog->DialogMode = shell::kEdit;
    dialog->showIssue(m_issueReference, m_issueDate, m_issueText, m_issueImpact, m_issueResolution);
    ui::showModal(kDialog);
    // The list shows the change at once, and a second Edit starts from it.
    if (!state().g_dialogCancelled)
        LoadIssues();
}

void frmIssueLog::btnDelete_Click() {
    if (m_issueCount < 1 || state().g_currentIssueID == 0)
        return;
    if (ui::MsgBox(QStringLiteral("Are you sure you want to delete ") + m_issueText, ui::vbYesNo) != ui::vbYes)
        return;
    state().g_zorbel->DeleteIssue(state().g_currentIssueID);
    LoadIssues();
}

void frmIssueLog::btnExcel_Click() {
    // An account that may not list the issues gets no workbook of them either.
    if (!shell::mayList(state().g_issueAdminLevel))
        return;
    IssueLogWorkbook({m_sortField, m_rsGroups, projectID(), projectName()}).Export();
}

void frmIssueLog::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmIssueLog::Form_Resize() {
    if (!FG1)
        return; // still being built
    const int width = shell::outerWidthTwips(this);
    const int height = shell::outerHeightTwips(this);
    if (height <= 3040 || width <= 740)
        return;
    controls::setWidthTwips(FG1, width - 735);
    controls::setHeightTwips(FG1, height - 3030);
    for (controls::ctrlButton* b : {btnAdd, btnEdit, btnDelete, btnRefresh, btnExcel})
        controls::setTopTwips(b, height - 1245);
}

} // namespace zorbel::risks

using zorbel::risks::frmIssueLog;
ZORBEL_REGISTER_WINDOW(frmIssueLog)
