// Contacts: the shared address list that owners and team members come from.

#include "business/MemberCall.h"
#include "business/Widths.h"
#include "business/ZorbelClass.h"

namespace zorbel {
namespace {

constexpr int kFirstNameWidth = widths::of("ZORBEL_USER_TABLE", "FirstName");
constexpr int kSurNameWidth = widths::of("ZORBEL_USER_TABLE", "SurName");
constexpr int kTitleWidth = widths::of("ZORBEL_USER_TABLE", "Title");
constexpr int kEmailWidth = widths::of("ZORBEL_USER_TABLE", "email");
constexpr int kCompanyWidth = widths::of("ZORBEL_USER_TABLE", "Company"); // kept whole
constexpr int kTelephoneWidth = widths::of("ZORBEL_USER_TABLE", "Telephone");
constexpr int kMobileWidth = widths::of("ZORBEL_USER_TABLE", "Mobile");

} // namespace

RecordsetPtr ZorbelClass::GetContacts(qint16 Mode, qint32 UserID) {
    MemberCall call(*this, QStringLiteral("GetContacts"));
    const QString head = QStringLiteral("SELECT UserID, SurName, FirstName, Title, email, Company, Telephone, Mobile "
                                        "FROM ZORBEL_USER_TABLE");
    if (Mode == 0)
        return call.query({head + QStringLiteral(" ORDER BY SurName, UserID"), {}});
    return call.query({head + QStringLiteral(" WHERE UserID = ?"), {sql::integer(UserID)}});
}

qint32 ZorbelClass::DeleteContact(qint32 ID) {
    MemberCall call(*this, QStringLiteral("DeleteContact"));
    return call.run({QStringLiteral("DELETE FROM ZORBEL_USER_TABLE  WHERE UserID = ?"), {sql::integer(ID)}});
}

qint32 ZorbelClass::AddContact(const QString& FirstName, const QString& LastName, const QString& Title,
                               const QString& email, const QString& Company, const QString& Telephone,
                               const QString& Mobile) {
    MemberCall call(*this, QStringLiteral("AddContact"), QStringLiteral("(C)Add Contact Method failed: "));
    return call.run({QStringLiteral("INSERT INTO ZORBEL_USER_TABLE ( FirstName, SurName, Title, email, Company, "
                                    "Telephone, Mobile ) VALUES (?,?,?,?,?,?,?)"),
                     {sql::text(clean(FirstName, kFirstNameWidth)), sql::text(clean(LastName, kSurNameWidth)),
                      sql::text(clean(Title, kTitleWidth)), sql::text(clean(email, kEmailWidth)),
                      sql::text(clean(Company, kCompanyWidth)), sql::text(clean(Telephone, kTelephoneWidth)),
                      sql::text(clean(Mobile, kMobileWidth))}});
}

qint32 ZorbelClass::UpdateContact(qint32 ContactID, const QString& FirstName, const QString& LastName,
                                  const QString& Title, const QString& email, const QString& Company,
                                  const QString& Telephone, const QString& Mobile) {
    if (ContactID == 0) {
        textCheck(QStringLiteral("Invalid ContactID"));
        return 0;
    }
    MemberCall call(*this, QStringLiteral("UpdateContact"), QStringLiteral("(C)Update Contact Method failed: "));
    return call.update({QStringLiteral("UPDATE ZORBEL_USER_TABLE SET FirstName = ?,SurName = ?,Title = ?,email = ?,"
                                       "Company = ?,Telephone = ?,Mobile = ? WHERE UserID = ?"),
                        {sql::text(clean(FirstName, kFirstNameWidth)), sql::text(clean(LastName, kSurNameWidth)),
                         sql::text(clean(Title, kTitleWidth)), sql::text(clean(email, kEmailWidth)),
                         sql::text(clean(Company, kCompanyWidth)), sql::text(clean(Telephone, kTelephoneWidth)),
                         sql::text(clean(Mobile, kMobileWidth)), sql::integer(ContactID)}});
}

} // namespace zorbel
