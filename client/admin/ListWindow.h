#pragma once
// A list window of the administration: one or two record grids, the boxes of
// the row picked, pickers filled from lists, and picture buttons that move
// the window between browse and its edit modes. The contacts, log-in
// accounts, project teams and rights windows derive from it and give their
// grids' column tables, their fields and the calls they make.
//
// Each window acts on an edit mode of its own, written through to the shared
// g_editMode for whichever window reads it: the Next Step dialog can open
// contacts or teams beside a window opened from the tree, and one window's
// Edit must never turn another's OK into an update. For the same reason a
// window turns a pick back into an id with the list that filled its own
// picker, never with a shared list that another window may have reloaded in
// between.
//
// Whenever a window reads its list again (after OK, Cancel or Refresh) the
// record it saved or showed stays selected (reloadSelecting), so a second
// Edit made without a click changes the same record.

#include "client/shell/GridFiller.h"
#include "client/shell/SavedRecord.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"

#include <QString>
#include <QWidget>
#include <initializer_list>

class QComboBox;

namespace zorbel::ui {
class FlexGrid;
}

namespace zorbel::admin {

class ListWindow : public QWidget {
    Q_OBJECT
public:
    // The edit mode this window works in (shell::EditMode); 0 before it opened.
    int mode() const { return m_mode; }

protected:
    explicit ListWindow(QWidget* parent = nullptr);

    // Stores the mode as this window's own and writes it through to g_editMode.
    void storeMode(int mode);

    // --- building -------------------------------------------------------
    ui::FlexGrid* makeGrid(const char* name, int left, int top, int width, int height);
    template <class W>
    controls::ctrlButton* makeButton(const char* name, const char* caption, int left, int top, void (W::*handler)()) {
        auto* b = new controls::ctrlButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        controls::placeTwips(b, left, top, controls::ctrlButton::DesignWidthTwips,
                             controls::ctrlButton::DesignHeightTwips);
        connect(b, &controls::ctrlButton::Click, static_cast<W*>(this), handler);
        return b;
    }
    static void lockFields(std::initializer_list<QWidget*> fields, bool locked);
    static void showAll(std::initializer_list<QWidget*> widgets, bool visible);

    // --- grids ----------------------------------------------------------
    // Drops the grid's record rows, lays it out by the table and writes one
    // row per record of the list (a missing list counts as empty), stepping
    // the navigation window's progress bar when asked. Returns the count.
    static int fillGrid(ui::FlexGrid& grid, const shell::GridColumns& columns, const data::RecordsetPtr& list,
                        bool progress = false);
    // The grid's current record row; 0 while it holds none.
    static int recordRow(const ui::FlexGrid& grid);
    // An id written in a cell, as the 32-bit number every id is; 0 for none.
    static qint32 idIn(const ui::FlexGrid& grid, int row, int col);
    // The log-in accounts as both the accounts and the rights windows list
    // them: user name and full name shown, the rest hidden. The password
    // column keeps its place but is never filled: no window shows a password.
    static shell::GridColumns accountColumns();

    // --- reading the records again --------------------------------------
    // Reads the window's records again into their grid and selects the saved
    // (or shown) record there, as a click on its row would. OK, Cancel,
    // Delete and Refresh end here, so Edit and Delete made next without a
    // click act on the record whose fields are shown.
    void reloadSelecting(const shell::SavedRecord& saved);
    // The grid that lists the window's records, and the reading of them into
    // it, which hands back the list the grid now shows (null when none).
    virtual ui::FlexGrid& recordGrid() = 0;
    virtual data::RecordsetPtr loadRecords() = 0;

    // --- pickers --------------------------------------------------------
    // Reads the contacts afresh into a picker ("FirstName SurName" in list
    // order, nothing selected) and hands back the list behind it, which is
    // also left in g_rsContacts as the contacts last loaded.
    data::RecordsetPtr loadContactPicker(QComboBox& picker);
    // Selects an entry from code without a change signal: the window runs
    // its own handler after it, whether or not the entry changed.
    static void selectQuietly(QComboBox& combo, int index);

    // --- boxes ----------------------------------------------------------
    // A business call answered 0.
    static void failed(const QString& text, const QString& title = QStringLiteral("Update Failure)"));
    // What was entered cannot be saved; the window stays in its mode.
    static void refuse(const QString& text);
    // Shows a refusal unless it is empty; true when there was one.
    static bool refused(const QString& refusal);
    // Yes to a question with Yes and No.
    static bool confirmed(const QString& question, const QString& title = QString());

    // The window's picture buttons; those a window lacks stay null.
    controls::ctrlButton* btnAdd = nullptr;
    controls::ctrlButton* btnEdit = nullptr;
    controls::ctrlButton* btnDelete = nullptr;
    controls::ctrlButton* btnRefresh = nullptr;
    controls::ctrlButton* btnOK = nullptr;
    controls::ctrlButton* btnCancel = nullptr;

private:
    int m_mode = 0;
};

} // namespace zorbel::admin
