// Projects, and the status and project-state lists that every record of the
// breakdown uses.

#include "business/MemberCall.h"
#include "business/Widths.h"
#include "business/ZorbelClass.h"

namespace zorbel {
namespace {

constexpr int kNameWidth = widths::of("ZORBEL_PROJECTS", "Name");
constexpr int kReferenceWidth = widths::of("ZORBEL_PROJECTS", "Reference");
constexpr int kDescriptionWidth = widths::of("ZORBEL_PROJECTS", "Description");

// The windows read these columns by position.
const QString kProjectColumns = QStringLiteral(
    "SELECT ProjectID, Name, Reference, Description, OwnerID, StartDate, EndDate, StatusID, WBS, State "
    "FROM ZORBEL_PROJECTS");

} // namespace

RecordsetPtr ZorbelClass::GetProjectStates() {
    MemberCall call(*this, QStringLiteral("GetProjectStates"));
    return call.query({QStringLiteral("SELECT ProjectStateID, State From ZORBEL_PROJECT_STATE ORDER BY ProjectStateID"),
                       {}});
}

RecordsetPtr ZorbelClass::GetProjectStatus() {
    MemberCall call(*this, QStringLiteral("GetProjectStatus"));
    return call.query(
        {QStringLiteral("SELECT StatusID, Status, Description, Colour From ZORBEL_STATUS ORDER BY StatusID"), {}});
}

RecordsetPtr ZorbelClass::GetProjects(qint16 State, qint32 ProjectID) {
    MemberCall call(*this, QStringLiteral("GetProjects"));
    if (ProjectID != 0)
        return call.query({kProjectColumns + QStringLiteral(" WHERE ProjectID = ?"), {sql::integer(ProjectID)}});
    // Projects of equal WBS keep the order they were made in, on every engine.
    return call.query({kProjectColumns + QStringLiteral(" WHERE State = ? ORDER BY WBS NULLS FIRST, ProjectID "),
                       {sql::integer(State)}});
}

RecordsetPtr ZorbelClass::GetProjectsByAdmin(qint16 State, qint32 MultiUserID) {
    MemberCall call(*this, QStringLiteral("GetProjectsByAdmin"));
    // One row per qualifying rights row: an account with two rows for a project sees it twice.
    return call.query(
        {QStringLiteral("SELECT ZORBEL_PROJECTS.ProjectID, ZORBEL_PROJECTS.Name, ZORBEL_PROJECTS.Reference, "
                        "ZORBEL_PROJECTS.Description, ZORBEL_PROJECTS.OwnerID, ZORBEL_PROJECTS.StartDate, "
                        "ZORBEL_PROJECTS.EndDate, ZORBEL_PROJECTS.StatusID, ZORBEL_PROJECTS.WBS, "
                        "ZORBEL_PROJECTS.State, ZORBEL_ADMIN_TABLE.MultiUserID, ZORBEL_ADMIN_TABLE.ProjectAdminLevel"
                        " FROM ZORBEL_PROJECTS INNER JOIN ZORBEL_ADMIN_TABLE ON ZORBEL_PROJECTS.ProjectID = "
                        "ZORBEL_ADMIN_TABLE.ProjectID"
                        " WHERE (((ZORBEL_ADMIN_TABLE.MultiUserID)= ?) AND ((ZORBEL_ADMIN_TABLE.ProjectAdminLevel)>1))"
                        " AND (State = ?) ORDER BY WBS NULLS FIRST, ZORBEL_PROJECTS.ProjectID, "
                        "ZORBEL_ADMIN_TABLE.AdminID"),
         {sql::integer(MultiUserID), sql::integer(State)}});
}

RecordsetPtr ZorbelClass::GetAllProjects() {
    MemberCall call(*this, QStringLiteral("GetAllProjects"));
    return call.query({kProjectColumns + QStringLiteral(" ORDER BY WBS NULLS FIRST, ProjectID"), {}});
}

qint32 ZorbelClass::UpdateProject(qint32 ProjectID, const QString& Name, const QString& Reference,
                                  const QString& Description, qint32 OwnerID, const QDateTime& StartDate,
                                  const QDateTime& EndDate, qint16 StatusID, qint16 WBS, qint16 State) {
    if (ProjectID == 0) {
        textCheck(QStringLiteral("Invalid ProjectID"));
        return 0;
    }
    MemberCall call(*this, QStringLiteral("UpdateProject"));
    return call.update(
        {QStringLiteral("UPDATE ZORBEL_PROJECTS SET Name = ?,Reference = ?,Description = ?,OwnerID = ?,"
                        "StartDate = ?,EndDate = ?,StatusID = ?,WBS = ?,State = ? WHERE ProjectID = ?"),
         {sql::text(clean(Name, kNameWidth)), sql::text(clean(Reference, kReferenceWidth)),
          sql::text(clean(Description, kDescriptionWidth)), sql::integer(OwnerID), sql::date(StartDate),
          sql::date(EndDate), sql::integer(StatusID), sql::integer(WBS), sql::integer(State),
          sql::integer(ProjectID)}});
}

qint32 ZorbelClass::UpdateProjectDates(qint32 ProjectID, const QDateTime& StartDate, const QDateTime& EndDate) {
    if (ProjectID == 0) {
        textCheck(QStringLiteral("Invalid ProjectID"));
        return 0;
    }
    MemberCall call(*this, QStringLiteral("UpdateProjectDates"));
    return call.update({QStringLiteral("UPDATE ZORBEL_PROJECTS SET StartDate = ?,EndDate = ? WHERE ProjectID = ?"),
                        {sql::date(StartDate), sql::date(EndDate), sql::integer(ProjectID)}});
}

qint32 ZorbelClass::AddProject(const QString& Name, const QString& Reference, const QString& Description,
                               qint32 OwnerID, const QDateTime& StartDate, const QDateTime& EndDate,
                               qint16 StatusID, qint16 WBS, qint16 State) {
    MemberCall call(*this, QStringLiteral("AddProject"));
    // The key of this very insert: the highest id could be another user's project,
    // or an older one when the insert failed.
    return call.insert(
        {QStringLiteral("INSERT INTO ZORBEL_PROJECTS ( Name, Reference, Description, OwnerID, StartDate, EndDate, "
                        "StatusID, WBS, State ) VALUES (?,?,?,?,?,?,?,?,?)"),
         {sql::text(clean(Name, kNameWidth)), sql::text(clean(Reference, kReferenceWidth)),
          sql::text(clean(Description, kDescriptionWidth)), sql::integer(OwnerID), sql::date(StartDate),
          sql::date(EndDate), sql::integer(StatusID), sql::integer(WBS), sql::integer(State)}},
         QStringLiteral("ProjectID"));
}

qint32 ZorbelClass::DeleteProject(qint32 ProjectID) {
    MemberCall call(*this, QStringLiteral("DeleteProject"));
    // The project's own row only: its milestones, deliverables and the rest stay.
    return call.run({QStringLiteral("DELETE FROM ZORBEL_PROJECTS  WHERE ProjectID = ?"), {sql::integer(ProjectID)}});
}

} // namespace zorbel
