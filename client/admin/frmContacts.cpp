#include "client/admin/frmContacts.h"

#include "business/Widths.h"
#include "client/shell/AppState.h"
#include "client/shell/Placing.h"
#include "client/shell/SavedRecord.h"
#include "client/shell/TextLimit.h"
#include "client/shell/WindowRegistration.h"
#include "platform/ui/FlexGrid.h"

#include <QLabel>
#include <QLineEdit>

namespace zorbel::admin {

using controls::heightTwips;
using controls::setLeftTwips;
using controls::setTopTwips;
using controls::widthTwips;
using shell::placeField;
using shell::placeLabel;
using shell::state;

namespace {

// Fields of the contacts list.
enum Field { fUserID, fSurName, fFirstName, fTitle, fEmail, fCompany, fTelephone, fMobile };

// The first name shows before the surname.
shell::GridColumns contactColumns() {
    return {
        {.field = fUserID},
        {.field = fFirstName, .header = QStringLiteral("First Name"), .widthInA = 15},
        {.field = fSurName, .header = QStringLiteral("Last Name"), .widthInA = 20, .alignment = ui::FlexGrid::AlignLeftTop},
        {.field = fTitle},
        {.field = fEmail},
        {.field = fCompany},
        {.field = fTelephone},
        {.field = fMobile},
    };
}

// Below this size nothing moves.
constexpr int kMinWidth = 8700;
constexpr int kMinHeight = 4400;

} // namespace

frmContacts::frmContacts() {
    setObjectName(QStringLiteral("frmContacts"));
    setWindowTitle(QStringLiteral("Contacts"));
    controls::resizeTwips(this, 9000, 5100);

    placeLabel(this, QStringLiteral("Selected Contact"), 120, 150, 1500, "lblSelectedOwner");
    txtSelectedOwner = placeField<QLineEdit>(this, "txtSelectedOwner", 1680, 120, 3000);
    FG1 = makeGrid("FG1", 120, 600, 4155, 2535);

    constexpr auto width = [](std::string_view column) consteval {
        return widths::of("ZORBEL_USER_TABLE", column);
    };
    const struct {
        QLineEdit** box;
        const char* name;
        const char* label;
        int width;
    } details[] = {
        {&txtFirstName, "txtFirstName", "First Name", width("FirstName")},
        {&txtLastName, "txtLastName", "Last Name", width("SurName")},
        {&txtTitle, "txtTitle", "Title", width("Title")},
        {&txtEmail, "txtEmail", "email", width("email")},
        {&txtCompany, "txtCompany", "Company", width("Company")},
        {&txtTelephone, "txtTelephone", "Telephone", width("Telephone")},
        {&txtMobile, "txtMobile", "Mobile", width("Mobile")},
    };
    for (int i = 0; i < 7; ++i) {
        const int top = 600 + i * 420;
        m_labels[i] = placeLabel(this, QString::fromLatin1(details[i].label), 5190, top + 30, 1100);
        *details[i].box = placeField<QLineEdit>(this, details[i].name, 6390, top, 2400);
        shell::limitText(**details[i].box, details[i].width);
        m_boxes[i] = *details[i].box;
    }

    btnAdd = makeButton("btnAdd", "Add", 120, 3480, &frmContacts::btnAdd_Click);
    btnEdit = makeButton("btnEdit", "Edit", 1575, 3480, &frmContacts::btnEdit_Click);
    btnDelete = makeButton("btnDelete", "Delete", 120, 3960, &frmContacts::btnDelete_Click);
    btnRefresh = makeButton("btnRefresh", "Refresh", 1575, 3960, &frmContacts::btnRefresh_Click);
    btnOK = makeButton("btnOK", "OK", 5190, 90, &frmContacts::btnOK_Click);
    btnCancel = makeButton("btnCancel", "Cancel", 6645, 90, &frmContacts::btnCancel_Click);

    // The grid's current row is the contact shown, however it moved.
    connect(FG1, &ui::FlexGrid::RowColChange, this, &frmContacts::ShowSelectedContact);

    Form_Load();
}

void frmContacts::Form_Load() {
    storeMode(shell::kBrowse);
    LoadContactGrid();
}

void frmContacts::LoadContactGrid() {
    auto& s = state();
    s.g_rsContacts = s.g_zorbel->GetContacts();
    s.g_contactCount = fillGrid(*FG1, contactColumns(), s.g_rsContacts);
    LockContactFields(true);
    if (s.g_contactCount == 0)
        clearDetails(); // nothing listed: nothing may stay selected or be saved over
    ShowSelectedContact();
}

void frmContacts::ShowContactButtons(bool hide) {
    // Refresh stays: another user may add the first contact meanwhile.
    showAll({btnEdit, btnDelete}, !hide);
}

void frmContacts::LockContactFields(bool locked) {
    for (QLineEdit* box : m_boxes)
        lockFields({box}, locked);
    showAll({btnAdd, btnRefresh}, locked);
    ShowContactButtons(!locked || FG1->Rows() <= 1);
    showAll({btnOK, btnCancel}, !locked);
}

void frmContacts::ShowSelectedContact() {
    const int row = recordRow(*FG1);
    if (row == 0)
        return;
    txtSelectedOwner->setText(FG1->TextMatrix(row, 1) + QLatin1Char(' ') + FG1->TextMatrix(row, 2));
    m_contactID = idIn(*FG1, row, 0);
    for (int i = 0; i < 7; ++i)
        m_boxes[i]->setText(FG1->TextMatrix(row, i + 1));
}

void frmContacts::clearDetails() {
    m_contactID = 0;
    txtSelectedOwner->clear();
    for (QLineEdit* box : m_boxes)
        box->clear();
}

void frmContacts::btnAdd_Click() {
    storeMode(shell::kAdd);
    for (QLineEdit* box : m_boxes)
        box->clear();
    LockContactFields(false);
}

void frmContacts::btnEdit_Click() {
    storeMode(shell::kEdit);
    LockContactFields(false);
}

void frmContacts::btnDelete_Click() {
    LockContactFields(false);
    storeMode(shell::kDelete);
}

void frmContacts::btnCancel_Click() {
    storeMode(shell::kBrowse);
    reloadSelecting({m_contactID, FG1->Row()});
}

void frmContacts::btnRefresh_Click() {
    reloadSelecting({m_contactID, FG1->Row()});
}

data::RecordsetPtr frmContacts::loadRecords() {
    LoadContactGrid();
    return state().g_rsContacts;
}

void frmContacts::btnOK_Click() {
    auto& z = *state().g_zorbel;
    const auto text = [](const QLineEdit* box) { return box->text(); };
    shell::SavedRecord saved{m_contactID, FG1->Row()};
    switch (mode()) {
    case shell::kEdit:
        if (z.UpdateContact(m_contactID, text(txtFirstName), text(txtLastName), text(txtTitle), text(txtEmail),
                            text(txtCompany), text(txtTelephone), text(txtMobile)) == 0)
            failed(QStringLiteral("Update Contact Failed"));
        break;
    case shell::kAdd:
        saved.listBefore = z.GetContacts();
        if (z.AddContact(text(txtFirstName), text(txtLastName), text(txtTitle), text(txtEmail), text(txtCompany),
                         text(txtTelephone), text(txtMobile)) == 0)
            failed(QStringLiteral("Add Contact Failed"));
        break;
    case shell::kDelete:
        if (confirmed(QStringLiteral("Are you sure you want to delete ") + txtSelectedOwner->text())
            && z.DeleteContact(m_contactID) == 0)
            failed(QStringLiteral("Delete Contact Failed"));
        break;
    default:
        break;
    }
    storeMode(shell::kBrowse);
    reloadSelecting(saved);
}

void frmContacts::resizeEvent(QResizeEvent* event) {
    ListWindow::resizeEvent(event);
    Form_Resize();
}

void frmContacts::Form_Resize() {
    const int w = widthTwips(this);
    const int h = heightTwips(this);
    if (w < kMinWidth || h < kMinHeight)
        return;
    controls::setWidthTwips(FG1, w - 4845);
    controls::setHeightTwips(FG1, h - 2565);
    for (controls::ctrlButton* b : {btnEdit, btnAdd})
        setTopTwips(b, h - 1620);
    for (controls::ctrlButton* b : {btnDelete, btnRefresh})
        setTopTwips(b, h - 1140);
    for (int i = 0; i < 7; ++i) {
        setLeftTwips(m_labels[i], w - 3810);
        setLeftTwips(m_boxes[i], w - 2610);
    }
}

} // namespace zorbel::admin

using zorbel::admin::frmContacts;
ZORBEL_REGISTER_WINDOW(frmContacts)
