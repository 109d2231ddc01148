#include "client/planning/WizardPage.h"

#include "client/planning/EditorRules.h"
#include "client/shell/AppState.h"
#include "client/shell/Placing.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>

namespace zorbel::planning {

using controls::ctrlButton;
using controls::placeTwips;
using shell::state;

WizardProject newProjectOfState() {
    const auto& s = state();
    return {s.g_newProjectID, s.g_newProjectName, s.g_projectStart, s.g_projectEnd};
}

QPlainTextEdit* placeIntroText(QWidget* page, const QStringList& lines, bool locked, int left, int top, int width,
                               int height) {
    auto* box = shell::placeField<QPlainTextEdit>(page, "Text1", left, top, width, height);
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1Char('\n');
    box->setPlainText(text);
    box->setReadOnly(locked);
    return box;
}

ctrlButton* placeButton(QWidget* page, const char* name, const QString& caption, int left, int top,
                        const QString& tip) {
    ctrlButton* b = shell::placeButton(page, name, caption, left, top);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    return b;
}

void makeBold(QLabel* label) {
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
}

QLabel* placeBoldLabel(QWidget* page, const QString& text, int left, int top, int width, const char* name) {
    QLabel* l = shell::placeLabel(page, text, left, top, width, name);
    makeBold(l);
    return l;
}

// ---------------------------------------------------------------- the page

WizardRecordPage::WizardRecordPage(PageSpec spec)
    : m_header(*this, shell::HeaderBlock::Project, 120, 150), m_spec(std::move(spec)) {
    if (auto* caption = findChild<QLabel*>(QStringLiteral("lblProject")))
        makeBold(caption);
}

void WizardRecordPage::makeGrid(int lineTop, int left, int top, int width, int height) {
    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    placeTwips(line, left, lineTop, width, 30);

    FG1 = new ui::FlexGrid(this);
    FG1->setObjectName(QStringLiteral("FG1"));
    placeTwips(FG1, left, top, width, height);
    // A row reached with the keys is picked as a clicked one is, so that
    // Delete names the row the user sees selected.
    connect(FG1, &ui::FlexGrid::Click, this, &WizardRecordPage::FG1_Click);
    connect(FG1, &ui::FlexGrid::RowColChange, this, &WizardRecordPage::FG1_Click);
}

void WizardRecordPage::makeButtons(int left, int top, int nextLeft) {
    const int step = ctrlButton::DesignWidthTwips + 60;
    btnAdd = placeButton(this, "btnAdd", QStringLiteral("Add"), left, top);
    btnDelete = placeButton(this, "btnDelete", QStringLiteral("Delete"), left + step, top);
    btnOK = placeButton(this, "btnOK", QStringLiteral("OK"), left + 2 * step, top);
    btnCancel = placeButton(this, "btnCancel", QStringLiteral("Cancel"), left + 3 * step, top);
    btnNext = placeButton(this, "btnNext", QStringLiteral("Next >>"), nextLeft, top);
    connect(btnAdd, &ctrlButton::Click, this, &WizardRecordPage::btnAdd_Click);
    connect(btnDelete, &ctrlButton::Click, this, &WizardRecordPage::btnDelete_Click);
    connect(btnOK, &ctrlButton::Click, this, &WizardRecordPage::btnOK_Click);
    connect(btnCancel, &ctrlButton::Click, this, &WizardRecordPage::btnCancel_Click);
    connect(btnNext, &ctrlButton::Click, this, &WizardRecordPage::btnNext_Click);
    for (ctrlButton* b : {btnDelete, btnOK, btnCancel})
        b->hide();
}

void WizardRecordPage::setSelectedName(QLabel* caption, QLabel* name) {
    m_selectedCaption = caption;
    m_selectedName = name;
    caption->hide();
    name->hide();
}

void WizardRecordPage::setDetailFields(std::vector<QWidget*> fields) {
    m_detailFields = std::move(fields);
    for (QWidget* f : m_detailFields)
        f->hide();
}

void WizardRecordPage::showProject(const WizardProject& project) {
    m_project = project;
    m_header.show(shell::HeaderBlock::Project, project.name, project.start, project.end);
}

// ---------------------------------------------------------------- mode

void WizardRecordPage::storeMode(int mode) {
    // Written through so that windows reading the shared mode see this page's.
    m_mode = mode;
    state().g_editMode = mode;
}

void WizardRecordPage::showModeButtons(bool browse) {
    btnAdd->setVisible(browse);
    btnDelete->setVisible(browse);
    btnOK->setVisible(!browse);
    btnCancel->setVisible(!browse);
}

void WizardRecordPage::btnAdd_Click() {
    showModeButtons(false);
    for (QWidget* f : m_detailFields)
        f->show();
    storeMode(shell::kAdd);
    clearForAdd();
}

void WizardRecordPage::btnDelete_Click() {
    showModeButtons(false);
    storeMode(shell::kDelete);
}

void WizardRecordPage::btnCancel_Click() {
    showModeButtons(true);
    backToList(m_selectedID, FG1->Row());
}

void WizardRecordPage::btnOK_Click() {
    qint32 select = m_selectedID;
    if (m_mode == shell::kAdd) {
        const std::optional<qint32> added = addRecord();
        if (!added)
            return;
        if (*added != 0)
            select = *added;
    } else if (m_mode == shell::kDelete && m_selectedID != 0) {
        // Only a record this page listed for its own project: never one that
        // another window left current.
        if (ui::MsgBox(QStringLiteral("Do you want to delete ") + m_selectedName->text(), ui::vbYesNo,
                       QStringLiteral("Confirm delete"))
            == ui::vbYes)
            deleteRecord(m_selectedID);
    }
    backToList(select, FG1->Row());
    showModeButtons(true);
}

void WizardRecordPage::backToList(qint32 select, int rowBefore) {
    clearForAdd();
    LoadList(select, rowBefore);
}

// ---------------------------------------------------------------- listing

void WizardRecordPage::LoadList(qint32 select, int rowBefore) {
    // Without a project there is nothing of its own to list: project 0 would
    // list records that belong to no project.
    const data::RecordsetPtr rs = m_project.id != 0 ? listRecords(m_project.id) : nullptr;
    const int count = rs ? rs->RecordCount() : 0;
    FG1->Clear();
    FG1->setRows(1);
    FG1->show();
    m_list.reset();
    m_selectedID = 0;
    m_selectedName->clear();
    if (count < 1) {
        clearWhenEmpty();
        return;
    }

    btnDelete->show();
    m_selectedCaption->show();
    m_selectedName->show();
    shell::layOutGrid(*FG1, m_spec.columns);
    m_list = rs;
    shell::appendRows(*FG1, m_spec.columns, *rs);

    storeMode(shell::kBrowse);
    FG1->setRow(rowAfterSave(*rs, select, rowBefore));
    FG1_Click();
}

void WizardRecordPage::FG1_Click() {
    const int r = FG1->Row();
    if (!m_list || r < 1 || r > m_list->RecordCount())
        return;
    const shell::ListRow& row = m_list->row(r - 1);
    m_selectedID = row[0].toInt();
    m_selectedName->setText(row[static_cast<size_t>(m_spec.nameField)].toString());
}

} // namespace zorbel::planning
