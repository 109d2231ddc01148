#include "client/planning/frmDeliverables.h"

#include "business/Widths.h"
#include "client/shell/Combos.h"
#include "client/shell/DateBox.h"
#include "client/shell/NavCodes.h"
#include "client/shell/Owners.h"
#include "client/shell/Placing.h"
#include "client/shell/Rights.h"
#include "client/shell/TextLimit.h"
#include "client/shell/WindowRegistration.h"
#include "controls/StatusLED.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace zorbel::planning {

using controls::placeTwips;
using shell::GridColumn;
using shell::placeField;
using shell::placeLabel;
using shell::state;

namespace {

// Fields of the deliverables list.
enum Field { fID, fProjectID, fStatusID, fDeliverable, fMetric, fOwnerID, fStart, fEnd, fWBS, fCSF };

EditorSpec deliverablesSpec() {
    const bool implement = state().g_navTool == shell::nav::ImplementDeliverables;
    const int left = ui::FlexGrid::AlignLeftTop;
    EditorSpec s;
    s.kind = QStringLiteral("Deliverable");
    s.ownerRefusal = QStringLiteral("You do not have the rights to make changes to this Deliverable");
    s.columns = {
        {.field = fID},
        {.field = fStatusID, .header = QStringLiteral("!"), .widthInA = implement ? 3 : 0,
         .kind = GridColumn::StatusPicture},
        {.field = fProjectID},
        {.field = fStatusID},
        {.field = fDeliverable, .header = QStringLiteral("Deliverable"), .widthInA = 30, .alignment = left},
        {.field = fMetric},
        {.field = fOwnerID},
        {.field = fStart, .header = QStringLiteral("Start"), .widthInA = 12, .alignment = left, .kind = GridColumn::Date},
        {.field = fEnd, .header = QStringLiteral("Finish"), .widthInA = 12, .alignment = left, .kind = GridColumn::Date},
        {.field = fWBS},
        {.field = fCSF},
    };
    s.wbsField = fWBS;
    return s;
}

} // namespace

frmDeliverables::frmDeliverables()
    : RecordEditor(deliverablesSpec()), m_header(*this, shell::HeaderBlock::Project, 120, 150) {
    setObjectName(QStringLiteral("frmDeliverables"));
    setWindowTitle(QStringLiteral("Project Deliverables"));
    controls::resizeTwips(this, 9450, 8100);


    makeGrid(QStringLiteral("FG1"), 120, 540, 9210, 3255)->hide();

    placeLabel(this, QStringLiteral("Deliverable"), 120, 3960, 1000, "lblDeliverable");
    txtDeliverable = placeField<QPlainTextEdit>(this, "txtDeliverable", 1200, 3930, 4800, 615);
    placeLabel(this, QStringLiteral("Metric"), 120, 4680, 1000, "lblMetric");
    txtMetric = placeField<QPlainTextEdit>(this, "txtMetric", 1200, 4650, 4800, 615);
    shell::limitTextWithCounter(this, *txtDeliverable, widths::of("ZORBEL_DELIVERABLES", "Deliverable"), 120, 4245,
                                1000, "cntDeliverable");
    shell::limitTextWithCounter(this, *txtMetric, widths::of("ZORBEL_DELIVERABLES", "Metric"), 120, 4965, 1000,
                                "cntMetric");
    placeLabel(this, QStringLiteral("Start"), 120, 5400, 1000, "lblStart");
    txtStartDate = placeField<shell::DateBox>(this, "txtStartDate", 1200, 5370, 1500);
    placeLabel(this, QStringLiteral("Finish"), 2880, 5400, 700, "lblEnd");
    txtEndDate = placeField<shell::DateBox>(this, "txtEndDate", 3600, 5370, 1500);
    placeLabel(this, QStringLiteral("WBS"), 120, 6200, 1000, "Label6");
    txtWBS = placeField<QLineEdit>(this, "txtWBS", 1200, 6170, 900);

    placeLabel(this, QStringLiteral("Owner"), 6240, 3960, 800, "Label7");
    ComboOwner = placeField<QComboBox>(this, "ComboOwner", 7080, 3930, 2250);
    ChkCSF = new QCheckBox(QStringLiteral("CSF"), this);
    ChkCSF->setObjectName(QStringLiteral("ChkCSF"));
    ChkCSF->setToolTip(QStringLiteral("Is this Deliverable a Critical Succes Factor"));
    placeTwips(ChkCSF, 7080, 4380, 1200, 285);
    FrameStatus = new QGroupBox(QStringLiteral("Status"), this);
    FrameStatus->setObjectName(QStringLiteral("FrameStatus"));
    placeTwips(FrameStatus, 6240, 4740, 3090, 780);
    ComboStatus = placeField<QComboBox>(this, "ComboStatus", 6360, 5040, 2250);
    LEDStatus = placeField<controls::StatusLED>(this, "LEDStatus", 8760, 5010, controls::StatusLED::DesignWidthTwips, controls::StatusLED::DesignHeightTwips);

    makeDurationEntry(txtStartDate, txtEndDate, 120, 5780);
    makeButtons(120, 7200);
    btnAdd->setToolTip(QStringLiteral("Add New Deliverable"));
    btnDelete->setToolTip(QStringLiteral("Delete selected Deliverable"));

    // The date boxes stay open until the first switch to browse mode locks them;
    // the CSF box is never locked.
    setLockedFields({txtDeliverable, txtMetric, txtStartDate, txtEndDate, txtWBS, ComboOwner, ComboStatus});
    for (QWidget* f : std::initializer_list<QWidget*>{txtDeliverable, txtMetric, txtWBS, ComboOwner, ComboStatus})
        lockField(f, true);
    for (QWidget* w : std::initializer_list<QWidget*>{LEDStatus, ComboStatus, FrameStatus})
        w->hide();

    connect(ComboStatus, &QComboBox::currentIndexChanged, this, &frmDeliverables::ComboStatus_Click);

    Form_Load();
}

