#include "client/admin/frmAddDocument.h"

#include "business/Widths.h"
#include "client/admin/DocumentLinks.h"
#include "client/shell/AppState.h"
#include "client/shell/CharCounter.h"
#include "client/shell/Combos.h"
#include "client/shell/DateBox.h"
#include "client/shell/Owners.h"
#include "client/shell/Placing.h"
#include "client/shell/TextLimit.h"
#include "client/shell/Values.h"
#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/Clock.h"
#include "platform/ui/FileChooser.h"
#include "platform/ui/MessageBox.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

namespace zorbel::admin {

using controls::ctrlButton;
using shell::placeButton;
using shell::placeField;
using shell::placeLabel;
using shell::state;

namespace {

constexpr int kRevisionWidth = widths::of("ZORBEL_DOCUMENTS", "RevisionNo");

// The list row the combo's entry stands for, by its position; -1 when none is
// picked or the text was typed over, since typed text names no row.
int pickedRow(const QComboBox& combo) {
    const int at = combo.currentIndex();
    return at >= 0 && combo.currentText() == combo.itemText(at) ? at : -1;
}

void oleError(const QString& reason) {
    ui::MsgBox(QStringLiteral("OLE Error ") + reason);
}

QComboBox* placeCombo(QWidget* parent, const char* name, int left, int top) {
    auto* combo = placeField<QComboBox>(parent, name, left, top, 2700);
    combo->setEditable(true);
    // Enter in the box must not turn a typed text into an entry standing for no row.
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

} // namespace

frmAddDocument::frmAddDocument() {
    setObjectName(QStringLiteral("frmAddDocument"));
    setWindowTitle(QStringLiteral("Add Document"));
    controls::fixSizeTwips(this, 6300, 4560);

    QLabel* heading = placeLabel(this, QStringLiteral("Create New Document Link"), 120, 120, 4500, "Label1");
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    placeLabel(this, QStringLiteral("Click on Create Link and Browse for the document"), 120, 480, 4500, "Label2");
    OLE1 = placeField<QLineEdit>(this, "OLE1", 120, 840, 4500);
    OLE1->setReadOnly(true);
    btnCreate = placeButton(this, "btnCreate", QStringLiteral("Create Link"), 4740, 818);

    placeLabel(this, QStringLiteral("Select the Document Type"), 120, 1320, 2700, "Label3");
    placeLabel(this, QStringLiteral(" and Owner"), 2940, 1320, 2700, "Label4");
    ComboType = placeCombo(this, "ComboType", 120, 1680);
    ComboOwner = placeCombo(this, "ComboOwner", 2940, 1680);

    placeLabel(this, QStringLiteral("Enter the Document Revision No"), 120, 2160, 4500, "Label5");
    txtRevisionNo = placeField<QLineEdit>(this, "txtRevisionNo", 120, 2520, 4500);
    cntRevisionNo = placeLabel(this, QString::number(kRevisionWidth), 4740, 2550, 600, "cntRevisionNo");
    shell::limitText(*txtRevisionNo, kRevisionWidth);
    shell::attachCharCounter(*txtRevisionNo, *cntRevisionNo, kRevisionWidth);

    placeLabel(this, QStringLiteral("Enter the latest Document Revision Date"), 120, 3000, 4500, "Label6");
    txtDate = placeField<shell::DateBox>(this, "txtDate", 120, 3360, 1500);

    btnOK = placeButton(this, "btnOK", QStringLiteral("OK"), 3240, 3960);
    btnCancel = placeButton(this, "btnCancel", QStringLiteral("Cancel"), 4740, 3960);

    connect(btnCreate, &ctrlButton::Click, this, &frmAddDocument::btnCreate_Click);
    connect(btnOK, &ctrlButton::Click, this, &frmAddDocument::btnOK_Click);
    connect(btnCancel, &ctrlButton::Click, this, &frmAddDocument::btnCancel_Click);

    Form_Load();
}

void frmAddDocument::Form_Load() {
    txtRevisionNo->clear();
    txtDate->clear();
    LoadDocumentTypes();
    LoadOwners();
    state().g_dialogCancelled = true;
}

void frmAddDocument::LoadDocumentTypes() {
    m_rsDocTypes = state().g_zorbel->GetDocumentTypes();
    if (!m_rsDocTypes) {
        ui::MsgBox(QStringLiteral("Get Document Types Failed in frmDocument"));
        return;
    }
    shell::fillCombo(*ComboType, m_rsDocTypes, 1); // the type's Name
}

void frmAddDocument::LoadOwners() {
    const auto& s = state();
    m_rsTeam = s.g_zorbel->GetProjectTeam(s.g_currentProjectID);
    if (!m_rsTeam) {
        ui::MsgBox(QStringLiteral("Get Owners Failed in frmDocument"));
        return;
    }
    if (m_rsTeam->RecordCount() == 0)
        ui::MsgBox(QStringLiteral("You have not created a Project Team"), ui::vbInformation);
    shell::fillTeamCombo(*ComboOwner, m_rsTeam);
}

void frmAddDocument::btnCreate_Click() {
    // The chooser opens where the user keeps documents, then where he last
    // linked one from, in this dialog or an earlier one. A cancelled chooser
    // keeps the file linked before.
    QString& folder = state().g_documentFolder;
    const QString chosen =
        ui::chooseFileToOpen(QStringLiteral("Create Link"), folder.isEmpty() ? ui::documentsFolder() : folder);
    if (chosen.isEmpty())
        return;
    folder = QFileInfo(chosen).absolutePath();
    m_sourceDoc = chosen;
    OLE1->setText(chosen);
}

void frmAddDocument::btnOK_Click() {
    auto& s = state();
    // The owner is the picked team row itself, never one left from an earlier pick.
    m_ownerID = shell::idAtRow(m_rsTeam, pickedRow(*ComboOwner));
    s.g_ownerUserID = shell::userOfTeamMember(m_rsTeam, m_ownerID);
    if (shell::OwnerRuleRefuses(QStringLiteral("You do not have the rights to add this document for this owner"),
                                shell::kAdd, s.g_ownerUserID, 0)) {
        close();
        return;
    }
    if (m_sourceDoc.isEmpty()) {
        ui::MsgBox(QStringLiteral("Source is INVALID - press F1"));
        return;
    }
    const std::optional<LinkParts> parts = splitLink(m_sourceDoc);
    if (!parts) {
        oleError(QStringLiteral("\"%1\" names no folder and file").arg(m_sourceDoc));
        return;
    }
    m_linkPath = m_sourceDoc;
    m_location = parts->location;
    m_docName = parts->name;

    const shell::DateInput date = txtDate->input();
    if (date.kind == shell::DateInput::Invalid) {
        oleError(QStringLiteral("\"%1\" is not a date").arg(txtDate->text()));
        return;
    }
    const QDateTime docDate = date.kind == shell::DateInput::Empty ? ui::now() : date.value;

    // The type stored is the picked type's own id, whatever gaps the ids have.
    const int typeRow = pickedRow(*ComboType);
    const qint16 docType = typeRow >= 0 ? shell::int16Of(m_rsDocTypes->row(typeRow)[0]) : 0;

    // A refused entry (the member has said why) keeps the dialog and its entries.
    if (s.g_zorbel->AddDocument(docType, m_ownerID, m_docName, m_location, txtRevisionNo->text(), docDate,
                                s.g_currentProjectID, m_linkPath)
        == 0)
        return;
    close();
}

} // namespace zorbel::admin

using zorbel::admin::frmAddDocument;
ZORBEL_REGISTER_WINDOW(frmAddDocument)
