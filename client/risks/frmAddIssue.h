#pragma once
// "Add/Edit Issue": enters a new issue or changes the selected one, in the
// issue log's current group of the current project. The issue log prepares
// it (a new issue, or the selected issue's texts and date), shows it modally
// and, once it has closed, reads g_dialogCancelled: False only after a save
// that the business layer accepted.
//
// Owner and look-ups are read by the entry picked (two members of one name
// stay apart); a typed text counts when it names an entry. The group shows
// where the issue goes and cannot be changed here.

#include "client/shell/ModalDialog.h"
#include "platform/data/Recordset.h"

#include <QVariant>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace zorbel::controls {
class ctrlButton;
}
namespace zorbel::shell {
class DateBox;
}

namespace zorbel::risks {

class frmAddIssue : public shell::ModalDialog {
    Q_OBJECT
public:
    explicit frmAddIssue(QWidget* parent = nullptr);

    // The mode the dialog saves in: shell::kEdit changes g_currentIssueID, shell::kAdd adds.
    qint16 DialogMode = 0;

    // A new issue: every box and look-up empty (the group stays shown).
    void clearForAdd();
    // The selected issue: its texts, and its date as stored so that an
    // unchanged box saves the same moment, time of day included.
    void showIssue(const QString& reference, const QVariant& storedDate, const QString& issue, const QString& impact,
                   const QString& resolution);

    void Form_Load();
    void btnOK_Click();
    void btnCancel_Click();

private:
    void LoadIssueOwnerCombo();
    void LoadIssueStatusCombo();
    void LoadIssueSeverityCombo();
    void LoadIssueUrgencyCombo();
    void LoadIssueScheduleCombo();
    void LoadIssueGroupCombo();

    shell::DateBox* txtIssueDate = nullptr;
    QLineEdit* txtReference = nullptr;
    QPlainTextEdit* txtIssue = nullptr;
    QPlainTextEdit* txtImpact = nullptr;
    QPlainTextEdit* txtResolution = nullptr;
    QLabel* cntIssue = nullptr;
    QLabel* cntImpact = nullptr;
    QLabel* cntMitigation = nullptr;
    QComboBox* ComboOwner = nullptr;
    QComboBox* ComboIssueGroup = nullptr;
    QComboBox* ComboSeverity = nullptr;
    QComboBox* ComboStatus = nullptr;
    QComboBox* ComboSchedule = nullptr;
    QComboBox* ComboUrgency = nullptr;
    controls::ctrlButton* btnOK = nullptr;
    controls::ctrlButton* btnCancel = nullptr;

    data::RecordsetPtr m_rsTeam;
    data::RecordsetPtr m_rsStatus;
    data::RecordsetPtr m_rsSeverity;
    data::RecordsetPtr m_rsUrgency;
    data::RecordsetPtr m_rsSchedule;
};

} // namespace zorbel::risks
