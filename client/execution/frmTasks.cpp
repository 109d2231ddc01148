#include "client/execution/frmTasks.h"

#include "business/Widths.h"
#include "client/execution/ExecutionRules.h"
#include "client/shell/Combos.h"
#include "client/shell/DateBox.h"
#include "client/shell/NavCodes.h"
#include "client/shell/Placing.h"
#include "client/shell/TextLimit.h"
#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/FlexGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace zorbel::execution {

using controls::placeTwips;
using shell::GridColumn;
using shell::placeField;
using shell::placeLabel;
using shell::state;

namespace {

// Fields of the tasks list.
enum Field { fID, fDeliverableID, fStatusID, fDescription, fOwnerID, fStart, fEnd, fDependency, fWBS };

planning::EditorSpec tasksSpec() {
    const bool implement = state().g_navTool == shell::nav::ImplementTasks;
    const int left = ui::FlexGrid::AlignLeftTop;
    planning::EditorSpec s;
    s.kind = QStringLiteral("Task");
    s.ownerRefusal = QStringLiteral("You do not have the rights to make changes to this Deliverable");
    s.columns = {
        {.field = fID},
        {.field = fStatusID, .header = QStringLiteral("!"), .widthInA = implement ? 3 : 0,
         .kind = GridColumn::StatusPicture},
        {.field = fDeliverableID},
        {.field = fStatusID},
        {.field = fDescription, .header = QStringLiteral("Task"), .widthInA = 30, .alignment = left},
        {.field = fOwnerID},
        {.field = fStart, .header = QStringLiteral("Start"), .widthInA = 12, .alignment = left, .kind = GridColumn::Date},
        {.field = fEnd, .header = QStringLiteral("Finish"), .widthInA = 12, .alignment = left, .kind = GridColumn::Date},
        {.field = fDependency, .whenNull = QStringLiteral("0")},
        {.field = fWBS},
    };
    s.wbsField = fWBS;
    return s;
}

} // namespace

frmTasks::frmTasks()
    : ExecutionEditor(tasksSpec(), Level::Deliverable,
                      {&shell::ApplicationState::g_rsTasks, &shell::ApplicationState::g_taskCount,
                       &ZorbelClass::GetTasks}) {
    setObjectName(QStringLiteral("frmTasks"));
    setWindowTitle(QStringLiteral("Tasks"));
    controls::resizeTwips(this, 9450, 9000);

    makeGrid(QStringLiteral("FG1"), 120, 960, 9210, 3000);

    placeLabel(this, QStringLiteral("Task"), 120, 4170, 1000, "lblTask");
    txtTask = placeField<QPlainTextEdit>(this, "txtTask", 1200, 4140, 4800, 615);
    shell::limitTextWithCounter(this, *txtTask, widths::of("ZORBEL_TASKS", "Description"), 120, 4455, 1000,
                                "cntTask");
    placeLabel(this, QStringLiteral("Start"), 120, 4890, 1000, "lblStart");
    txtTaskStart = placeField<shell::DateBox>(this, "txtTaskStart", 1200, 4860, 1500);
    placeLabel(this, QStringLiteral("Finish"), 2880, 4890, 700, "lblEnd");
    txtTaskEnd = placeField<shell::DateBox>(this, "txtTaskEnd", 3600, 4860, 1500);
    makeDurationEntry(txtTaskStart, txtTaskEnd, 120, 5280);
    makeWBS(120, 5670);
    lblDependency = placeLabel(this, QStringLiteral("Dependency"), 120, 6090, 1200, "lblDependency");
    txtDependency = placeField<QLineEdit>(this, "txtDependency", 1320, 6060, 4680);
    lockField(txtDependency, true);

    makeOwner(6240, 4140);
    makeStatus(6240, 4560);
    chkDependency = new QCheckBox(QStringLiteral("Include Dependency"), this);
    chkDependency->setObjectName(QStringLiteral("chkDependency"));
    placeTwips(chkDependency, 6240, 5670, 2600, 285);

    makePicker(6480);
    makeButtons(120, 8400);

    setLockedFields({txtTask, txtTaskStart, txtTaskEnd, txtWBS, ComboOwner, ComboStatus, ComboProjects,
                     ComboDeliverables, ComboTasks});
    for (QWidget* f :
         std::initializer_list<QWidget*>{txtTask, txtTaskStart, txtTaskEnd, txtWBS, ComboOwner, ComboStatus})
        lockField(f, true);
    for (QWidget* w : std::initializer_list<QWidget*>{chkDependency, lblDependency, txtDependency})
        w->hide();

    connect(chkDependency, &QCheckBox::toggled, this, &frmTasks::chkDependency_Click);
    connect(ComboProjects, &QComboBox::currentIndexChanged, this, &frmTasks::ComboProjects_Click);
    connect(ComboDeliverables, &QComboBox::currentIndexChanged, this, &frmTasks::ComboDeliverables_Click);
    // Choosing the entry already chosen changes no index but still reads the
    // list below it again: tasks added since show up. A choice that does change
    // the index reads it twice, which costs a query and changes nothing.
    connect(ComboProjects, &QComboBox::activated, this, &frmTasks::ComboProjects_Click);
    connect(ComboDeliverables, &QComboBox::activated, this, &frmTasks::ComboDeliverables_Click);
    connect(ComboTasks, &QComboBox::currentIndexChanged, this, &frmTasks::ComboTasks_Click);
    connect(btnSetDate, &controls::ctrlButton::Click, this, &frmTasks::btnSetDate_Click);

    Form_Load();
}

