// Milestones: dated points of a project, listed by their start.

#include "business/MemberCall.h"
#include "business/Widths.h"
#include "business/ZorbelClass.h"

namespace zorbel {
namespace {

constexpr int kDescriptionWidth = widths::of("ZORBEL_MILESTONES", "Description");

const QString kMilestoneColumns = QStringLiteral(
    "SELECT MilestoneID, ProjectID, Description, StartDate, EndDate, StatusID, OwnerID From ZORBEL_MILESTONES");

} // namespace

RecordsetPtr ZorbelClass::GetMilestones(qint32 ProjectID, qint32 MilestoneID) {
    MemberCall call(*this, QStringLiteral("GetMilestones"));
    if (MilestoneID != 0)
        return call.query({kMilestoneColumns + QStringLiteral(" WHERE (MilestoneID = ?)"), {sql::integer(MilestoneID)}});
    // Undated milestones first, and milestones of one date in the order they were made.
    return call.query(
        {kMilestoneColumns + QStringLiteral(" WHERE (ProjectID = ?) ORDER BY StartDate NULLS FIRST, MilestoneID"),
         {sql::integer(ProjectID)}});
}

qint32 ZorbelClass::DeleteMilestone(qint32 MilestoneID) {
    MemberCall call(*this, QStringLiteral("DeleteMilestone"));
    return call.run(
        {QStringLiteral("DELETE FROM ZORBEL_MILESTONES  WHERE MilestoneID = ?"), {sql::integer(MilestoneID)}});
}

qint32 ZorbelClass::AddMilestone(qint32 ProjectID, const QString& Description, const QDateTime& StartDate,
                                 const QDateTime& EndDate, qint16 StatusID, qint32 OwnerID) {
    if (ProjectID == 0) {
        // A milestone of project 0 would belong to no project and never be listed again.
        warnCheck(QStringLiteral("Invalid ProjectID"));
        return 0;
    }
    MemberCall call(*this, QStringLiteral("AddMilestone"));
    return call.insert({QStringLiteral("INSERT INTO ZORBEL_MILESTONES ( ProjectID, Description, StartDate, EndDate, "
                                       "StatusID, OwnerID ) VALUES (?,?,?,?,?,?)"),
                        {sql::integer(ProjectID), sql::text(clean(Description, kDescriptionWidth)),
                         sql::date(StartDate), sql::date(EndDate), sql::integer(StatusID), sql::integer(OwnerID)}},
                        QStringLiteral("MilestoneID"));
}

qint32 ZorbelClass::UpdateMilestone(qint32 MilestoneID, qint32 ProjectID, const QString& Description,
                                    const QDateTime& StartDate, const QDateTime& EndDate, qint16 StatusID,
                                    qint32 OwnerID) {
    if (ProjectID == 0) {
        // Writing project 0 would take the milestone out of its project.
        warnCheck(QStringLiteral("Invalid ProjectID"));
        return 0;
    }
    MemberCall call(*this, QStringLiteral("UpdateMilestone"));
    return call.update({QStringLiteral("UPDATE ZORBEL_MILESTONES SET ProjectID = ?,Description = ?,StartDate = ?,"
                                       "EndDate = ?,StatusID = ?,OwnerID = ? WHERE MilestoneID = ?"),
                        {sql::integer(ProjectID), sql::text(clean(Description, kDescriptionWidth)),
                         sql::date(StartDate), sql::date(EndDate), sql::integer(StatusID), sql::integer(OwnerID),
                         sql::integer(MilestoneID)}});
}

} // namespace zorbel
