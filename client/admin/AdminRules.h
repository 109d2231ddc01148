#pragma once
// The rules of the administration windows, free of widgets: who may change
// the accounts and the rights, how an account's user name is kept and
// whether another account holds it, who counts as an administrator and
// whether a change would leave none, whether an account already holds rights
// on a project, who is already in a project team and what a team keeps of a
// name, and how a rights level shows in a list.

#include "platform/data/Recordset.h"

#include <QString>
#include <QVariant>

namespace zorbel::admin {

// A user name or password as the accounts table keeps it (a password before
// it is hashed): apostrophes and NULs removed, cut to 50 characters. Two
// names that read differently when typed may be one stored, and a password
// typed as apostrophes alone is stored as none.
QString storedAccountText(const QString& typed);

// Whether a typed user name is stored as it was typed (no apostrophe nor
// NUL, at most 50 characters): any other would log on only in its altered
// form.
bool storedAsTyped(const QString& typedName);

// Whether an account other than ownID (a GetUsers list) already holds the
// typed name in its stored form, so that two people never log in as one.
bool userNameTaken(const data::RecordsetPtr& accounts, const QString& typed, qint32 ownID);

// Whether an account's Administrator flag makes it an administrator: any
// value but 0 (and null), so that an edit never demotes one by accident.
bool isAdministrator(const QVariant& flag);

// Whether the account is an administrator as the accounts (a GetUsers list)
// hold it now; an account not listed is none.
bool isAdministratorAccount(const data::RecordsetPtr& accounts, qint32 accountID);

// A change to the log-in accounts or to the rights rows.
enum class AccountChange { AddUser, EditUser, DeleteUser, ChangeRights };
// What saving an account's values would change besides its password.
struct AccountEdit {
    bool ownAccount = false; // the account the user is logged in as
    bool name = false;
    bool contact = false;
    bool administrator = false;
};
// What the typed values would change of the account as the accounts (a
// GetUsers list) hold it; userID is the logged-in account.
AccountEdit accountEdit(const data::RecordsetPtr& accounts, qint32 accountID, qint32 userID, const QString& typedName,
                        qint32 contactID, bool administrator);
// Who may make the change: an administrator any; anyone else his own
// password and nothing else, so that nobody takes over another's account,
// makes himself an administrator or gives himself rights. The refusal's
// text, empty when the change may go ahead.
QString accountChangeRefusal(bool administrator, AccountChange change, const AccountEdit& edit = {});

// Whether saving the account (a GetUsers list) with or without the flag, or
// deleting it (staysAdministrator false), would leave no administrator: true
// only when it is an administrator now and no other account is. Without one
// the Admin items of the tree vanish for everyone.
bool leavesNoAdministrator(const data::RecordsetPtr& accounts, qint32 accountID, bool staysAdministrator);

// Whether the account's rights rows (a GetUserAdmin list) hold a row for the
// project besides the row exceptAdminID: the rights of one project come from
// one row, never from whichever of two happens to be read last.
bool holdsRightsFor(const data::RecordsetPtr& rights, qint32 projectID, qint32 exceptAdminID);

// Whether a project team (a GetProjectTeam list) already lists the contact:
// a contact is a member once, so no owner list offers him twice.
bool isTeamMember(const data::RecordsetPtr& team, qint32 userID);

// A contact's full name as a team row keeps it: apostrophes and NULs
// removed, cut to the field's 50 characters, so a long first name may leave
// no surname.
QString storedMemberName(const QString& fullName);

// The entry of a level list of `count` entries that shows a level written
// in a grid cell; -1 (no entry) for level 0 and for a cell holding no level.
int levelPosition(const QString& cell, int count);

} // namespace zorbel::admin
