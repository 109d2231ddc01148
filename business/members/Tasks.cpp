// Tasks: the work of a deliverable, each the parent of actions.

#include "business/MemberCall.h"
#include "business/Widths.h"
#include "business/ZorbelClass.h"

namespace zorbel {
namespace {

constexpr int kDescriptionWidth = widths::of("ZORBEL_TASKS", "Description");

const QString kTaskColumns = QStringLiteral(
    "SELECT TaskID, DeliverableID, StatusID, Description, OwnerID, StartDate, EndDate, Dependency, WBS "
    "From ZORBEL_TASKS");

} // namespace

RecordsetPtr ZorbelClass::GetTasks(qint32 DeliverableID, qint32 TaskID) {
    MemberCall call(*this, QStringLiteral("GetTasks"));
    // One task is found by its own key, whatever deliverable the caller names.
    if (TaskID != 0)
        return call.query({kTaskColumns + QStringLiteral(" WHERE TaskID = ?"), {sql::integer(TaskID)}});
    return call.query({kTaskColumns + QStringLiteral(" WHERE DeliverableID = ? ORDER BY WBS NULLS FIRST, TaskID"),
                       {sql::integer(DeliverableID)}});
}

qint32 ZorbelClass::UpdateTask(qint32 TaskID, qint32 DeliverableID, qint16 StatusID, const QString& Description,
                               qint32 OwnerID, const QDateTime& StartDate, const QDateTime& EndDate,
                               qint32 Dependency, qint16 WBS) {
    if (DeliverableID == 0) {
        textCheck(QStringLiteral("Invalid DeliverableID"));
        return 0;
    }
    MemberCall call(*this, QStringLiteral("UpdateTask"));
    return call.update(
        {QStringLiteral("UPDATE ZORBEL_TASKS SET DeliverableID = ?,StatusID = ?,Description = ?,OwnerID = ?,"
                        "StartDate = ?,EndDate = ?,Dependency = ?,WBS = ? WHERE TaskID = ?"),
         {sql::integer(DeliverableID), sql::integer(StatusID), sql::text(clean(Description, kDescriptionWidth)),
          sql::integer(OwnerID), sql::date(StartDate), sql::date(EndDate), sql::integer(Dependency),
          sql::integer(WBS), sql::integer(TaskID)}});
}

qint32 ZorbelClass::AddTask(qint32 DeliverableID, qint16 StatusID, const QString& Description, qint32 OwnerID,
                            const QDateTime& StartDate, const QDateTime& EndDate, qint32 Dependency, qint16 WBS) {
    if (DeliverableID == 0) {
        textCheck(QStringLiteral("Invalid DeliverableID"));
        return 0;
    }
    MemberCall call(*this, QStringLiteral("AddTask"));
    return call.insert(
        {QStringLiteral("INSERT INTO ZORBEL_TASKS ( DeliverableID, StatusID, Description, OwnerID, StartDate, "
                        "EndDate, Dependency, WBS ) VALUES (?,?,?,?,?,?,?,?)"),
         {sql::integer(DeliverableID), sql::integer(StatusID), sql::text(clean(Description, kDescriptionWidth)),
          sql::integer(OwnerID), sql::date(StartDate), sql::date(EndDate), sql::integer(Dependency),
          sql::integer(WBS)}},
         QStringLiteral("TaskID"));
}

qint32 ZorbelClass::DeleteTask(qint32 TaskID) {
    MemberCall call(*this, QStringLiteral("DeleteTask"));
    // The task's actions, and the tasks that depend on it, stay as they are.
    return call.run({QStringLiteral("DELETE FROM ZORBEL_TASKS  WHERE TaskID = ?"), {sql::integer(TaskID)}});
}

} // namespace zorbel
