#include "client/admin/frmTeams.h"

#include "business/Text.h"
#include "business/Widths.h"
#include "client/admin/AdminRules.h"
#include "client/shell/AppState.h"
#include "client/shell/Placing.h"
#include "client/shell/WindowRegistration.h"
#include "platform/ui/FlexGrid.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace zorbel::admin {

using shell::placeField;
using shell::placeLabel;
using shell::state;

namespace {

// Fields of the projects list and of a project team.
enum ProjectField { pProjectID, pName };
enum MemberField { mTeamID, mUserID, mProjectID, mFullName, mFirstName, mSurName };
enum ContactField { cUserID, cSurName, cFirstName };

shell::GridColumns projectColumns() {
    shell::GridColumns columns = shell::columnsInListOrder(10);
    columns[pName].header = QStringLiteral("Project Name");
    columns[pName].widthInA = 30;
    columns[2].alignment = columns[3].alignment = ui::FlexGrid::AlignLeftTop;
    return columns;
}

shell::GridColumns memberColumns() {
    shell::GridColumns columns = shell::columnsInListOrder(6);
    columns[mFullName].header = QStringLiteral("Team Member");
    columns[mFullName].widthInA = 30;
    columns[mProjectID].alignment = columns[mFullName].alignment = ui::FlexGrid::AlignLeftTop;
    return columns;
}

} // namespace

frmTeams::frmTeams() {
    setObjectName(QStringLiteral("frmTeams"));
    setWindowTitle(QStringLiteral("Project Teams"));
    controls::resizeTwips(this, 9720, 5040);

    FGProjects = makeGrid("FGProjects", 120, 120, 4500, 3300);
    placeLabel(this, QStringLiteral("Project"), 120, 3540, 800, "lblProject");
    txtProject = placeField<QLineEdit>(this, "txtProject", 960, 3510, 3660);
    FGTeam = makeGrid("FGTeam", 4800, 120, 4800, 3300);
    placeLabel(this, QStringLiteral("Team Member"), 4800, 3540, 1150, "lblTeamMember");
    txtTeamMember = placeField<QLineEdit>(this, "txtTeamMember", 6000, 3510, 3600);
    lblContacts = placeLabel(this, QStringLiteral("Contacts"), 4800, 3960, 1150, "lblContacts");
    ComboContacts = placeField<QComboBox>(this, "ComboContacts", 6000, 3930, 3600);

    btnAdd = makeButton("btnAdd", "Add", 120, 4500, &frmTeams::btnAdd_Click);
    btnDelete = makeButton("btnDelete", "Delete", 1575, 4500, &frmTeams::btnDelete_Click);
    btnOK = makeButton("btnOK", "OK", 6000, 4500, &frmTeams::btnOK_Click);
    btnCancel = makeButton("btnCancel", "Cancel", 7455, 4500, &frmTeams::btnCancel_Click);

    lockFields({txtProject, txtTeamMember}, true);
    // Both grids follow the highlighted row, moved by the mouse or the keys:
    // the member deleted is always one of the project shown.
    connect(FGProjects, &ui::FlexGrid::RowColChange, this, &frmTeams::FGProjects_Click);
    connect(FGProjects, &ui::FlexGrid::Click, this, &frmTeams::FGProjects_Click);
    connect(FGTeam, &ui::FlexGrid::RowColChange, this, &frmTeams::FGTeam_Click);
    connect(FGTeam, &ui::FlexGrid::Click, this, &frmTeams::FGTeam_Click);
    connect(ComboContacts, &QComboBox::currentIndexChanged, this, &frmTeams::ComboContacts_Click);

    Form_Load();
}

void frmTeams::Form_Load() {
    storeMode(shell::kBrowse);
    LoadTeamProjectsGrid();
    FGProjects_Click();
    m_contacts = loadContactPicker(*ComboContacts);
    showBrowse();
}

void frmTeams::LoadTeamProjectsGrid() {
    m_rsTeamProjects = state().g_zorbel->GetAllProjects();
    m_teamProjectCount = m_rsTeamProjects ? m_rsTeamProjects->RecordCount() : 0;
    if (m_teamProjectCount == 0)
        return;
    fillGrid(*FGProjects, projectColumns(), m_rsTeamProjects);
}

void frmTeams::FGProjects_Click() {
    const int row = recordRow(*FGProjects);
    if (m_teamProjectCount == 0 || row == 0)
        return;
    m_teamProjectID = idIn(*FGProjects, row, pProjectID);
    m_teamProjectName = FGProjects->TextMatrix(row, pName);
    txtProject->setText(m_teamProjectName);
    LoadTeamGrid();
}

