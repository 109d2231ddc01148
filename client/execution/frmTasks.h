#pragma once
// "Tasks": the tasks of the current deliverable. A task may follow one other
// task, its predecessor, picked from any project of the window's phase; "Set
// Date" then starts the task on the first working day after the predecessor
// ends, keeping its length. The task
// picked in the grid becomes the current task, whose actions the actions
// editor lists and whose risks the task-level risk register lists.

#include "client/execution/ExecutionEditor.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace zorbel::shell {
class DateBox;
}

namespace zorbel::execution {

class frmTasks : public ExecutionEditor {
    Q_OBJECT
public:
    frmTasks();

    void Form_Load();
    void LoadTasksGrid() { loadList(); }
    // The tasks and the dependency picker's lists, read again.
    void btnRefresh_Click() override;

    // The dependency picker.
    void chkDependency_Click();
    void ComboProjects_Click();
    void ComboDeliverables_Click();
    void ComboTasks_Click();
    void btnSetDate_Click();

    // The predecessor OK sends (a TaskID, 0 for none).
    qint32 pickedDependency() const { return m_pickedDependency; }

protected:
    qint32& savedRow() override;
    qint32& currentID() override;
    void afterSetMode(int mode) override;
    void emptyFields() override;
    void showRow(int row, const Row& values) override;
    void clearForAdd() override;
    bool readInputs() override;
    bool checkProjectDates() override;
    qint32 updateRecord() override;
    qint32 addRecord() override;
    qint32 deleteRecord() override;
    QString recordName() const override;

private:
    void makePicker(int top);
    void showPicker(bool shown);
    // Reads the picker's lists, keeping the project and deliverable chosen
    // while they are still listed (the first ones otherwise).
    void fillPickerProjects();
    // Forgets the chosen predecessor, its end date and the task the list shows.
    void forgetPick();
    void choosePredecessor(qint32 taskID, const QDateTime& end);
    void showLoadedPredecessor(qint32 dependency);
    void restoreLoadedPredecessor();

    QPlainTextEdit* txtTask = nullptr;
    shell::DateBox* txtTaskStart = nullptr;
    shell::DateBox* txtTaskEnd = nullptr;
    QLabel* lblDependency = nullptr;
    QLineEdit* txtDependency = nullptr;
    QCheckBox* chkDependency = nullptr;
    QGroupBox* frmDependency = nullptr;
    QComboBox* ComboProjects = nullptr;
    QComboBox* ComboDeliverables = nullptr;
    QComboBox* ComboTasks = nullptr;
    QLineEdit* txtselDate = nullptr;
    controls::ctrlButton* btnSetDate = nullptr;

    // The row's predecessor and its end date, as stored.
    qint32 m_loadedDependency = 0;
    QDateTime m_loadedEndDate;
    // The predecessor OK sends and its end date.
    qint32 m_pickedDependency = 0;
    QDateTime m_pickedEndDate;
    // The picker's lists; a choice is looked up by its position in the list that filled its combo.
    data::RecordsetPtr m_rsPickerProjects;
    data::RecordsetPtr m_rsPickerDeliverables;
    data::RecordsetPtr m_rsPickerTasks;
    qint32 m_pickedProjectID = 0;
    qint32 m_pickedDeliverableID = 0;

    qint16 m_statusID = 0;
    QDateTime m_start;
    QDateTime m_end;
};

} // namespace zorbel::execution
