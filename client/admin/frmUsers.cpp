#include "client/admin/frmUsers.h"

#include "business/Widths.h"
#include "client/admin/AdminRules.h"
#include "client/shell/AppState.h"
#include "client/shell/Combos.h"
#include "client/shell/Placing.h"
#include "client/shell/SavedRecord.h"
#include "client/shell/TextLimit.h"
#include "client/shell/WindowRegistration.h"
#include "platform/ui/FlexGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace zorbel::admin {

using shell::placeField;
using shell::placeLabel;
using shell::state;

namespace {

// Columns of the accounts grid.
enum Column { cMultiUserID, cUserID, cUserName, cPassword, cFullName, cAdministrator, cProjectCreator };

} // namespace

frmUsers::frmUsers() {
    setObjectName(QStringLiteral("frmUsers"));
    setWindowTitle(QStringLiteral("Multi Users"));
    controls::resizeTwips(this, 9480, 4500);

    FG1 = makeGrid("FG1", 120, 120, 4620, 3600);
    placeLabel(this, QStringLiteral("Selected User"), 4980, 150, 1200, "lblSelectedUser");
    txtSelectedUser = placeField<QLineEdit>(this, "txtSelectedUser", 6300, 120, 3000);
    placeLabel(this, QStringLiteral("User Name"), 4980, 570, 1200, "lblUserName");
    txtUserName = placeField<QLineEdit>(this, "txtUserName", 6300, 540, 3000);
    placeLabel(this, QStringLiteral("Password"), 4980, 990, 1200, "lblPassword");
    txtPassword = placeField<QLineEdit>(this, "txtPassword", 6300, 960, 3000);
    txtPassword->setEchoMode(QLineEdit::Password);
    placeLabel(this, QStringLiteral("Contact"), 4980, 1410, 1200, "lblTxtContact");
    txtContact = placeField<QLineEdit>(this, "txtContact", 6300, 1380, 3000);
    shell::limitText(*txtUserName, widths::of("ZORBEL_MULTI_USER_TABLE", "UserName"));
    shell::limitText(*txtPassword, widths::of("ZORBEL_MULTI_USER_TABLE", "Password"));
    // The contact's name as the account keeps it.
    shell::limitText(*txtContact, widths::of("ZORBEL_MULTI_USER_TABLE", "FullName"));
    lblContact = placeLabel(this, QStringLiteral("Contact"), 4980, 1830, 1200, "lblContact");
    ComboContacts = placeField<QComboBox>(this, "ComboContacts", 6300, 1800, 3000);
    chkAdministrator = placeField<QCheckBox>(this, "chkAdministrator", 6300, 2250, 2000, 285);
    chkAdministrator->setText(QStringLiteral("Administrator"));

    btnAdd = makeButton("btnAdd", "Add", 120, 3900, &frmUsers::btnAdd_Click);
    btnEdit = makeButton("btnEdit", "Edit", 1575, 3900, &frmUsers::btnEdit_Click);
    btnDelete = makeButton("btnDelete", "Delete", 3030, 3900, &frmUsers::btnDelete_Click);
    btnRefresh = makeButton("btnRefresh", "Refresh", 4485, 3900, &frmUsers::btnRefresh_Click);
    btnOK = makeButton("btnOK", "OK", 6300, 3900, &frmUsers::btnOK_Click);
    btnCancel = makeButton("btnCancel", "Cancel", 7755, 3900, &frmUsers::btnCancel_Click);

    // The contact is only ever chosen with the picker.
    lockFields({txtUserName, txtPassword, txtContact}, true);
    connect(FG1, &ui::FlexGrid::RowColChange, this, &frmUsers::ShowSelectedAccount);
    connect(ComboContacts, &QComboBox::currentIndexChanged, this, &frmUsers::ComboContacts_Click);

    Form_Load();
}

void frmUsers::Form_Load() {
    m_contacts = loadContactPicker(*ComboContacts);
    LockUserFields(true);
    LoadUserGrid();
    storeMode(shell::kBrowse);
}

