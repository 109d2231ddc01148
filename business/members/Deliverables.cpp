// Deliverables: the products of a project, each the parent of tasks.

#include "business/MemberCall.h"
#include "business/Widths.h"
#include "business/ZorbelClass.h"

namespace zorbel {
namespace {

constexpr int kDeliverableWidth = widths::of("ZORBEL_DELIVERABLES", "Deliverable");
constexpr int kMetricWidth = widths::of("ZORBEL_DELIVERABLES", "Metric");

const QString kDeliverableColumns =
    QStringLiteral("SELECT DeliverableID, ProjectID, StatusID, Deliverable, Metric, OwnerID, StartDate, EndDate, "
                   "WBS, CSF From ZORBEL_DELIVERABLES");

} // namespace

RecordsetPtr ZorbelClass::GetDeliverables(qint32 ProjectID, qint32 DeliverableID) {
    MemberCall call(*this, QStringLiteral("GetDeliverables"));
    if (DeliverableID != 0)
        return call.query(
            {kDeliverableColumns + QStringLiteral(" Where DeliverableID = ?"), {sql::integer(DeliverableID)}});
    return call.query(
        {kDeliverableColumns + QStringLiteral(" Where (ProjectID = ?) ORDER BY WBS NULLS FIRST, DeliverableID"),
         {sql::integer(ProjectID)}});
}

qint32 ZorbelClass::DeleteDeliverable(qint32 ID) {
    MemberCall call(*this, QStringLiteral("DeleteDeliverable"));
    // The deliverable's tasks stay.
    return call.run({QStringLiteral("DELETE FROM ZORBEL_DELIVERABLES  WHERE DeliverableID = ?"), {sql::integer(ID)}});
}

qint32 ZorbelClass::AddDeliverable(qint32 ProjectID, qint16 StatusID, const QString& Deliverable, QString& Metric,
                                   qint32 OwnerID, const QDateTime& StartDate, const QDateTime& EndDate, qint16 WBS,
                                   qint16 CSF) {
    if (ProjectID == 0) {
        // A deliverable of project 0 would belong to no project and never be listed again.
        warnCheck(QStringLiteral("Invalid ProjectID"));
        return 0;
    }
    MemberCall call(*this, QStringLiteral("AddDeliverable"));
    // The caller shows the metric as it was stored.
    Metric = clean(Metric, kMetricWidth);
    return call.insert({QStringLiteral("INSERT INTO ZORBEL_DELIVERABLES ( ProjectID, StatusID, Deliverable, Metric, "
                                       "OwnerID, StartDate, EndDate, WBS, CSF ) VALUES (?,?,?,?,?,?,?,?,?)"),
                        {sql::integer(ProjectID), sql::integer(StatusID), sql::text(clean(Deliverable, kDeliverableWidth)),
                         sql::text(Metric), sql::integer(OwnerID), sql::date(StartDate), sql::date(EndDate),
                         sql::integer(WBS), sql::integer(CSF)}},
                        QStringLiteral("DeliverableID"));
}

qint32 ZorbelClass::UpdateDeliverable(qint32 DeliverableID, qint32 ProjectID, qint16 StatusID,
                                      const QString& Deliverable, const QString& Metric, qint32 OwnerID,
                                      const QDateTime& StartDate, const QDateTime& EndDate, qint16 WBS, qint16 CSF) {
    if (ProjectID == 0) {
        textCheck(QStringLiteral("Invalid ProjectID"));
        return 0;
    }
    MemberCall call(*this, QStringLiteral("UpdateDeliverable"));
    return call.update(
        {QStringLiteral("UPDATE ZORBEL_DELIVERABLES SET ProjectID = ?,StatusID = ?,Deliverable = ?,Metric = ?,"
                        "OwnerID = ?,StartDate = ?,EndDate = ?,WBS = ?,CSF = ? WHERE DeliverableID = ?"),
         {sql::integer(ProjectID), sql::integer(StatusID), sql::text(clean(Deliverable, kDeliverableWidth)),
          sql::text(clean(Metric, kMetricWidth)), sql::integer(OwnerID), sql::date(StartDate), sql::date(EndDate),
          sql::integer(WBS), sql::integer(CSF), sql::integer(DeliverableID)}});
}

} // namespace zorbel