void frmTasks::makePicker(int top) {
    frmDependency = new QGroupBox(QStringLiteral("Dependency"), this);
    frmDependency->setObjectName(QStringLiteral("frmDependency"));
    placeTwips(frmDependency, 120, top, 9210, 1680);
    placeLabel(frmDependency, QStringLiteral("Project"), 120, 330, 1000, "lblProjects");
    ComboProjects = placeField<QComboBox>(frmDependency, "ComboProjects", 1200, 300, 3000);
    placeLabel(frmDependency, QStringLiteral("Deliverables"), 4440, 330, 1200, "lblDeliverables");
    ComboDeliverables = placeField<QComboBox>(frmDependency, "ComboDeliverables", 5760, 300, 3280);
    placeLabel(frmDependency, QStringLiteral("Task"), 120, 750, 1000, "lblTasks");
    ComboTasks = placeField<QComboBox>(frmDependency, "ComboTasks", 1200, 720, 3000);
    txtselDate = placeField<QLineEdit>(frmDependency, "txtselDate", 4440, 720, 1500);
    txtselDate->setToolTip(QStringLiteral("Dependency End Date"));
    lockField(txtselDate, true);
    placeLabel(frmDependency, QStringLiteral("Set Task Start Date to Dependency End Date"), 120, 1200, 5000,
               "lblSetDate");
    btnSetDate = new controls::ctrlButton(QStringLiteral("Set Date"), this);
    btnSetDate->setObjectName(QStringLiteral("btnSetDate"));
    placeTwips(btnSetDate, 5400, top + 1140, controls::ctrlButton::DesignWidthTwips,
               controls::ctrlButton::DesignHeightTwips);
    showPicker(false);
}

void frmTasks::Form_Load() {
    loadStatusList(shell::nav::ImplementTasks);
    openEditor(state().g_taskAdminLevel);

    fillPickerProjects();
    chkDependency->setChecked(false);
    chkDependency_Click();

    LoadTasksGrid();
    // The picker's automatic first choice is nobody's predecessor.
    forgetPick();
}

qint32& frmTasks::savedRow() {
    return state().g_taskRow;
}

void frmTasks::btnRefresh_Click() {
    ExecutionEditor::btnRefresh_Click();
    fillPickerProjects();
    // Reading the lists chose their first task; that is nobody's predecessor.
    forgetPick();
}

void frmTasks::afterSetMode(int mode) {
    // Every switch starts without a chosen predecessor; an edit then takes
    // the task's own back, so that saving another field does not drop it.
    chkDependency->setVisible(mode != shell::kBrowse);
    showPicker(false);
    forgetPick();
    chkDependency->setChecked(false);
    if (mode == shell::kEdit)
        restoreLoadedPredecessor();
}

