#pragma once
// What a sheet may be called. The file writer lets through some names that
// spreadsheet programs then refuse or repair, so the layer checks the rules
// itself before a name is taken.
#include <QString>
#include <QStringList>

namespace zorbel::xl {

/// The most characters (UTF-16 units, as spreadsheet programs count them)
/// a sheet name holds.
inline constexpr int kSheetNameWidth = 31;

/// Whether two texts name the same sheet: spreadsheet programs hold sheet
/// names apart only when they differ other than in case, so "Sheet4" and
/// "sheet4" cannot stand side by side.
bool sameSheetName(const QString& a, const QString& b);

/// Why `name` cannot name a sheet beside `otherNames` (compared without
/// regard to case), or an empty text when it can. The rules: 1 to 31
/// characters, none of : \ / ? * [ ] nor a control character, no apostrophe
/// at either end, not "History". With no other names, the text says whether
/// a sheet can take the name at all.
QString sheetNameProblem(const QString& name, const QStringList& otherNames);

/// The name a sheet beside `otherNames` takes for a text that should name
/// it, however it was stored: each character a sheet refuses,
/// and an apostrophe at either end, becomes "-" (an empty text is "-"), the
/// result is cut to 31 characters without splitting a character, and a
/// name another sheet holds (or "History") gets " (2)", " (3)"... within
/// the 31. A name the rules allow comes back as it is; what comes back is
/// always allowed.
QString sheetNameFor(const QString& wanted, const QStringList& otherNames);

/// The names for sheets that should be named by `wanted` in order, such as
/// the stored names of groups: a name a sheet can take is kept (of names that
/// differ only in case, by the first), and only the others are mended as
/// sheetNameFor does, into names that none of the rest has. Names are never
/// compared with what the sheets were called before.
QStringList sheetNamesFor(const QStringList& wanted);

/// Why `name` cannot be a defined name, or an empty text when it can: it
/// starts with a letter, "_" or "\", goes on with letters, digits, "_" and
/// ".", is at most 255 characters and does not read as a cell reference.
QString definedNameProblem(const QString& name);

} // namespace zorbel::xl
