#include "client/execution/ExecutionEditor.h"

#include "client/shell/Combos.h"
#include "client/shell/Owners.h"
#include "client/shell/Placing.h"
#include "client/shell/Values.h"
#include "controls/StatusLED.h"
#include "controls/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

namespace zorbel::execution {

using shell::placeField;
using shell::placeLabel;
using shell::state;

namespace {

shell::HeaderBlock::Level headerDownTo(Level parent) {
    switch (parent) {
    case Level::Deliverable: return shell::HeaderBlock::Deliverable;
    case Level::Task: return shell::HeaderBlock::Task;
    case Level::Action: return shell::HeaderBlock::Action;
    }
    return shell::HeaderBlock::Project;
}

qint32 currentIDAt(Level level) {
    const auto& s = state();
    switch (level) {
    case Level::Deliverable: return s.g_currentDeliverableID;
    case Level::Task: return s.g_currentTaskID;
    case Level::Action: return s.g_currentActionID;
    }
    return 0;
}

} // namespace

ExecutionEditor::ExecutionEditor(planning::EditorSpec spec, Level parent, ListSource source)
    : RecordEditor(std::move(spec)), m_header(*this, headerDownTo(parent), 120, 150), m_parent(parent),
      m_source(source) {}

void ExecutionEditor::openEditor(qint16 rightsLevel) {
    seedMode();
    m_header.showCurrent();
    readList();
    loadTeam();
    ApplyRights(rightsLevel);
    // Stored before the grid loads, so that the loader's switch to browse
    // mode leaves the designed state as it is.
    storeMode(shell::kBrowse);
    setNextWBS(1);
}

void ExecutionEditor::readList() {
    auto& s = state();
    m_parentHolds = currentChainHolds(m_parent);
    auto& list = s.*m_source.list;
    list = m_parentHolds ? ((*s.g_zorbel).*m_source.get)(currentIDAt(m_parent), 0) : nullptr;
    s.*m_source.count = list ? list->RecordCount() : 0;
}

void ExecutionEditor::loadList() {
    const auto& s = state();
    LoadGrid(s.*m_source.count > 0 ? s.*m_source.list : nullptr);
}

void ExecutionEditor::btnRefresh_Click() {
    readList();
    loadList();
}

void ExecutionEditor::makeOwner(int left, int top) {
    placeLabel(this, QStringLiteral("Owner"), left, top + 30, 800, "lblOwner");
    ComboOwner = placeField<QComboBox>(this, "ComboOwner", left + 840, top, 2250);
}

void ExecutionEditor::makeWBS(int left, int top) {
    placeLabel(this, QStringLiteral("WBS"), left, top + 30, 1000, "lblWBS");
    txtWBS = placeField<QLineEdit>(this, "txtWBS", left + 1080, top, 900);
}

void ExecutionEditor::makeStatus(int left, int top) {
    frStatus = new QGroupBox(QStringLiteral("Status"), this);
    frStatus->setObjectName(QStringLiteral("frStatus"));
    controls::placeTwips(frStatus, left, top, 3090, 780);
    ComboStatus = placeField<QComboBox>(this, "ComboStatus", left + 120, top + 300, 2250);
    LEDStatus = placeField<controls::StatusLED>(this, "LEDStatus", left + 2520, top + 270,
                                                controls::StatusLED::DesignWidthTwips,
                                                controls::StatusLED::DesignHeightTwips);
    for (QWidget* w : std::initializer_list<QWidget*>{frStatus, ComboStatus, LEDStatus})
        w->hide();
    connect(ComboStatus, &QComboBox::currentIndexChanged, this, &ExecutionEditor::ComboStatus_Click);
}

void ExecutionEditor::loadStatusList(int statusCode) {
    auto& s = state();
    s.g_rsStatus = s.g_zorbel->GetProjectStatus();
    shell::fillCombo(*ComboStatus, s.g_rsStatus, 1);
    const bool shown = s.g_navTool == statusCode;
    for (QWidget* w : std::initializer_list<QWidget*>{frStatus, ComboStatus, LEDStatus})
        w->setVisible(shown);
}

void ExecutionEditor::loadTeam() {
    auto& s = state();
    s.g_rsTeam = s.g_currentProjectID != 0 ? s.g_zorbel->GetProjectTeam(s.g_currentProjectID) : nullptr;
    shell::fillTeamCombo(*ComboOwner, s.g_rsTeam);
}

void ExecutionEditor::showOwner(const QVariant& owner) {
    m_rowOwnerID = owner.isNull() ? 0 : owner.toInt();
    shell::selectRowOfID(*ComboOwner, state().g_rsTeam, m_rowOwnerID);
}

void ExecutionEditor::showWBS(const QVariant& wbs) {
    txtWBS->setText(wbs.isNull() ? QString() : wbs.toString());
}

void ExecutionEditor::showStatus(const QVariant& status) {
    m_rowStatusID = shell::int16Of(status);
    shell::selectByID(*ComboStatus, m_rowStatusID);
    // After the combo, whose handler lights the lamp by the entry chosen.
    LEDStatus->setStatus(m_rowStatusID);
}

void ExecutionEditor::clearOwnerAndStatus() {
    ComboOwner->setCurrentIndex(-1);
    if (ComboStatus) {
        ComboStatus->setCurrentIndex(-1);
        LEDStatus->setStatus(0);
    }
}

void ExecutionEditor::ComboStatus_Click() {
    if (mode() != shell::kBrowse)
        LEDStatus->setStatus(static_cast<qint16>(ComboStatus->currentIndex() + 1));
}

planning::RecordEditor::Owners ExecutionEditor::resolveOwner() {
    // A new record falls back on no owner, never on the owner of the row last shown.
    const TeamOwner owner = teamOwner(ComboOwner, mode() == shell::kAdd ? 0 : m_rowOwnerID);
    m_ownerID = owner.teamID;
    return owner.users;
}

qint16 ExecutionEditor::statusToSave() const {
    return shell::idFromCombo(*ComboStatus, mode() == shell::kAdd ? 0 : m_rowStatusID);
}

bool ExecutionEditor::askProjectDates(const QDateTime& start, const QDateTime& end) {
    return askProjectStart(start, [this](const QDateTime& d) { m_header.showStart(shell::HeaderBlock::Project, d); })
           && askProjectEndDate(end);
}

bool ExecutionEditor::askProjectEndDate(const QDateTime& end) {
    return askProjectEnd(end, [this](const QDateTime& d) { m_header.showEnd(shell::HeaderBlock::Project, d); });
}

} // namespace zorbel::execution
