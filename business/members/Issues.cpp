// The issue log: look-up lists, issues and issue groups.

#include "business/MemberCall.h"
#include "business/Widths.h"
#include "business/ZorbelClass.h"
#include "business/members/Ordering.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>
#include <optional>

namespace zorbel {
namespace {

constexpr int kReferenceWidth = widths::of("ZORBEL_ISSUE_LOG", "IssueReference");
constexpr int kIssueWidth = widths::of("ZORBEL_ISSUE_LOG", "Issue");
constexpr int kImpactWidth = widths::of("ZORBEL_ISSUE_LOG", "Impact");
constexpr int kResolutionWidth = widths::of("ZORBEL_ISSUE_LOG", "Resolution");
constexpr int kGroupWidth = widths::of("ZORBEL_ISSUES_GROUPS", "Description");

// The project id arrives as whatever the issue log holds. Only a whole number
// that fits 32 bits names a project: an empty or garbled value would store an
// issue that no list ever shows.
std::optional<qint32> projectId(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    qint64 number = 0;
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::SChar:
    case QMetaType::UChar:
        number = value.toLongLong();
        break;
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        if (value.toULongLong() > static_cast<qulonglong>(std::numeric_limits<qint32>::max()))
            return std::nullopt;
        number = value.toLongLong();
        break;
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        // NaN fails both comparisons; fractions are not ids
        if (!(d >= std::numeric_limits<qint32>::min() && d <= std::numeric_limits<qint32>::max())
            || d != std::trunc(d))
            return std::nullopt;
        number = static_cast<qint64>(d);
        break;
    }
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        static const QRegularExpression digits(QStringLiteral("^\\s*-?\\d{1,10}\\s*$"));
        const QString text = value.toString();
        if (!digits.match(text).hasMatch())
            return std::nullopt;
        number = text.trimmed().toLongLong();
        break;
    }
    default:
        return std::nullopt;
    }
    if (number == 0 || number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(number);
}

} // namespace

RecordsetPtr ZorbelClass::GetIssueStatus() {
    MemberCall call(*this, QStringLiteral("GetIssueStatus"));
    return call.query(
        {QStringLiteral("SELECT IssueStatusID, Status From ZORBEL_ISSUE_STATUS_TYPES ORDER BY IssueStatusID"), {}});
}

RecordsetPtr ZorbelClass::GetIssueSeverity() {
    MemberCall call(*this, QStringLiteral("GetIssueSeverity"));
    return call.query({QStringLiteral("SELECT SeverityID, Severity From ZORBEL_ISSUE_SEVERITY ORDER BY SeverityID"), {}});
}

RecordsetPtr ZorbelClass::GetIssueUrgency() {
    MemberCall call(*this, QStringLiteral("GetIssueUrgency"));
    return call.query({QStringLiteral("SELECT UrgencyID, Urgency From ZORBEL_ISSUE_URGENCY ORDER BY UrgencyID"), {}});
}

RecordsetPtr ZorbelClass::GetIssueSchedule() {
    MemberCall call(*this, QStringLiteral("GetIssueSchedule"));
    return call.query({QStringLiteral("SELECT ScheduleID, Schedule From ZORBEL_ISSUE_SCHEDULE ORDER BY ScheduleID"), {}});
}

RecordsetPtr ZorbelClass::GetIssues(const QString& srtField, qint32 ProjectID, qint32 GroupID, qint16 MinStatus) {
    MemberCall call(*this, QStringLiteral("GetIssues"));
    const std::optional<QString> order = ordering::issues(srtField);
    if (!order) {
        call.fail(QStringLiteral("Unknown ordering: ") + srtField);
        return {};
    }
    // Status 1 is the closed list; every other request asks for the open issues.
    const QString status = MinStatus == 1 ? QStringLiteral(" AND StatusID = 1)") : QStringLiteral(" AND StatusID > 1)");
    return call.query({QStringLiteral("SELECT IssueID, ProjectID, IssueGroupID, IssueReference, IssueDate, Issue, "
                                      "Impact, Resolution, OwnerID, StatusID, SeverityID, UrgencyID, ScheduleID "
                                      "From ZORBEL_ISSUE_LOG WHERE (ProjectID = ? AND IssueGroupID = ?")
                           + status + QStringLiteral("ORDER BY ") + *order,
                       {sql::integer(ProjectID), sql::integer(GroupID)}});
}

