// Actions: the steps of a task, each the parent of progress entries.

#include "business/MemberCall.h"
#include "business/Widths.h"
#include "business/ZorbelClass.h"

namespace zorbel {
namespace {

constexpr int kDescriptionWidth = widths::of("ZORBEL_ACTIONS", "Description");

const QString kActionColumns = QStringLiteral(
    "SELECT ActionID, TaskID, Description, StartDate, EndDate, StatusID, OwnerID, WBS From ZORBEL_ACTIONS");

} // namespace

RecordsetPtr ZorbelClass::GetActions(qint32 TaskID, qint32 ActionID) {
    MemberCall call(*this, QStringLiteral("GetActions"));
    if (ActionID != 0)
        return call.query({kActionColumns + QStringLiteral(" WHERE ActionID = ?"), {sql::integer(ActionID)}});
    return call.query({kActionColumns + QStringLiteral(" WHERE TaskID = ? ORDER BY WBS NULLS FIRST, ActionID"),
                       {sql::integer(TaskID)}});
}

qint32 ZorbelClass::UpdateAction(qint32 ActionID, qint32 TaskID, const QString& Description,
                                 const QDateTime& StartDate, const QDateTime& EndDate, qint16 StatusID,
                                 qint32 OwnerID, qint16 WBS) {
    if (TaskID == 0) {
        textCheck(QStringLiteral("Invalid TaskID"));
        return 0;
    }
    MemberCall call(*this, QStringLiteral("UpdateAction"));
    return call.update({QStringLiteral("UPDATE ZORBEL_ACTIONS SET TaskID = ?,StatusID = ?,Description = ?,"
                                       "OwnerID = ?,StartDate = ?,EndDate = ?,WBS = ? WHERE ActionID = ?"),
                        {sql::integer(TaskID), sql::integer(StatusID), sql::text(clean(Description, kDescriptionWidth)),
                         sql::integer(OwnerID), sql::date(StartDate), sql::date(EndDate), sql::integer(WBS),
                         sql::integer(ActionID)}});
}

qint32 ZorbelClass::AddAction(qint32 TaskID, const QString& Description, const QDateTime& StartDate,
                              const QDateTime& EndDate, qint16 StatusID, qint32 OwnerID, qint16 WBS) {
    if (TaskID == 0) {
        textCheck(QStringLiteral("Invalid TaskID"));
        return 0;
    }
    MemberCall call(*this, QStringLiteral("AddAction"));
    // The columns are written in another order than the parameters come in.
    return call.insert({QStringLiteral("INSERT INTO ZORBEL_ACTIONS ( TaskID, StatusID, Description, OwnerID, "
                                       "StartDate, EndDate, WBS ) VALUES (?,?,?,?,?,?,?)"),
                        {sql::integer(TaskID), sql::integer(StatusID), sql::text(clean(Description, kDescriptionWidth)),
                         sql::integer(OwnerID), sql::date(StartDate), sql::date(EndDate), sql::integer(WBS)}},
                        QStringLiteral("ActionID"));
}

qint32 ZorbelClass::DeleteAction(qint32 ActionID) {
    MemberCall call(*this, QStringLiteral("DeleteAction"));
    // The action's progress entries stay.
    return call.run({QStringLiteral("DELETE FROM ZORBEL_ACTIONS  WHERE ActionID = ?"), {sql::integer(ActionID)}});
}

} // namespace zorbel