data::RecordsetPtr frmTeams::loadRecords() {
    LoadTeamGrid();
    return m_rsTeamMembers;
}

void frmTeams::LoadTeamGrid() {
    m_rsTeamMembers = state().g_zorbel->GetProjectTeam(m_teamProjectID);
    FGTeam->Clear();
    fillGrid(*FGTeam, memberColumns(), m_rsTeamMembers);
    // What was selected before belongs to the list just replaced.
    FGTeam_Click();
}

void frmTeams::FGTeam_Click() {
    const int row = recordRow(*FGTeam);
    m_teamID = row ? idIn(*FGTeam, row, mTeamID) : 0;
    m_memberName = row ? FGTeam->TextMatrix(row, mFullName) : QString();
    txtTeamMember->setText(m_memberName);
    if (mode() == shell::kBrowse)
        btnDelete->setVisible(m_teamID != 0);
}

void frmTeams::ComboContacts_Click() {
    const int position = ComboContacts->currentIndex();
    if (position < 0 || !m_contacts || position >= m_contacts->RecordCount())
        return;
    const auto& contact = m_contacts->row(position);
    m_newMemberUserID = contact[cUserID].toInt();
    m_newMemberFirstName = contact[cFirstName].toString();
    m_newMemberSurName = contact[cSurName].toString();
    m_newMemberFullName = m_newMemberFirstName + QLatin1Char(' ') + m_newMemberSurName;
}

void frmTeams::showBrowse() {
    showAll({ComboContacts, lblContacts, btnOK, btnCancel}, false);
    btnAdd->show();
    btnDelete->setVisible(m_teamID != 0);
}

void frmTeams::showEditing(bool picking) {
    showAll({ComboContacts, lblContacts}, picking);
    showAll({btnOK, btnCancel}, true);
    showAll({btnAdd, btnDelete}, false);
}

void frmTeams::btnAdd_Click() {
    // Nobody is picked until the user picks: an OK straight away adds no one.
    selectQuietly(*ComboContacts, -1);
    m_newMemberUserID = 0;
    m_newMemberFirstName.clear();
    m_newMemberSurName.clear();
    m_newMemberFullName.clear();
    showEditing(true);
    storeMode(shell::kAdd);
}

void frmTeams::btnDelete_Click() {
    if (m_teamID == 0)
        return;
    showEditing(false);
    storeMode(shell::kDelete);
}

bool frmTeams::addAllowed(const data::RecordsetPtr& team) {
    if (m_newMemberUserID == 0) {
        refuse(QStringLiteral("Select a Contact to add to the Project Team"));
        return false;
    }
    // Checked against the team as stored now: another window may have added him meanwhile.
    if (isTeamMember(team, m_newMemberUserID)) {
        refuse(m_newMemberFullName + QStringLiteral(" is already a member of the Project Team of ")
               + m_teamProjectName);
        return false;
    }
    const QString whole = clean(m_newMemberFullName, 0);
    const QString kept = storedMemberName(m_newMemberFullName);
    return kept == whole
           || confirmed(QStringLiteral("A Project Team keeps only the first %1 characters of a name, so ")
                                .arg(widths::of("ZORBEL_TEAM_TABLE", "FullName"))
                            + whole
                            + QStringLiteral(" will be listed as ") + kept + QStringLiteral(". Add this member?"),
                        QStringLiteral("Confirm Add"));
}

void frmTeams::btnOK_Click() {
    auto& z = *state().g_zorbel;
    shell::SavedRecord saved{m_teamID, FGTeam->Row()};
    if (mode() == shell::kAdd) {
        saved.listBefore = z.GetProjectTeam(m_teamProjectID);
        if (!addAllowed(saved.listBefore))
            return;
        z.AddTeamMember(m_newMemberUserID, m_teamProjectID, m_newMemberFullName, m_newMemberFirstName,
                        m_newMemberSurName);
    } else if (mode() == shell::kDelete && m_teamID != 0) { // a project picked since may have no team
        if (confirmed(QStringLiteral("Are You sure you want to delete ") + m_memberName
                          + QStringLiteral(" from Project ") + m_teamProjectName,
                      QStringLiteral("Confirm Delete")))
            z.DeleteTeamMember(m_teamID);
    }
    storeMode(shell::kBrowse);
    reloadSelecting(saved);
    showBrowse();
}

void frmTeams::btnCancel_Click() {
    storeMode(shell::kBrowse);
    showBrowse();
}

} // namespace zorbel::admin

using zorbel::admin::frmTeams;
ZORBEL_REGISTER_WINDOW(frmTeams)
