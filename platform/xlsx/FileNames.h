#pragma once
// Where workbooks are saved and under which name.
#include <QString>

namespace zorbel::xl {

/// The file name for a workbook titled `title` (a date, a project name):
/// each character that cannot stand in a file name (/ \ : * ? " < > | and
/// control characters) becomes "-", leading dots and blanks are dropped so
/// the file is never hidden, and ".xlsx" is appended. The name is kept within
/// the 255 bytes a file name may have; an empty title gives "Workbook.xlsx".
QString workbookFileName(const QString& title);

/// The folder workbooks go to: `overrideDir` when it is set, else the user's
/// documents folder, else the home folder. A relative folder is taken from
/// the current one.
QString outputFolderFor(const QString& overrideDir, const QString& documentsDir, const QString& homeDir);

/// outputFolderFor with ZORBEL_OUTPUT_DIR and the user's folders, created
/// when missing. Raises xl::Error when it cannot be created.
QString outputFolder();

} // namespace zorbel::xl
