#pragma once
// "Add Project Deliverables", the wizard's last page: the new project's first
// deliverables, each a critical success factor with its metric and dates.
// Next leaves the wizard for "Next Step".

#include "client/planning/WizardPage.h"

class QLabel;
class QPlainTextEdit;

namespace zorbel::shell {
class DateBox;
}

namespace zorbel::planning {

class frmAddDeliverables : public WizardRecordPage {
    Q_OBJECT
public:
    frmAddDeliverables();

    void Form_Load();
    void LoadWizardDeliverablesGrid() { LoadList(); }
    void btnNext_Click() override;

    // The WBS of the next deliverable added on this page.
    qint16 position() const { return m_position; }

protected:
    data::RecordsetPtr listRecords(qint32 projectID) override;
    void clearForAdd() override;
    void clearWhenEmpty() override;
    std::optional<qint32> addRecord() override;
    void deleteRecord(qint32 id) override;

private:
    QLabel* txtSelected = nullptr;
    QPlainTextEdit* txtDeliverable = nullptr;
    QPlainTextEdit* txtMetric = nullptr;
    shell::DateBox* txtStartDate = nullptr;
    shell::DateBox* txtEndDate = nullptr;

    qint16 m_position = 1;
};

} // namespace zorbel::planning
