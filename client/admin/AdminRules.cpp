#include "client/admin/AdminRules.h"

#include "business/Text.h"
#include "business/Widths.h"
#include "client/shell/Combos.h"
#include "client/shell/Values.h"

namespace zorbel::admin {

namespace {

constexpr int kUserNameWidth = widths::of("ZORBEL_MULTI_USER_TABLE", "UserName");
// A password is cleaned and cut as a user name is, before it is hashed.
static_assert(widths::of("ZORBEL_MULTI_USER_TABLE", "Password") == kUserNameWidth);
constexpr int kMemberNameWidth = widths::of("ZORBEL_TEAM_TABLE", "FullName");

// The value of a named field in one row of a list; null when the list lacks the field.
QVariant fieldOf(const data::Recordset& list, int row, int field) {
    const auto& values = list.row(row);
    return field >= 0 && field < static_cast<int>(values.size()) ? values[static_cast<size_t>(field)] : QVariant();
}

} // namespace

QString storedAccountText(const QString& typed) {
    return clean(typed, kUserNameWidth);
}

bool storedAsTyped(const QString& typedName) {
    return storedAccountText(typedName) == typedName;
}

bool userNameTaken(const data::RecordsetPtr& accounts, const QString& typed, qint32 ownID) {
    if (!accounts)
        return false;
    const QString wanted = storedAccountText(typed);
    const int nameField = accounts->FieldIndex(QStringLiteral("UserName"));
    for (int i = 0; i < accounts->RecordCount(); ++i) {
        if (fieldOf(*accounts, i, 0).toInt() == ownID)
            continue;
        const QVariant name = fieldOf(*accounts, i, nameField);
        if (!name.isNull() && name.toString() == wanted)
            return true;
    }
    return false;
}

bool isAdministrator(const QVariant& flag) {
    return shell::int16Of(flag, 0) != 0;
}

bool isAdministratorAccount(const data::RecordsetPtr& accounts, qint32 accountID) {
    const int row = shell::rowOfID(accounts, accountID);
    return row >= 0 && isAdministrator(fieldOf(*accounts, row, accounts->FieldIndex(QStringLiteral("Administrator"))));
}

AccountEdit accountEdit(const data::RecordsetPtr& accounts, qint32 accountID, qint32 userID, const QString& typedName,
                        qint32 contactID, bool administrator) {
    AccountEdit edit;
    edit.ownAccount = accountID != 0 && accountID == userID;
    const int row = shell::rowOfID(accounts, accountID);
    if (row < 0) // gone meanwhile: nothing of it is kept
        return {edit.ownAccount, true, true, administrator};
    const auto field = [&](const char* name) {
        return fieldOf(*accounts, row, accounts->FieldIndex(QString::fromLatin1(name)));
    };
    edit.name = field("UserName").toString() != storedAccountText(typedName);
    edit.contact = field("UserID").toInt() != contactID;
    edit.administrator = isAdministrator(field("Administrator")) != administrator;
    return edit;
}

QString accountChangeRefusal(bool administrator, AccountChange change, const AccountEdit& edit) {
    if (administrator)
        return {};
    switch (change) {
    case AccountChange::AddUser: return QStringLiteral("Only an Administrator can add Users");
    case AccountChange::DeleteUser: return QStringLiteral("Only an Administrator can delete Users");
    case AccountChange::ChangeRights: return QStringLiteral("Only an Administrator can change User Admin rights");
    case AccountChange::EditUser: break;
    }
    if (!edit.ownAccount)
        return QStringLiteral("Only an Administrator can change other Users");
    if (edit.administrator)
        return QStringLiteral("Only an Administrator can make a User an Administrator");
    if (edit.name || edit.contact)
        return QStringLiteral("You can change only your own Password");
    return {};
}

bool leavesNoAdministrator(const data::RecordsetPtr& accounts, qint32 accountID, bool staysAdministrator) {
    if (staysAdministrator || !accounts)
        return false;
    const int flagField = accounts->FieldIndex(QStringLiteral("Administrator"));
    bool isOne = false;
    for (int i = 0; i < accounts->RecordCount(); ++i) {
        if (!isAdministrator(fieldOf(*accounts, i, flagField)))
            continue;
        if (fieldOf(*accounts, i, 0).toInt() != accountID)
            return false; // another administrator remains
        isOne = true;
    }
    return isOne;
}

bool holdsRightsFor(const data::RecordsetPtr& rights, qint32 projectID, qint32 exceptAdminID) {
    if (!rights)
        return false;
    const int projectField = rights->FieldIndex(QStringLiteral("ProjectID"));
    for (int i = 0; i < rights->RecordCount(); ++i)
        if (fieldOf(*rights, i, 0).toInt() != exceptAdminID && fieldOf(*rights, i, projectField).toInt() == projectID)
            return true;
    return false;
}

bool isTeamMember(const data::RecordsetPtr& team, qint32 userID) {
    if (!team)
        return false;
    const int userField = team->FieldIndex(QStringLiteral("UserID"));
    for (int i = 0; i < team->RecordCount(); ++i)
        if (fieldOf(*team, i, userField).toInt() == userID)
            return true;
    return false;
}

QString storedMemberName(const QString& fullName) {
    return clean(fullName, kMemberNameWidth);
}

int levelPosition(const QString& cell, int count) {
    return shell::comboIndexForID(shell::int16Of(cell, 0), count);
}

} // namespace zorbel::admin
