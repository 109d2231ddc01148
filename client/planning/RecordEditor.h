#pragma once
// The record editor: the one shape shared by every window that edits one kind
// of record of the project breakdown. A grid of the records of one parent,
// detail fields below it, and the buttons Add, Edit, Delete, OK, Cancel and
// Refresh, all driven by an edit mode.
//
// An editor window derives from RecordEditor and gives only what is its own:
// the table of its grid columns, its detail fields, its texts and the calls it
// makes. The mode setter, field lock, rights rule, owner rule, OK sequence,
// grid loader, row click and the project-date questions live here once; the
// grid filling, combos, owners, rights and date boxes they use are the
// shell's, shared with every other subsystem's windows.
//
// What the screen shows is what the database holds: after a save (or a save
// the business layer refused) the list is read again and the saved record is
// selected as a row click selects it, so Edit and Delete always act on the
// record whose fields they show; Cancel puts the stored values back.

#include "client/planning/EditorRules.h"
#include "client/shell/AppState.h"
#include "client/shell/GridFiller.h"

#include <QDateTime>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace zorbel::controls {
class ctrlButton;
}
namespace zorbel::ui {
class FlexGrid;
}

namespace zorbel::planning {

// The message for a WBS that is not a 16-bit number, shown by every window
// that would save one.
void tellWBSOutOfRange();

// What tells one editor from another besides its fields.
struct EditorSpec {
    QString kind;              // "Project": the failure messages name it
    QString ownerRefusal;      // the owner rule's message
    // The grid's columns: each names the list field it shows. The editors
    // with a status picture put it in column 1, field i (i >= 1) in column i + 1.
    shell::GridColumns columns;
    int wbsField = -1;         // field holding the WBS; -1 when the records have none
};

class RecordEditor : public QWidget {
    Q_OBJECT
public:
    // The edit mode this window works in (shell::EditMode).
    int mode() const { return m_mode; }
    bool gridReady() const { return m_gridReady; }
    qint32 nextWBS() const { return m_nextWBS; }
    // Whether a detail field is locked against typing and picking.
    static bool isLocked(const QWidget* field);

    // The buttons' handlers.
    void btnAdd_Click();
    void btnEdit_Click() { SetMode(shell::kEdit); }
    void btnDelete_Click() { SetMode(shell::kDelete); }
    void btnCancel_Click();
    void btnOK_Click() { Submit(); }
    // Reads the list again and loads the grid; OK reloads through it too.
    virtual void btnRefresh_Click() = 0;

protected:
    using Row = shell::ListRow;

    RecordEditor(EditorSpec spec, QWidget* parent = nullptr);

    // --- building the window -------------------------------------------
    // The grid, named as the window names it, placed in twips.
    ui::FlexGrid* makeGrid(const QString& name, int left, int top, int width, int height);
    // The six buttons in one row from (left, top), in twips.
    void makeButtons(int left, int top);
    // "Duration" label, box and "7 Day Week" box, hidden until unlocked;
    // wired to compute the end box from the start box.
    void makeDurationEntry(QLineEdit* startBox, QLineEdit* endBox, int left, int top);
    // The fields the field lock locks and unlocks.
    void setLockedFields(std::vector<QWidget*> fields);
    // Locks a field without the mode setter (the designed state).
    static void lockField(QWidget* field, bool locked);

    // --- the mode -------------------------------------------------------
    // Takes the shared mode as this window's own when it loads.
    void seedMode();
    // Stores a mode without touching the controls.
    void storeMode(int mode);
    // The mode setter: nothing when the mode is already this window's mode,
    // except the hook afterSetMode, which runs on every call.
    void SetMode(int mode);
    void LockFields(bool locked);
    // The next WBS as this window knows it, written through to the shared one.
    void setNextWBS(qint32 next);
    // The rights rule with a rights level of the current project.
    void ApplyRights(qint16 level);

    // --- the grid -------------------------------------------------------
    // Fills the grid from a list (a missing list counts as an empty one) and
    // selects the saved or first row.
    void LoadGrid(const data::RecordsetPtr& rs);
    // The row click: shows the current row when the grid is ready.
    void ShowSelected();
    // No record to show: the current id goes to 0 and the fields are emptied.
    void clearCurrent();
    // Whether the row shown is shown again after OK, Cancel or a refusal,
    // not picked by the user or the window's opening.
    bool reshowing() const { return m_reshowing; }
    // Values of a grid row as stored, or nullptr for a row outside the list.
    const Row* rowValues(int row) const;
    int rowCount() const { return m_list ? m_list->RecordCount() : 0; }
    // Whether the status pictures are drawn in this opening.
    virtual bool picturesWanted() const { return true; }

