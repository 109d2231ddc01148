// The document register of a project: entries that link to files elsewhere.

#include "business/MemberCall.h"
#include "business/Text.h"
#include "business/Widths.h"
#include "business/ZorbelClass.h"

namespace zorbel {
namespace {

constexpr int kNameWidth = widths::of("ZORBEL_DOCUMENTS", "Name");
constexpr int kLocationWidth = widths::of("ZORBEL_DOCUMENTS", "Location");
constexpr int kRevisionWidth = widths::of("ZORBEL_DOCUMENTS", "RevisionNo");
constexpr int kLinkWidth = widths::of("ZORBEL_DOCUMENTS", "OLELink");

bool longerThan(const QString& text, int width) {
    return cutToCharacters(text, width) != text;
}

// Why a link cannot be stored so that it still opens its file; empty when it
// can. The name and the folder are given as they are stored.
QString linkFault(const QString& name, const QString& location, const QString& link) {
    // One engine would end the text there, the other refuses it; no file name holds one.
    if (link.contains(QChar(u'\0')))
        return QStringLiteral("the link holds a NUL character");
    if (longerThan(link, kLinkWidth))
        return QStringLiteral("the link is longer than %1 characters").arg(kLinkWidth);
    if (longerThan(location, kLocationWidth))
        return QStringLiteral("the folder is longer than %1 characters").arg(kLocationWidth);
    if (longerThan(name, kNameWidth))
        return QStringLiteral("the file name is longer than %1 characters").arg(kNameWidth);
    return {};
}

} // namespace

RecordsetPtr ZorbelClass::GetDocuments(qint32 ProjectID) {
    MemberCall call(*this, QStringLiteral("GetDocuments"));
    return call.query({QStringLiteral("SELECT DocumentID, DocType, Owner, Name, Location, RevisionNo, DocDate, "
                                      "ProjectID, OLELink From ZORBEL_DOCUMENTS WHERE ProjectID = ? "
                                      "ORDER BY Name, DocumentID"),
                       {sql::integer(ProjectID)}});
}

qint32 ZorbelClass::DeleteDocument(qint32 ID) {
    MemberCall call(*this, QStringLiteral("DeleteDocument"));
    return call.run({QStringLiteral("DELETE FROM ZORBEL_DOCUMENTS  WHERE DocumentID = ?"), {sql::integer(ID)}});
}

RecordsetPtr ZorbelClass::GetDocumentTypes() {
    MemberCall call(*this, QStringLiteral("GetDocumentTypes"));
    return call.query(
        {QStringLiteral("SELECT DocumentTypeID, Name From ZORBEL_DOCUMENT_TYPES ORDER BY DocumentTypeID"), {}});
}

qint32 ZorbelClass::AddDocument(qint16 DocType, qint32 Owner, const QString& Name, const QString& Location,
                                const QString& RevisionNo, const QDateTime& DocDate, qint32 ProjectID,
                                const QString& OLELink) {
    MemberCall call(*this, QStringLiteral("AddDocument"));
    // A link that was cut would name another file, or none: refuse it rather
    // than store an entry that cannot be opened. The link is bound as it
    // stands, apostrophes and all, so that it keeps naming its file; the
    // texts only shown keep the cleaning every text gets.
    const QString name = clean(Name, 0);
    const QString location = clean(Location, 0);
    const QString fault = linkFault(name, location, OLELink);
    if (!fault.isEmpty()) {
        call.fail(fault);
        return 0;
    }
    return call.run({QStringLiteral("INSERT INTO ZORBEL_DOCUMENTS ( DocType, Owner, Name, Location, RevisionNo, "
                                    "DocDate, ProjectID, OLELink ) VALUES (?,?,?,?,?,?,?,?)"),
                     {sql::integer(DocType), sql::integer(Owner), sql::text(name), sql::text(location),
                      sql::text(clean(RevisionNo, kRevisionWidth)),
                      sql::date(DocDate), sql::integer(ProjectID), sql::text(OLELink)}});
}

} // namespace zorbel
