#include "client/risks/frmRisks.h"

#include "client/risks/RiskParent.h"
#include "client/risks/RiskRules.h"
#include "client/risks/frmAddRisk.h"
#include "client/shell/AppState.h"
#include "client/shell/Combos.h"
#include "client/shell/Placing.h"
#include "client/shell/Rights.h"
#include "client/shell/Values.h"
#include "client/shell/WindowRegistration.h"
#include "client/shell/Zorbel5Data.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Windows.h"

#include <QComboBox>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace zorbel::risks {

using controls::ctrlButton;
using shell::GridColumn;
using shell::ListRow;
using shell::state;

namespace {

// Fields of the risks list.
enum Field { fID, fTaskID, fRiskType, fDescription, fImpact, fMitigation, fOwnerID, fRiskLevel, fProbability,
             fRiskNote, fProjectRisk };

const QString kDialog = QStringLiteral("frmAddRisk");

struct SortChoice {
    const char* item;
    const char* sortText;
};
// Owner and RiskType order by the ids, not by the names shown.
constexpr SortChoice kSortChoices[] = {
    {"Risk Value", "(RiskLevel * Probability) DESC"},
    {"Risk", "Description"},
    {"Owner", "OwnerID"},
    {"RiskType", "RiskType"},
    {"Risk Level", "RiskLevel DESC"},
    {"Probability", "Probability DESC"},
};

// A stored level or probability; nothing for an empty one.
std::optional<double> numberOf(const QVariant& value) {
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (value.isNull() || !ok)
        return std::nullopt;
    return number;
}

// The score of a record; nothing when either of its factors is empty.
std::optional<double> scoreOf(const ListRow& row) {
    const auto level = numberOf(row[fRiskLevel]);
    const auto probability = numberOf(row[fProbability]);
    if (!level || !probability)
        return std::nullopt;
    return *level * *probability;
}

// A stored number as the dialog's boxes show it.
QString numberText(const QVariant& value) {
    const auto number = numberOf(value);
    return number ? boxText(*number) : QString();
}

} // namespace

frmRisks::frmRisks() {
    setObjectName(QStringLiteral("frmRisks"));
    setWindowTitle(QStringLiteral("Risks"));
    controls::resizeTwips(this, 8250, 5175);

    shell::placeLabel(this, QStringLiteral("Selected Risk"), 120, 120, 1600, "Label1");
    txtRisk = shell::placeField<QPlainTextEdit>(this, "txtRisk", 1800, 120, 6015, 615);
    txtRisk->setReadOnly(true);
    shell::placeLabel(this, QStringLiteral("Sort By"), 120, 870, 1600, "Label2");
    ComboSort = shell::placeField<QComboBox>(this, "ComboSort", 1800, 840, 2055);
    FG1 = new ui::FlexGrid(this);
    FG1->setObjectName(QStringLiteral("FG1"));
    controls::placeTwips(FG1, 120, 1440, 7815, 2415);
    btnEdit = shell::placeButton(this, "btnEdit", QStringLiteral("Edit"), 360, 4080);
    btnAdd = shell::placeButton(this, "btnAdd", QStringLiteral("Add"), 2280, 4080);
    btnDelete = shell::placeButton(this, "btnDelete", QStringLiteral("Delete"), 4200, 4080);
    btnRefresh = shell::placeButton(this, "btnRefresh", QStringLiteral("Refresh"), 6120, 4080);

    connect(ComboSort, &QComboBox::currentIndexChanged, this, &frmRisks::ComboSort_Click);
    connect(FG1, &ui::FlexGrid::RowColChange, this, &frmRisks::FG1_RowColChange);
    connect(btnAdd, &ctrlButton::Click, this, &frmRisks::btnAdd_Click);
    connect(btnEdit, &ctrlButton::Click, this, &frmRisks::btnEdit_Click);
    connect(btnDelete, &ctrlButton::Click, this, &frmRisks::btnDelete_Click);
    connect(btnRefresh, &ctrlButton::Click, this, &frmRisks::btnRefresh_Click);

    Form_Load();
}

