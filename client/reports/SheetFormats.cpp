#include "client/reports/SheetFormats.h"

#include "platform/xlsx/Constants.h"

namespace zorbel::reports {

void setPlainArial(xl::Font font, double size, bool bold) {
    font.setName(QStringLiteral("Arial"));
    font.setSize(size);
    font.setStrikethrough(false);
    font.setSuperscript(false);
    font.setSubscript(false);
    font.setOutlineFont(false);
    font.setShadow(false);
    font.setBold(bold);
}

void setPlainTextLayout(const xl::Range& range) {
    xl::Range r = range;
    r.setOrientation(0);
    r.setAddIndent(false);
    r.setIndentLevel(0);
    r.setShrinkToFit(false);
    r.setReadingOrder(xl::xlContext);
    r.setMergeCells(false);
}

void alignLeftTopWrapped(const xl::Range& range) {
    xl::Range r = range;
    r.setHorizontalAlignment(xl::xlLeft);
    r.setVerticalAlignment(xl::xlTop);
    r.setWrapText(true);
}

} // namespace zorbel::reports
