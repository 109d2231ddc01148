#include "client/risks/frmIssueGroups.h"

#include "client/risks/IssueRules.h"
#include "client/shell/AppState.h"
#include "client/shell/GridFiller.h"
#include "client/shell/Placing.h"
#include "client/shell/TextLimit.h"
#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"
#include "platform/xlsx/SheetName.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace zorbel::risks {

using shell::placeField;
using shell::state;

namespace {

const shell::GridColumns& groupColumns() {
    static const shell::GridColumns columns = {
        {.field = 0},
        {.field = 1, .header = QStringLiteral("Issue Group"), .widthInA = 35},
    };
    return columns;
}

} // namespace

frmIssueGroups::frmIssueGroups() {
    setObjectName(QStringLiteral("frmIssueGroups"));
    setWindowTitle(QStringLiteral("Issue Groups"));
    controls::resizeTwips(this, 4575, 4260);

    QLabel* label = shell::placeLabel(this, QStringLiteral("Group"), 240, 270, 720, "Label1");
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    txtGroup = placeField<QLineEdit>(this, "txtGroup", 1020, 240, 3315);
    // OK refuses a name no sheet can take: the box stops where that check
    // counts a sheet's name full, so no name it takes is refused for length.
    shell::limitText(*txtGroup, xl::kSheetNameWidth, shell::Counting::Utf16Units);
    txtGroup->setReadOnly(true);
    FG1 = placeField<ui::FlexGrid>(this, "FG1", 240, 720, 4095, 2415);

    const struct {
        controls::ctrlButton** slot;
        const char* name;
        const char* caption;
        int left;
        int top;
    } buttons[] = {
        {&btnAdd, "btnAdd", "Add", 240, 3360},
        {&btnDelete, "btnDelete", "Delete", 2940, 3360},
        {&btnOK, "btnOK", "OK", 240, 3720},
        {&btnCancel, "btnCancel", "Cancel", 2940, 3720},
    };
    for (const auto& b : buttons)
        *b.slot = shell::placeButton(this, b.name, QString::fromLatin1(b.caption), b.left, b.top);
    btnOK->hide();
    btnCancel->hide();
    connect(btnAdd, &controls::ctrlButton::Click, this, &frmIssueGroups::btnAdd_Click);
    connect(btnDelete, &controls::ctrlButton::Click, this, &frmIssueGroups::btnDelete_Click);
    connect(btnOK, &controls::ctrlButton::Click, this, &frmIssueGroups::btnOK_Click);
    connect(btnCancel, &controls::ctrlButton::Click, this, &frmIssueGroups::btnCancel_Click);
    // Arrow keys move the highlighted row too; the current group follows what the user sees.
    connect(FG1, &ui::FlexGrid::Click, this, &frmIssueGroups::ShowSelectedGroup);
    connect(FG1, &ui::FlexGrid::RowColChange, this, &frmIssueGroups::ShowSelectedGroup);

    Form_Load();
}

bool frmIssueGroups::adding() const {
    return !txtGroup->isReadOnly();
}

void frmIssueGroups::LoadIssueGroups() {
    m_rsGroups = state().g_zorbel->GetIssuesGroups();
    btnDelete->setVisible(m_rsGroups && m_rsGroups->RecordCount() > 0);
    FG1->Clear();
    FG1->setRows(1);
    shell::layOutGrid(*FG1, groupColumns());
    if (m_rsGroups)
        shell::appendRows(*FG1, groupColumns(), *m_rsGroups);
    ShowSelectedGroup();
}

void frmIssueGroups::ShowSelectedGroup() {
    const int r = FG1->Row();
    // While a new name is being typed, a row click must not overwrite it.
    if (adding() || FG1->Rows() < 2 || r < 1)
        return;
    auto& s = state();
    s.g_currentIssueGroupID = FG1->TextMatrix(r, 0).toInt();
    s.g_currentIssueGroupName = FG1->TextMatrix(r, 1);
    // A group keeps up to 50 characters, and one stored longer than a new
    // name may be is shown whole: the box's limit is for names typed.
    const QSignalBlocker whole(txtGroup);
    txtGroup->setText(s.g_currentIssueGroupName);
}

void frmIssueGroups::btnAdd_Click() {
    btnAdd->hide();
    btnDelete->hide();
    txtGroup->setReadOnly(false);
    // A new group starts from an empty name, not the picked group's.
    txtGroup->clear();
    txtGroup->setFocus();
    btnOK->show();
    btnCancel->show();
}

void frmIssueGroups::btnDelete_Click() {
    const int r = FG1->Row();
    if (adding() || FG1->Rows() < 2 || r < 1)
        return;
    auto& s = state();
    const qint32 id = FG1->TextMatrix(r, 0).toInt();
    const QString name = FG1->TextMatrix(r, 1);
    // Counted as stored now, in every project: issues are never left in a group that is gone.
    const std::optional<qint32> issues = s.g_zorbel->IssuesInGroup(id);
    if (!issues)
        return; // the business layer has said why
    if (*issues > 0) {
        ui::MsgBox(QStringLiteral("The Issue Group %1 cannot be deleted: it holds %2 %3")
                       .arg(name, QString::number(*issues),
                            *issues == 1 ? QStringLiteral("issue") : QStringLiteral("issues")));
        return;
    }
    if (ui::MsgBox(QStringLiteral("Are you sure you want to delete ") + name, ui::vbYesNo) != ui::vbYes)
        return;
    s.g_zorbel->DeleteIssueGroup(id);
    if (s.g_currentIssueGroupID == id) {
        // No window may file an issue under the group that is gone, and the
        // box shows no name of it when no group is left to show instead.
        s.g_currentIssueGroupID = 0;
        s.g_currentIssueGroupName.clear();
        txtGroup->clear();
    }
    browse({id, r});
}

void frmIssueGroups::btnOK_Click() {
    const QString name = storedGroupName(txtGroup->text());
    if (name.isEmpty())
        return;
    if (const QString refusal = groupNameRefusal(name); !refusal.isEmpty()) {
        ui::MsgBox(refusal);
        return;
    }
    // Checked against the groups as they stand now, which may include
    // groups added elsewhere since this list was loaded.
    const data::RecordsetPtr current = state().g_zorbel->GetIssuesGroups();
    if (groupNameTaken(current ? current : m_rsGroups, name)) {
        ui::MsgBox(QStringLiteral("Issue Group already exists"));
        return;
    }
    state().g_zorbel->AddIssueGroup(name);
    browse({state().g_currentIssueGroupID, FG1->Row(), current ? current : m_rsGroups});
}

void frmIssueGroups::btnCancel_Click() {
    browse({state().g_currentIssueGroupID, FG1->Row()});
}

void frmIssueGroups::browse(const shell::SavedRecord& saved) {
    btnAdd->show();
    btnDelete->show();
    txtGroup->setReadOnly(true);
    btnOK->hide();
    btnCancel->hide();
    LoadIssueGroups();
    shell::selectSaved(*FG1, m_rsGroups, saved);
}

} // namespace zorbel::risks

using zorbel::risks::frmIssueGroups;
ZORBEL_REGISTER_WINDOW(frmIssueGroups)
