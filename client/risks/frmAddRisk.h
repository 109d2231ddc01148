#pragma once
// The risk dialog: enters a new risk, changes one, or escalates a task's risk
// to its project. The risk is scored as its level (0 to 10) times its
// probability (0 to 1), each set on a bar or typed in a box, and the score is
// shown as a number and as the colour of a lamp.
//
// Its one caller, the risk register, gives the risk's values, runs the load
// step, prepares the boxes and shows the dialog modally; the boxes and bars
// answer the user only once the dialog is shown, so nothing the caller writes
// beforehand raises a message or moves a bar. OK saves and closes; a refused
// entry or a failed save keeps the dialog open with everything typed. A task
// risk is saved or escalated only while the current task is one of the
// current project's.

#include "client/risks/RiskRules.h"
#include "client/shell/ModalDialog.h"
#include "platform/data/Recordset.h"

#include <QString>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QScrollBar;

namespace zorbel::controls {
class ctrlButton;
class StatusLED;
}

namespace zorbel::risks {

struct ScoreRange;

// What the caller hands the dialog before it loads.
struct RiskValues {
    qint16 riskType = 0;   // a RiskTypeID
    qint32 owner = 0;      // the owner's TeamID
    QString description;
    QString impact;
    QString mitigation;
    QString level;         // as the box shows it
    QString probability;
};

class frmAddRisk : public shell::ModalDialog {
    Q_OBJECT
public:
    frmAddRisk();

    // The caller's side: values first, then the load step, then one of the
    // two preparations.
    void setValues(const RiskValues& values) { m_values = values; }
    void Form_Load();
    // A new risk: the six boxes empty and both bars at their top.
    void prepareForAdd();
    void setNote(const QString& note);

    QString CalcRiskValue();
    void LoadRiskTypeCombo();

    void txtImpactValue_Change();
    void txtProbabilityValue_Change();
    void VSImpact_Change();
    void VSImpact_Scroll() { VSImpact_Change(); }
    void VSProbability_Change();
    void VSProbability_Scroll() { VSProbability_Change(); }
    void btnOK_Click() { Submit(); }
    void btnCancel_Click() { close(); }
    void btnEscalate_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void LoadRiskOwnerCombo();
    void scoreBoxChanged(QLineEdit& box, QScrollBar& bar, const ScoreRange& range, int (*barFor)(double));
    void barChanged(const QScrollBar& bar, QLineEdit& box, double (*valueAt)(int));
    // Both boxes as OK saves them; false after the first refusal's message.
    bool readScores(double& level, double& probability);
    // The team row of the chosen owner; -1 for the empty entry or no member.
    int chosenOwnerRow() const;
    // The OK sequence; true when the dialog has closed (saved, or refused by
    // the owner rule or for a task of another project), false when it stays open.
    bool Submit();

    QComboBox* ComboRiskType = nullptr;
    QComboBox* ComboOwner = nullptr;
    QPlainTextEdit* txtDescription = nullptr;
    QPlainTextEdit* txtImpact = nullptr;
    QPlainTextEdit* txtMitigation = nullptr;
    QPlainTextEdit* txtNote = nullptr;
    QLabel* cntRisk = nullptr;
    QLabel* cntImpact = nullptr;
    QLabel* cntMitigation = nullptr;
    QLabel* cntNote = nullptr;
    QScrollBar* VSImpact = nullptr;
    QScrollBar* VSProbability = nullptr;
    QLineEdit* txtImpactValue = nullptr;
    QLineEdit* txtProbabilityValue = nullptr;
    QLabel* txtCRL = nullptr;
    controls::StatusLED* LEDRisk = nullptr;
    controls::ctrlButton* btnOK = nullptr;
    controls::ctrlButton* btnCancel = nullptr;
    controls::ctrlButton* btnEscalate = nullptr;
    QFrame* ShapeEscalate = nullptr;

    RiskValues m_values;
    data::RecordsetPtr m_types;
    data::RecordsetPtr m_team;
    // Fixed by the load step: what OK does and to which record.
    RegisterLevel m_level = RegisterLevel::Other;
    int m_mode = 0;
    qint32 m_riskID = 0;
    qint32 m_saveID = 0;
    qint16 m_projectRisk = 0;
    bool m_loaded = false;
    bool m_live = false; // the boxes and bars answer the user
};

} // namespace zorbel::risks
