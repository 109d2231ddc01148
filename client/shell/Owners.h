#pragma once
// Owners picked from a project team, and the owner rule.
//
// A record below the project (deliverable, task, action, progress entry,
// risk, issue, document) names its owner by the owner's row in the project
// team (TeamID); the owner combo lists each member's FullName in team order.
// The team is whatever list the window holds: g_rsTeam for the editors, a
// list of its own for the risk, issue and document dialogs. Its columns are
// those of GetProjectTeam: 0 TeamID, 1 UserID (the member's contact), and
// FullName. A project's owner is a contact, picked from the contact list.

#include "platform/data/Recordset.h"

#include <QString>
#include <QStringList>

class QComboBox;

namespace zorbel::shell {

// Every member's FullName, in team order.
QStringList teamNames(const data::RecordsetPtr& team);
// Fills the owner combo with the team's names, selecting nothing and raising no change signal.
void fillTeamCombo(QComboBox& combo, const data::RecordsetPtr& team);
// (A member is selected by its TeamID with selectRowOfID, Combos.h.)
// The member's contact (UserID); 0 when the team has no such member.
qint32 userOfTeamMember(const data::RecordsetPtr& team, qint32 teamID);
// The contact of a record's stored owner (a TeamID) for the owner rule: 0
// when the record was stored without one (0, or -1 as a risk saved with
// none), kOwnerNotInTeam when that member has since left the team.
inline constexpr qint32 kOwnerNotInTeam = -1;
qint32 storedOwnerUser(const data::RecordsetPtr& team, qint32 teamID);
// The team row the combo names: the chosen entry while it still shows its
// name, else the last member of that name; -1 for none.
int chosenTeamRow(const QComboBox& combo, const data::RecordsetPtr& team);

// Every contact as "FirstName SurName", in list order: how owner and contact pickers list them.
QStringList contactNames(const data::RecordsetPtr& contacts);

// The owner rule. True when it refuses the save: with the rule on
// (cfgOwnerAdmin 1) the owner as entered must be the user; when changing or
// deleting an existing record the stored owner must be the user too, so
// nobody takes over another's record by naming himself. An entered owner of
// 0 (no owner found) is never the user. A record stored without an owner
// (0) belongs to nobody yet: an Edit may make the user its owner, or no one
// could ever change it; deleting it still needs an owner.
bool ownerRefuses(qint16 cfgOwnerAdmin, int mode, qint32 currentUserID, qint32 enteredOwnerUserID,
                  qint32 storedOwnerUserID);
// The owner rule for the logged-in user, in the edit mode given: on a
// refusal it shows the window's refusal text (title "Operation Cancelled")
// and answers true; the caller then cancels.
bool OwnerRuleRefuses(const QString& refusal, int mode, qint32 enteredOwnerUserID, qint32 storedOwnerUserID);

} // namespace zorbel::shell