void frmDeliverables::Form_Load() {
    auto& s = state();
    seedMode();
    m_header.showCurrent();

    s.g_rsStatus = s.g_zorbel->GetProjectStatus();
    shell::fillCombo(*ComboStatus, s.g_rsStatus, 1);
    if (s.g_navTool == shell::nav::ImplementDeliverables) {
        LEDStatus->show();
        ComboStatus->show();
    }

    // Without a current project there is nothing to list.
    s.g_rsDeliverables = s.g_currentProjectID != 0 ? s.g_zorbel->GetDeliverables(s.g_currentProjectID) : nullptr;
    s.g_deliverableCount = s.g_rsDeliverables ? s.g_rsDeliverables->RecordCount() : 0;
    s.g_rsTeam = s.g_currentProjectID != 0 ? s.g_zorbel->GetProjectTeam(s.g_currentProjectID) : nullptr;
    shell::fillTeamCombo(*ComboOwner, s.g_rsTeam);

    storeMode(shell::kBrowse);
    setNextWBS(1);
    LoadDeliverablesGrid();

    ApplyRights(s.g_projectAdminLevel);
}

void frmDeliverables::btnRefresh_Click() {
    auto& s = state();
    s.g_rsDeliverables = s.g_currentProjectID != 0 ? s.g_zorbel->GetDeliverables(s.g_currentProjectID) : nullptr;
    s.g_deliverableCount = s.g_rsDeliverables ? s.g_rsDeliverables->RecordCount() : 0;
    LoadDeliverablesGrid();
}

void frmDeliverables::LoadDeliverablesGrid() {
    auto& s = state();
    // Deliverables are listed only to users with task rights on the project.
    if (!shell::mayList(s.g_taskAdminLevel))
        return;
    LoadGrid(s.g_deliverableCount > 0 ? s.g_rsDeliverables : nullptr);
}

qint32& frmDeliverables::savedRow() {
    return state().g_deliverableRow;
}

void frmDeliverables::emptyDetails() {
    txtDeliverable->clear();
    txtMetric->clear();
    txtStartDate->clear();
    txtEndDate->clear();
    txtWBS->clear();
    ChkCSF->setChecked(false);
}

qint32& frmDeliverables::currentID() {
    return state().g_currentDeliverableID;
}

void frmDeliverables::emptyFields() {
    emptyDetails();
    ComboOwner->setCurrentIndex(-1);
    ComboStatus->setCurrentIndex(-1);
    LEDStatus->setStatus(0);
}

