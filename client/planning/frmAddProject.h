#pragma once
// "Add New Project", the wizard's project page: name, owner and dates of the
// new project, which Next creates before moving on to its milestones.

#include "platform/data/Recordset.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace zorbel::shell {
class DateBox;
}

namespace zorbel::planning {

class frmAddProject : public QWidget {
    Q_OBJECT
public:
    frmAddProject();

    void Form_Load();
    void ComboContacts_Click();
    // CreateWizardProject: creates the project and moves on.
    void btnNext_Click();
    void btnCancel_Click();

    // The WBS the new project will get, fixed at load (may lie past 16 bits).
    qint32 wbs() const { return m_wbs; }
    // The owner chosen on this page: 0 until one is.
    qint32 ownerID() const { return m_ownerID; }

private:
    QLineEdit* txtName = nullptr;
    QLineEdit* txtReference = nullptr;
    QPlainTextEdit* txtDescription = nullptr;
    QComboBox* ComboContacts = nullptr;
    shell::DateBox* txtStartDate = nullptr;
    shell::DateBox* txtEndDate = nullptr;
    QLineEdit* txtDuration = nullptr;
    QCheckBox* chk7DayWeek = nullptr;

    // The list behind the owner combo as this page filled it: the shared
    // one may be reloaded by another window while the page is open.
    data::RecordsetPtr m_contacts;
    qint32 m_wbs = 1;
    qint32 m_ownerID = 0;
};

} // namespace zorbel::planning
