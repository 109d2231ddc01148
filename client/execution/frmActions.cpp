#include "client/execution/frmActions.h"

#include "business/Widths.h"
#include "client/shell/DateBox.h"
#include "client/shell/NavCodes.h"
#include "client/shell/Placing.h"
#include "client/shell/TextLimit.h"
#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "platform/ui/FlexGrid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace zorbel::execution {

using shell::GridColumn;
using shell::placeField;
using shell::placeLabel;
using shell::state;

namespace {

// Fields of the actions list.
enum Field { fID, fTaskID, fDescription, fStart, fEnd, fStatusID, fOwnerID, fWBS };

planning::EditorSpec actionsSpec() {
    const bool implement = state().g_navTool == shell::nav::ImplementActions;
    const int left = ui::FlexGrid::AlignLeftTop;
    planning::EditorSpec s;
    s.kind = QStringLiteral("Action");
    s.ownerRefusal = QStringLiteral("You do not have the rights to make changes to this Deliverable");
    s.columns = {
        {.field = fID},
        {.field = fStatusID, .header = QStringLiteral("!"), .widthInA = implement ? 3 : 0,
         .kind = GridColumn::StatusPicture},
        {.field = fTaskID},
        {.field = fDescription, .header = QStringLiteral("Action"), .widthInA = 30, .alignment = left},
        {.field = fStart, .header = QStringLiteral("Start"), .widthInA = 12, .alignment = left, .kind = GridColumn::Date},
        {.field = fEnd, .header = QStringLiteral("Finish"), .widthInA = 12, .alignment = left, .kind = GridColumn::Date},
        {.field = fStatusID, .whenNull = QStringLiteral("0")},
        {.field = fOwnerID},
        {.field = fWBS},
    };
    s.wbsField = fWBS;
    return s;
}

} // namespace

frmActions::frmActions()
    : ExecutionEditor(actionsSpec(), Level::Task,
                      {&shell::ApplicationState::g_rsActions, &shell::ApplicationState::g_actionCount,
                       &ZorbelClass::GetActions}) {
    setObjectName(QStringLiteral("frmActions"));
    setWindowTitle(QStringLiteral("Actions"));
    controls::resizeTwips(this, 9450, 7800);

    makeGrid(QStringLiteral("FG1"), 120, 1350, 9210, 3000);

    placeLabel(this, QStringLiteral("Action"), 120, 4560, 1000, "lblAction");
    txtAction = placeField<QPlainTextEdit>(this, "txtAction", 1200, 4530, 4800, 615);
    shell::limitTextWithCounter(this, *txtAction, widths::of("ZORBEL_ACTIONS", "Description"), 120, 4845, 1000,
                                "cntAction");
    placeLabel(this, QStringLiteral("Start"), 120, 5280, 1000, "lblStart");
    txtActionStart = placeField<shell::DateBox>(this, "txtActionStart", 1200, 5250, 1500);
    placeLabel(this, QStringLiteral("Finish"), 2880, 5280, 700, "lblEnd");
    txtActionEnd = placeField<shell::DateBox>(this, "txtActionEnd", 3600, 5250, 1500);
    makeDurationEntry(txtActionStart, txtActionEnd, 120, 5670);
    makeWBS(120, 6060);

    makeOwner(6240, 4530);
    makeStatus(6240, 4950);
    makeButtons(120, 7200);

    setLockedFields({txtAction, txtActionStart, txtActionEnd, txtWBS, ComboOwner, ComboStatus});
    for (QWidget* f : std::initializer_list<QWidget*>{txtAction, txtActionStart, txtActionEnd, txtWBS, ComboOwner,
                                                      ComboStatus})
        lockField(f, true);

    Form_Load();
}

void frmActions::Form_Load() {
    loadStatusList(shell::nav::ImplementActions);
    openEditor(state().g_actionAdminLevel);
    LoadActionsGrid();
}

qint32& frmActions::savedRow() {
    return state().g_actionRow;
}

qint32& frmActions::currentID() {
    return state().g_currentActionID;
}

void frmActions::emptyFields() {
    txtAction->clear();
    txtActionStart->clear();
    txtActionEnd->clear();
    txtWBS->clear();
    clearOwnerAndStatus();
}

void frmActions::showRow(int, const Row& v) {
    auto& s = state();
    s.g_currentActionID = v[fID].toInt();
    showStatus(v[fStatusID]);
    txtAction->setPlainText(v[fDescription].toString());
    s.g_currentActionName = txtAction->toPlainText();

    txtActionStart->showStored(v[fStart]);
    if (auto d = shell::dateOf(v[fStart]))
        s.g_actionStart = *d;
    txtActionEnd->showStored(v[fEnd]);
    if (auto d = shell::dateOf(v[fEnd]))
        s.g_actionEnd = *d;
    showWBS(v[fWBS]);
    showOwner(v[fOwnerID]);

    s.g_progressRow = 0;
}

void frmActions::clearForAdd() {
    txtAction->clear();
    txtActionStart->clear();
    txtActionEnd->clear();
    txtWBS->clear();
    txtDuration->clear();
    clearOwnerAndStatus();
}

bool frmActions::readInputs() {
    const auto span = shell::readDateSpan(*txtActionStart, *txtActionEnd);
    if (!span || !readWBS(txtWBS))
        return false;
    m_start = span->start;
    m_end = span->end;
    m_statusID = statusToSave();
    return true;
}

bool frmActions::checkProjectDates() {
    return askProjectDates(m_start, m_end);
}

qint32 frmActions::updateRecord() {
    auto& s = state();
    return s.g_zorbel->UpdateAction(s.g_currentActionID, s.g_currentTaskID, txtAction->toPlainText(), m_start, m_end,
                                    m_statusID, m_ownerID, static_cast<qint16>(s.g_saveWBS));
}

qint32 frmActions::addRecord() {
    auto& s = state();
    return s.g_zorbel->AddAction(s.g_currentTaskID, txtAction->toPlainText(), m_start, m_end, m_statusID, m_ownerID,
                                 static_cast<qint16>(s.g_saveWBS));
}

qint32 frmActions::deleteRecord() {
    return state().g_zorbel->DeleteAction(state().g_currentActionID);
}

QString frmActions::recordName() const {
    return txtAction->toPlainText();
}

} // namespace zorbel::execution

using zorbel::execution::frmActions;
ZORBEL_REGISTER_WINDOW(frmActions)
