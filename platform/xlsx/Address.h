#pragma once
// Cell addresses in both notations the workbook writers use: "B2", "$B$2:J9",
// whole columns "A:J" and rows "1:2", and the "R5C3" form of defined names.
#include <QString>
#include <optional>

namespace zorbel::xl {

/// A rectangle of a sheet, rows and columns counted from 1, both ends kept.
struct Area {
    int top = 1;
    int left = 1;
    int bottom = 1;
    int right = 1;

    bool operator==(const Area&) const = default;
    bool isSingleCell() const { return top == bottom && left == right; }
};

/// Whole columns and whole rows are kinds of their own: formatting them
/// formats the column or row itself, cells written there later included.
enum class AreaKind { Cells, Columns, Rows };

struct Reference {
    AreaKind kind = AreaKind::Cells;
    Area area;

    bool operator==(const Reference&) const = default;
};

/// "B2", "$B$2", "B2:J2" (either corner first), "A:J", "1:2". nullopt for
/// anything else, and for rows or columns outside the sheet.
std::optional<Reference> parseAddress(const QString& text);

/// "=R5C3" or "=R5C3:R5C9" (the "=" may be left out); absolute references only.
std::optional<Area> parseR1C1(const QString& text);

/// 1 -> "A", 27 -> "AA", 16384 -> "XFD".
QString columnLetters(int column);

/// "$B$2", or "$B$2:$J$2" for a larger area.
QString absoluteAddress(const Area& area);

/// True for texts that read as a cell in either notation ("A1", "xfd9",
/// "R1C1", "R", "C12"), which a defined name must not look like.
bool looksLikeCellReference(const QString& text);

} // namespace zorbel::xl
