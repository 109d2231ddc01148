#pragma once
// The rules every record editor shares, free of windows so that they can be
// checked on their own: WBS numbers, row restoring and widening a project's
// dates. The rules that windows of every subsystem share (rights, the owner
// rule, combo positions, dates and values read back) live in the shell; the
// editors name them here as their own.

#include "client/shell/Combos.h"
#include "client/shell/Dates.h"
#include "client/shell/Owners.h"
#include "client/shell/Rights.h"
#include "client/shell/SavedRecord.h"
#include "client/shell/Values.h"
#include "platform/data/Recordset.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace zorbel::planning {

using shell::ButtonRights;
using shell::comboIndexForID;
using shell::DateInput;
using shell::dateOf;
using shell::dayBefore;
using shell::int16Of;
using shell::ownerRefuses;
using shell::positionOfName;
using shell::readDateText;
using shell::rightsFor;
using shell::rowAfterSave;

// A milestone has no status or owner of its own: every one is saved planned
// (status 3) and without an owner, whichever window saves it.
constexpr qint16 kMilestoneStatus = 3;
constexpr qint32 kMilestoneOwner = 0;

// The WBS box read as a 16-bit number: nullopt when the text is not one.
// An empty box gives nextWBS.
std::optional<qint16> wbsFromText(const QString& text, qint32 nextWBS);
// Highest non-null WBS of the list plus one, or 1 when no record has one.
qint32 nextWBSOf(const data::Recordset& rs, int wbsField);

// The grid row to select after a reload: the saved row when it is a record
// row (1 .. lastRow), else row 1.
int rowToRestore(int savedRow, int lastRow);

// The dates a project gets when the user agrees to move one of them: the
// project's own other date stays, and a date only ever moves outwards.
struct ProjectDates {
    QDateTime start;
    QDateTime end;
};
ProjectDates widenStart(const ProjectDates& stored, const QDateTime& newStart);
ProjectDates widenEnd(const ProjectDates& stored, const QDateTime& newEnd);

// Whether the user may be asked to move the current project's dates: only
// one who may change the project itself, that is with per-project rights on
// a project level that allows Edit, and under the owner rule the project's
// owner. Anyone else saving a record beyond the project's dates is refused,
// so a child record never changes a project its user may only read.
bool mayMoveProjectDates(qint16 cfgProjectAdmin, qint16 projectLevel, qint16 cfgOwnerAdmin, qint32 projectOwnerID,
                         qint32 currentUserID);

} // namespace zorbel::planning
