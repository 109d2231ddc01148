#include "business/members/Ordering.h"

#include <QStringList>

namespace zorbel::ordering {
namespace {

// Blanks only separate words: a run of them counts as one, and a blank next to
// a parenthesis or '*' does not count, so "( RiskLevel*Probability )  DESC"
// compares equal to the list's text.
QString normalised(const QString& text) {
    QString spaced;
    spaced.reserve(text.size() * 2);
    for (const QChar c : text) {
        if (c == u'(' || c == u')' || c == u'*')
            spaced += QLatin1Char(' ') + c + QLatin1Char(' ');
        else
            spaced += c;
    }
    return spaced.simplified();
}

std::optional<QString> pick(const QString& requested, const QStringList& allowed, const QString& key) {
    const QString wanted = normalised(requested);
    for (const QString& text : allowed) {
        if (normalised(text) != wanted)
            continue;
        // The key breaks ties so that equal values always come in the same order.
        if (text == key)
            return text;
        return text + QStringLiteral(", ") + key;
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> issues(const QString& requested) {
    static const QStringList allowed = {
        QStringLiteral("IssueReference"), QStringLiteral("IssueDate"),     QStringLiteral("IssueDate DESC"),
        QStringLiteral("Issue"),          QStringLiteral("OwnerID"),       QStringLiteral("StatusID DESC"),
        QStringLiteral("SeverityID DESC"), QStringLiteral("UrgencyID DESC"), QStringLiteral("ScheduleID DESC"),
        QStringLiteral("IssueID")};
    return pick(requested, allowed, QStringLiteral("IssueID"));
}

std::optional<QString> risks(const QString& requested) {
    static const QStringList allowed = {QStringLiteral("(RiskLevel * Probability) DESC"),
                                        QStringLiteral("Description"),
                                        QStringLiteral("OwnerID"),
                                        QStringLiteral("RiskType"),
                                        QStringLiteral("RiskLevel DESC"),
                                        QStringLiteral("Probability DESC")};
    return pick(requested, allowed, QStringLiteral("RiskID"));
}

} // namespace zorbel::ordering
