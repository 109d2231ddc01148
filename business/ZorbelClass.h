#pragma once
// The business object: the only code that talks to the database. Every public
// member runs one statement (an Add gets its new key with it) inside the frame
// of MemberCall: failures are reported through the message sink and never
// reach the caller, except a failed ConnectDSN.

#include "business/MessageSink.h"
#include "platform/data/Connection.h"
#include "platform/data/Recordset.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <chrono>
#include <memory>
#include <optional>

namespace zorbel {

using data::RecordsetPtr;

class MemberCall;

class ZorbelClass {
public:
    static constexpr const char* ProgID = "Zorbel5.ZorbelClass";
    // The error ConnectDSN raises to its caller after its message box.
    static constexpr qint32 kConnectFailed = -2147220480;
    // The password the business layer adds to every connection string.
    static constexpr const char* kDatabasePassword = "Qe4Lr9vKmT2pXbHs8Wz";

    explicit ZorbelClass(MessageSink sink = {});
    ~ZorbelClass();
    ZorbelClass(const ZorbelClass&) = delete;
    ZorbelClass& operator=(const ZorbelClass&) = delete;

    void setMessageSink(MessageSink sink);
    // The public members in the order of the automation interface.
    static const QStringList& InterfaceMembers();
    // The open connection, for set-up and tests; null before ConnectDSN.
    data::Connection* connection() const { return m_connection.get(); }

    // Connection and settings
    qint16 ConnectDSN(const QString& strDSN); // throws data::Error(kConnectFailed)
    RecordsetPtr GetConfiguration();

    // Log-on and project team
    RecordsetPtr UserLogOn(const QString& UserName, const QString& Password);
    RecordsetPtr GetProjectTeam(qint32 ProjectID);
    qint16 AddTeamMember(qint32 UserID, qint32 ProjectID, const QString& FullName, const QString& FirstName,
                         const QString& SurName);
    qint16 DeleteTeamMember(qint32 TeamID);

    // Status and state lists
    RecordsetPtr GetProjectStates();
    RecordsetPtr GetProjectStatus();

    // Milestones and deliverables
    RecordsetPtr GetMilestones(qint32 ProjectID, qint32 MilestoneID = 0);
    qint32 DeleteMilestone(qint32 MilestoneID);
    qint32 AddMilestone(qint32 ProjectID, const QString& Description, const QDateTime& StartDate,
                        const QDateTime& EndDate, qint16 StatusID, qint32 OwnerID);
    qint32 UpdateMilestone(qint32 MilestoneID, qint32 ProjectID, const QString& Description,
                           const QDateTime& StartDate, const QDateTime& EndDate, qint16 StatusID, qint32 OwnerID);
    RecordsetPtr GetDeliverables(qint32 ProjectID, qint32 DeliverableID = 0);
    qint32 DeleteDeliverable(qint32 ID);
    // Metric comes back cleaned and cut, as stored.
    qint32 AddDeliverable(qint32 ProjectID, qint16 StatusID, const QString& Deliverable, QString& Metric,
                          qint32 OwnerID, const QDateTime& StartDate, const QDateTime& EndDate, qint16 WBS,
                          qint16 CSF);
    qint32 UpdateDeliverable(qint32 DeliverableID, qint32 ProjectID, qint16 StatusID, const QString& Deliverable,
                             const QString& Metric, qint32 OwnerID, const QDateTime& StartDate,
                             const QDateTime& EndDate, qint16 WBS, qint16 CSF);

    // Tasks, actions and progress entries
    RecordsetPtr GetTasks(qint32 DeliverableID, qint32 TaskID = 0);
    qint32 UpdateTask(qint32 TaskID, qint32 DeliverableID, qint16 StatusID, const QString& Description,
                      qint32 OwnerID, const QDateTime& StartDate, const QDateTime& EndDate, qint32 Dependency,
                      qint16 WBS);
    qint32 AddTask(qint32 DeliverableID, qint16 StatusID, const QString& Description, qint32 OwnerID,
                   const QDateTime& StartDate, const QDateTime& EndDate, qint32 Dependency, qint16 WBS);
    qint32 DeleteTask(qint32 TaskID);
    RecordsetPtr GetActions(qint32 TaskID, qint32 ActionID = 0);
    qint32 UpdateAction(qint32 ActionID, qint32 TaskID, const QString& Description, const QDateTime& StartDate,
                        const QDateTime& EndDate, qint16 StatusID, qint32 OwnerID, qint16 WBS);
    qint32 AddAction(qint32 TaskID, const QString& Description, const QDateTime& StartDate,
                     const QDateTime& EndDate, qint16 StatusID, qint32 OwnerID, qint16 WBS);
    qint32 DeleteAction(qint32 ActionID);
    RecordsetPtr GetProgress(qint32 ActionID, qint32 ProgressID = 0);
    qint32 UpdateProgress(qint32 ProgressID, qint32 ActionID, const QDateTime& ProgressDate,
                          const QString& Description, qint32 OwnerID, qint16 WBS);
    qint32 AddProgress(qint32 ActionID, const QDateTime& ProgressDate, const QString& Description, qint32 OwnerID,
                       qint16 WBS);
    qint32 DeleteProgress(qint32 ProgressID);

    // Projects
    RecordsetPtr GetProjects(qint16 State, qint32 ProjectID = 0);
    RecordsetPtr GetProjectsByAdmin(qint16 State, qint32 MultiUserID);
    RecordsetPtr GetAllProjects();
    qint32 UpdateProject(qint32 ProjectID, const QString& Name, const QString& Reference,
                         const QString& Description, qint32 OwnerID, const QDateTime& StartDate,
                         const QDateTime& EndDate, qint16 StatusID, qint16 WBS, qint16 State);
    qint32 UpdateProjectDates(qint32 ProjectID, const QDateTime& StartDate, const QDateTime& EndDate);
    qint32 AddProject(const QString& Name, const QString& Reference, const QString& Description, qint32 OwnerID,
                      const QDateTime& StartDate, const QDateTime& EndDate, qint16 StatusID, qint16 WBS,
                      qint16 State);
    qint32 DeleteProject(qint32 ProjectID);

