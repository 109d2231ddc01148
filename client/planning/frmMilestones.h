#pragma once
// "Project Milestones": the milestones of the current project, each with one
// date. A milestone has no owner or status of its own; the project's owner
// decides who may change them.

#include "client/planning/RecordEditor.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace zorbel::shell {
class DateBox;
}

namespace zorbel::planning {

class frmMilestones : public RecordEditor {
    Q_OBJECT
public:
    frmMilestones();

    void Form_Load();
    void LoadMilestonesGrid();
    void ShowSelectedMilestone() { ShowSelected(); }
    void SubmitMilestone() { Submit(); }
    void btnRefresh_Click() override;

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
    QLabel* txtProject = nullptr;
    QLineEdit* txtStart = nullptr;
    QLineEdit* txtEnd = nullptr;
    QPlainTextEdit* txtMilestone = nullptr;
    shell::DateBox* txtDate = nullptr;

    qint32 m_milestoneCount = 0;
    QDateTime m_date;
};

} // namespace zorbel::planning
