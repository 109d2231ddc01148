#include "platform/xlsx/CellFormat.h"

#include <QHash>

namespace zorbel::xl {

// The texts (font name, number format) are left out: a workbook has few
// formats that differ only there, and hashing them on every change of a
// cell's format cost more than the comparisons they save.
size_t CellFormatHash::operator()(const CellFormat& f) const noexcept
{
    size_t seed = qHashMulti(0, f.fontSize, f.underline, f.fontColorIndex, f.interiorColorIndex,
                             f.horizontalAlignment, f.verticalAlignment);
    const unsigned flags = unsigned(f.bold) | unsigned(f.strikethrough) << 1 | unsigned(f.superscript) << 2
                           | unsigned(f.subscript) << 3 | unsigned(f.outlineFont) << 4 | unsigned(f.shadow) << 5
                           | unsigned(f.wrapText) << 6 | unsigned(f.shrinkToFit) << 7;
    return qHashMulti(seed, flags, f.orientation, f.indentLevel, f.readingOrder);
}

StyleTable::StyleTable() { intern(CellFormat{}); }

StyleId StyleTable::intern(const CellFormat& format)
{
    auto [it, added] = m_ids.try_emplace(format, StyleId(m_formats.size()));
    if (added)
        m_formats.push_back(format);
    return it->second;
}

} // namespace zorbel::xl
