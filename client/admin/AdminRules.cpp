#include "client/admin/AdminRules.h"

#include "business/Text.h"
#include "client/shell/Combos.h"
#include "client/shell/Values.h"

namespace zorbel::admin {

namespace {

constexpr int kUserNameWidth = 50;

// The value of a named field in one row of a list; null when the list lacks the field.
QVariant fieldOf(const data::Recordset& list, int row, int field) {
    const auto& values = list.row(row);
    return field >= 0 && field < static_cast<int>(values.size()) ? values[static_cast<size_t>(field)] : QVariant();
}

} // namespace

QString storedUserName(const QString& typed) {
    QString name = typed;
    name.remove(QLatin1Char('\''));
    return cutToCharacters(name, kUserNameWidth);
}

bool userNameTaken(const data::RecordsetPtr& accounts, const QString& typed, qint32 ownID) {
    if (!accounts)
        return false;
    const QString wanted = storedUserName(typed);
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

int levelPosition(const QString& cell, int count) {
    return shell::comboIndexForID(shell::int16Of(cell, 0), count);
}

} // namespace zorbel::admin
