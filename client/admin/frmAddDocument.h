#pragma once
// "Add Document": registers a new document of the current project. The user
// links a file chosen in a file dialog, picks its type and its owner from
// the project team, and may give a revision text and date; the file itself
// is neither copied nor opened. OK stores the entry and closes; an entry the
// register refuses leaves the dialog open with everything typed, to mend.

#include "client/shell/ModalDialog.h"
#include "platform/data/Recordset.h"

#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;

namespace zorbel::controls {
class ctrlButton;
}
namespace zorbel::shell {
class DateBox;
}

namespace zorbel::admin {

class frmAddDocument : public shell::ModalDialog {
    Q_OBJECT
public:
    frmAddDocument();

    void Form_Load();
    void LoadDocumentTypes();
    void LoadOwners();

    void btnCreate_Click();
    void btnOK_Click();
    void btnCancel_Click() { close(); }

private:
    QLineEdit* OLE1 = nullptr; // shows the linked file's full path
    controls::ctrlButton* btnCreate = nullptr;
    QComboBox* ComboType = nullptr;
    QComboBox* ComboOwner = nullptr;
    QLineEdit* txtRevisionNo = nullptr;
    QLabel* cntRevisionNo = nullptr;
    shell::DateBox* txtDate = nullptr;
    controls::ctrlButton* btnOK = nullptr;
    controls::ctrlButton* btnCancel = nullptr;

    data::RecordsetPtr m_rsTeam;
    data::RecordsetPtr m_rsDocTypes;
    QString m_sourceDoc; // the file linked by Create Link; empty until one is
    QString m_linkPath;
    QString m_location;
    QString m_docName;
    qint32 m_ownerID = 0;
};

} // namespace zorbel::admin
