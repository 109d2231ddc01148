#include "business/ZorbelClass.h"

#include "business/MemberCall.h"

#include <QDebug>

namespace zorbel {

ZorbelClass::ZorbelClass(MessageSink sink) : m_sink(std::move(sink)) {}

ZorbelClass::~ZorbelClass() {
    m_scratch.reset();
    m_connection.reset();
}

void ZorbelClass::setMessageSink(MessageSink sink) {
    m_sink = std::move(sink);
}

const QStringList& ZorbelClass::InterfaceMembers() {
    static const QStringList members = {
        "ConnectDSN", "GetConfiguration", "UserLogOn", "GetProjectTeam", "AddTeamMember", "DeleteTeamMember",
        "GetProjectStates", "GetProjectStatus", "GetMilestones", "DeleteMilestone", "AddMilestone",
        "UpdateMilestone", "GetDeliverables", "DeleteDeliverable", "AddDeliverable", "UpdateDeliverable",
        "GetTasks", "UpdateTask", "AddTask", "DeleteTask", "GetActions", "UpdateAction", "AddAction",
        "DeleteAction", "GetProgress", "UpdateProgress", "AddProgress", "DeleteProgress", "GetProjects",
        "GetProjectsByAdmin", "GetAllProjects", "UpdateProject", "UpdateProjectDates", "AddProject",
        "DeleteProject", "GetUsers", "DeleteUser", "AddUser", "UpdateUser", "GetContacts", "DeleteContact",
        "AddContact", "UpdateContact", "GetIssueStatus", "GetIssueSeverity", "GetIssueUrgency",
        "GetIssueSchedule", "GetIssues", "AddIssue", "UpdateIssue", "DeleteIssue", "GetIssuesGroups",
        "DeleteIssueGroup", "AddIssueGroup", "GetRiskTypes", "GetRisks", "AddRisk", "UpdateRisk", "DeleteRisk",
        "GetAdminLevels", "GetUserAdmin", "AddUserAdmin", "UpdateUserAdmin", "DeleteUserAdmin", "GetDocuments",
        "DeleteDocument", "GetDocumentTypes", "AddDocument"};
    return members;
}

int ZorbelClass::message(const QString& text, int flags, const QString& title) {
    if (m_sink)
        return m_sink(text, flags, title);
    qWarning().noquote() << (title.isEmpty() ? QString() : title + QStringLiteral(": ")) + text;
    return 1;
}

void ZorbelClass::warnCheck(const QString& text) {
    message(text, 48, QStringLiteral("Class Error"));
}

void ZorbelClass::textCheck(const QString& text) {
    message(text, 0);
}

qint16 ZorbelClass::ConnectDSN(const QString& strDSN) {
    try {
        m_connection.reset();
        auto connection = std::make_unique<data::Connection>();
        connection->Open(strDSN + QStringLiteral(";Password=") + QLatin1String(kDatabasePassword));
        m_connection = std::move(connection);
    } catch (const data::Error& e) {
        const QString text =
            e.number() == data::kDataSourceNotFound
                ? QStringLiteral("ODBC has not been set up correctly\r\n"
                                 "Set up the ODBC as in the instructions ZorbelLiteInstallation.pdf")
                : QStringLiteral("(C)Class Initialise Method FAILED: ") + e.description();
        message(text, 0);
        throw data::Error(kConnectFailed, QString());
    }
    return 0;
}

RecordsetPtr ZorbelClass::GetConfiguration() {
    MemberCall call(*this, QStringLiteral("GetConfiguration"));
    return call.query({QStringLiteral("SELECT ConfigurationID, OwnerAdmin, DateFormat, ExcelDateFormat, "
                                      "ProjectAdmin, Option1, Option2 FROM ZORBEL_CONFIGURATION "
                                      "WHERE (ConfigurationID = 1)"),
                       {}});
}

} // namespace zorbel
