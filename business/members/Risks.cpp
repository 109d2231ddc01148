// The risk register. One table holds task risks (ProjectRisk 0, TaskID a task)
// and project risks (ProjectRisk 1, TaskID the project's id).

#include "business/MemberCall.h"
#include "business/Widths.h"
#include "business/ZorbelClass.h"
#include "business/members/Ordering.h"

namespace zorbel {
namespace {

constexpr int kDescriptionWidth = widths::of("ZORBEL_RISKS", "Description");
constexpr int kImpactWidth = widths::of("ZORBEL_RISKS", "Impact");
constexpr int kMitigationWidth = widths::of("ZORBEL_RISKS", "Mitigation");
constexpr int kNoteWidth = widths::of("ZORBEL_RISKS", "RiskNote");

} // namespace

RecordsetPtr ZorbelClass::GetRiskTypes() {
    MemberCall call(*this, QStringLiteral("GetRiskTypes"));
    return call.query({QStringLiteral("SELECT RiskTypeID, RiskType From ZORBEL_RISK_TYPES ORDER BY RiskTypeID"), {}});
}

RecordsetPtr ZorbelClass::GetRisks(qint32 TaskID, const QString& srtField, qint16 ProjectRisk, qint32 RiskID) {
    MemberCall call(*this, QStringLiteral("GetRisks"));
    const QString head = QStringLiteral("SELECT RiskID, TaskID, RiskType, Description, Impact, Mitigation, OwnerID, "
                                        "RiskLevel, Probability, RiskNote, ProjectRisk FROM ZORBEL_RISKS ");
    if (RiskID != 0)
        return call.query({head + QStringLiteral("WHERE (RiskID = ? )"), {sql::integer(RiskID)}});

    const std::optional<QString> order = ordering::risks(srtField);
    if (!order) {
        call.fail(QStringLiteral("Unknown ordering: ") + srtField);
        return {};
    }
    return call.query({head + QStringLiteral("WHERE (TaskID = ? AND ProjectRisk = ?)ORDER BY ") + *order,
                       {sql::integer(TaskID), sql::integer(ProjectRisk)}});
}

qint32 ZorbelClass::AddRisk(qint32 TaskID, qint16 RiskType, const QString& Description, const QString& Impact,
                            const QString& Mitigation, qint32 OwnerID, double RiskLevel, double Probability,
                            const QString& RiskNote, qint16 ProjectRisk) {
    MemberCall call(*this, QStringLiteral("AddRisk"));
    return call.run({QStringLiteral("INSERT INTO ZORBEL_RISKS ( TaskID, RiskType, Description, Impact, Mitigation, "
                                    "OwnerID, RiskLevel, Probability, RiskNote, ProjectRisk ) "
                                    "VALUES (?,?,?,?,?,?,?,?,?,?)"),
                     {sql::integer(TaskID), sql::integer(RiskType), sql::text(clean(Description, kDescriptionWidth)),
                      sql::text(clean(Impact, kImpactWidth)), sql::text(clean(Mitigation, kMitigationWidth)),
                      sql::integer(OwnerID), sql::real(RiskLevel), sql::real(Probability),
                      sql::text(clean(RiskNote, kNoteWidth)), sql::integer(ProjectRisk)}});
}

qint32 ZorbelClass::UpdateRisk(qint32 RiskID, qint32 TaskID, qint16 RiskType, const QString& Description,
                               const QString& Impact, const QString& Mitigation, qint32 OwnerID, double RiskLevel,
                               double Probability, const QString& RiskNote, qint16 ProjectRisk) {
    MemberCall call(*this, QStringLiteral("UpdateRisk"));
    return call.update({QStringLiteral("UPDATE ZORBEL_RISKS SET TaskID = ?,RiskType = ?,Description = ?,Impact = ?,"
                                       "Mitigation = ?,OwnerID = ?,RiskLevel = ?,Probability = ?,RiskNote = ?,"
                                       "ProjectRisk = ? WHERE RiskID = ?"),
                        {sql::integer(TaskID), sql::integer(RiskType), sql::text(clean(Description, kDescriptionWidth)),
                         sql::text(clean(Impact, kImpactWidth)), sql::text(clean(Mitigation, kMitigationWidth)),
                         sql::integer(OwnerID), sql::real(RiskLevel), sql::real(Probability),
                         sql::text(clean(RiskNote, kNoteWidth)), sql::integer(ProjectRisk), sql::integer(RiskID)}});
}

qint32 ZorbelClass::DeleteRisk(qint32 RiskID) {
    MemberCall call(*this, QStringLiteral("DeleteRisk"));
    return call.run({QStringLiteral("DELETE FROM ZORBEL_RISKS  WHERE RiskID = ?"), {sql::integer(RiskID)}});
}

} // namespace zorbel
