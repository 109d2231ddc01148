// Per-project rights of the log-in accounts. An account may hold several rows
// for one project: nothing here keeps them unique.

#include "business/MemberCall.h"
#include "business/Widths.h"
#include "business/ZorbelClass.h"

namespace zorbel {
namespace {

constexpr int kNameWidth = widths::of("ZORBEL_ADMIN_TABLE", "ProjectName");

} // namespace

RecordsetPtr ZorbelClass::GetAdminLevels() {
    MemberCall call(*this, QStringLiteral("GetAdminLevels"));
    return call.query(
        {QStringLiteral("SELECT AdminLevelID, Description From ZORBEL_ADMIN_LEVEL ORDER BY AdminLevelID"), {}});
}

RecordsetPtr ZorbelClass::GetUserAdmin(qint32 ID) {
    MemberCall call(*this, QStringLiteral("GetUserAdmin"));
    return call.query({QStringLiteral("SELECT AdminID, MultiUserID, ProjectID, ProjectName, ProjectAdminLevel, "
                                      "TaskAdminLevel, ActionAdminLevel, ProgressAdminLevel, IssueAdminLevel "
                                      "From ZORBEL_ADMIN_TABLE WHERE MultiUserID= ? ORDER BY AdminID"),
                       {sql::integer(ID)}});
}

qint32 ZorbelClass::AddUserAdmin(qint32 MultiUserID, qint32 ProjectID, const QString& ProjectName,
                                 qint16 ProjectAdminLevel, qint16 TaskAdminLevel, qint16 ActionAdminLevel,
                                 qint16 ProgressAdminLevel, qint16 IssueAdminLevel) {
    MemberCall call(*this, QStringLiteral("AddUserAdmin"));
    return call.run({QStringLiteral("INSERT INTO ZORBEL_ADMIN_TABLE ( MultiUserID, ProjectID, ProjectName, "
                                    "ProjectAdminLevel, TaskAdminLevel, ActionAdminLevel, ProgressAdminLevel, "
                                    "IssueAdminLevel ) VALUES (?,?,?,?,?,?,?,?)"),
                     {sql::integer(MultiUserID), sql::integer(ProjectID), sql::text(clean(ProjectName, kNameWidth)),
                      sql::integer(ProjectAdminLevel), sql::integer(TaskAdminLevel), sql::integer(ActionAdminLevel),
                      sql::integer(ProgressAdminLevel), sql::integer(IssueAdminLevel)}});
}

qint32 ZorbelClass::UpdateUserAdmin(qint32 AdminID, qint32 MultiUserID, qint32 ProjectID, const QString& ProjectName,
                                    qint16 ProjectAdminLevel, qint16 TaskAdminLevel, qint16 ActionAdminLevel,
                                    qint16 ProgressAdminLevel, qint16 IssueAdminLevel) {
    MemberCall call(*this, QStringLiteral("UpdateUserAdmin"));
    return call.update({QStringLiteral("UPDATE ZORBEL_ADMIN_TABLE SET MultiUserID = ?,ProjectID = ?,ProjectName = ?,"
                                       "ProjectAdminLevel = ?,TaskAdminLevel = ?,ActionAdminLevel = ?,"
                                       "ProgressAdminLevel = ?,IssueAdminLevel = ? WHERE AdminID = ?"),
                        {sql::integer(MultiUserID), sql::integer(ProjectID), sql::text(clean(ProjectName, kNameWidth)),
                         sql::integer(ProjectAdminLevel), sql::integer(TaskAdminLevel),
                         sql::integer(ActionAdminLevel), sql::integer(ProgressAdminLevel),
                         sql::integer(IssueAdminLevel), sql::integer(AdminID)}});
}

qint32 ZorbelClass::DeleteUserAdmin(qint32 AdminID) {
    MemberCall call(*this, QStringLiteral("DeleteUserAdmin"));
    return call.run({QStringLiteral("DELETE FROM ZORBEL_ADMIN_TABLE  WHERE AdminID = ?"), {sql::integer(AdminID)}});
}

} // namespace zorbel
