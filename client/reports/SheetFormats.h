#pragma once
// The few format bundles the report's sheets set again and again, each
// property on its own as a spreadsheet user would set them.

#include "platform/xlsx/Range.h"

namespace zorbel::reports {

// Arial in one size, bold or not, with strikethrough, superscript,
// subscript, outline and shadow off.
void setPlainArial(xl::Font font, double size, bool bold);
// A header's text: horizontal, not indented, not shrunk, read by context, not merged.
void setPlainTextLayout(const xl::Range& range);
// Left, top, wrapped: how every column of the report's tables reads.
void alignLeftTopWrapped(const xl::Range& range);

} // namespace zorbel::reports
