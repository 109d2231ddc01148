#pragma once
// "Zorbel Suite Administrattion": each log-in account's rights levels per
// project for five kinds of work (projects, tasks, actions, progress entries
// and issues). A project becoming current copies the account's row for it
// into the application state; a level above 2 allows Edit, 4 or more Add and
// Delete. The tree offers this window to administrators only, while
// per-project rights are on, and only an administrator changes a row here.

#include "client/admin/ListWindow.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace zorbel::admin {

class frmZorbelAdmin : public ListWindow {
    Q_OBJECT
public:
    frmZorbelAdmin();

    void Form_Load();
    void LoadUserGrid();
    void LoadUserAdminGrid(qint32 MultiUserID);
    void SetEditMode(int mode);
    void ShowAccountRights();
    void ShowSelectedRights();
    void ComboProjects_Click();
    void btnAdd_Click();
    void btnEdit_Click();
    void btnDelete_Click();
    void btnCancel_Click();
    void btnOK_Click();

    qint32 multiUserID() const { return m_multiUserID; }
    qint32 adminID() const { return m_adminID; }
    qint32 projectID() const { return m_projectID; }

private:
    ui::FlexGrid& recordGrid() override { return *FGProjects; }
    data::RecordsetPtr loadRecords() override;
    void lockLevels(bool locked);
    void clearRights();
    void submit();
    // The checks of a save; a refusal is shown and keeps the window in its mode.
    bool saveAllowed(bool adding);
    // Shows why the user may not change rights; true when refused.
    bool changeRefused();

    ui::FlexGrid* FG1 = nullptr;
    QLineEdit* txtSelectedUser = nullptr;
    ui::FlexGrid* FGProjects = nullptr;
    QLineEdit* txtProject = nullptr;
    QComboBox* ComboProjectAdmin = nullptr;
    QComboBox* ComboTaskAdmin = nullptr;
    QComboBox* ComboActionAdmin = nullptr;
    QComboBox* ComboProgressAdmin = nullptr;
    QComboBox* ComboIssueAdmin = nullptr;
    // The five level lists in column order of the rights grid (columns 4 to 8).
    std::array<QComboBox*, 5> m_levels{};
    QLabel* lblProjects = nullptr;
    QComboBox* ComboProjects = nullptr;
    QPlainTextEdit* txtHelp = nullptr;

    data::RecordsetPtr m_rsAdminLevels;
    data::RecordsetPtr m_rsProjects; // the list behind ComboProjects
    data::RecordsetPtr m_rsRights; // the rows FGProjects shows
    qint32 m_multiUserID = 0;
    qint32 m_adminID = 0;
    qint32 m_projectID = 0;
    QString m_projectName;
};

} // namespace zorbel::admin