void frmDeliverables::showRow(int, const Row& v) {
    auto& s = state();
    s.g_currentDeliverableID = v[fID].toInt();
    m_rowStatusID = int16Of(v[fStatusID]);
    LEDStatus->setStatus(m_rowStatusID);
    txtDeliverable->setPlainText(v[fDeliverable].toString());
    s.g_currentDeliverableName = txtDeliverable->toPlainText();
    txtMetric->setPlainText(v[fMetric].toString());
    m_rowOwnerID = v[fOwnerID].isNull() ? 0 : v[fOwnerID].toInt();

    txtStartDate->showStored(v[fStart]);
    if (auto d = dateOf(v[fStart]))
        s.g_deliverableStart = *d;
    txtEndDate->showStored(v[fEnd]);
    if (auto d = dateOf(v[fEnd]))
        s.g_deliverableEnd = *d;

    txtWBS->setText(v[fWBS].isNull() ? QString() : v[fWBS].toString());
    // A row without a CSF value shows unticked, never the previous row's tick.
    ChkCSF->setChecked(!v[fCSF].isNull() && int16Of(v[fCSF]) != 0);

    shell::selectByID(*ComboStatus, m_rowStatusID);
    if (!s.g_rsTeam || s.g_rsTeam->RecordCount() < 1) {
        // Said when a row is picked, not again when OK, Cancel or a refusal shows it anew.
        if (!reshowing())
            ui::MsgBox(QStringLiteral("You have no Project Team for this Project\r\n"
                                      "Without a Team you can not assign Owners to Items"),
                       ui::vbInformation, QStringLiteral("No Project Team"));
    } else {
        shell::selectRowOfID(*ComboOwner, s.g_rsTeam, m_rowOwnerID);
    }

    s.g_taskRow = 0;
    s.g_actionRow = 0;
    s.g_progressRow = 0;
}

void frmDeliverables::clearForAdd() {
    // The owner, the status and the lamp stay those of the row last shown.
    emptyDetails();
    txtDuration->clear();
}

void frmDeliverables::ComboStatus_Click() {
    if (mode() != shell::kBrowse)
        LEDStatus->setStatus(static_cast<qint16>(ComboStatus->currentIndex() + 1));
}

bool frmDeliverables::hasParent() const {
    return state().g_currentProjectID != 0;
}

RecordEditor::Owners frmDeliverables::resolveOwner() {
    const TeamOwner owner = teamOwner(ComboOwner, m_rowOwnerID);
    m_ownerID = owner.teamID;
    return owner.users;
}

bool frmDeliverables::readInputs() {
    const auto span = shell::readDateSpan(*txtStartDate, *txtEndDate);
    if (!span || !readWBS(txtWBS))
        return false;
    m_start = span->start;
    m_end = span->end;
    // The hidden combo decides the status in every phase.
    m_statusID = shell::idFromCombo(*ComboStatus, m_rowStatusID);
    return true;
}

bool frmDeliverables::checkProjectDates() {
    return askProjectStart(m_start, [this](const QDateTime& d) { m_header.showStart(shell::HeaderBlock::Project, d); })
           && askProjectEnd(m_end, [this](const QDateTime& d) { m_header.showEnd(shell::HeaderBlock::Project, d); });
}

qint32 frmDeliverables::updateRecord() {
    auto& s = state();
    return s.g_zorbel->UpdateDeliverable(s.g_currentDeliverableID, s.g_currentProjectID, m_statusID,
                                         txtDeliverable->toPlainText(), txtMetric->toPlainText(), m_ownerID,
                                         m_start, m_end, static_cast<qint16>(s.g_saveWBS),
                                         ChkCSF->isChecked() ? 1 : 0);
}

qint32 frmDeliverables::addRecord() {
    auto& s = state();
    QString metric = txtMetric->toPlainText();
    return s.g_zorbel->AddDeliverable(s.g_currentProjectID, m_statusID, txtDeliverable->toPlainText(), metric,
                                      m_ownerID, m_start, m_end, static_cast<qint16>(s.g_saveWBS),
                                      ChkCSF->isChecked() ? 1 : 0);
}

qint32 frmDeliverables::deleteRecord() {
    return state().g_zorbel->DeleteDeliverable(state().g_currentDeliverableID);
}

QString frmDeliverables::recordName() const {
    return txtDeliverable->toPlainText();
}

} // namespace zorbel::planning

using zorbel::planning::frmDeliverables;
ZORBEL_REGISTER_WINDOW(frmDeliverables)
