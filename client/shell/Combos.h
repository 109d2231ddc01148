#pragma once
// Look-up combos: a combo box filled in list order from a look-up list
// (statuses, project states, rights levels, document and risk types, issue
// statuses and the like), entry k standing for the list's row k. A window
// gives the combo and the list, which may be a shared one or its own.
//
// Filling never raises the combo's change signals: code that fills a combo
// must not run its click handler as a user's pick would. Selecting from code
// does raise them, as a pick would; a window blocks them itself where its
// handler must not run.

#include "platform/data/Recordset.h"

#include <QString>
#include <QStringList>

class QComboBox;

namespace zorbel::shell {

// The texts of one field of every row, in list order; none for a missing list.
QStringList fieldTexts(const data::RecordsetPtr& list, int field);
QStringList fieldTexts(const data::RecordsetPtr& list, const QString& fieldName);

// Fills the combo with the texts, in order, and selects nothing.
void fillCombo(QComboBox& combo, const QStringList& items);
// Fills the combo with one field of every row of the list.
void fillCombo(QComboBox& combo, const data::RecordsetPtr& list, int field);

// The combo position that shows list item `id` (ids 1..count stand at 0..count-1);
// -1 (no selection) for any other id.
int comboIndexForID(qint32 id, int count);
// Selects item id - 1, or nothing when there is no such item.
void selectByID(QComboBox& combo, qint32 id);
// The id of the chosen item (its position + 1); whenNone when nothing is chosen.
qint16 idFromCombo(const QComboBox& combo, qint16 whenNone = 0);

// The row of a list whose id (column 0) is `id`; -1 when none has it.
int rowOfID(const data::RecordsetPtr& list, qint32 id);
// The id (column 0) of a list row; 0 for a row outside the list.
qint32 idAtRow(const data::RecordsetPtr& list, int row);
// Selects the entry of the list row whose id is `id` (a project's owner by
// UserID, a member by TeamID); nothing when no row has it.
void selectRowOfID(QComboBox& combo, const data::RecordsetPtr& list, qint32 id);

// Which entry a typed name stands for when several entries carry it: the
// editors take the last, the risk and issue dialogs the first (they look
// the name up in their list from the top).
enum class TypedName { Last, First };
// Position of a display name in a list: the chosen position when it still
// shows that name, otherwise the last (or first) position with the name; -1
// for none and for an empty text.
int positionOfName(const QStringList& names, int chosenIndex, const QString& text,
                   TypedName typed = TypedName::Last);

} // namespace zorbel::shell
