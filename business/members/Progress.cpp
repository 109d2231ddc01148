// Progress entries: dated notes of what was done on an action.

#include "business/MemberCall.h"
#include "business/Widths.h"
#include "business/ZorbelClass.h"

namespace zorbel {
namespace {

constexpr int kDescriptionWidth = widths::of("ZORBEL_PROGRESS", "Description");

const QString kProgressColumns =
    QStringLiteral("SELECT ProgressID, ActionID, ProgressDate, Description, OwnerID, WBS From ZORBEL_PROGRESS");

} // namespace

RecordsetPtr ZorbelClass::GetProgress(qint32 ActionID, qint32 ProgressID) {
    MemberCall call(*this, QStringLiteral("GetProgress"));
    if (ProgressID != 0)
        return call.query({kProgressColumns + QStringLiteral(" WHERE ProgressID = ?"), {sql::integer(ProgressID)}});
    return call.query({kProgressColumns + QStringLiteral(" WHERE ActionID = ? ORDER BY WBS NULLS FIRST, ProgressID"),
                       {sql::integer(ActionID)}});
}

qint32 ZorbelClass::UpdateProgress(qint32 ProgressID, qint32 ActionID, const QDateTime& ProgressDate,
                                   const QString& Description, qint32 OwnerID, qint16 WBS) {
    if (ActionID == 0) {
        textCheck(QStringLiteral("Invalid ActionID"));
        return 0;
    }
    MemberCall call(*this, QStringLiteral("UpdateProgress"));
    return call.update({QStringLiteral("UPDATE ZORBEL_PROGRESS SET ActionID = ?,Description = ?,OwnerID = ?,"
                                       "ProgressDate = ?,WBS = ? WHERE ProgressID = ?"),
                        {sql::integer(ActionID), sql::text(clean(Description, kDescriptionWidth)),
                         sql::integer(OwnerID), sql::date(ProgressDate), sql::integer(WBS), sql::integer(ProgressID)}});
}

qint32 ZorbelClass::AddProgress(qint32 ActionID, const QDateTime& ProgressDate, const QString& Description,
                                qint32 OwnerID, qint16 WBS) {
    if (ActionID == 0) {
        textCheck(QStringLiteral("Invalid ActionID"));
        return 0;
    }
    MemberCall call(*this, QStringLiteral("AddProgress"));
    return call.insert({QStringLiteral("INSERT INTO ZORBEL_PROGRESS ( ActionID, Description, OwnerID, ProgressDate, "
                                       "WBS ) VALUES (?,?,?,?,?)"),
                        {sql::integer(ActionID), sql::text(clean(Description, kDescriptionWidth)),
                         sql::integer(OwnerID), sql::date(ProgressDate), sql::integer(WBS)}},
                        QStringLiteral("ProgressID"));
}

qint32 ZorbelClass::DeleteProgress(qint32 ProgressID) {
    MemberCall call(*this, QStringLiteral("DeleteProgress"));
    return call.run(
        {QStringLiteral("DELETE FROM ZORBEL_PROGRESS  WHERE ProgressID = ?"), {sql::integer(ProgressID)}});
}

} // namespace zorbel
