#include "business/members/Ordering.h"

#include <vector>

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

// An ordering a caller may name, and the terms it runs as.
struct Known {
    QString named;
    QString terms;
};

std::optional<QString> pick(const QString& requested, const std::vector<Known>& allowed, const QString& key) {
    const QString wanted = normalised(requested);
    for (const Known& known : allowed) {
        if (normalised(known.named) != wanted)
            continue;
        // The key breaks ties so that equal values always come in the same order.
        if (known.terms == key)
            return known.terms;
        return known.terms + QStringLiteral(", ") + key;
    }
    return std::nullopt;
}

// Terms that run as they are named.
std::vector<Known> asNamed(std::initializer_list<const char*> names) {
    std::vector<Known> known;
    for (const char* name : names)
        known.push_back({QString::fromLatin1(name), QString::fromLatin1(name)});
    return known;
}

} // namespace

std::optional<QString> issues(const QString& requested) {
    static const std::vector<Known> allowed = [] {
        std::vector<Known> known = asNamed({"IssueReference", "Issue", "OwnerID", "StatusID DESC", "SeverityID DESC",
                                            "UrgencyID DESC", "ScheduleID DESC", "IssueID"});
        // Undated issues come first either way, as on every dated list; the
        // engines would otherwise put them at opposite ends.
        known.push_back({QStringLiteral("IssueDate"), QStringLiteral("IssueDate NULLS FIRST")});
        known.push_back({QStringLiteral("IssueDate DESC"), QStringLiteral("IssueDate DESC NULLS FIRST")});
        return known;
    }();
    return pick(requested, allowed, QStringLiteral("IssueID"));
}

std::optional<QString> risks(const QString& requested) {
    static const std::vector<Known> allowed = asNamed({"(RiskLevel * Probability) DESC", "Description", "OwnerID",
                                                       "RiskType", "RiskLevel DESC", "Probability DESC"});
    return pick(requested, allowed, QStringLiteral("RiskID"));
}

} // namespace zorbel::ordering
