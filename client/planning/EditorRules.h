#pragma once
// The rules every record editor shares, free of windows so that they can be
// checked on their own: rights on the buttons, the owner rule, WBS numbers,
// row restoring, combo positions, dates read back from boxes, and widening a
// project's dates.

#include "platform/data/Recordset.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace zorbel::planning {

// Status values of the Add, Edit and Delete buttons (0 works, 2 greyed).
struct ButtonRights {
    qint16 add = 0;
    qint16 edit = 0;
    qint16 del = 0;
};
// With per-project rights off every button works; on, a level above 2
// allows Edit and a level of 4 or more allows Add and Delete as well.
ButtonRights rightsFor(qint16 cfgProjectAdmin, qint16 level);

// True when the owner rule refuses the save. Under the rule the owner as
// entered must be the user; when changing or deleting an existing record the
// stored owner must be the user too, so nobody takes over another's record by
// naming himself. An owner id of 0 (no owner found) is never the user.
bool ownerRefuses(qint16 cfgOwnerAdmin, int mode, qint32 currentUserID, qint32 enteredOwnerUserID,
                  qint32 storedOwnerUserID);

// The WBS box read as a 16-bit number: nullopt when the text is not one.
// An empty box gives nextWBS.
std::optional<qint16> wbsFromText(const QString& text, qint32 nextWBS);
// Highest non-null WBS of the list plus one, or 1 when no record has one.
qint32 nextWBSOf(const data::Recordset& rs, int wbsField);

// The grid row to select after a reload: the saved row when it is a record
// row (1 .. lastRow), else row 1.
int rowToRestore(int savedRow, int lastRow);

// The combo position that shows list item `id` (ids 1..count stand at 0..count-1);
// -1 (no selection) for any other id.
int comboIndexForID(qint32 id, int count);

// Position of a display name in a list: the chosen position when it still
// shows that name, otherwise the last position with the name; -1 for none
// and for an empty text.
int positionOfName(const QStringList& names, int chosenIndex, const QString& text);

// A database value as a date; nothing for a null or a value that is not one.
std::optional<QDateTime> dateOf(const QVariant& value);

// What a date box holds.
struct DateInput {
    enum Kind { Empty, Valid, Invalid } kind = Empty;
    QDateTime value;
};
// Reads a box's text with the configured pattern. When the text is still what
// was shown for the stored value, the stored value itself comes back, time of
// day included.
DateInput readDateText(const QString& text, const QString& shownText, const std::optional<QDateTime>& stored);

// The dates a project gets when the user agrees to move one of them: the
// project's own other date stays, and a date only ever moves outwards.
struct ProjectDates {
    QDateTime start;
    QDateTime end;
};
ProjectDates widenStart(const ProjectDates& stored, const QDateTime& newStart);
ProjectDates widenEnd(const ProjectDates& stored, const QDateTime& newEnd);

// Whole 16-bit number of a value, or fallback when it is null, empty or not one.
qint16 int16Of(const QVariant& value, qint16 fallback = 0);

} // namespace zorbel::planning