qint32& frmTasks::currentID() {
    return state().g_currentTaskID;
}

void frmTasks::emptyFields() {
    txtTask->clear();
    txtTaskStart->clear();
    txtTaskEnd->clear();
    txtWBS->clear();
    clearOwnerAndStatus();
    showLoadedPredecessor(0);
}

void frmTasks::showRow(int, const Row& v) {
    auto& s = state();
    s.g_currentTaskID = v[fID].toInt();
    showStatus(v[fStatusID]);
    txtTask->setPlainText(v[fDescription].toString());
    s.g_currentTaskName = txtTask->toPlainText();

    txtTaskStart->showStored(v[fStart]);
    if (auto d = shell::dateOf(v[fStart]))
        s.g_taskStart = *d;
    txtTaskEnd->showStored(v[fEnd]);
    if (auto d = shell::dateOf(v[fEnd]))
        s.g_taskEnd = *d;
    showWBS(v[fWBS]);

    showOwner(v[fOwnerID]);
    showLoadedPredecessor(v[fDependency].isNull() ? 0 : v[fDependency].toInt());

    s.g_actionRow = 0;
    s.g_progressRow = 0;
}

void frmTasks::showLoadedPredecessor(qint32 dependency) {
    m_loadedDependency = dependency > 0 ? dependency : 0;
    m_loadedEndDate = QDateTime();
    txtDependency->clear();
    lblDependency->setVisible(m_loadedDependency > 0);
    txtDependency->setVisible(m_loadedDependency > 0);
    if (m_loadedDependency == 0) {
        chkDependency->setChecked(false);
        return;
    }
    // A predecessor that no longer exists shows nothing, never another row's.
    const auto predecessor = state().g_zorbel->GetTasks(state().g_currentDeliverableID, m_loadedDependency);
    if (predecessor && predecessor->RecordCount() > 0) {
        const Row& p = predecessor->row(0);
        txtDependency->setText(p[fDescription].toString());
        m_loadedEndDate = shell::dateOf(p[fEnd]).value_or(QDateTime());
    }
    chkDependency->setChecked(true);
    if (mode() == shell::kEdit)
        restoreLoadedPredecessor();
}

void frmTasks::restoreLoadedPredecessor() {
    if (m_loadedDependency <= 0)
        return;
    choosePredecessor(m_loadedDependency, m_loadedEndDate);
    chkDependency->setChecked(true);
}

void frmTasks::clearForAdd() {
    txtTask->clear();
    txtTaskStart->clear();
    txtTaskEnd->clear();
    txtWBS->clear();
    txtDuration->clear();
    clearOwnerAndStatus();
    // A new task has no predecessor until one is picked; the line says so.
    showLoadedPredecessor(0);
}

// ---------------------------------------------------------------- the picker

void frmTasks::showPicker(bool shown) {
    frmDependency->setVisible(shown);
    btnSetDate->setVisible(shown);
}

void frmTasks::fillPickerProjects() {
    const qint32 project = m_pickedProjectID;
    const qint32 deliverable = m_pickedDeliverableID;
    m_rsPickerProjects = state().g_zorbel->GetProjects(static_cast<qint16>(shell::nav::phaseState(state().g_navTool)));
    shell::fillCombo(*ComboProjects, shell::fieldTexts(m_rsPickerProjects, QStringLiteral("Name")));
    {
        const QSignalBlocker quiet(ComboProjects);
        const int kept = shell::rowOfID(m_rsPickerProjects, project);
        ComboProjects->setCurrentIndex(kept >= 0 ? kept : (ComboProjects->count() > 0 ? 0 : -1));
    }
    ComboProjects_Click();
    const int keptDeliverable = shell::rowOfID(m_rsPickerDeliverables, deliverable);
    if (keptDeliverable > 0)
        ComboDeliverables->setCurrentIndex(keptDeliverable);
}

void frmTasks::forgetPick() {
    m_pickedDependency = 0;
    m_pickedEndDate = QDateTime();
    // The list keeps its tasks but shows none chosen, so what it shows is what OK sends.
    const QSignalBlocker quiet(ComboTasks);
    ComboTasks->setCurrentIndex(-1);
    txtselDate->clear();
}

