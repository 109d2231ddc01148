#pragma once
// The numbers the workbook writers pass for alignments, underlines, colours
// and reading order, under the names spreadsheet users know them by.
namespace zorbel::xl {

// Horizontal and vertical alignment
inline constexpr int xlGeneral = 1;
inline constexpr int xlLeft = -4131;
inline constexpr int xlCenter = -4108;
inline constexpr int xlRight = -4152;
inline constexpr int xlFill = 5;
inline constexpr int xlJustify = -4130;
inline constexpr int xlCenterAcrossSelection = 7;
inline constexpr int xlDistributed = -4117;
inline constexpr int xlTop = -4160;
inline constexpr int xlBottom = -4107;

// Font underline
inline constexpr int xlUnderlineStyleNone = -4142;
inline constexpr int xlUnderlineStyleSingle = 2;
inline constexpr int xlUnderlineStyleDouble = -4119;
inline constexpr int xlUnderlineStyleSingleAccounting = 4;
inline constexpr int xlUnderlineStyleDoubleAccounting = 5;

// Colour indexes besides the palette positions 1 to 56
inline constexpr int xlColorIndexAutomatic = -4105;
inline constexpr int xlColorIndexNone = -4142;

// Reading order
inline constexpr int xlContext = -5002;
inline constexpr int xlLTR = -5003;
inline constexpr int xlRTL = -5004;

// The size of a sheet
inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;
// The longest text a cell holds
inline constexpr int kMaxCellText = 32767;

} // namespace zorbel::xl