void frmRisks::Form_Load() {
    auto& s = state();
    switch (registerLevelFor(s.g_navTool)) {
    case RegisterLevel::Project:
        setWindowTitle(QStringLiteral("Project Risks for ") + s.g_currentProjectName);
        shell::ApplyRights(btnAdd, btnEdit, btnDelete, s.g_projectAdminLevel);
        break;
    case RegisterLevel::Task:
        // A task of another project is not named as this register's.
        setWindowTitle(QStringLiteral("Task Risks for ") + (parentHolds() ? s.g_currentTaskName : QString()));
        shell::ApplyRights(btnAdd, btnEdit, btnDelete, s.g_taskAdminLevel);
        break;
    case RegisterLevel::Other:
        break;
    }
    if (s.g_zorbel) {
        m_team = s.g_zorbel->GetProjectTeam(s.g_currentProjectID);
        m_types = s.g_zorbel->GetRiskTypes();
    }
    m_columns = columns();

    QStringList items;
    for (const SortChoice& c : kSortChoices)
        items << QString::fromLatin1(c.item);
    shell::fillCombo(*ComboSort, items);
    {
        const QSignalBlocker quiet(ComboSort);
        ComboSort->setCurrentIndex(0);
    }
    ComboSort_Click();
}

bool frmRisks::parentHolds() const {
    return registerParentHolds(registerLevelFor(state().g_navTool));
}

shell::GridColumns frmRisks::columns() const {
    const int left = ui::FlexGrid::AlignLeftTop;
    const int centre = ui::FlexGrid::AlignCenterTop;
    const auto number = [](int field) { return [field](const ListRow& r) { return numberText(r[field]); }; };
    return {
        {.field = fID, .header = QStringLiteral("ID")},
        {.header = QStringLiteral("!"), .widthInA = 6, .alignment = centre,
         .compute = [](const ListRow& r) {
             const auto score = scoreOf(r);
             return score ? scoreText(score) : QString();
         },
         .colour = [](const ListRow& r) {
             const auto score = scoreOf(r);
             return score ? GetRiskColour(*score) : QColor();
         }},
        {.field = fTaskID, .header = QStringLiteral("Tsk"), .alignment = left},
        {.field = fRiskType, .header = QStringLiteral("Type"), .alignment = left},
        {.field = fDescription, .header = QStringLiteral("Description"), .widthInA = 30, .alignment = left},
        {.field = fImpact, .header = QStringLiteral("Impact"), .widthInA = 30, .alignment = left},
        {.field = fMitigation, .header = QStringLiteral("Mitigation"), .widthInA = 30, .alignment = left},
        {.field = fOwnerID, .header = QStringLiteral("Ownr"), .alignment = left},
        {.field = fRiskLevel, .header = QStringLiteral("Risk Level"), .widthInA = 12, .alignment = centre,
         .compute = number(fRiskLevel)},
        {.field = fProbability, .header = QStringLiteral("Probability"), .widthInA = 12, .alignment = centre,
         .compute = number(fProbability)},
        {.field = fRiskNote, .header = QStringLiteral("Note"), .alignment = left},
        {.field = fProjectRisk, .header = QStringLiteral("Proj"), .alignment = left},
        {.header = QStringLiteral("Owner"), .widthInA = 12, .alignment = left,
         .compute = [team = m_team](const ListRow& r) { return nameOf(team, r[fOwnerID], QStringLiteral("FullName")); }},
        {.header = QStringLiteral("Risk Type"), .widthInA = 12, .alignment = left,
         .compute = [types = m_types](const ListRow& r) {
             return nameOf(types, r[fRiskType], QStringLiteral("RiskType"));
         }},
    };
}

QString frmRisks::nameOf(const data::RecordsetPtr& list, const QVariant& id, const QString& field) {
    // A list that could not be read was reported when it was read; once is enough.
    if (id.isNull() || id.toString().isEmpty() || !list)
        return QString();
    return shell::GetFieldFromID(id.toInt(), list, field);
}

void frmRisks::ComboSort_Click() {
    const int chosen = ComboSort->currentIndex();
    const bool listed = chosen >= 0 && chosen < static_cast<int>(std::size(kSortChoices));
    m_sortText = QString::fromLatin1(kSortChoices[listed ? chosen : 0].sortText);
    LoadRisks();
}

