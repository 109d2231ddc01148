#pragma once
// The orderings that the issue log and the risk register may ask for. Callers
// name an ordering as SQL text; only the texts below ever reach a statement.

#include <QString>
#include <optional>

namespace zorbel::ordering {

// The ORDER BY terms for a caller's ordering text (blanks need not match
// exactly), with the key as the last term; nothing when the text is not known.
std::optional<QString> issues(const QString& requested);
std::optional<QString> risks(const QString& requested);

} // namespace zorbel::ordering
