#pragma once
// The editors below a deliverable: tasks, actions and progress entries. Each
// is a record editor whose records hang from the current record one level up
// (a task from the current deliverable, an action from the current task, an
// entry from the current action), owned by a member of the project team and
// shown under a header of the current project down to that parent.
//
// What the three share lives here: the opening, the list read only under a
// parent that still hangs together up to the current project and kept in the
// application state for the windows below, the owner combo with the project
// team, and the status combo with its lamp that tasks and actions carry. A
// window gives where its list comes from, its own fields and its calls.

#include "client/execution/BreakdownChain.h"
#include "client/planning/RecordEditor.h"
#include "client/shell/HeaderBlock.h"

class QComboBox;
class QGroupBox;
class QLineEdit;

namespace zorbel::controls {
class StatusLED;
}

namespace zorbel::execution {

// Where an editor's records come from and where the other windows find them.
struct ListSource {
    data::RecordsetPtr shell::ApplicationState::*list; // g_rsTasks ...
    qint32 shell::ApplicationState::*count;            // g_taskCount ...
    data::RecordsetPtr (ZorbelClass::*get)(qint32 parentID, qint32 recordID);
};

class ExecutionEditor : public planning::RecordEditor {
    Q_OBJECT
public:
    void ComboStatus_Click();
    void btnRefresh_Click() override;

protected:
    // `parent` is the level whose current record the records hang from; the
    // header shows the project down to it.
    ExecutionEditor(planning::EditorSpec spec, Level parent, ListSource source);

    // The opening shared by the three: the header, the list and its count,
    // the team, the rights of `rightsLevel` and browse mode. The grid is
    // loaded by the window afterwards.
    void openEditor(qint16 rightsLevel);
    // Reads the parent's records when the current records hang together up
    // to the project; none otherwise, and nothing may then be added, changed
    // or deleted.
    void readList();
    // Fills the grid from the list read last.
    void loadList();

    // The owner combo and the WBS box, with their labels, at their places in twips.
    void makeOwner(int left, int top);
    void makeWBS(int left, int top);
    // The "Status" frame with its combo and lamp; hidden until shown for the Implement phase.
    void makeStatus(int left, int top);

    // The status list into the combo; the status controls show only when
    // the window was opened with `statusCode`.
    void loadStatusList(int statusCode);

    // Row selection: the row's owner (a TeamID) and status, kept as stored, and its WBS.
    void showOwner(const QVariant& owner);
    void showStatus(const QVariant& status);
    void showWBS(const QVariant& wbs);
    // No owner, no status, a dark lamp: Add, and no record to show.
    void clearOwnerAndStatus();

    bool hasParent() const override { return m_parentHolds; }
    Owners resolveOwner() override;
    // The status OK sends: the chosen one, else the row's own (none for a new record).
    qint16 statusToSave() const;
    // Both project-date questions, a Yes shown in the header's project line;
    // false when the user may not move the project's dates.
    bool askProjectDates(const QDateTime& start, const QDateTime& end);
    // The end question alone.
    bool askProjectEndDate(const QDateTime& end);

    shell::HeaderBlock m_header;
    QLineEdit* txtWBS = nullptr;
    QComboBox* ComboOwner = nullptr;
    QGroupBox* frStatus = nullptr;
    QComboBox* ComboStatus = nullptr;
    controls::StatusLED* LEDStatus = nullptr;
    qint32 m_ownerID = 0; // the owner OK sends (a TeamID)

private:
    void loadTeam();

    Level m_parent;
    ListSource m_source;
    bool m_parentHolds = false;
    qint32 m_rowOwnerID = 0;
    qint16 m_rowStatusID = 0;
};

} // namespace zorbel::execution
