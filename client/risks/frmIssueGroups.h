#pragma once
// "Issue Groups": the shared groups into which every project's issues are
// sorted. It lists them, adds one, and makes the group picked in its grid the
// current group for the issue log. A group's name cannot be changed here and
// Delete has no action.
//
// Two states, told by the buttons: browsing (Add and Delete shown, the name
// box locked) and adding (OK and Cancel shown, the name box open and empty).

#include "platform/data/Recordset.h"

#include <QWidget>

class QLineEdit;

namespace zorbel::controls {
class ctrlButton;
}
namespace zorbel::ui {
class FlexGrid;
}

namespace zorbel::risks {

class frmIssueGroups : public QWidget {
    Q_OBJECT
public:
    frmIssueGroups();

    void Form_Load() { LoadIssueGroups(); }
    void LoadIssueGroups();
    void ShowSelectedGroup();
    void btnAdd_Click();
    void btnOK_Click();
    void btnCancel_Click();

private:
    bool adding() const;

    QLineEdit* txtGroup = nullptr;
    ui::FlexGrid* FG1 = nullptr;
    controls::ctrlButton* btnAdd = nullptr;
    controls::ctrlButton* btnDelete = nullptr;
    controls::ctrlButton* btnOK = nullptr;
    controls::ctrlButton* btnCancel = nullptr;

    data::RecordsetPtr m_rsGroups;
};

} // namespace zorbel::risks
