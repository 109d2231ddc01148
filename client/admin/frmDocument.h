#pragma once
// "Documents for" a project: the register of the current project's linked
// documents. A document is added through the add-document dialog, deleted
// (the file itself stays where it is) and opened in the desktop's own
// application for its type; an entry is never changed here. After an add, a
// delete or Refresh the list is read again with the document added, the row
// in the deleted one's place, or the document shown selected.

#include "client/admin/ListWindow.h"

#include <QString>

class QPlainTextEdit;

namespace zorbel::admin {

class frmDocument : public ListWindow {
    Q_OBJECT
public:
    frmDocument();

    void Form_Load();
    void Form_Resize();
    void LoadDocumentGrid();
    // The grid's row handler: the current row becomes the selected document.
    void ShowSelectedDocument();

    void btnAdd_Click();
    void btnDelete_Click();
    void btnRefresh_Click();
    void btnOpen_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Nothing listed: nothing may stay selected for Delete or Open to act on.
    void clearSelection();
    bool hasSelection() const { return m_documentCount > 0 && m_documentID != 0; }
    ui::FlexGrid& recordGrid() override { return *FG1; }
    data::RecordsetPtr loadRecords() override;

    ui::FlexGrid* FG1 = nullptr;
    QPlainTextEdit* txtSelectedDocument = nullptr;
    controls::ctrlButton* btnOpen = nullptr;

    shell::GridColumns m_columns;
    data::RecordsetPtr m_rsTeam;      // kept from opening: a member added since shows as "-1"
    data::RecordsetPtr m_rsDocTypes;
    data::RecordsetPtr m_rsDocuments;
    qint32 m_documentCount = 0;
    qint32 m_documentID = 0;
    QString m_documentName;
    QString m_oleLink;
};

} // namespace zorbel::admin
