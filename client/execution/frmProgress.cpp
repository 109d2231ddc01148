#include "client/execution/frmProgress.h"

#include "business/Widths.h"
#include "client/shell/DateBox.h"
#include "client/shell/Placing.h"
#include "client/shell/TextLimit.h"
#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "platform/ui/Clock.h"
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

// Fields of the progress list.
enum Field { fID, fActionID, fDate, fDescription, fOwnerID, fWBS };

planning::EditorSpec progressSpec() {
    const int left = ui::FlexGrid::AlignLeftTop;
    planning::EditorSpec s;
    s.kind = QStringLiteral("Progress");
    s.ownerRefusal = QStringLiteral("You do not have the rights to make changes to this Deliverable");
    s.columns = shell::columnsInListOrder(6);
    s.columns[fDate] = {.field = fDate, .header = QStringLiteral("Date"), .widthInA = 12, .alignment = left,
                        .kind = GridColumn::Date};
    s.columns[fDescription] = {.field = fDescription, .header = QStringLiteral("Progress"), .widthInA = 30,
                               .alignment = left};
    s.columns[fOwnerID].alignment = left;
    s.wbsField = fWBS;
    return s;
}

} // namespace

frmProgress::frmProgress()
    : ExecutionEditor(progressSpec(), Level::Action,
                      {&shell::ApplicationState::g_rsProgress, &shell::ApplicationState::g_progressCount,
                       &ZorbelClass::GetProgress}) {
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(QStringLiteral("Progress"));
    controls::resizeTwips(this, 9450, 7800);

    makeGrid(QStringLiteral("FG1"), 120, 1740, 9210, 3000);

    placeLabel(this, QStringLiteral("Progress"), 120, 4950, 1000, "lblProgress");
    txtProgress = placeField<QPlainTextEdit>(this, "txtProgress", 1200, 4920, 4800, 615);
    shell::limitTextWithCounter(this, *txtProgress, widths::of("ZORBEL_PROGRESS", "Description"), 120, 5235, 1000,
                                "cntProgress");
    placeLabel(this, QStringLiteral("Date"), 120, 5670, 1000, "lblDate");
    txtProgressDate = placeField<shell::DateBox>(this, "txtProgressDate", 1200, 5640, 1500);
    makeWBS(120, 6060);
    makeOwner(6240, 4920);
    makeButtons(120, 7200);

    setLockedFields({txtProgress, txtProgressDate, txtWBS, ComboOwner});
    for (QWidget* f : std::initializer_list<QWidget*>{txtProgress, txtProgressDate, txtWBS, ComboOwner})
        lockField(f, true);

    Form_Load();
}

void frmProgress::Form_Load() {
    openEditor(state().g_progressAdminLevel);
    LoadProgressGrid();
}

qint32& frmProgress::savedRow() {
    return state().g_progressRow;
}

qint32& frmProgress::currentID() {
    return state().g_currentProgressID;
}

void frmProgress::emptyFields() {
    txtProgress->clear();
    txtProgressDate->clear();
    txtWBS->clear();
    clearOwnerAndStatus();
}

void frmProgress::showRow(int, const Row& v) {
    state().g_currentProgressID = v[fID].toInt();
    txtProgress->setPlainText(v[fDescription].toString());
    txtProgressDate->showStored(v[fDate]);
    showWBS(v[fWBS]);
    showOwner(v[fOwnerID]);
}

void frmProgress::clearForAdd() {
    txtProgress->clear();
    txtProgressDate->clear();
    txtWBS->clear();
    clearOwnerAndStatus();
}

bool frmProgress::readInputs() {
    const auto date = txtProgressDate->dateOr(ui::now());
    if (!date || !readWBS(txtWBS))
        return false;
    m_date = *date;
    return true;
}

bool frmProgress::checkProjectDates() {
    // An entry records what happened: only a date past the project's end is asked about.
    return askProjectEndDate(m_date);
}

qint32 frmProgress::updateRecord() {
    auto& s = state();
    return s.g_zorbel->UpdateProgress(s.g_currentProgressID, s.g_currentActionID, m_date, txtProgress->toPlainText(),
                                      m_ownerID, static_cast<qint16>(s.g_saveWBS));
}

qint32 frmProgress::addRecord() {
    auto& s = state();
    return s.g_zorbel->AddProgress(s.g_currentActionID, m_date, txtProgress->toPlainText(), m_ownerID,
                                   static_cast<qint16>(s.g_saveWBS));
}

qint32 frmProgress::deleteRecord() {
    return state().g_zorbel->DeleteProgress(state().g_currentProgressID);
}

QString frmProgress::recordName() const {
    return txtProgress->toPlainText();
}

} // namespace zorbel::execution

using zorbel::execution::frmProgress;
ZORBEL_REGISTER_WINDOW(frmProgress)
