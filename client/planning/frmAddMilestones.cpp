#include "client/planning/frmAddMilestones.h"

#include "business/Widths.h"
#include "client/planning/EditorRules.h"
#include "client/planning/frmDeliverablesHelp.h"
#include "client/shell/AppState.h"
#include "client/shell/DateBox.h"
#include "client/shell/Placing.h"
#include "client/shell/TextLimit.h"
#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/Clock.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Windows.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace zorbel::planning {

using shell::GridColumn;
using shell::placeField;
using shell::state;

namespace {

// Fields of the milestones list.
enum Field { fID, fProjectID, fDescription, fStart, fEnd, fStatusID, fOwnerID };

WizardRecordPage::PageSpec milestonesPage() {
    const int left = ui::FlexGrid::AlignLeftTop;
    return {{
                {.field = fID},
                {.field = fProjectID},
                {.field = fDescription, .header = QStringLiteral("Milestone"), .widthInA = 30, .alignment = left},
                {.field = fStart, .header = QStringLiteral("Date"), .widthInA = 12, .alignment = left,
                 .kind = GridColumn::Date},
                {.field = fEnd},
                {.field = fStatusID},
                {.field = fOwnerID},
            },
            fDescription};
}

} // namespace

frmAddMilestones::frmAddMilestones() : WizardRecordPage(milestonesPage()) {
    setObjectName(QStringLiteral("frmAddMilestones"));
    setWindowTitle(QStringLiteral("Add Project Milestones"));
    controls::resizeTwips(this, 9000, 6240);

    makeGrid(570, 120, 660, 8760, 2700);

    auto* lblMilestone = placeBoldLabel(this, QStringLiteral("Milestone"), 120, 3510, 1620, "lblMilestone");
    txtMilestone = shell::placeLabel(this, QString(), 1800, 3510, 7080, "txtMilestone");
    setSelectedName(lblMilestone, txtMilestone);

    auto* lblDate = placeBoldLabel(this, QStringLiteral("Milestone Date"), 120, 3930, 1620, "lblDate");
    txtDate = placeField<shell::DateBox>(this, "txtDate", 1800, 3900, 1500);
    txtDate->setToolTip(QStringLiteral("Milestone Date - today is default"));
    txtDate->setAlwaysPresetToday(true);
    auto* lblDescription = placeBoldLabel(this, QStringLiteral("Description"), 120, 4350, 1620, "lblDescription");
    txtDescription = placeField<QPlainTextEdit>(this, "txtDescription", 1800, 4320, 7080, 735);
    txtDescription->setToolTip(QStringLiteral("Milestone Description"));
    shell::limitText(*txtDescription, widths::of("ZORBEL_MILESTONES", "Description"));
    setDetailFields({lblDescription, txtDescription, lblDate, txtDate});

    makeButtons(120, 5520, 7485);
    btnAdd->setToolTip(QStringLiteral("Add New Milestone"));
    btnNext->setToolTip(QStringLiteral("Move on to Add Deliverables"));

    Form_Load();
}

void frmAddMilestones::Form_Load() {
    ui::closeWindow(QStringLiteral("frmAddProject"));
    // Taken once, here: the globals belong to whichever run of the wizard wrote them last.
    showProject(newProjectOfState());
    txtDescription->clear();
    storeMode(shell::kBrowse);
}

data::RecordsetPtr frmAddMilestones::listRecords(qint32 projectID) {
    return state().g_zorbel->GetMilestones(projectID);
}

void frmAddMilestones::clearForAdd() {
    txtDate->clear();
    txtDescription->clear();
}

void frmAddMilestones::clearWhenEmpty() {
    clearForAdd();
}

std::optional<qint32> frmAddMilestones::addRecord() {
    // With no date the milestone falls on the project's start, to the day the header shows it.
    const QDateTime start = shell::ParseShown(shell::FormatShown(project().start)).value_or(ui::now());
    const auto date = txtDate->dateOr(start);
    if (!date)
        return std::nullopt;
    return state().g_zorbel->AddMilestone(project().id, txtDescription->toPlainText(), *date, *date,
                                          kMilestoneStatus, kMilestoneOwner);
}

void frmAddMilestones::deleteRecord(qint32 id) {
    state().g_zorbel->DeleteMilestone(id);
}

void frmAddMilestones::btnNext_Click() {
    // This page stays open behind the next one, which closes it.
    ui::showWindow(QStringLiteral("frmDeliverablesHelp"));
    if (auto* help = ui::windowAs<frmDeliverablesHelp>(QStringLiteral("frmDeliverablesHelp")))
        help->takeProject(project());
}

} // namespace zorbel::planning

using zorbel::planning::frmAddMilestones;
ZORBEL_REGISTER_WINDOW(frmAddMilestones)
