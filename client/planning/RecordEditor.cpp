#include "client/planning/RecordEditor.h"

#include "client/shell/FieldLock.h"
#include "client/shell/Owners.h"
#include "client/shell/Rights.h"
#include "client/shell/SaveFailure.h"
#include "client/shell/Zorbel5Data.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>

#include <algorithm>

namespace zorbel::planning {

using controls::ctrlButton;
using controls::placeTwips;
using shell::state;

void tellWBSOutOfRange() {
    ui::MsgBox(QStringLiteral("The WBS must be a whole number from -32768 to 32767"), ui::vbExclamation,
               QStringLiteral("Invalid WBS"));
}

RecordEditor::RecordEditor(EditorSpec spec, QWidget* parent) : QWidget(parent), m_spec(std::move(spec)) {}

// ---------------------------------------------------------------- building

ui::FlexGrid* RecordEditor::makeGrid(const QString& name, int left, int top, int width, int height) {
    m_grid = new ui::FlexGrid(this);
    m_grid->setObjectName(name);
    placeTwips(m_grid, left, top, width, height);
    connect(m_grid, &ui::FlexGrid::Click, this, &RecordEditor::ShowSelected);
    connect(m_grid, &ui::FlexGrid::RowColChange, this, &RecordEditor::ShowSelected);
    return m_grid;
}

void RecordEditor::makeButtons(int left, int top) {
    struct Def {
        ctrlButton** slot;
        const char* name;
        const char* caption;
        void (RecordEditor::*handler)();
    };
    const Def defs[] = {
        {&btnAdd, "btnAdd", "Add", &RecordEditor::btnAdd_Click},
        {&btnEdit, "btnEdit", "Edit", &RecordEditor::btnEdit_Click},
        {&btnDelete, "btnDelete", "Delete", &RecordEditor::btnDelete_Click},
        {&btnOK, "btnOK", "OK", &RecordEditor::btnOK_Click},
        {&btnCancel, "btnCancel", "Cancel", &RecordEditor::btnCancel_Click},
        {&btnRefresh, "btnRefresh", "Refresh", &RecordEditor::btnRefresh_Click},
    };
    int x = left;
    for (const Def& d : defs) {
        auto* b = new ctrlButton(QString::fromLatin1(d.caption), this);
        b->setObjectName(QString::fromLatin1(d.name));
        placeTwips(b, x, top, ctrlButton::DesignWidthTwips, ctrlButton::DesignHeightTwips);
        connect(b, &ctrlButton::Click, this, d.handler);
        *d.slot = b;
        x += ctrlButton::DesignWidthTwips + 60;
    }
    btnRefresh->setToolTip(QStringLiteral("Refresh displayed data"));
    // Browse mode with Edit and Delete withheld until the list has a record.
    for (ctrlButton* b : {btnEdit, btnDelete, btnOK, btnCancel})
        b->hide();
}

void RecordEditor::makeDurationEntry(QLineEdit* startBox, QLineEdit* endBox, int left, int top) {
    const shell::DurationEntry e = shell::placeDurationEntry(*this, *startBox, *endBox, left, top);
    lblDuration = e.label;
    txtDuration = e.box;
    chk7DayWeek = e.sevenDayWeek;
    for (QWidget* w : std::initializer_list<QWidget*>{lblDuration, txtDuration, chk7DayWeek})
        w->hide();
}

void RecordEditor::setLockedFields(std::vector<QWidget*> fields) {
    m_lockedFields = std::move(fields);
}

void RecordEditor::lockField(QWidget* field, bool locked) {
    shell::lockField(field, locked);
}

bool RecordEditor::isLocked(const QWidget* field) {
    return shell::isLocked(field);
}

// ---------------------------------------------------------------- mode

void RecordEditor::seedMode() {
    m_mode = state().g_editMode;
}

void RecordEditor::storeMode(int mode) {
    // Written through so that windows that read the shared mode see this one's.
    m_mode = mode;
    state().g_editMode = mode;
}

void RecordEditor::SetMode(int mode) {
    if (m_mode != mode) {
        const bool browse = mode == shell::kBrowse;
        // Edit and Delete come back only while the list has a record to act on.
        const bool listed = browse && rowCount() > 0;
        btnAdd->setVisible(browse);
        btnDelete->setVisible(listed);
        btnEdit->setVisible(listed);
        btnOK->setVisible(!browse);
        btnCancel->setVisible(!browse);
        LockFields(browse);
        storeMode(mode);
    }
    afterSetMode(mode);
}

void RecordEditor::LockFields(bool locked) {
    for (QWidget* f : m_lockedFields)
        lockField(f, locked);
    for (QWidget* w : std::initializer_list<QWidget*>{lblDuration, txtDuration, chk7DayWeek})
        if (w)
            w->setVisible(!locked);
}

void RecordEditor::setNextWBS(qint32 next) {
    m_nextWBS = next;
    state().g_nextWBS = next;
}

void RecordEditor::ApplyRights(qint16 level) {
    shell::ApplyRights(btnAdd, btnEdit, btnDelete, level);
}

void RecordEditor::btnAdd_Click() {
    clearForAdd();
    SetMode(shell::kAdd);
}

void RecordEditor::btnCancel_Click() {
    SetMode(shell::kBrowse);
    showStoredRecord();
}

// ---------------------------------------------------------------- grid

void RecordEditor::LoadGrid(const data::RecordsetPtr& rs) {
    m_gridReady = false;
    state().g_gridReady = false;
    const int count = rs ? rs->RecordCount() : 0;
    shell::ProgressStart(count);
    m_grid->Clear();
    m_grid->setRows(1);
    m_list.reset();

    if (count <= 0) {
        // Nothing listed: nothing may stay selected or be edited.
        shell::ProgressEnd();
        btnEdit->hide();
        btnDelete->hide();
        clearCurrent();
        return;
    }

    btnEdit->show();
    btnDelete->show();
    m_grid->show();

    shell::layOutGrid(*m_grid, m_spec.columns);
    m_list = rs;
    shell::FillOptions fill;
    fill.pictures = picturesWanted();
    fill.afterRow = shell::ProgressStep;
    shell::appendRows(*m_grid, m_spec.columns, *rs, fill);
    shell::ProgressEnd();

    if (m_spec.wbsField >= 0) {
        setNextWBS(nextWBSOf(*rs, m_spec.wbsField));
    }

    SetMode(shell::kBrowse);
    // Moving the row here selects nothing: the grid is not ready yet.
    m_grid->setRow(m_reselect ? rowAfterSave(*rs, m_reselect->id, m_reselect->rowBefore)
                              : rowToRestore(savedRow(), count));
    m_gridReady = true;
    state().g_gridReady = true;
    ShowSelected();
}

const RecordEditor::Row* RecordEditor::rowValues(int row) const {
    if (row < 1 || row > rowCount())
        return nullptr;
    return &m_list->row(row - 1);
}

void RecordEditor::ShowSelected() {
    if (!m_gridReady)
        return;
    const int r = m_grid->Row();
    const Row* values = rowValues(r);
    if (!values)
        return;
    savedRow() = r;
    showRow(r, *values);
}

void RecordEditor::clearCurrent() {
    currentID() = 0;
    emptyFields();
}

void RecordEditor::showStoredRecord() {
    const QScopedValueRollback again(m_reshowing, true);
    if (m_gridReady && rowValues(m_grid->Row()))
        ShowSelected();
    else
        emptyFields();
}

// ---------------------------------------------------------------- OK

void RecordEditor::failed(const QString& operation) {
    shell::ShowSaveFailed(operation + QLatin1Char(' ') + m_spec.kind + QStringLiteral(" Failed"));
}

void RecordEditor::Submit() {
    // 1. The owner rule decides first: a refused user is asked nothing more.
    const Owners owners = resolveOwner();
    if (shell::OwnerRuleRefuses(m_spec.ownerRefusal, m_mode, owners.entered, owners.stored)) {
        btnCancel_Click();
        return;
    }
    // 2. A record to save under.
    if (!hasParent()) {
        // Nothing to save under: say so as a failed save would.
        if (m_mode == shell::kEdit)
            failed(QStringLiteral("Update"));
        else if (m_mode == shell::kAdd)
            failed(QStringLiteral("Add"));
        else if (m_mode == shell::kDelete)
            failed(QStringLiteral("Delete"));
        btnCancel_Click();
        return;
    }
    // 3-4. A delete types nothing and asks nothing but its confirmation: the
    // record's dates leave the project with it, so there is nothing to widen
    // the project's dates for.
    if (m_mode != shell::kDelete) {
        // 3. Everything typed is checked before any question or write, so bad
        // input changes nothing and leaves the user in the mode to correct it.
        if (!readInputs())
            return;
        // 4. The questions about the project's dates; a user who may not move
        // them saves nothing and stays to correct the record's dates.
        if (!checkProjectDates())
            return;
    }
    // 5. The write.
    const std::optional<Reselect> saved = save();
    // 6. Browsing again, on what the database now holds.
    SetMode(shell::kBrowse);
    if (saved)
        reloadShowing(*saved);
    else
        showStoredRecord();
}

std::optional<RecordEditor::Reselect> RecordEditor::save() {
    const int rowBefore = m_grid->Row();
    switch (m_mode) {
    case shell::kEdit: {
        const qint32 id = currentID();
        if (updateRecord() == 0)
            failed(QStringLiteral("Update"));
        return Reselect{id, rowBefore};
    }
    case shell::kAdd: {
        const qint32 id = addRecord();
        if (id == 0) {
            failed(QStringLiteral("Add"));
        } else if (m_spec.wbsField >= 0) {
            // The next record typed without a WBS lands after this one, also
            // when the list read again does not hold it.
            setNextWBS(std::max(m_nextWBS, state().g_saveWBS + 1));
        }
        return Reselect{id, rowBefore};
    }
    case shell::kDelete: {
        if (ui::MsgBox(QStringLiteral("Are you sure you want to delete ") + recordName(), ui::vbYesNo) != ui::vbYes)
            return std::nullopt;
        // A record that is gone leaves its row to the one after it; one that
        // could not be deleted stays selected.
        const qint32 id = currentID();
        if (deleteRecord() == 0)
            failed(QStringLiteral("Delete"));
        return Reselect{id, rowBefore};
    }
    }
    return std::nullopt;
}

void RecordEditor::reloadShowing(const Reselect& saved) {
    const QScopedValueRollback again(m_reshowing, true);
    m_reselect = saved;
    btnRefresh_Click();
    m_reselect.reset();
}

// ---------------------------------------------------------------- helpers

bool RecordEditor::readWBS(const QLineEdit* box) {
    const auto wbs = wbsFromText(box->text(), m_nextWBS);
    if (!wbs) {
        tellWBSOutOfRange();
        return false;
    }
    state().g_saveWBS = *wbs;
    return true;
}

RecordEditor::TeamOwner RecordEditor::teamOwner(const QComboBox* combo, qint32 rowTeamID) const {
    TeamOwner o;
    const auto& team = state().g_rsTeam;
    if (team && team->RecordCount() > 0) {
        const int pos = shell::chosenTeamRow(*combo, team);
        o.teamID = pos >= 0 ? shell::idAtRow(team, pos) : rowTeamID;
        o.users.entered = shell::userOfTeamMember(team, o.teamID);
    } else if (m_mode != shell::kAdd) {
        // With no team to pick from, saving another field must not wipe the owner the record has.
        o.teamID = rowTeamID;
    }
    o.users.stored = shell::storedOwnerUser(team, rowTeamID);
    state().g_ownerUserID = o.users.entered;
    return o;
}

ProjectDates RecordEditor::storedProjectDates() {
    auto& s = state();
    ProjectDates d;
    const auto rs = s.g_zorbel->GetProjects(0, s.g_currentProjectID);
    if (rs && rs->RecordCount() > 0) {
        rs->MoveFirst();
        d.start = dateOf(rs->Fields(QStringLiteral("StartDate"))).value_or(QDateTime());
        d.end = dateOf(rs->Fields(QStringLiteral("EndDate"))).value_or(QDateTime());
    }
    return d;
}

void RecordEditor::updateProjectDates(const ProjectDates& dates) {
    state().g_zorbel->UpdateProjectDates(state().g_currentProjectID, dates.start, dates.end);
}

bool RecordEditor::mayMoveDates() {
    const auto& s = state();
    return mayMoveProjectDates(s.g_cfgProjectAdmin, s.g_projectAdminLevel, s.g_cfgOwnerAdmin, s.g_projectOwnerID,
                               s.g_currentUserID);
}

bool RecordEditor::refusedProjectDates(const QString& beyond) {
    if (mayMoveDates())
        return false;
    shell::ShowRefusal(beyond + QStringLiteral("\r\n\r\nYou do not have the rights to change the Project's dates"
                                               " - nothing has been saved"));
    return true;
}

bool RecordEditor::askProjectStart(const QDateTime& start,
                                   const std::function<void(const QDateTime&)>& shown) {
    // A project without a start takes no date as earlier; days are compared,
    // not moments, so the project's own first day is never before it.
    if (!dayBefore(start, state().g_projectStart))
        return true;
    if (refusedProjectDates(QStringLiteral("The date you have entered is before the current Project Start Date")))
        return false;
    const int answer = ui::MsgBox(QStringLiteral("The date you have entered is before the current Project Start Date"
                                                 "\r\n\r\nDo you want the Project Start Date changing ?"),
                                  ui::vbYesNo);
    if (answer != ui::vbYes)
        return true;
    const ProjectDates dates = widenStart(storedProjectDates(), start);
    updateProjectDates(dates);
    if (shown)
        shown(dates.start);
    return true;
}

bool RecordEditor::askProjectEnd(const QDateTime& end, const std::function<void(const QDateTime&)>& shown) {
    // A project without an end takes every date as later; its own last day is not.
    const QDateTime& projectEnd = state().g_projectEnd;
    if (projectEnd.isValid() && !dayBefore(projectEnd, end))
        return true;
    // Without an end a project has none for the record to lie beyond: only
    // a user who may give it one is asked to.
    if (!projectEnd.isValid() && !mayMoveDates())
        return true;
    if (refusedProjectDates(QStringLiteral("The date you have entered is after the current Project End Date")))
        return false;
    const int answer = ui::MsgBox(QStringLiteral("The date you have entered is after the current Project End Date"
                                                 "\r\n\r\nDo you want the Project End Date changing ?"),
                                  ui::vbYesNo, QStringLiteral("Project End Date ?"));
    if (answer != ui::vbYes)
        return true;
    const ProjectDates dates = widenEnd(storedProjectDates(), end);
    updateProjectDates(dates);
    if (shown)
        shown(dates.end);
    return true;
}

} // namespace zorbel::planning