void frmUsers::LoadUserGrid() {
    auto& s = state();
    m_accounts = s.g_zorbel->GetUsers();
    s.g_rsScratch = m_accounts;
    m_accountCount = fillGrid(*FG1, accountColumns(), m_accounts, true);
    LockUserFields(true);
    if (m_accountCount == 0)
        clearDetails(); // nothing listed: nothing may stay selected or be saved over
    ShowSelectedAccount();
}

void frmUsers::ShowUserButtons(bool hide) {
    showAll({btnEdit, btnDelete}, !hide);
}

void frmUsers::LockUserFields(bool locked) {
    lockFields({txtUserName, txtPassword}, locked);
    showAll({ComboContacts, lblContact}, !locked);
    chkAdministrator->setEnabled(!locked);
    showAll({btnAdd, btnRefresh}, locked);
    ShowUserButtons(!locked || FG1->Rows() <= 1);
    showAll({btnOK, btnCancel}, !locked);
}

void frmUsers::ShowSelectedAccount() {
    const int row = recordRow(*FG1);
    if (row == 0)
        return;
    m_accountID = idIn(*FG1, row, cMultiUserID);
    m_accountContactID = idIn(*FG1, row, cUserID);
    // An empty box keeps the stored password; a new one is typed in full.
    txtPassword->clear();
    txtSelectedUser->setText(FG1->TextMatrix(row, cUserName));
    txtUserName->setText(FG1->TextMatrix(row, cUserName));
    chkAdministrator->setChecked(isAdministrator(FG1->TextMatrix(row, cAdministrator)));
    const int position = shell::rowOfID(m_contacts, m_accountContactID);
    selectQuietly(*ComboContacts, position);
    if (position >= 0) {
        ComboContacts_Click();
    } else {
        // The contact is gone from the list: the account keeps the name it
        // was saved with, and its contact, until another one is picked.
        txtContact->setText(FG1->TextMatrix(row, cFullName));
    }
}

void frmUsers::ComboContacts_Click() {
    const int position = ComboContacts->currentIndex();
    if (position < 0 || !m_contacts || position >= m_contacts->RecordCount())
        return;
    txtContact->setText(ComboContacts->currentText());
    m_accountContactID = shell::idAtRow(m_contacts, position);
}

void frmUsers::clearDetails() {
    m_accountID = 0;
    m_accountContactID = 0;
    for (QLineEdit* box : {txtSelectedUser, txtUserName, txtPassword, txtContact})
        box->clear();
    chkAdministrator->setChecked(false);
    selectQuietly(*ComboContacts, -1);
}

bool frmUsers::userIsAdministrator(const data::RecordsetPtr& accounts) {
    return isAdministratorAccount(accounts, state().g_currentMultiUserID);
}

bool frmUsers::changeRefused(AccountChange change, const data::RecordsetPtr& accounts) {
    AccountEdit edit;
    if (change == AccountChange::EditUser)
        edit = accountEdit(accounts, m_accountID, state().g_currentMultiUserID, txtUserName->text(),
                           m_accountContactID, chkAdministrator->isChecked());
    return refused(accountChangeRefusal(userIsAdministrator(accounts), change, edit));
}

void frmUsers::btnAdd_Click() {
    if (changeRefused(AccountChange::AddUser, state().g_zorbel->GetUsers()))
        return;
    storeMode(shell::kAdd);
    txtUserName->clear();
    txtPassword->clear();
    chkAdministrator->setChecked(false);
    // The first contact is offered; with none, none is chosen.
    m_accountContactID = 0;
    txtContact->clear();
    selectQuietly(*ComboContacts, 0);
    ComboContacts_Click();
    LockUserFields(false);
}

void frmUsers::btnEdit_Click() {
    const data::RecordsetPtr accounts = state().g_zorbel->GetUsers();
    if (changeRefused(AccountChange::EditUser, accounts))
        return;
    storeMode(shell::kEdit);
    LockUserFields(false);
    if (!userIsAdministrator(accounts)) {
        // His own account: the password is all he may change.
        lockFields({txtUserName}, true);
        showAll({ComboContacts, lblContact}, false);
        chkAdministrator->setEnabled(false);
    }
}

