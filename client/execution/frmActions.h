#pragma once
// "Actions": the actions of the current task. The action picked in the grid
// becomes the current action, whose progress entries the progress log lists.

#include "client/execution/ExecutionEditor.h"

class QPlainTextEdit;

namespace zorbel::shell {
class DateBox;
}

namespace zorbel::execution {

class frmActions : public ExecutionEditor {
    Q_OBJECT
public:
    frmActions();

    void Form_Load();
    void LoadActionsGrid() { loadList(); }

protected:
    qint32& savedRow() override;
    qint32& currentID() override;
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
    QPlainTextEdit* txtAction = nullptr;
    shell::DateBox* txtActionStart = nullptr;
    shell::DateBox* txtActionEnd = nullptr;

    qint16 m_statusID = 0;
    QDateTime m_start;
    QDateTime m_end;
};

} // namespace zorbel::execution
