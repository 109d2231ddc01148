#pragma once
// "ZorbelLite Projects": the projects of one phase (or the closed ones). The
// project picked in the grid becomes the current project of the program, with
// its owner, dates and the user's rights levels for it.

#include "client/planning/RecordEditor.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

namespace zorbel::controls {
class StatusLED;
}
namespace zorbel::shell {
class DateBox;
}

namespace zorbel::planning {

class frmProjects : public RecordEditor {
    Q_OBJECT
public:
    // The projects editor draws the grids' status pictures when it opens.
    static void LoadStatusPictures();

    frmProjects();

    void Form_Load();
    void LoadProjectsGrid();
    void ShowSelectedProject() { ShowSelected(); }
    void SubmitProject() { Submit(); }
    void btnRefresh_Click() override { LoadProjectsGrid(); }
    void ComboStatus_Click();
    void chkClosedProjects_Click() { LoadProjectsGrid(); }

    // The project state this opening lists: 1, 2 or 3 by phase, 4 for closed projects.
    qint16 listedState() const;

protected:
    qint32& savedRow() override;
    qint32& currentID() override;
    void emptyFields() override;
    void showRow(int row, const Row& values) override;
    void clearForAdd() override;
    Owners resolveOwner() override;
    bool readInputs() override;
    qint32 updateRecord() override;
    qint32 addRecord() override;
    qint32 deleteRecord() override;
    QString recordName() const override;
    bool picturesWanted() const override;

private:
    QLineEdit* txtName = nullptr;
    QLineEdit* txtReference = nullptr;
    QLineEdit* txtDescription = nullptr;
    shell::DateBox* txtStart = nullptr;
    shell::DateBox* txtEnd = nullptr;
    QLineEdit* txtWBS = nullptr;
    QComboBox* ComboContact = nullptr;
    QComboBox* ComboState = nullptr;
    QGroupBox* frStatus = nullptr;
    QComboBox* ComboStatus = nullptr;
    controls::StatusLED* LEDStatus = nullptr;
    QCheckBox* chkClosedProjects = nullptr;

    // The window's own lists, released with it.
    data::RecordsetPtr m_rsProjects;
    data::RecordsetPtr m_rsContacts;
    data::RecordsetPtr m_rsRights;
    data::RecordsetPtr m_rsStates;
    data::RecordsetPtr m_rsStatus;

    // The selected row's values, and those OK sends.
    qint32 m_rowOwnerID = 0;
    qint16 m_rowStatusID = 0;
    qint16 m_rowState = 0;
    qint32 m_ownerID = 0;
    qint16 m_statusID = 0;
    qint16 m_state = 0;
    QDateTime m_start;
    QDateTime m_end;
};

} // namespace zorbel::planning
