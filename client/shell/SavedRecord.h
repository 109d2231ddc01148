#pragma once
// The record a window keeps selected when it reads its list again after a
// save. Every record list (the breakdown editors, the wizard's pages and the
// administration lists) selects, once the list is read again, the record
// just saved, as a row click would: the one edited, the one added, or the
// row now standing where a deleted one stood. Edit and Delete then always act
// on the record whose fields are shown, never on whatever row the reload left
// current.

#include "platform/data/Recordset.h"

#include <utility>

namespace zorbel::ui {
class FlexGrid;
}

namespace zorbel::shell {

// The grid row that shows a record after it was saved: the row listing `id`;
// when none lists it (it was deleted, or never added) the row now standing at
// `rowBefore`, or the last row when the list got shorter; 0 for an empty list.
int rowAfterSave(const data::Recordset& list, qint32 id, int rowBefore);

// The record an Add stored, told by the list read after it (`after`) and the
// list as it stood before the write (`before`): the highest id `before` does
// not hold, since ids are handed out in rising order; 0 when there is none.
// Used where the business layer answers an Add with 1 rather than the key.
qint32 addedID(const data::RecordsetPtr& before, const data::RecordsetPtr& after);

// What a list window is about to save, taken before the write.
struct SavedRecord {
    SavedRecord(qint32 id, int rowBefore, data::RecordsetPtr listBefore = {})
        : id(id), rowBefore(rowBefore), listBefore(std::move(listBefore)) {}
    qint32 id;                     // the record edited, deleted or shown
    int rowBefore;                 // the grid row it stood on
    data::RecordsetPtr listBefore; // an Add's list as it stood before the write
};

// Moves the grid to the saved record's row of the list it now shows: the
// record an Add stored, or else the record `id`, or else the row in its
// place. Moving raises the grid's row change as a click would; nothing
// happens for an empty list.
void selectSaved(ui::FlexGrid& grid, const data::RecordsetPtr& list, const SavedRecord& saved);

} // namespace zorbel::shell
