// Log-on and the project team.

#include "business/MemberCall.h"
#include "business/PasswordHash.h"
#include "business/Widths.h"
#include "business/ZorbelClass.h"

#include <limits>

namespace zorbel {
namespace {

constexpr int kPasswordWidth = widths::of("ZORBEL_MULTI_USER_TABLE", "Password");
constexpr int kFullNameWidth = widths::of("ZORBEL_TEAM_TABLE", "FullName");
constexpr int kFirstNameWidth = widths::of("ZORBEL_TEAM_TABLE", "FirstName");
constexpr int kSurNameWidth = widths::of("ZORBEL_TEAM_TABLE", "SurName");

} // namespace

RecordsetPtr ZorbelClass::UserLogOn(const QString& UserName, const QString& Password) {
    MemberCall call(*this, QStringLiteral("UserLogOn"));
    // Only the accounts with the typed name are read: other accounts' passwords never leave the database.
    m_scratch = call.query({QStringLiteral(" SELECT MultiUserID,  UserName, Password FROM ZORBEL_MULTI_USER_TABLE "
                                           "WHERE UserName = ? ORDER BY MultiUserID"),
                            {sql::text(UserName)}});
    if (!m_scratch)
        return {};

    // A password set through the accounts window was stored cleaned and cut; one
    // typed as the user knows it (apostrophes included) must still log in.
    const QString cleanedPassword = clean(Password, kPasswordWidth);
    bool anyHashVerified = false;
    const auto typedMatches = [&](const QString& stored) {
        if (!password::isHash(stored))
            return stored == Password || stored == cleanedPassword;
        anyHashVerified = true;
        return password::verify(stored, Password)
               || (cleanedPassword != Password && password::verify(stored, cleanedPassword));
    };
    qint32 matchedId = 0;
    QString matchedStored;
    for (m_scratch->MoveFirst(); !m_scratch->Eof(); m_scratch->MoveNext()) {
        const QVariant name = m_scratch->Fields(QStringLiteral("UserName"));
        const QVariant stored = m_scratch->Fields(QStringLiteral("Password"));
        if (name.isNull() || stored.isNull() || name.toString() != UserName)
            continue;
        const QString storedText = stored.toString();
        if (typedMatches(storedText)) {
            // The last match wins, as it always has.
            matchedId = m_scratch->Fields(QStringLiteral("MultiUserID")).toInt();
            matchedStored = storedText;
        }
    }
    // An unknown name costs the hashing a known one does, so the time of the
    // answer does not tell which names have accounts.
    if (!anyHashVerified)
        typedMatches(password::unmatchableHash());
    if (matchedId == 0)
        return {};

    if (!password::isHash(matchedStored)) {
        // An account from before hashing: replace its clear text now that it proved right.
        QString why;
        if (const std::optional<QString> hashed = password::tryHash(matchedStored, why))
            call.update({QStringLiteral("UPDATE ZORBEL_MULTI_USER_TABLE SET Password = ? WHERE MultiUserID = ?"),
                         {sql::text(*hashed), sql::integer(matchedId)}});
        else
            call.fail(why); // the log-on itself stands; the next one tries again
    }

    // The Password column keeps its place but comes back empty, as in GetUsers:
    // the stored hash is of no use to the caller and must not leave here.
    RecordsetPtr account =
        call.query({QStringLiteral(" SELECT MultiUserID, UserID, UserName, '' AS Password, FullName, ProjectCreator, "
                                   "Administrator FROM ZORBEL_MULTI_USER_TABLE WHERE MultiUserID = ?"),
                    {sql::integer(matchedId)}});
    m_scratch.reset();
    if (!account || !account->hasCurrent())
        return {}; // the account vanished between the two queries
    return account;
}

RecordsetPtr ZorbelClass::GetProjectTeam(qint32 ProjectID) {
    MemberCall call(*this, QStringLiteral("GetProjectTeam"));
    return call.query({QStringLiteral("SELECT TeamID, UserID, ProjectID, FullName, FirstName, SurName From "
                                      "ZORBEL_TEAM_TABLE WHERE (((ProjectID)=?)) ORDER BY SurName, TeamID"),
                       {sql::integer(ProjectID)}});
}

qint16 ZorbelClass::AddTeamMember(qint32 UserID, qint32 ProjectID, const QString& FullName,
                                  const QString& FirstName, const QString& SurName) {
    if (ProjectID == 0) {
        warnCheck(QStringLiteral("Invalid ProjectID"));
        return 0;
    }
    MemberCall call(*this, QStringLiteral("AddTeamMember"));
    return static_cast<qint16>(call.run(
        {QStringLiteral("INSERT INTO ZORBEL_TEAM_TABLE ( UserID, ProjectID, FullName, FirstName, SurName) "
                        "VALUES (?,?,?,?,?)"),
         {sql::integer(UserID), sql::integer(ProjectID), sql::text(clean(FullName, kFullNameWidth)),
          sql::text(clean(FirstName, kFirstNameWidth)), sql::text(clean(SurName, kSurNameWidth))}}));
}

qint16 ZorbelClass::DeleteTeamMember(qint32 TeamID) {
    MemberCall call(*this, QStringLiteral("DeleteTeamMember"));
    return static_cast<qint16>(
        call.run({QStringLiteral("DELETE FROM ZORBEL_TEAM_TABLE  WHERE TeamID = ?"), {sql::integer(TeamID)}}));
}

} // namespace zorbel