void frmRisks::LoadRisks() {
    auto& s = state();
    m_loading = true;
    if (s.g_zorbel) {
        switch (registerLevelFor(s.g_navTool)) {
        case RegisterLevel::Project: m_risks = s.g_zorbel->GetRisks(s.g_currentProjectID, m_sortText, 1); break;
        case RegisterLevel::Task:
            m_risks = parentHolds() ? s.g_zorbel->GetRisks(s.g_currentTaskID, m_sortText, 0) : nullptr;
            break;
        case RegisterLevel::Other: break; // the list read last
        }
    }
    m_riskCount = m_risks ? m_risks->RecordCount() : 0;
    shell::ProgressStart(m_riskCount);
    FG1->Clear();
    FG1->setRows(1);
    shell::layOutGrid(*FG1, m_columns);

    if (m_riskCount < 1) {
        // Nothing listed: nothing may stay selected, or a later Edit would
        // write over a risk that is no longer shown.
        shell::ProgressEnd();
        btnEdit->hide();
        btnDelete->hide();
        m_selected.reset();
        s.g_currentRiskID = 0;
        txtRisk->clear();
        m_loading = false;
        return;
    }
    btnEdit->show();
    btnDelete->show();
    shell::FillOptions fill;
    fill.afterRow = shell::ProgressStep;
    shell::appendRows(*FG1, m_columns, *m_risks, fill);
    shell::ProgressEnd();
    m_loading = false;
    FG1->setRow(1);
    FG1_RowColChange();
}

void frmRisks::FG1_RowColChange() {
    if (m_loading || m_riskCount < 1 || !m_risks)
        return;
    const int record = FG1->Row() - 1;
    if (record < 0 || record >= m_risks->RecordCount())
        return;
    m_selected = m_risks->row(record);
    state().g_currentRiskID = (*m_selected)[fID].toInt();
    txtRisk->setPlainText((*m_selected)[fDescription].toString());
}

void frmRisks::runDialog(const RiskValues& values, const std::function<void(frmAddRisk&)>& prepare) {
    // Always a fresh dialog: nothing of an earlier one may carry over.
    ui::closeWindow(kDialog);
    if (auto* dialog = dynamic_cast<frmAddRisk*>(ui::loadWindow(kDialog))) {
        dialog->setValues(values);
        dialog->Form_Load();
        prepare(*dialog);
        ui::showModal(kDialog);
    }
    LoadRisks();
}

void frmRisks::btnAdd_Click() {
    if (!parentHolds())
        return;
    state().g_editMode = shell::kAdd;
    runDialog(RiskValues{}, [](frmAddRisk& dialog) { dialog.prepareForAdd(); });
}

void frmRisks::btnEdit_Click() {
    if (!m_selected || !parentHolds())
        return;
    state().g_editMode = shell::kEdit;
    const ListRow row = *m_selected;
    RiskValues values;
    values.riskType = shell::int16Of(row[fRiskType]);
    values.owner = row[fOwnerID].toInt();
    values.description = row[fDescription].toString();
    values.impact = row[fImpact].toString();
    values.mitigation = row[fMitigation].toString();
    values.level = numberText(row[fRiskLevel]);
    values.probability = numberText(row[fProbability]);
    const QString note = row[fRiskNote].toString();
    runDialog(values, [note](frmAddRisk& dialog) { dialog.setNote(note); });
}

void frmRisks::btnDelete_Click() {
    if (!m_selected || !parentHolds())
        return;
    const QString description = (*m_selected)[fDescription].toString();
    if (ui::MsgBox(QStringLiteral("Do you want to delete ") + description, ui::vbYesNo) != ui::vbYes)
        return;
    auto& s = state();
    if (s.g_zorbel)
        s.g_zorbel->DeleteRisk(s.g_currentRiskID);
    LoadRisks();
}

void frmRisks::Form_Resize() {
    const int width = shell::outerWidthTwips(this);
    const int height = shell::outerHeightTwips(this);
    if (width <= 435 || height <= 2660)
        return;
    controls::setWidthTwips(FG1, width - 435);
    controls::setHeightTwips(FG1, height - 2660);
    for (ctrlButton* b : {btnEdit, btnAdd, btnDelete, btnRefresh})
        controls::setTopTwips(b, height - 1095);
}

void frmRisks::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

} // namespace zorbel::risks

using zorbel::risks::frmRisks;
ZORBEL_REGISTER_WINDOW(frmRisks)