    // Log-in accounts and contacts
    RecordsetPtr GetUsers(qint16 Mode = 0, qint32 MultiUserID = 0);
    qint32 DeleteUser(qint32 ID);
    qint32 AddUser(qint32 UserID, const QString& UserName, const QString& Password, const QString& FullName,
                   qint16 Administrator);
    qint32 UpdateUser(qint32 MultiUserID, qint32 UserID, const QString& UserName, const QString& Password,
                      const QString& FullName, qint16 Administrator);
    RecordsetPtr GetContacts(qint16 Mode = 0, qint32 UserID = 0);
    qint32 DeleteContact(qint32 ID);
    qint32 AddContact(const QString& FirstName, const QString& LastName, const QString& Title,
                      const QString& email, const QString& Company, const QString& Telephone,
                      const QString& Mobile);
    qint32 UpdateContact(qint32 ContactID, const QString& FirstName, const QString& LastName,
                         const QString& Title, const QString& email, const QString& Company,
                         const QString& Telephone, const QString& Mobile);

    // Issues, issue groups and issue look-ups
    RecordsetPtr GetIssueStatus();
    RecordsetPtr GetIssueSeverity();
    RecordsetPtr GetIssueUrgency();
    RecordsetPtr GetIssueSchedule();
    RecordsetPtr GetIssues(const QString& srtField, qint32 ProjectID, qint32 GroupID, qint16 MinStatus);
    qint32 AddIssue(const QVariant& ProjectID, qint32 IssueGroupID, const QString& IssueReference,
                    const QDateTime& IssueDate, const QString& Issue, const QString& Impact,
                    const QString& Resolution, qint32 OwnerID, qint16 StatusID, qint16 SeverityID,
                    qint16 UrgencyID, qint16 ScheduleID);
    qint32 UpdateIssue(qint32 IssueID, const QVariant& ProjectID, qint32 IssueGroupID,
                       const QString& IssueReference, const QDateTime& IssueDate, const QString& Issue,
                       const QString& Impact, const QString& Resolution, qint32 OwnerID, qint16 StatusID,
                       qint16 SeverityID, qint16 UrgencyID, qint16 ScheduleID);
    qint32 DeleteIssue(qint32 IssueID);
    RecordsetPtr GetIssuesGroups();
    qint32 DeleteIssueGroup(qint32 IssueGroupID);
    qint32 AddIssueGroup(const QString& Description);
    // Beside the automation interface: how many issues, of every project and
    // status, are filed under the group, so that no group is deleted from
    // under its issues; nothing after a failure.
    std::optional<qint32> IssuesInGroup(qint32 IssueGroupID);

    // Risks and risk types
    RecordsetPtr GetRiskTypes();
    RecordsetPtr GetRisks(qint32 TaskID, const QString& srtField, qint16 ProjectRisk, qint32 RiskID = 0);
    qint32 AddRisk(qint32 TaskID, qint16 RiskType, const QString& Description, const QString& Impact,
                   const QString& Mitigation, qint32 OwnerID, double RiskLevel, double Probability,
                   const QString& RiskNote, qint16 ProjectRisk);
    qint32 UpdateRisk(qint32 RiskID, qint32 TaskID, qint16 RiskType, const QString& Description,
                      const QString& Impact, const QString& Mitigation, qint32 OwnerID, double RiskLevel,
                      double Probability, const QString& RiskNote, qint16 ProjectRisk);
    qint32 DeleteRisk(qint32 RiskID);

    // Per-project user rights
    RecordsetPtr GetAdminLevels();
    RecordsetPtr GetUserAdmin(qint32 ID);
    qint32 AddUserAdmin(qint32 MultiUserID, qint32 ProjectID, const QString& ProjectName, qint16 ProjectAdminLevel,
                        qint16 TaskAdminLevel, qint16 ActionAdminLevel, qint16 ProgressAdminLevel,
                        qint16 IssueAdminLevel);
    qint32 UpdateUserAdmin(qint32 AdminID, qint32 MultiUserID, qint32 ProjectID, const QString& ProjectName,
                           qint16 ProjectAdminLevel, qint16 TaskAdminLevel, qint16 ActionAdminLevel,
                           qint16 ProgressAdminLevel, qint16 IssueAdminLevel);
    qint32 DeleteUserAdmin(qint32 AdminID);

    // Documents
    RecordsetPtr GetDocuments(qint32 ProjectID);
    qint32 DeleteDocument(qint32 ID);
    RecordsetPtr GetDocumentTypes();
    qint32 AddDocument(qint16 DocType, qint32 Owner, const QString& Name, const QString& Location,
                       const QString& RevisionNo, const QDateTime& DocDate, qint32 ProjectID,
                       const QString& OLELink);

private:
    friend class MemberCall;

    // The two argument-check styles: a warning titled "Class Error", or the bare text.
    void warnCheck(const QString& text);
    void textCheck(const QString& text);
    int message(const QString& text, int flags, const QString& title = QString());

    // The last box that said the database server is out of reach, and when it
    // was answered: MemberCall shows no other for the lists read straight after.
    struct Unreachable {
        QString description;
        std::chrono::steady_clock::time_point answered;
    };

    std::unique_ptr<data::Connection> m_connection;
    RecordsetPtr m_scratch;
    MessageSink m_sink;
    Unreachable m_unreachable;
};

} // namespace zorbel
