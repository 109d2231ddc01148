#include "client/admin/frmZorbelAdmin.h"

#include "client/admin/AdminRules.h"
#include "client/shell/AppState.h"
#include "client/shell/Combos.h"
#include "client/shell/Placing.h"
#include "client/shell/WindowRegistration.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <exception>

namespace zorbel::admin {

using shell::placeField;
using shell::placeLabel;
using shell::state;

namespace {

// Columns of the rights grid.
enum Column { cAdminID, cMultiUserID, cProjectID, cProjectName, cFirstLevel };

shell::GridColumns rightsColumns() {
    shell::GridColumns columns = shell::columnsInListOrder(9);
    const char* const headers[] = {"", "MU ID", "PID", "Project", "PAL", "TAL", "AAL", "pAL", "IAL"};
    for (size_t c = 0; c < columns.size(); ++c)
        columns[c].header = QString::fromLatin1(headers[c]);
    columns[cProjectName].widthInA = 30;
    for (int c : {cMultiUserID, cProjectID, cProjectName})
        columns[static_cast<size_t>(c)].alignment = ui::FlexGrid::AlignLeftTop;
    return columns;
}

} // namespace

frmZorbelAdmin::frmZorbelAdmin() {
    setObjectName(QStringLiteral("frmZorbelAdmin"));
    setWindowTitle(QStringLiteral("Zorbel Suite Administrattion"));
    controls::resizeTwips(this, 8520, 6420);

    FG1 = makeGrid("FG1", 120, 120, 4620, 3000);
    placeLabel(this, QStringLiteral("Selected User"), 120, 3240, 1150, "lblSelectedUser");
    txtSelectedUser = placeField<QLineEdit>(this, "txtSelectedUser", 1320, 3210, 3420);
    FGProjects = makeGrid("FGProjects", 4920, 120, 3480, 3000);
    placeLabel(this, QStringLiteral("Project"), 4920, 3240, 700, "lblProject");
    txtProject = placeField<QLineEdit>(this, "txtProject", 5700, 3210, 2700);

    const struct {
        QComboBox** list;
        const char* name;
        const char* label;
    } levels[] = {
        {&ComboProjectAdmin, "ComboProjectAdmin", "Project Admin"},
        {&ComboTaskAdmin, "ComboTaskAdmin", "Task Admin"},
        {&ComboActionAdmin, "ComboActionAdmin", "Action Admin"},
        {&ComboProgressAdmin, "ComboProgressAdmin", "Progress Admin"},
        {&ComboIssueAdmin, "ComboIssueAdmin", "Issue Admin"},
    };
    for (size_t i = 0; i < m_levels.size(); ++i) {
        const int top = 3690 + static_cast<int>(i) * 420;
        placeLabel(this, QString::fromLatin1(levels[i].label), 120, top + 30, 1350);
        *levels[i].list = placeField<QComboBox>(this, levels[i].name, 1560, top, 2400);
        m_levels[i] = *levels[i].list;
    }

    lblProjects = placeLabel(this, QStringLiteral("Projects"), 4200, 3720, 800, "lblProjects");
    ComboProjects = placeField<QComboBox>(this, "ComboProjects", 5100, 3690, 3300);
    txtHelp = placeField<QPlainTextEdit>(this, "txtHelp", 4200, 4110, 4200, 1215);
    txtHelp->setReadOnly(true);
    txtHelp->setPlainText(QStringLiteral("Select a Project from the Projects List\n\n"
                                         "Then select an Admin Level for each Item\n\n"
                                         "If no Admin Level is selected, the default is None"));

    btnAdd = makeButton("btnAdd", "Add", 120, 5880, &frmZorbelAdmin::btnAdd_Click);
    btnEdit = makeButton("btnEdit", "Edit", 1575, 5880, &frmZorbelAdmin::btnEdit_Click);
    btnDelete = makeButton("btnDelete", "Delete", 3030, 5880, &frmZorbelAdmin::btnDelete_Click);
    btnOK = makeButton("btnOK", "OK", 5580, 5880, &frmZorbelAdmin::btnOK_Click);
    btnCancel = makeButton("btnCancel", "Cancel", 7035, 5880, &frmZorbelAdmin::btnCancel_Click);

    lockFields({txtSelectedUser, txtProject}, true);
    connect(FG1, &ui::FlexGrid::RowColChange, this, &frmZorbelAdmin::ShowAccountRights);
    connect(FG1, &ui::FlexGrid::Click, this, &frmZorbelAdmin::ShowAccountRights);
    connect(FGProjects, &ui::FlexGrid::RowColChange, this, &frmZorbelAdmin::ShowSelectedRights);
    connect(FGProjects, &ui::FlexGrid::Click, this, &frmZorbelAdmin::ShowSelectedRights);
    // A pick of the project already shown still counts: it unlocks the levels of a new row.
    connect(ComboProjects, &QComboBox::currentIndexChanged, this, &frmZorbelAdmin::ComboProjects_Click);
    connect(ComboProjects, &QComboBox::activated, this, &frmZorbelAdmin::ComboProjects_Click);

    Form_Load();
}

void frmZorbelAdmin::Form_Load() {
    auto& s = state();
    // Browse, whatever mode another window left behind.
    storeMode(shell::kBrowse);
    showAll({btnOK, btnCancel, ComboProjects, lblProjects, txtHelp}, false);
    lockLevels(true);

    m_rsAdminLevels = s.g_zorbel->GetAdminLevels();
    for (QComboBox* list : m_levels)
        shell::fillCombo(*list, m_rsAdminLevels, 1);

    m_rsProjects = s.g_zorbel->GetAllProjects();
    shell::fillCombo(*ComboProjects, m_rsProjects, 1);
    selectQuietly(*ComboProjects, 0);
    ComboProjects_Click();

    LoadUserGrid();
}

void frmZorbelAdmin::LoadUserGrid() {
    auto& s = state();
    s.g_rsScratch = s.g_zorbel->GetUsers();
    fillGrid(*FG1, accountColumns(), s.g_rsScratch, true);
    ShowAccountRights();
}

void frmZorbelAdmin::ShowAccountRights() {
    const int row = recordRow(*FG1);
    m_multiUserID = row ? idIn(*FG1, row, 0) : 0;
    LoadUserAdminGrid(m_multiUserID);
    txtSelectedUser->setText(row ? FG1->TextMatrix(row, 2) : QString());
}

data::RecordsetPtr frmZorbelAdmin::loadRecords() {
    LoadUserAdminGrid(m_multiUserID);
    return m_rsRights;
}

void frmZorbelAdmin::LoadUserAdminGrid(qint32 MultiUserID) {
    FGProjects->Clear();
    FGProjects->setRows(1);
    m_rsRights = MultiUserID ? state().g_zorbel->GetUserAdmin(MultiUserID) : nullptr;
    if (!m_rsRights || m_rsRights->RecordCount() < 1) {
        // Nothing to pick: nothing may stay selected for Edit or Delete.
        clearRights();
        return;
    }
    fillGrid(*FGProjects, rightsColumns(), m_rsRights, true);
    ShowSelectedRights();
}

void frmZorbelAdmin::lockLevels(bool locked) {
    for (QComboBox* list : m_levels)
        lockFields({list}, locked);
}

void frmZorbelAdmin::clearRights() {
    m_adminID = 0;
    txtProject->clear();
    for (QComboBox* list : m_levels)
        selectQuietly(*list, -1);
}

void frmZorbelAdmin::ShowSelectedRights() {
    const int row = recordRow(*FGProjects);
    if (row == 0) {
        clearRights();
        return;
    }
    const qint32 projectID = idIn(*FGProjects, row, cProjectID);
    const int position = shell::rowOfID(m_rsProjects, projectID);
    selectQuietly(*ComboProjects, position);
    if (position >= 0) {
        ComboProjects_Click();
    } else {
        // The project is no longer listed: the row keeps its own.
        m_projectID = projectID;
        m_projectName = FGProjects->TextMatrix(row, cProjectName);
    }
    m_adminID = idIn(*FGProjects, row, cAdminID);
    txtProject->setText(FGProjects->TextMatrix(row, cProjectName));
    for (size_t i = 0; i < m_levels.size(); ++i)
        selectQuietly(*m_levels[i], levelPosition(FGProjects->TextMatrix(row, cFirstLevel + static_cast<int>(i)),
                                                  m_levels[i]->count()));
}

void frmZorbelAdmin::ComboProjects_Click() {
    if (ComboProjects->isVisibleTo(this))
        lockLevels(false);
    const int position = ComboProjects->currentIndex();
    if (position < 0 || !m_rsProjects || position >= m_rsProjects->RecordCount())
        return;
    // By position: two projects may share a name.
    m_projectID = shell::idAtRow(m_rsProjects, position);
    m_projectName = ComboProjects->currentText();
}

void frmZorbelAdmin::SetEditMode(int mode) {
    if (this->mode() == mode)
        return;
    switch (mode) {
    case shell::kBrowse:
    case shell::kEdit:
    case shell::kAdd:
        showAll({btnAdd, btnEdit, btnDelete}, mode == shell::kBrowse);
        showAll({btnOK, btnCancel, ComboProjects, lblProjects}, mode != shell::kBrowse);
        txtHelp->setVisible(mode == shell::kAdd);
        if (mode != shell::kAdd)
            lockLevels(mode == shell::kBrowse);
        break;
    case shell::kDelete:
        showAll({btnAdd, btnEdit, btnDelete}, false);
        showAll({btnOK, btnCancel}, true);
        break;
    default:
        break;
    }
    storeMode(mode);
}

bool frmZorbelAdmin::changeRefused() {
    const bool administrator = isAdministratorAccount(state().g_zorbel->GetUsers(), state().g_currentMultiUserID);
    return refused(accountChangeRefusal(administrator, AccountChange::ChangeRights));
}

void frmZorbelAdmin::btnAdd_Click() {
    if (changeRefused())
        return;
    for (QComboBox* list : m_levels)
        selectQuietly(*list, -1);
    SetEditMode(shell::kAdd);
}

void frmZorbelAdmin::btnEdit_Click() {
    if (m_adminID != 0 && !changeRefused())
        SetEditMode(shell::kEdit);
}

void frmZorbelAdmin::btnDelete_Click() {
    if (m_adminID != 0 && !changeRefused())
        SetEditMode(shell::kDelete);
}

void frmZorbelAdmin::btnCancel_Click() {
    SetEditMode(shell::kBrowse);
    ShowSelectedRights();
}

bool frmZorbelAdmin::saveAllowed(bool adding) {
    QString refusal;
    // An edit needs its row: the account picked since may have none. A new row
    // needs the project the picker shows: an unlisted one kept for a row shown
    // before belongs to that row, not to whichever account is picked now.
    if (m_multiUserID == 0 || m_projectID <= 0 || (!adding && m_adminID == 0)
        || (adding && ComboProjects->currentIndex() < 0))
        refusal = QStringLiteral("Select a User and a Project");
    else if (holdsRightsFor(state().g_zorbel->GetUserAdmin(m_multiUserID), m_projectID, adding ? 0 : m_adminID))
        refusal = QStringLiteral("This user already has Admin rights for this Project - use Edit");
    return !refused(refusal);
}

void frmZorbelAdmin::btnOK_Click() {
    const int before = mode();
    shell::SavedRecord saved{m_adminID, FGProjects->Row()};
    if (before == shell::kAdd)
        saved.listBefore = m_rsRights;
    try {
        if ((before == shell::kAdd || before == shell::kEdit || before == shell::kDelete) && changeRefused()) {
            btnCancel_Click();
            return;
        }
        if ((before == shell::kAdd || before == shell::kEdit) && !saveAllowed(before == shell::kAdd))
            return;
        submit();
    } catch (const std::exception& e) {
        ui::MsgBox(QStringLiteral("Admin Update Error : ") + QString::fromLocal8Bit(e.what()), ui::vbOKOnly,
                   QStringLiteral("Admin Error"));
    }
    reloadSelecting(saved);
    SetEditMode(shell::kBrowse);
}

void frmZorbelAdmin::submit() {
    auto& z = *state().g_zorbel;
    // Level n is entry n of the list; no entry is level 0, "None".
    const auto level = [this](size_t i) { return shell::idFromCombo(*m_levels[i], 0); };
    switch (mode()) {
    case shell::kAdd:
        z.AddUserAdmin(m_multiUserID, m_projectID, m_projectName, level(0), level(1), level(2), level(3), level(4));
        break;
    case shell::kEdit:
        z.UpdateUserAdmin(m_adminID, m_multiUserID, m_projectID, m_projectName, level(0), level(1), level(2),
                          level(3), level(4));
        break;
    case shell::kDelete:
        // The account picked since Delete may hold no row: nothing to ask about.
        if (m_adminID != 0
            && confirmed(QStringLiteral("Are you sure you want to delete ") + txtProject->text() + QStringLiteral(" Admin"))
            && z.DeleteUserAdmin(m_adminID) == 0)
            failed(QStringLiteral("Delete Admin Failed"), QStringLiteral("Delete Failure)"));
        break;
    default:
        break;
    }
}

} // namespace zorbel::admin

using zorbel::admin::frmZorbelAdmin;
ZORBEL_REGISTER_WINDOW(frmZorbelAdmin)
