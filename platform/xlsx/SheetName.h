#pragma once
// What a sheet may be called. The file writer lets through some names that
// spreadsheet programs then refuse or repair, so the layer checks the rules
// itself before a name is taken.
#include <QString>
#include <QStringList>

namespace zorbel::xl {

/// Why `name` cannot name a sheet beside `otherNames` (compared without
/// regard to case), or an empty text when it can. The rules: 1 to 31
/// characters, none of : \ / ? * [ ] nor a control character, no apostrophe
/// at either end, not "History".
QString sheetNameProblem(const QString& name, const QStringList& otherNames);

/// Why `name` cannot be a defined name, or an empty text when it can: it
/// starts with a letter, "_" or "\", goes on with letters, digits, "_" and
/// ".", is at most 255 characters and does not read as a cell reference.
QString definedNameProblem(const QString& name);

} // namespace zorbel::xl
