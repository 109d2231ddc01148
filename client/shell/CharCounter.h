#pragma once
// A "characters left" label beside a box whose text the business layer cuts
// to a limit (255 for the long texts, 50 for a document's revision number).
// A window gives the box, the label and the limit; on every change of the
// box's text, typed or set by code, the label shows the limit minus the
// text's length. The box itself is limited to the same width (TextLimit.h),
// so the count stops at zero. The label stays as it is until the box first
// changes.

#include <QString>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace zorbel::shell {

// The limit minus the text's length in characters, counted as the business
// layer counts them when it cuts (a character outside the basic plane is one).
int charactersLeft(const QString& text, int limit);

void attachCharCounter(QLineEdit& box, QLabel& counter, int limit);
void attachCharCounter(QPlainTextEdit& box, QLabel& counter, int limit);

} // namespace zorbel::shell
