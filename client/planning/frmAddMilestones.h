#pragma once
// "Add Project Milestones", the wizard's third page: the new project's first
// milestones, each a dated point with a description.

#include "client/planning/WizardPage.h"

class QLabel;
class QPlainTextEdit;

namespace zorbel::shell {
class DateBox;
}

namespace zorbel::planning {

class frmAddMilestones : public WizardRecordPage {
    Q_OBJECT
public:
    frmAddMilestones();

    void Form_Load();
    void LoadWizardMilestonesGrid() { LoadList(); }
    void btnNext_Click() override;

protected:
    data::RecordsetPtr listRecords(qint32 projectID) override;
    void clearForAdd() override;
    void clearWhenEmpty() override;
    std::optional<qint32> addRecord() override;
    void deleteRecord(qint32 id) override;

private:
    QLabel* txtMilestone = nullptr;
    shell::DateBox* txtDate = nullptr;
    QPlainTextEdit* txtDescription = nullptr;
};

} // namespace zorbel::planning
