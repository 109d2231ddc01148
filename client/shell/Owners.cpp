#include "client/shell/Owners.h"

#include "client/shell/AppState.h"
#include "client/shell/Combos.h"
#include "platform/ui/MessageBox.h"

#include <QComboBox>

namespace zorbel::shell {

QStringList teamNames(const data::RecordsetPtr& team) {
    return fieldTexts(team, QStringLiteral("FullName"));
}

void fillTeamCombo(QComboBox& combo, const data::RecordsetPtr& team) {
    fillCombo(combo, teamNames(team));
}

qint32 userOfTeamMember(const data::RecordsetPtr& team, qint32 teamID) {
    const int row = rowOfID(team, teamID);
    return row >= 0 ? team->row(row)[1].toInt() : 0; // column 1: the member's contact
}

qint32 storedOwnerUser(const data::RecordsetPtr& team, qint32 teamID) {
    if (teamID <= 0)
        return 0;
    const qint32 user = userOfTeamMember(team, teamID);
    return user != 0 ? user : kOwnerNotInTeam;
}

int chosenTeamRow(const QComboBox& combo, const data::RecordsetPtr& team) {
    return positionOfName(teamNames(team), combo.currentIndex(), combo.currentText());
}

QStringList contactNames(const data::RecordsetPtr& contacts) {
    const QStringList first = fieldTexts(contacts, QStringLiteral("FirstName"));
    const QStringList sur = fieldTexts(contacts, QStringLiteral("SurName"));
    QStringList names;
    names.reserve(first.size());
    for (qsizetype i = 0; i < first.size(); ++i)
        names << first.at(i) + QLatin1Char(' ') + sur.at(i);
    return names;
}

bool ownerRefuses(qint16 cfgOwnerAdmin, int mode, qint32 currentUserID, qint32 enteredOwnerUserID,
                  qint32 storedOwnerUserID) {
    if (cfgOwnerAdmin != 1)
        return false;
    if (enteredOwnerUserID == 0 || enteredOwnerUserID != currentUserID)
        return true;
    if (mode == kEdit)
        return storedOwnerUserID != 0 && storedOwnerUserID != currentUserID;
    if (mode == kDelete)
        return storedOwnerUserID != currentUserID;
    return false;
}

bool OwnerRuleRefuses(const QString& refusal, int mode, qint32 enteredOwnerUserID, qint32 storedOwnerUserID) {
    const auto& s = state();
    if (!ownerRefuses(s.g_cfgOwnerAdmin, mode, s.g_currentUserID, enteredOwnerUserID, storedOwnerUserID))
        return false;
    ui::MsgBox(refusal, ui::vbInformation, QStringLiteral("Operation Cancelled"));
    return true;
}

} // namespace zorbel::shell
