#pragma once
// "Project Deliverables": the deliverables of the current project, each owned
// by a member of the project team. The deliverable picked in the grid becomes
// the current deliverable, whose tasks the tasks editor lists.

#include "client/planning/RecordEditor.h"
#include "client/shell/HeaderBlock.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace zorbel::controls {
class StatusLED;
}
namespace zorbel::shell {
class DateBox;
}

namespace zorbel::planning {

class frmDeliverables : public RecordEditor {
    Q_OBJECT
public:
    frmDeliverables();

    void Form_Load();
    void LoadDeliverablesGrid();
    void ShowSelectedDeliverable() { ShowSelected(); }
    void SubmitDeliverable() { Submit(); }
    void btnRefresh_Click() override;
    void ComboStatus_Click();

protected:
    qint32& savedRow() override;
    qint32& currentID() override;
    void emptyFields() override;
    void showRow(int row, const Row& values) override;
    void clearForAdd() override;
    bool hasParent() const override;
    Owners resolveOwner() override;
    bool readInputs() override;
    bool checkProjectDates() override;
    qint32 updateRecord() override;
    qint32 addRecord() override;
    qint32 deleteRecord() override;
    QString recordName() const override;

private:
    void emptyDetails();

    shell::HeaderBlock m_header;
    QPlainTextEdit* txtDeliverable = nullptr;
    QPlainTextEdit* txtMetric = nullptr;
    shell::DateBox* txtStartDate = nullptr;
    shell::DateBox* txtEndDate = nullptr;
    QLineEdit* txtWBS = nullptr;
    QComboBox* ComboOwner = nullptr;
    QCheckBox* ChkCSF = nullptr;
    QGroupBox* FrameStatus = nullptr;
    QComboBox* ComboStatus = nullptr;
    controls::StatusLED* LEDStatus = nullptr;

    // The selected row's status and owner (a TeamID), and those OK sends.
    qint16 m_rowStatusID = 0;
    qint32 m_rowOwnerID = 0;
    qint16 m_statusID = 0;
    qint32 m_ownerID = 0;
    QDateTime m_start;
    QDateTime m_end;
};

} // namespace zorbel::planning
