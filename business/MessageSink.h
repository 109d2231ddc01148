#pragma once
// Where the business layer's message boxes go. The business library shows no
// window itself: the program connects this to its message-box layer, tests to
// a recorder.

#include <QString>
#include <functional>

namespace zorbel {

// Receives the text, the classic flags (0 plain, 48 exclamation, ...) and the
// title (empty: the program's own). Returns the answer (1 = OK).
using MessageSink = std::function<int(const QString& text, int flags, const QString& title)>;

} // namespace zorbel
