#pragma once
// "Project Teams": which contacts work on which project. A team row copies
// the contact's names; the owners of deliverables, tasks, actions, risks,
// issues and documents are picked from the team of their project. Rows are
// added and removed, never changed; a contact is a member of a team once.

#include "client/admin/ListWindow.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace zorbel::admin {

class frmTeams : public ListWindow {
    Q_OBJECT
public:
    frmTeams();

    void Form_Load();
    void LoadTeamProjectsGrid();
    void LoadTeamGrid();
    void FGProjects_Click();
    void FGTeam_Click();
    void ComboContacts_Click();
    void btnAdd_Click();
    void btnDelete_Click();
    void btnOK_Click();
    void btnCancel_Click();

    qint32 teamProjectID() const { return m_teamProjectID; }
    qint32 teamID() const { return m_teamID; }

private:
    ui::FlexGrid& recordGrid() override { return *FGTeam; }
    data::RecordsetPtr loadRecords() override;
    // The checks of an Add against the team as stored (a GetProjectTeam list);
    // a refusal is shown and keeps the window adding.
    bool addAllowed(const data::RecordsetPtr& team);
    void showBrowse();
    void showEditing(bool picking);

    ui::FlexGrid* FGProjects = nullptr;
    QLineEdit* txtProject = nullptr;
    ui::FlexGrid* FGTeam = nullptr;
    QLineEdit* txtTeamMember = nullptr;
    QLabel* lblContacts = nullptr;
    QComboBox* ComboContacts = nullptr;

    data::RecordsetPtr m_contacts; // the list behind ComboContacts
    data::RecordsetPtr m_rsTeamProjects;
    qint32 m_teamProjectCount = 0;
    qint32 m_teamProjectID = 0;
    QString m_teamProjectName;
    data::RecordsetPtr m_rsTeamMembers;
    qint32 m_teamID = 0;
    QString m_memberName;
    qint32 m_newMemberUserID = 0;
    QString m_newMemberFirstName;
    QString m_newMemberSurName;
    QString m_newMemberFullName;
};

} // namespace zorbel::admin
