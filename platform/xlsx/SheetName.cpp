#include "platform/xlsx/SheetName.h"

#include "platform/xlsx/Address.h"
#include "platform/xlsx/TextEscape.h"

#include <algorithm>
#include <vector>

namespace zorbel::xl {

namespace {

bool refusedInSheetName(QChar c)
{
    return QStringLiteral(":\\/?*[]").contains(c) || c.unicode() < 0x20 || c.unicode() == 0x7F;
}

// The first `width` UTF-16 units, dropping the first half of a pair the cut would split.
QString cutSheetName(const QString& name, int width)
{
    if (name.size() <= width)
        return name;
    QString cut = name.left(width);
    if (cut.back().isHighSurrogate())
        cut.chop(1);
    return cut;
}

QString withoutEndApostrophes(QString name)
{
    if (name.startsWith(u'\''))
        name[0] = u'-';
    if (name.endsWith(u'\''))
        name[name.size() - 1] = u'-';
    return name;
}

} // namespace

bool sameSheetName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString sheetNameProblem(const QString& name, const QStringList& otherNames)
{
    if (name.isEmpty())
        return QStringLiteral("a sheet name cannot be empty");
    if (name.size() > kSheetNameWidth)
        return QStringLiteral("a sheet name has at most 31 characters");
    for (QChar c : name) {
        if (refusedInSheetName(c))
            return QStringLiteral("a sheet name cannot hold any of : \\ / ? * [ ] or a control character");
    }
    if (name.startsWith(u'\'') || name.endsWith(u'\''))
        return QStringLiteral("a sheet name cannot start or end with an apostrophe");
    if (sameSheetName(name, QStringLiteral("History")))
        return QStringLiteral("\"History\" is reserved");
    const auto sameAsName = [&name](const QString& other) { return sameSheetName(name, other); };
    if (std::any_of(otherNames.begin(), otherNames.end(), sameAsName))
        return QStringLiteral("another sheet of the workbook has that name");
    return {};
}

QString sheetNameFor(const QString& wanted, const QStringList& otherNames)
{
    // The name as the sheet would hold it, so that names that become one in the file are told apart here.
    QString base = xmlSafeText(wanted);
    for (QChar& c : base)
        if (refusedInSheetName(c))
            c = u'-';
    base = withoutEndApostrophes(cutSheetName(base, kSheetNameWidth));
    if (base.isEmpty())
        base = QStringLiteral("-");
    if (sheetNameProblem(base, otherNames).isEmpty())
        return base;
    for (int n = 2;; ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        const QString name = withoutEndApostrophes(cutSheetName(base, kSheetNameWidth - int(suffix.size()))) + suffix;
        if (sheetNameProblem(name, otherNames).isEmpty())
            return name;
    }
}

QStringList sheetNamesFor(const QStringList& wanted)
{
    // Every name that is its own first, so that no mended one takes it.
    std::vector<bool> own(size_t(wanted.size()));
    QStringList taken;
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        const QString& name = wanted[i];
        own[size_t(i)] = xmlSafeText(name) == name && sheetNameProblem(name, taken).isEmpty();
        if (own[size_t(i)])
            taken << name;
    }
    QStringList names = wanted;
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        if (!own[size_t(i)]) {
            names[i] = sheetNameFor(wanted[i], taken);
            taken << names[i];
        }
    }
    return names;
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
