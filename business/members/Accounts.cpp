// Log-in accounts.

#include "business/MemberCall.h"
#include "business/PasswordHash.h"
#include "business/Widths.h"
#include "business/ZorbelClass.h"

namespace zorbel {
namespace {

constexpr int kUserNameWidth = widths::of("ZORBEL_MULTI_USER_TABLE", "UserName");
constexpr int kPasswordWidth = widths::of("ZORBEL_MULTI_USER_TABLE", "Password");
constexpr int kFullNameWidth = widths::of("ZORBEL_MULTI_USER_TABLE", "FullName");

} // namespace

RecordsetPtr ZorbelClass::GetUsers(qint16 Mode, qint32 MultiUserID) {
    MemberCall call(*this, QStringLiteral("GetUsers"));
    // The Password column stays in its place for the accounts window, but always
    // empty: a stored hash is of no use to any window and must not leave here.
    const QString head = QStringLiteral("SELECT MultiUserID, UserID, UserName, '' AS Password, FullName, "
                                        "Administrator, ProjectCreator FROM ZORBEL_MULTI_USER_TABLE");
    if (Mode == 0)
        return call.query({head + QStringLiteral(" ORDER BY MultiUserID"), {}});
    return call.query({head + QStringLiteral(" WHERE MultiUserID = ?"), {sql::integer(MultiUserID)}});
}

qint32 ZorbelClass::DeleteUser(qint32 ID) {
    MemberCall call(*this, QStringLiteral("DeleteUser"));
    return call.run({QStringLiteral("DELETE FROM ZORBEL_MULTI_USER_TABLE  WHERE MultiUserID = ?"), {sql::integer(ID)}});
}

qint32 ZorbelClass::AddUser(qint32 UserID, const QString& UserName, const QString& Password,
                            const QString& FullName, qint16 Administrator) {
    MemberCall call(*this, QStringLiteral("AddUser"));
    // The hash is taken of the password as it was always stored (cleaned and cut),
    // so that the log-on, which tries both forms, accepts it as typed.
    QString why;
    const std::optional<QString> hashed = password::tryHash(clean(Password, kPasswordWidth), why);
    if (!hashed) {
        call.fail(why);
        return 0;
    }
    return call.run({QStringLiteral("INSERT INTO ZORBEL_MULTI_USER_TABLE ( UserID, UserName, Password, FullName, "
                                    "ProjectCreator, Administrator) VALUES (?,?,?,?,?,?)"),
                     {sql::integer(UserID), sql::text(clean(UserName, kUserNameWidth)),
                      sql::text(*hashed), sql::text(clean(FullName, kFullNameWidth)),
                      sql::integer(0), sql::integer(Administrator)}});
}

qint32 ZorbelClass::UpdateUser(qint32 MultiUserID, qint32 UserID, const QString& UserName, const QString& Password,
                               const QString& FullName, qint16 Administrator) {
    if (MultiUserID == 0) {
        textCheck(QStringLiteral("Invalid MultiUserID"));
        return 0;
    }
    MemberCall call(*this, QStringLiteral("UpdateUser"));
    // The accounts window never sees the stored password, so it sends an empty
    // one unless the administrator typed a new one: keep the old one then.
    if (Password.isEmpty()) {
        return call.update({QStringLiteral("UPDATE ZORBEL_MULTI_USER_TABLE SET UserID = ?,UserName = ?,"
                                           "Administrator = ?,FullName = ? WHERE MultiUserID = ?"),
                            {sql::integer(UserID), sql::text(clean(UserName, kUserNameWidth)),
                             sql::integer(Administrator), sql::text(clean(FullName, kFullNameWidth)),
                             sql::integer(MultiUserID)}});
    }
    QString why;
    const std::optional<QString> hashed = password::tryHash(clean(Password, kPasswordWidth), why);
    if (!hashed) {
        call.fail(why);
        return 0;
    }
    return call.update({QStringLiteral("UPDATE ZORBEL_MULTI_USER_TABLE SET UserID = ?,UserName = ?,Password = ?,"
                                       "Administrator = ?,FullName = ? WHERE MultiUserID = ?"),
                        {sql::integer(UserID), sql::text(clean(UserName, kUserNameWidth)),
                         sql::text(*hashed), sql::integer(Administrator),
                         sql::text(clean(FullName, kFullNameWidth)), sql::integer(MultiUserID)}});
}

} // namespace zorbel
