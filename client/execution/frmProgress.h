#pragma once
// "Progress": the log of dated progress notes of the current action, each
// with an owner from the project team.

#include "client/execution/ExecutionEditor.h"

class QPlainTextEdit;

namespace zorbel::shell {
class DateBox;
}

namespace zorbel::execution {

class frmProgress : public ExecutionEditor {
    Q_OBJECT
public:
    frmProgress();

    void Form_Load();
    void LoadProgressGrid() { loadList(); }

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
    QPlainTextEdit* txtProgress = nullptr;
    shell::DateBox* txtProgressDate = nullptr;

    QDateTime m_date;
};

} // namespace zorbel::execution
