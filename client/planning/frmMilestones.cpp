#include "client/planning/frmMilestones.h"

#include "business/Widths.h"
#include "client/shell/DateBox.h"
#include "client/shell/Placing.h"
#include "client/shell/TextLimit.h"
#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/Clock.h"
#include "platform/ui/FlexGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace zorbel::planning {

using shell::GridColumn;
using shell::placeField;
using shell::placeLabel;
using shell::state;

namespace {

// Fields of the milestones list.
enum Field { fID, fProjectID, fDescription, fStart, fEnd, fStatusID, fOwnerID };

EditorSpec milestonesSpec() {
    EditorSpec s;
    s.kind = QStringLiteral("Milestone");
    s.ownerRefusal = QStringLiteral("You do not have the rights to make changes to this Milestone");
    const int left = ui::FlexGrid::AlignLeftTop;
    s.columns = {
        {.field = fID},
        {.field = fProjectID},
        {.field = fDescription, .header = QStringLiteral("Milestone"), .widthInA = 30, .alignment = left},
        {.field = fStart, .header = QStringLiteral("Date"), .widthInA = 12, .alignment = left, .kind = GridColumn::Date},
        {.field = fEnd, .kind = GridColumn::GeneralDate},
        {.field = fStatusID},
        {.field = fOwnerID},
    };
    return s;
}

// The held list is the current project's: every row names it.
bool belongsTo(const data::RecordsetPtr& rs, qint32 projectID) {
    if (!rs || rs->RecordCount() == 0)
        return false;
    for (int i = 0; i < rs->RecordCount(); ++i)
        if (rs->cell(i, fProjectID).toInt() != projectID)
            return false;
    return true;
}

} // namespace

frmMilestones::frmMilestones() : RecordEditor(milestonesSpec()) {
    setObjectName(QStringLiteral("frmMilestones"));
    setWindowTitle(QStringLiteral("Project Milestones"));
    // Wide enough for the row of six buttons, Refresh last.
    controls::resizeTwips(this, 9000, 6900);

    placeLabel(this, QStringLiteral("Project"), 120, 150, 900, "Label1");
    txtProject = placeLabel(this, QString(), 1020, 150, 7200, "txtProject");
    placeLabel(this, QStringLiteral("Start"), 120, 540, 900, "Label4");
    txtStart = placeField<QLineEdit>(this, "txtStart", 1020, 510, 1500);
    placeLabel(this, QStringLiteral("End"), 2700, 540, 500, "Label3");
    txtEnd = placeField<QLineEdit>(this, "txtEnd", 3240, 510, 1500);

    makeGrid(QStringLiteral("FGMilestones"), 120, 960, 8160, 3000);

    placeLabel(this, QStringLiteral("Milestone"), 120, 4140, 900, "Label2");
    txtMilestone = placeField<QPlainTextEdit>(this, "txtMilestone", 1020, 4110, 7260, 735);
    shell::limitText(*txtMilestone, widths::of("ZORBEL_MILESTONES", "Description"));
    placeLabel(this, QStringLiteral("Date"), 120, 5010, 900, "Label5");
    txtDate = placeField<shell::DateBox>(this, "txtDate", 1020, 4980, 1500);

    makeButtons(120, 6000);
    btnAdd->setToolTip(QStringLiteral("Add New Milestone"));

    setLockedFields({txtMilestone, txtDate});
    for (QWidget* f : std::initializer_list<QWidget*>{txtStart, txtEnd, txtMilestone})
        lockField(f, true);

    Form_Load();
}

void frmMilestones::Form_Load() {
    auto& s = state();
    seedMode();
    txtProject->setText(s.g_currentProjectName);
    txtStart->setText(shell::FormatShown(s.g_projectStart));
    txtEnd->setText(shell::FormatShown(s.g_projectEnd));

    // A list held from before is shown again only when it is this project's.
    if (s.g_milestoneRow == 0 || !belongsTo(s.g_rsMilestones, s.g_currentProjectID))
        s.g_rsMilestones = s.g_currentProjectID != 0 ? s.g_zorbel->GetMilestones(s.g_currentProjectID) : nullptr;
    m_milestoneCount = s.g_rsMilestones ? s.g_rsMilestones->RecordCount() : 0;
    LoadMilestonesGrid();

    ApplyRights(s.g_projectAdminLevel);
    storeMode(shell::kBrowse);
}

void frmMilestones::btnRefresh_Click() {
    auto& s = state();
    s.g_rsMilestones = s.g_currentProjectID != 0 ? s.g_zorbel->GetMilestones(s.g_currentProjectID) : nullptr;
    m_milestoneCount = s.g_rsMilestones ? s.g_rsMilestones->RecordCount() : 0;
    LoadMilestonesGrid();
}

void frmMilestones::LoadMilestonesGrid() {
    LoadGrid(m_milestoneCount > 0 ? state().g_rsMilestones : nullptr);
}

qint32& frmMilestones::savedRow() {
    return state().g_milestoneRow;
}

qint32& frmMilestones::currentID() {
    return state().g_currentMilestoneID;
}

void frmMilestones::emptyFields() {
    txtMilestone->clear();
    txtDate->clear();
}

void frmMilestones::showRow(int, const Row& v) {
    state().g_currentMilestoneID = v[fID].toInt();
    txtMilestone->setPlainText(v[fDescription].toString());
    txtDate->showStored(v[fStart]);
}

void frmMilestones::clearForAdd() {
    txtMilestone->clear();
    txtDate->clear();
}

bool frmMilestones::hasParent() const {
    return state().g_currentProjectID != 0;
}

RecordEditor::Owners frmMilestones::resolveOwner() {
    // Milestones belong to the project's owner.
    return {state().g_projectOwnerID, state().g_projectOwnerID};
}

bool frmMilestones::readInputs() {
    const auto date = txtDate->dateOr(ui::now());
    if (!date)
        return false;
    m_date = *date;
    return true;
}

bool frmMilestones::checkProjectDates() {
    return askProjectEnd(m_date, [this](const QDateTime& end) { txtEnd->setText(shell::FormatShown(end)); });
}

qint32 frmMilestones::updateRecord() {
    auto& s = state();
    return s.g_zorbel->UpdateMilestone(s.g_currentMilestoneID, s.g_currentProjectID, txtMilestone->toPlainText(),
                                       m_date, m_date, kMilestoneStatus, kMilestoneOwner);
}

qint32 frmMilestones::addRecord() {
    auto& s = state();
    return s.g_zorbel->AddMilestone(s.g_currentProjectID, txtMilestone->toPlainText(), m_date, m_date,
                                    kMilestoneStatus, kMilestoneOwner);
}

qint32 frmMilestones::deleteRecord() {
    return state().g_zorbel->DeleteMilestone(state().g_currentMilestoneID);
}

QString frmMilestones::recordName() const {
    return txtMilestone->toPlainText();
}

} // namespace zorbel::planning

using zorbel::planning::frmMilestones;
ZORBEL_REGISTER_WINDOW(frmMilestones)
