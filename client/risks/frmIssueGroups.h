#pragma once
// "Issue Groups": the shared groups into which every project's issues are
// sorted. It lists them, adds one, deletes one that holds no issue, and
// makes the group picked in its grid the current group for the issue log. A
// group's name cannot be changed here; it names the group's sheet in the
// issue-log workbook, so only a name a sheet can take is added.
//
// Two states, told by the buttons: browsing (Add and Delete shown, the name
// box locked) and adding (OK and Cancel shown, the name box open and empty).
// After an add, a delete or Cancel the list is read again with the group
// added, the row in the deleted one's place, or the current group selected.

#include "client/shell/SavedRecord.h"
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
    void btnDelete_Click();
    void btnOK_Click();
    void btnCancel_Click();

private:
    bool adding() const;
    // Back to browsing, the list read again with the saved group selected.
    void browse(const shell::SavedRecord& saved);

    QLineEdit* txtGroup = nullptr;
    ui::FlexGrid* FG1 = nullptr;
    controls::ctrlButton* btnAdd = nullptr;
    controls::ctrlButton* btnDelete = nullptr;
    controls::ctrlButton* btnOK = nullptr;
    controls::ctrlButton* btnCancel = nullptr;

    data::RecordsetPtr m_rsGroups;
};

} // namespace zorbel::risks
