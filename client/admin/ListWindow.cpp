#include "client/admin/ListWindow.h"

#include "client/shell/AppState.h"
#include "client/shell/Combos.h"
#include "client/shell/FieldLock.h"
#include "client/shell/Owners.h"
#include "client/shell/SaveFailure.h"
#include "client/shell/Zorbel5Data.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace zorbel::admin {

using shell::state;

ListWindow::ListWindow(QWidget* parent) : QWidget(parent) {}

void ListWindow::storeMode(int mode) {
    m_mode = mode;
    state().g_editMode = mode;
}

ui::FlexGrid* ListWindow::makeGrid(const char* name, int left, int top, int width, int height) {
    auto* grid = new ui::FlexGrid(this);
    grid->setObjectName(QString::fromLatin1(name));
    controls::placeTwips(grid, left, top, width, height);
    return grid;
}

void ListWindow::lockFields(std::initializer_list<QWidget*> fields, bool locked) {
    for (QWidget* f : fields)
        shell::lockField(f, locked);
}

void ListWindow::showAll(std::initializer_list<QWidget*> widgets, bool visible) {
    for (QWidget* w : widgets)
        w->setVisible(visible);
}

int ListWindow::fillGrid(ui::FlexGrid& grid, const shell::GridColumns& columns, const data::RecordsetPtr& list,
                         bool progress) {
    const int count = list ? list->RecordCount() : 0;
    if (progress)
        shell::ProgressStart(count);
    grid.setRows(1);
    shell::layOutGrid(grid, columns);
    if (count > 0) {
        shell::FillOptions options;
        if (progress)
            options.afterRow = shell::ProgressStep;
        shell::appendRows(grid, columns, *list, options);
    }
    if (progress)
        shell::ProgressEnd();
    return count;
}

int ListWindow::recordRow(const ui::FlexGrid& grid) {
    const int row = grid.Row();
    return row >= 1 && row < grid.Rows() ? row : 0;
}

qint32 ListWindow::idIn(const ui::FlexGrid& grid, int row, int col) {
    return grid.TextMatrix(row, col).trimmed().toInt();
}

shell::GridColumns ListWindow::accountColumns() {
    const int left = ui::FlexGrid::AlignLeftTop;
    return {
        {.field = 0},
        {.field = 1, .header = QStringLiteral("User ID"), .alignment = left},
        {.field = 2, .header = QStringLiteral("User Name"), .widthInA = 20, .alignment = left},
        {.header = QStringLiteral("Password"), .alignment = left, .compute = [](const shell::ListRow&) { return QString(); }},
        {.field = 4, .header = QStringLiteral("User"), .widthInA = 20},
        {.field = 5},
        {.field = 6},
    };
}

void ListWindow::reloadSelecting(const shell::SavedRecord& saved) {
    const data::RecordsetPtr shown = loadRecords();
    shell::selectSaved(recordGrid(), shown, saved);
}

data::RecordsetPtr ListWindow::loadContactPicker(QComboBox& picker) {
    auto& s = state();
    data::RecordsetPtr contacts = s.g_zorbel->GetContacts();
    s.g_rsContacts = contacts;
    shell::fillCombo(picker, shell::contactNames(contacts));
    return contacts;
}

void ListWindow::selectQuietly(QComboBox& combo, int index) {
    const QSignalBlocker block(&combo);
    combo.setCurrentIndex(index >= 0 && index < combo.count() ? index : -1);
}

void ListWindow::failed(const QString& text, const QString& title) {
    ui::MsgBox(text, ui::vbExclamation, title);
}

void ListWindow::refuse(const QString& text) {
    shell::ShowRefusal(text);
}

bool ListWindow::refused(const QString& refusal) {
    if (refusal.isEmpty())
        return false;
    refuse(refusal);
    return true;
}

bool ListWindow::confirmed(const QString& question, const QString& title) {
    return ui::MsgBox(question, ui::vbYesNo, title) == ui::vbYes;
}

} // namespace zorbel::admin