void frmUsers::btnDelete_Click() {
    if (changeRefused(AccountChange::DeleteUser, state().g_zorbel->GetUsers()))
        return;
    LockUserFields(false);
    storeMode(shell::kDelete);
    showAll({ComboContacts, lblContact}, false);
}

void frmUsers::btnCancel_Click() {
    storeMode(shell::kBrowse);
    reloadSelecting({m_accountID, FG1->Row()});
}

void frmUsers::btnRefresh_Click() {
    m_contacts = loadContactPicker(*ComboContacts);
    reloadSelecting({m_accountID, FG1->Row()});
}

data::RecordsetPtr frmUsers::loadRecords() {
    LoadUserGrid();
    return m_accounts;
}

bool frmUsers::saveAllowed(bool adding, bool administrator) {
    // Checked against the accounts as stored now, not as listed when the window loaded.
    const data::RecordsetPtr accounts = state().g_zorbel->GetUsers();
    if (changeRefused(adding ? AccountChange::AddUser : AccountChange::EditUser, accounts))
        return false;
    const QString name = storedAccountText(txtUserName->text());
    QString refusal;
    if (name.trimmed().isEmpty())
        refusal = QStringLiteral("Enter a User Name");
    else if (!storedAsTyped(txtUserName->text()))
        refusal = QStringLiteral("A User Name cannot hold an apostrophe or be longer than 50 characters");
    else if (userNameTaken(accounts, txtUserName->text(), adding ? 0 : m_accountID))
        refusal = QStringLiteral("The User Name ") + name + QStringLiteral(" is already in use - choose another");
    else if (adding && storedAccountText(txtPassword->text()).isEmpty())
        refusal = QStringLiteral("Enter a Password for the new User");
    else if (!txtPassword->text().isEmpty() && storedAccountText(txtPassword->text()).isEmpty())
        refusal = QStringLiteral("A Password cannot be made of apostrophes only - choose another");
    else if (m_accountContactID == 0)
        refusal = QStringLiteral("Select a Contact for this User");
    else if (!adding && leavesNoAdministrator(accounts, m_accountID, administrator))
        refusal = QStringLiteral("At least one User must remain an Administrator");
    return !refused(refusal);
}

bool frmUsers::deleteRefused() {
    QString refusal;
    if (m_accountID == 0)
        return true;
    const data::RecordsetPtr accounts = state().g_zorbel->GetUsers();
    if (changeRefused(AccountChange::DeleteUser, accounts))
        return true;
    if (m_accountID == state().g_currentMultiUserID)
        refusal = QStringLiteral("You cannot delete the User you are logged in as");
    else if (leavesNoAdministrator(accounts, m_accountID, false))
        refusal = QStringLiteral("At least one User must remain an Administrator");
    return refused(refusal);
}

void frmUsers::btnOK_Click() {
    auto& z = *state().g_zorbel;
    const qint16 administrator = chkAdministrator->isChecked() ? 1 : 0;
    shell::SavedRecord saved{m_accountID, FG1->Row()};
    switch (mode()) {
    case shell::kEdit:
        if (!saveAllowed(false, administrator != 0))
            return;
        if (z.UpdateUser(m_accountID, m_accountContactID, txtUserName->text(), txtPassword->text(),
                         txtContact->text(), administrator) == 0)
            failed(QStringLiteral("Update User Failed"));
        break;
    case shell::kAdd:
        if (!saveAllowed(true, administrator != 0))
            return;
        saved.listBefore = z.GetUsers();
        if (z.AddUser(m_accountContactID, txtUserName->text(), txtPassword->text(), txtContact->text(),
                      administrator) == 0)
            failed(QStringLiteral("Add User Failed"));
        break;
    case shell::kDelete:
        if (!deleteRefused() && confirmed(QStringLiteral("Are you sure you want to delete ") + txtSelectedUser->text())
            && z.DeleteUser(m_accountID) == 0)
            failed(QStringLiteral("Delete User Failed"));
        break;
    default:
        break;
    }
    storeMode(shell::kBrowse);
    reloadSelecting(saved);
}

} // namespace zorbel::admin

using zorbel::admin::frmUsers;
ZORBEL_REGISTER_WINDOW(frmUsers)
