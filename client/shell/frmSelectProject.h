#pragma once
// "Select Project": the modal picker that makes a project of the Implement
// phase current, with the account's rights levels for it. It opens on the
// current project's row when that project is listed (on the first row
// otherwise); only a row the user clicks or moves to is a pick, so closing it
// without one keeps the project that was current.

#include "client/shell/ModalDialog.h"
#include "platform/data/Recordset.h"

class QLabel;
class QLineEdit;

namespace zorbel::controls {
class ctrlButton;
}
namespace zorbel::ui {
class FlexGrid;
}

namespace zorbel::shell {

class frmSelectProject : public ModalDialog {
    Q_OBJECT
public:
    explicit frmSelectProject(QWidget* parent = nullptr);

    void Form_Load();
    void FGProjects_Click();
    void btnNext_Click();

private:
    ui::FlexGrid* FGProjects;
    QLabel* Label1;
    QLineEdit* txtProject;
    controls::ctrlButton* btnNext;
    data::RecordsetPtr m_rights; // the logged-in account's rights rows
};

} // namespace zorbel::shell
