#pragma once
// "Multi Users": the log-in accounts. Each account has a user name, a
// password, the contact it belongs to and an Administrator flag; the log-in
// checks name and password against these rows, and the tree offers its
// Admin items by the flag. No password, stored or typed, is ever shown.
// Only an administrator adds, deletes or changes accounts; anyone else may
// change his own password here and nothing else.

#include "client/admin/AdminRules.h"
#include "client/admin/ListWindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace zorbel::admin {

class frmUsers : public ListWindow {
    Q_OBJECT
public:
    frmUsers();

    void Form_Load();
    void LoadUserGrid();
    void ShowUserButtons(bool hide);
    void LockUserFields(bool locked);
    void ShowSelectedAccount();
    void ComboContacts_Click();
    void btnAdd_Click();
    void btnEdit_Click();
    void btnDelete_Click();
    void btnCancel_Click();
    void btnRefresh_Click();
    void btnOK_Click();

    qint32 accountID() const { return m_accountID; }
    qint32 accountContactID() const { return m_accountContactID; }

private:
    void clearDetails();
    ui::FlexGrid& recordGrid() override { return *FG1; }
    data::RecordsetPtr loadRecords() override;
    // Whether the logged-in account is an administrator as the accounts (a
    // GetUsers list read just before) hold it.
    static bool userIsAdministrator(const data::RecordsetPtr& accounts);
    // Shows why the user may not make the change; true when refused.
    bool changeRefused(AccountChange change, const data::RecordsetPtr& accounts);
    // The checks of a save; each refusal is shown and keeps the window in its mode.
    bool saveAllowed(bool adding, bool administrator);
    // The checks of a delete; a refusal is shown.
    bool deleteRefused();

    ui::FlexGrid* FG1 = nullptr;
    QLineEdit* txtSelectedUser = nullptr;
    QLineEdit* txtUserName = nullptr;
    QLineEdit* txtPassword = nullptr;
    QLineEdit* txtContact = nullptr;
    QLabel* lblContact = nullptr;
    QComboBox* ComboContacts = nullptr;
    QCheckBox* chkAdministrator = nullptr;

    data::RecordsetPtr m_contacts; // the list behind ComboContacts
    data::RecordsetPtr m_accounts; // the accounts listed in FG1
    qint32 m_accountCount = 0;
    qint32 m_accountID = 0;
    qint32 m_accountContactID = 0;
};

} // namespace zorbel::admin
