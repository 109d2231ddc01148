#pragma once
// "Contacts": the shared address book from which log-in accounts, project
// teams and project owners are drawn. Anyone who can open it may add, change
// and delete every contact.

#include "client/admin/ListWindow.h"

class QLineEdit;

namespace zorbel::admin {

class frmContacts : public ListWindow {
    Q_OBJECT
public:
    frmContacts();

    void Form_Load();
    void LoadContactGrid();
    void ShowContactButtons(bool hide);
    void LockContactFields(bool locked);
    void ShowSelectedContact();
    void btnAdd_Click();
    void btnEdit_Click();
    void btnDelete_Click();
    void btnCancel_Click();
    void btnRefresh_Click();
    void btnOK_Click();
    void Form_Resize();

    qint32 contactID() const { return m_contactID; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void clearDetails();
    ui::FlexGrid& recordGrid() override { return *FG1; }
    data::RecordsetPtr loadRecords() override;

    ui::FlexGrid* FG1 = nullptr;
    QLineEdit* txtSelectedOwner = nullptr;
    QLineEdit* txtFirstName = nullptr;
    QLineEdit* txtLastName = nullptr;
    QLineEdit* txtTitle = nullptr;
    QLineEdit* txtEmail = nullptr;
    QLineEdit* txtCompany = nullptr;
    QLineEdit* txtTelephone = nullptr;
    QLineEdit* txtMobile = nullptr;
    // The seven detail boxes and their labels, in grid column order (columns 1 to 7).
    QLineEdit* m_boxes[7] = {};
    QWidget* m_labels[7] = {};

    qint32 m_contactID = 0;
};

} // namespace zorbel::admin