    // --- the OK sequence ------------------------------------------------
    // Owner rule, parent, typed values, project dates, the write, then the
    // list as the database now holds it with the saved record selected.
    void Submit();

    // --- helpers for the editors ----------------------------------------
    // The save-WBS rule; shows a message and gives false when the box holds no 16-bit number.
    bool readWBS(const QLineEdit* box);
    // The project-date questions against g_projectStart / g_projectEnd. On Yes the
    // project's row is read and only the date asked about moves (outwards);
    // `shown` gets the project's new dates for a header. A user who may not
    // change the project is not asked but refused: false, and OK saves nothing
    // (a project without an end refuses him no end).
    bool askProjectStart(const QDateTime& start, const std::function<void(const QDateTime&)>& shown);
    bool askProjectEnd(const QDateTime& end, const std::function<void(const QDateTime&)>& shown);

    // --- what each editor gives -----------------------------------------
    virtual qint32& savedRow() = 0;
    // The id of the record shown (g_currentProjectID ...).
    virtual qint32& currentID() = 0;
    // Runs at the end of every call of the mode setter, also when the mode did
    // not change, once the new mode is stored (the tasks editor resets its
    // dependency picker here).
    virtual void afterSetMode(int /*mode*/) {}
    // Empties every detail field, owner and status included.
    virtual void emptyFields() = 0;
    // The row click of one row.
    virtual void showRow(int row, const Row& values) = 0;
    // Add: empties the fields that the editor's Add empties.
    virtual void clearForAdd() = 0;
    // False when the editor has no parent record to work under (no current project).
    virtual bool hasParent() const { return true; }
    // The owner's contact as entered and as stored; shows nothing.
    struct Owners {
        qint32 entered = 0;
        qint32 stored = 0;
    };
    virtual Owners resolveOwner() = 0;
    // The owner picked in a team combo (the chosen entry first, then its name;
    // with none, the row's own owner) and whose contacts the owners are. Sets
    // g_ownerUserID. An empty team gives owner 0 to a new record and keeps an
    // existing record's own.
    struct TeamOwner {
        qint32 teamID = 0;
        Owners users;
    };
    TeamOwner teamOwner(const QComboBox* combo, qint32 rowTeamID) const;
    // Dates, WBS and other typed values; false (after a message) stops OK.
    // Not run for Delete, which saves nothing typed.
    virtual bool readInputs() = 0;
    // The project-date questions that this editor asks; false when OK must save nothing.
    virtual bool checkProjectDates() { return true; }
    virtual qint32 updateRecord() = 0;
    virtual qint32 addRecord() = 0;
    virtual qint32 deleteRecord() = 0;
    // The text the delete question names.
    virtual QString recordName() const = 0;

    const EditorSpec& spec() const { return m_spec; }

    ui::FlexGrid* m_grid = nullptr;
    controls::ctrlButton* btnAdd = nullptr;
    controls::ctrlButton* btnEdit = nullptr;
    controls::ctrlButton* btnDelete = nullptr;
    controls::ctrlButton* btnOK = nullptr;
    controls::ctrlButton* btnCancel = nullptr;
    controls::ctrlButton* btnRefresh = nullptr;
    QLabel* lblDuration = nullptr;
    QLineEdit* txtDuration = nullptr;
    QCheckBox* chk7DayWeek = nullptr;

private:
    // The record to select when the list is read again after a save: the one
    // with this id, or the row now standing where the saved one stood.
    struct Reselect {
        qint32 id = 0;
        int rowBefore = 0;
    };
    // The write of the OK sequence by the mode; what to select afterwards,
    // or nothing when nothing was written (a delete answered No).
    std::optional<Reselect> save();
    void reloadShowing(const Reselect& saved);
    // The row shown again from the list, dropping whatever was typed; empty
    // fields when no record is shown.
    void showStoredRecord();
    void failed(const QString& operation);
    void updateProjectDates(const ProjectDates& dates);
    // Whether the user may move the current project's dates.
    static bool mayMoveDates();
    // Tells a user who may not change the current project that the record's
    // date lies beyond it (`beyond` says how); false when he may change it.
    static bool refusedProjectDates(const QString& beyond);
    ProjectDates storedProjectDates();

    EditorSpec m_spec;
    std::vector<QWidget*> m_lockedFields;
    // The list the grid shows; its records are read when a row is shown, never copied at load.
    data::RecordsetPtr m_list;
    std::optional<Reselect> m_reselect; // set only while a reload after a save runs
    bool m_reshowing = false;
    int m_mode = 0;
    bool m_gridReady = false;
    qint32 m_nextWBS = 1;
};

} // namespace zorbel::planning
