#include "client/planning/frmAddDeliverables.h"

#include "business/Widths.h"
#include "client/shell/AppState.h"
#include "client/shell/DateBox.h"
#include "client/shell/Placing.h"
#include "client/shell/TextLimit.h"
#include "client/shell/WindowRegistration.h"
#include "client/shell/Zorbel5Data.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Windows.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace zorbel::planning {

using shell::GridColumn;
using shell::placeField;
using shell::state;

namespace {

// Fields of the deliverables list.
enum Field { fID, fProjectID, fStatusID, fDeliverable, fMetric, fOwnerID, fStart, fEnd, fWBS, fCSF };

// A deliverable of the wizard is planned (status 3), has no owner yet, and is a critical success factor.
constexpr qint16 kDeliverableStatus = 3;
constexpr qint32 kDeliverableOwner = 0;
constexpr qint16 kCSF = 1;

WizardRecordPage::PageSpec deliverablesPage() {
    const int left = ui::FlexGrid::AlignLeftTop;
    return {{
                {.field = fID},
                {.field = fProjectID},
                {.field = fStatusID, .alignment = left},
                {.field = fDeliverable, .header = QStringLiteral("Deliverable"), .widthInA = 20, .alignment = left},
                {.field = fMetric},
                {.field = fOwnerID},
                {.field = fStart, .header = QStringLiteral("Start"), .widthInA = 12, .kind = GridColumn::Date},
                {.field = fEnd, .header = QStringLiteral("Finish"), .widthInA = 12, .kind = GridColumn::Date},
                {.field = fWBS},
                {.field = fCSF},
            },
            fDeliverable};
}

} // namespace

frmAddDeliverables::frmAddDeliverables() : WizardRecordPage(deliverablesPage()) {
    setObjectName(QStringLiteral("frmAddDeliverables"));
    setWindowTitle(QStringLiteral("Add Project Deliverables"));
    controls::resizeTwips(this, 9000, 7500);

    makeGrid(570, 120, 660, 8760, 2700);

    auto* lblSelected = placeBoldLabel(this, QStringLiteral("Deliverable"), 120, 3510, 1200, "lblSelected");
    txtSelected = shell::placeLabel(this, QString(), 1380, 3510, 7500, "txtSelected");
    setSelectedName(lblSelected, txtSelected);

    auto* lblDeliverable = placeBoldLabel(this, QStringLiteral("Deliverable"), 120, 3930, 1200, "lblDeliverable");
    txtDeliverable = placeField<QPlainTextEdit>(this, "txtDeliverable", 1380, 3900, 7500, 615);
    auto* lblMetric = placeBoldLabel(this, QStringLiteral("Metric"), 120, 4650, 1200, "lblMetric");
    txtMetric = placeField<QPlainTextEdit>(this, "txtMetric", 1380, 4620, 7500, 615);
    shell::limitTextWithCounter(this, *txtDeliverable, widths::of("ZORBEL_DELIVERABLES", "Deliverable"), 120, 4215,
                                1200, "cntDeliverable");
    shell::limitTextWithCounter(this, *txtMetric, widths::of("ZORBEL_DELIVERABLES", "Metric"), 120, 4935, 1200,
                                "cntMetric");
    auto* lblStart = placeBoldLabel(this, QStringLiteral("Start"), 120, 5370, 1200, "lblStart");
    txtStartDate = placeField<shell::DateBox>(this, "txtStartDate", 1380, 5340, 1500);
    auto* lblEnd = placeBoldLabel(this, QStringLiteral("Finish"), 3120, 5370, 700, "lblEnd");
    txtEndDate = placeField<shell::DateBox>(this, "txtEndDate", 3840, 5340, 1500);
    const shell::DurationEntry duration = shell::placeDurationEntry(*this, *txtStartDate, *txtEndDate, 120, 5790);
    makeBold(duration.label);
    setDetailFields({lblStart, txtStartDate, lblEnd, txtEndDate, lblDeliverable, txtDeliverable, lblMetric, txtMetric,
                     duration.label, duration.box, duration.sevenDayWeek});

    makeButtons(120, 6720, 7485);
    btnAdd->setToolTip(QStringLiteral("Add New Deliverable"));

    Form_Load();
}

void frmAddDeliverables::Form_Load() {
    ui::closeWindow(QStringLiteral("frmDeliverablesHelp"));
    // The project comes from the page that shows this one (showProject), never from the globals.
    txtSelected->clear();
    storeMode(shell::kBrowse);
    m_position = 1;
}

data::RecordsetPtr frmAddDeliverables::listRecords(qint32 projectID) {
    return state().g_zorbel->GetDeliverables(projectID);
}

void frmAddDeliverables::clearForAdd() {
    // The duration and its tick keep what they held.
    txtStartDate->clear();
    txtDeliverable->clear();
    txtEndDate->clear();
    txtMetric->clear();
}

void frmAddDeliverables::clearWhenEmpty() {
    txtStartDate->clear();
    txtEndDate->clear();
}

std::optional<qint32> frmAddDeliverables::addRecord() {
    const auto dates = shell::readDateSpan(*txtStartDate, *txtEndDate);
    if (!dates)
        return std::nullopt;
    QString metric = txtMetric->toPlainText();
    const qint32 id = state().g_zorbel->AddDeliverable(project().id, kDeliverableStatus, txtDeliverable->toPlainText(),
                                                       metric, kDeliverableOwner, dates->start, dates->end,
                                                       m_position, kCSF);
    // Used up whatever the result: numbers are never handed out twice on one page.
    ++m_position;
    return id;
}

void frmAddDeliverables::deleteRecord(qint32 id) {
    state().g_zorbel->DeleteDeliverable(id);
}

void frmAddDeliverables::btnNext_Click() {
    ui::showWindow(QStringLiteral("frmNextStep"));
    close();
}

} // namespace zorbel::planning

using zorbel::planning::frmAddDeliverables;
ZORBEL_REGISTER_WINDOW(frmAddDeliverables)
