#include "client/admin/frmDocument.h"

#include "client/admin/DocumentLinks.h"
#include "client/shell/AppState.h"
#include "client/shell/Placing.h"
#include "client/shell/Rights.h"
#include "client/shell/WindowRegistration.h"
#include "client/shell/Zorbel5Data.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/DesktopOpener.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Windows.h"

#include <QPlainTextEdit>
#include <QPointer>

namespace zorbel::admin {

using controls::ctrlButton;
using shell::GridColumn;
using shell::state;

namespace {

// Fields of the documents list.
enum Field { fID, fDocType, fOwner, fName, fLocation, fRevisionNo, fDocDate, fProjectID, fOLELink };

const QString kNoDocuments = QStringLiteral("No Documents Found - click Add to Add new one");

// Designed places, in twips; the resize rule moves the grid's size and the buttons' top.
constexpr int kGridTop = 960;
constexpr int kMinWidth = 650;
constexpr int kMinHeight = 2120;

} // namespace

frmDocument::frmDocument() {
    setObjectName(QStringLiteral("frmDocument"));
    setWindowTitle(QStringLiteral("Project Documents"));
    controls::resizeTwips(this, 6900 - shell::kFrameWidthTwips, 5500 - shell::kFrameHeightTwips);

    shell::placeLabel(this, QStringLiteral("Selected Document"), 120, 150, 1500, "Label1");
    txtSelectedDocument = shell::placeField<QPlainTextEdit>(this, "txtSelectedDocument", 1680, 120, 4695, 735);
    txtSelectedDocument->setReadOnly(true);

    FG1 = new ui::FlexGrid(this);
    FG1->setObjectName(QStringLiteral("FG1"));
    controls::placeTwips(FG1, 120, kGridTop, 6255, 3385);
    connect(FG1, &ui::FlexGrid::RowColChange, this, &frmDocument::ShowSelectedDocument);

    const int buttonsTop = 4450;
    btnAdd = shell::placeButton(this, "btnAdd", QStringLiteral("Add"), 120, buttonsTop);
    btnDelete = shell::placeButton(this, "btnDelete", QStringLiteral("Delete"), 1620, buttonsTop);
    btnRefresh = shell::placeButton(this, "btnRefresh", QStringLiteral("Refresh"), 3120, buttonsTop);
    btnOpen = shell::placeButton(this, "btnOpen", QStringLiteral("Open"), 4620, buttonsTop);
    connect(btnAdd, &ctrlButton::Click, this, &frmDocument::btnAdd_Click);
    connect(btnDelete, &ctrlButton::Click, this, &frmDocument::btnDelete_Click);
    connect(btnRefresh, &ctrlButton::Click, this, &frmDocument::btnRefresh_Click);
    connect(btnOpen, &ctrlButton::Click, this, &frmDocument::btnOpen_Click);
    btnOpen->setToolTip(QStringLiteral("Open selected Document"));

    const int leftTop = ui::FlexGrid::AlignLeftTop;
    // Names come from the lists read at opening: a type or member unknown to them shows "-1".
    const auto lookUp = [](const data::RecordsetPtr& list, int field, const char* name) {
        return [&list, field, name](const shell::ListRow& row) {
            return shell::GetFieldFromID(row[static_cast<size_t>(field)].toInt(), list, QString::fromLatin1(name));
        };
    };
    m_columns = {
        {.field = fID, .header = QStringLiteral("ID"), .alignment = leftTop},
        {.field = fDocType, .alignment = leftTop},
        {.field = fOwner},
        {.field = fName, .header = QStringLiteral("Document"), .widthInA = 30, .alignment = leftTop},
        {.field = fLocation, .alignment = leftTop},
        {.field = fRevisionNo, .header = QStringLiteral("Revision No"), .alignment = leftTop},
        {.field = fDocDate, .header = QStringLiteral("Date"), .widthInA = 10, .alignment = leftTop,
         .kind = GridColumn::Date},
        {.field = fProjectID, .alignment = leftTop},
        {.field = fOLELink},
        {.header = QStringLiteral("Type"), .widthInA = 15, .compute = lookUp(m_rsDocTypes, fDocType, "Name")},
        {.header = QStringLiteral("Owner"), .widthInA = 15, .compute = lookUp(m_rsTeam, fOwner, "FullName")},
    };

    Form_Load();
}

void frmDocument::Form_Load() {
    auto& s = state();
    txtSelectedDocument->setPlainText(kNoDocuments);
    setWindowTitle(QStringLiteral("Documents for ") + s.g_currentProjectName);
    m_rsTeam = s.g_zorbel->GetProjectTeam(s.g_currentProjectID);
    m_rsDocTypes = s.g_zorbel->GetDocumentTypes();
    LoadDocumentGrid();
    // There is no Edit; Open and Refresh are never withheld.
    shell::ApplyRights(btnAdd, nullptr, btnDelete, s.g_projectAdminLevel);
    ShowSelectedDocument();
}

void frmDocument::LoadDocumentGrid() {
    const auto& s = state();
    FG1->Clear();
    FG1->setRows(1);
    m_rsDocuments = s.g_zorbel->GetDocuments(s.g_currentProjectID);
    if (!m_rsDocuments) {
        ui::MsgBox(QStringLiteral("Get Documents Failed in frmDocument"));
        clearSelection();
        return;
    }
    m_documentCount = m_rsDocuments->RecordCount();
    if (m_documentCount == 0) {
        clearSelection();
        return;
    }
    shell::ProgressStart(m_documentCount);
    shell::layOutGrid(*FG1, m_columns);
    shell::FillOptions fill;
    fill.afterRow = shell::ProgressStep;
    shell::appendRows(*FG1, m_columns, *m_rsDocuments, fill);
    shell::ProgressEnd();
    ShowSelectedDocument();
}

void frmDocument::ShowSelectedDocument() {
    const int row = FG1->Row();
    if (m_documentCount == 0 || row < 1 || row >= FG1->Rows())
        return;
    m_documentID = FG1->TextMatrix(row, fID).toInt();
    m_documentName = FG1->TextMatrix(row, fName);
    m_oleLink = FG1->TextMatrix(row, fOLELink);
    txtSelectedDocument->setPlainText(m_documentName);
}

void frmDocument::clearSelection() {
    m_documentCount = 0;
    m_documentID = 0;
    m_documentName.clear();
    m_oleLink.clear();
    txtSelectedDocument->setPlainText(kNoDocuments);
}

void frmDocument::btnAdd_Click() {
    // The dialog may have stored a document or not: the list is read again either way.
    const QPointer<frmDocument> alive(this);
    const auto& s = state();
    const shell::SavedRecord saved{m_documentID, FG1->Row(), s.g_zorbel->GetDocuments(s.g_currentProjectID)};
    ui::showModal(QStringLiteral("frmAddDocument"));
    if (!alive)
        return;
    reloadSelecting(saved);
}

void frmDocument::btnDelete_Click() {
    if (!hasSelection())
        return;
    if (ui::MsgBox(QStringLiteral("Are You sure you want to delete ") + m_documentName, ui::vbYesNo) == ui::vbNo)
        return;
    state().g_zorbel->DeleteDocument(m_documentID);
    reloadSelecting({m_documentID, FG1->Row()});
}

void frmDocument::btnRefresh_Click() {
    reloadSelecting({m_documentID, FG1->Row()});
}

data::RecordsetPtr frmDocument::loadRecords() {
    LoadDocumentGrid();
    return m_documentCount > 0 ? m_rsDocuments : nullptr;
}

void frmDocument::btnOpen_Click() {
    QString refusal = hasSelection() ? openRefusal(m_oleLink) : QStringLiteral("no document is selected");
    if (refusal.isEmpty() && !ui::openWithDesktop(m_oleLink))
        refusal = QStringLiteral("the desktop could not open ") + m_oleLink;
    if (!refusal.isEmpty())
        ui::MsgBox(QStringLiteral("Document Open Failed - check Link : ") + refusal);
}

void frmDocument::resizeEvent(QResizeEvent* event) {
    ListWindow::resizeEvent(event);
    Form_Resize();
}

void frmDocument::Form_Resize() {
    if (!btnOpen)
        return; // sized while being built
    const int width = shell::outerWidthTwips(this);
    const int height = shell::outerHeightTwips(this);
    if (width < kMinWidth || height < kMinHeight)
        return;
    controls::setWidthTwips(FG1, width - 645);
    controls::setHeightTwips(FG1, height - 2115);
    for (ctrlButton* b : {btnAdd, btnDelete, btnRefresh, btnOpen})
        controls::setTopTwips(b, height - 1050);
}

} // namespace zorbel::admin

using zorbel::admin::frmDocument;
ZORBEL_REGISTER_WINDOW(frmDocument)
