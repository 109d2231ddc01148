#include "platform/xlsx/SheetName.h"

#include "platform/xlsx/Address.h"

namespace zorbel::xl {

QString sheetNameProblem(const QString& name, const QStringList& otherNames)
{
    if (name.isEmpty())
        return QStringLiteral("a sheet name cannot be empty");
    if (name.size() > 31)
        return QStringLiteral("a sheet name has at most 31 characters");
    for (QChar c : name) {
        if (QStringLiteral(":\\/?*[]").contains(c) || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return QStringLiteral("a sheet name cannot hold any of : \\ / ? * [ ] or a control character");
    }
    if (name.startsWith(u'\'') || name.endsWith(u'\''))
        return QStringLiteral("a sheet name cannot start or end with an apostrophe");
    if (name.compare(u"History", Qt::CaseInsensitive) == 0)
        return QStringLiteral("\"History\" is reserved");
    if (otherNames.contains(name, Qt::CaseInsensitive))
        return QStringLiteral("another sheet of the workbook has that name");
    return {};
}

QString definedNameProblem(const QString& name)
{
    // Plain letters only: the file writer checks names byte by byte.
    auto isLetter = [](QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); };
    auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (name.isEmpty() || name.size() > 255)
        return QStringLiteral("a name has 1 to 255 characters");
    if (!(isLetter(name[0]) || name[0] == u'_' || name[0] == u'\\'))
        return QStringLiteral("a name starts with a letter, \"_\" or \"\\\"");
    for (qsizetype i = 1; i < name.size(); ++i) {
        const QChar c = name[i];
        if (!(isLetter(c) || isDigit(c) || c == u'_' || c == u'.'))
            return QStringLiteral("a name goes on with letters, digits, \"_\" and \".\" only");
    }
    if (looksLikeCellReference(name))
        return QStringLiteral("a name cannot look like a cell reference");
    return {};
}

} // namespace zorbel::xl