qint32 ZorbelClass::AddIssue(const QVariant& ProjectID, qint32 IssueGroupID, const QString& IssueReference,
                             const QDateTime& IssueDate, const QString& Issue, const QString& Impact,
                             const QString& Resolution, qint32 OwnerID, qint16 StatusID, qint16 SeverityID,
                             qint16 UrgencyID, qint16 ScheduleID) {
    const std::optional<qint32> project = projectId(ProjectID);
    if (!project) {
        textCheck(QStringLiteral("Invalid ProjectID"));
        return 0;
    }
    MemberCall call(*this, QStringLiteral("AddIssue"));
    return call.run(
        {QStringLiteral("INSERT INTO ZORBEL_ISSUE_LOG ( ProjectID, IssueGroupID, IssueReference, IssueDate, Issue, "
                        "Impact, Resolution,OwnerID,StatusID,SeverityID,UrgencyID,ScheduleID) "
                        "VALUES (?,?,?,?,?,?,?,?,?,?,?,?)"),
         {sql::integer(*project), sql::integer(IssueGroupID), sql::text(clean(IssueReference, kReferenceWidth)),
          sql::date(IssueDate), sql::text(clean(Issue, kIssueWidth)), sql::text(clean(Impact, kImpactWidth)),
          sql::text(clean(Resolution, kResolutionWidth)), sql::integer(OwnerID), sql::integer(StatusID),
          sql::integer(SeverityID), sql::integer(UrgencyID), sql::integer(ScheduleID)}});
}

qint32 ZorbelClass::UpdateIssue(qint32 IssueID, const QVariant& ProjectID, qint32 IssueGroupID,
                                const QString& IssueReference, const QDateTime& IssueDate, const QString& Issue,
                                const QString& Impact, const QString& Resolution, qint32 OwnerID, qint16 StatusID,
                                qint16 SeverityID, qint16 UrgencyID, qint16 ScheduleID) {
    if (IssueID == 0) {
        textCheck(QStringLiteral("Invalid IssueID"));
        return 0;
    }
    const std::optional<qint32> project = projectId(ProjectID);
    if (!project) {
        textCheck(QStringLiteral("Invalid ProjectID"));
        return 0;
    }
    MemberCall call(*this, QStringLiteral("UpdateIssue"));
    return call.update(
        {QStringLiteral("UPDATE ZORBEL_ISSUE_LOG SET ProjectID = ?,IssueGroupID = ?,IssueReference = ?,"
                        "IssueDate = ?,Issue = ?,Impact = ?,Resolution = ?,OwnerID = ?,StatusID = ?,"
                        "SeverityID = ?,UrgencyID = ?,ScheduleID = ? WHERE IssueID = ?"),
         {sql::integer(*project), sql::integer(IssueGroupID), sql::text(clean(IssueReference, kReferenceWidth)),
          sql::date(IssueDate), sql::text(clean(Issue, kIssueWidth)), sql::text(clean(Impact, kImpactWidth)),
          sql::text(clean(Resolution, kResolutionWidth)), sql::integer(OwnerID), sql::integer(StatusID),
          sql::integer(SeverityID), sql::integer(UrgencyID), sql::integer(ScheduleID), sql::integer(IssueID)}});
}

qint32 ZorbelClass::DeleteIssue(qint32 IssueID) {
    MemberCall call(*this, QStringLiteral("DeleteIssue"));
    return call.run({QStringLiteral("DELETE FROM ZORBEL_ISSUE_LOG  WHERE IssueID = ?"), {sql::integer(IssueID)}});
}

RecordsetPtr ZorbelClass::GetIssuesGroups() {
    MemberCall call(*this, QStringLiteral("GetIssuesGroups"));
    return call.query(
        {QStringLiteral("SELECT IssueGroupID, Description From ZORBEL_ISSUES_GROUPS ORDER BY Description, IssueGroupID"),
         {}});
}

qint32 ZorbelClass::DeleteIssueGroup(qint32 IssueGroupID) {
    MemberCall call(*this, QStringLiteral("DeleteIssueGroup"));
    return call.run(
        {QStringLiteral("DELETE FROM ZORBEL_ISSUES_GROUPS  WHERE IssueGroupID = ?"), {sql::integer(IssueGroupID)}});
}

std::optional<qint32> ZorbelClass::IssuesInGroup(qint32 IssueGroupID) {
    MemberCall call(*this, QStringLiteral("IssuesInGroup"));
    const RecordsetPtr rs = call.query(
        {QStringLiteral("SELECT COUNT(*) FROM ZORBEL_ISSUE_LOG WHERE IssueGroupID = ?"), {sql::integer(IssueGroupID)}});
    if (!rs || rs->RecordCount() != 1)
        return std::nullopt;
    return rs->Fields(0).toInt();
}

qint32 ZorbelClass::AddIssueGroup(const QString& Description) {
    MemberCall call(*this, QStringLiteral("AddIssueGroup"));
    return call.run({QStringLiteral("INSERT INTO ZORBEL_ISSUES_GROUPS ( Description ) VALUES (?)"),
                     {sql::text(clean(Description, kGroupWidth))}});
}

} // namespace zorbel
