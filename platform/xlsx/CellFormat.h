#pragma once
// The full format of one cell, and the table a workbook keeps them in.
//
// Every cell, formatted row and formatted column holds one whole format, and
// a property set on a range changes only that property, so formats merge
// property by property as they do in a spreadsheet program. The file writer
// merges nothing itself, so the merging has to be done here.
#include "platform/xlsx/Constants.h"

#include <QString>
#include <unordered_map>
#include <vector>

namespace zorbel::xl {

struct CellFormat {
    // Font (the new-workbook default is Calibri 11)
    QString fontName = QStringLiteral("Calibri");
    double fontSize = 11;
    bool bold = false;
    bool strikethrough = false;
    bool superscript = false;
    bool subscript = false;
    bool outlineFont = false;
    bool shadow = false;
    int underline = xlUnderlineStyleNone;
    int fontColorIndex = xlColorIndexAutomatic;
    // Fill
    int interiorColorIndex = xlColorIndexNone;
    // Alignment
    int horizontalAlignment = xlGeneral;
    int verticalAlignment = xlBottom;
    bool wrapText = false;
    int orientation = 0;
    int indentLevel = 0;
    bool shrinkToFit = false;
    int readingOrder = xlContext;
    // Number format ("@" keeps every value written later as text)
    QString numberFormat = QStringLiteral("General");

    bool operator==(const CellFormat&) const = default;
};

struct CellFormatHash {
    size_t operator()(const CellFormat& f) const noexcept;
};

/// A format's number in its workbook's StyleTable. 0 is the default format.
using StyleId = int;
inline constexpr StyleId kDefaultStyle = 0;

/// Each distinct format once, so that cells hold a small number and the
/// file gets one format record per distinct format.
class StyleTable {
public:
    StyleTable();

    const CellFormat& format(StyleId id) const { return m_formats[size_t(id)]; }
    StyleId intern(const CellFormat& format);
    int count() const { return int(m_formats.size()); }

private:
    std::vector<CellFormat> m_formats;
    std::unordered_map<CellFormat, StyleId, CellFormatHash> m_ids;
};

} // namespace zorbel::xl