void frmTasks::choosePredecessor(qint32 taskID, const QDateTime& end) {
    m_pickedDependency = taskID;
    m_pickedEndDate = end;
    txtselDate->setText(shell::FormatShown(end));
}

void frmTasks::chkDependency_Click() {
    if (chkDependency->isChecked()) {
        if (mode() != shell::kBrowse)
            showPicker(true);
        return;
    }
    showPicker(false);
    forgetPick();
}

void frmTasks::ComboProjects_Click() {
    const int chosen = ComboProjects->currentIndex();
    m_pickedProjectID = shell::idAtRow(m_rsPickerProjects, chosen);
    m_rsPickerDeliverables = chosen >= 0 ? state().g_zorbel->GetDeliverables(m_pickedProjectID) : nullptr;
    shell::fillCombo(*ComboDeliverables, shell::fieldTexts(m_rsPickerDeliverables, QStringLiteral("Deliverable")));
    // The first deliverable is chosen as a user's choice would be; none empties the levels below.
    if (ComboDeliverables->count() > 0)
        ComboDeliverables->setCurrentIndex(0);
    else
        ComboDeliverables_Click();
}

void frmTasks::ComboDeliverables_Click() {
    const int chosen = ComboDeliverables->currentIndex();
    m_pickedDeliverableID = shell::idAtRow(m_rsPickerDeliverables, chosen);
    m_rsPickerTasks = chosen >= 0 ? state().g_zorbel->GetTasks(m_pickedDeliverableID) : nullptr;
    shell::fillCombo(*ComboTasks, shell::fieldTexts(m_rsPickerTasks, fDescription));
    if (ComboTasks->count() > 0)
        ComboTasks->setCurrentIndex(0);
    else
        ComboTasks_Click();
}

void frmTasks::ComboTasks_Click() {
    const int chosen = ComboTasks->currentIndex();
    if (chosen < 0 || !m_rsPickerTasks || chosen >= m_rsPickerTasks->RecordCount()) {
        forgetPick();
        return;
    }
    const Row& task = m_rsPickerTasks->row(chosen);
    choosePredecessor(task[fID].toInt(), shell::dateOf(task[fEnd]).value_or(QDateTime()));
}

void frmTasks::btnSetDate_Click() {
    if (m_pickedDependency <= 0)
        return;
    const auto moved = followPredecessor(m_pickedEndDate, txtTaskStart->date(), txtTaskEnd->date(),
                                         chk7DayWeek->isChecked());
    if (!moved)
        return;
    txtTaskStart->setDate(moved->start);
    if (moved->end)
        txtTaskEnd->setDate(*moved->end);
}

// ---------------------------------------------------------------- OK

bool frmTasks::readInputs() {
    const auto span = shell::readDateSpan(*txtTaskStart, *txtTaskEnd);
    if (!span || !readWBS(txtWBS))
        return false;
    m_start = span->start;
    m_end = span->end;
    // The hidden combo decides the status in every phase.
    m_statusID = statusToSave();
    return true;
}

bool frmTasks::checkProjectDates() {
    return askProjectDates(m_start, m_end);
}

qint32 frmTasks::updateRecord() {
    auto& s = state();
    return s.g_zorbel->UpdateTask(s.g_currentTaskID, s.g_currentDeliverableID, m_statusID, txtTask->toPlainText(),
                                  m_ownerID, m_start, m_end, m_pickedDependency, static_cast<qint16>(s.g_saveWBS));
}

qint32 frmTasks::addRecord() {
    auto& s = state();
    return s.g_zorbel->AddTask(s.g_currentDeliverableID, m_statusID, txtTask->toPlainText(), m_ownerID, m_start,
                               m_end, m_pickedDependency, static_cast<qint16>(s.g_saveWBS));
}

qint32 frmTasks::deleteRecord() {
    return state().g_zorbel->DeleteTask(state().g_currentTaskID);
}

QString frmTasks::recordName() const {
    return txtTask->toPlainText();
}

} // namespace zorbel::execution

using zorbel::execution::frmTasks;
ZORBEL_REGISTER_WINDOW(frmTasks)
