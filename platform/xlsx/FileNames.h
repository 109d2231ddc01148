#pragma once
// Where workbooks are saved and under which name.
#include <QString>

namespace zorbel::xl {

/// The file name for a workbook titled `title` (a date, a project name):
/// each character that cannot stand in a file name (/ \ : * ? " < > |,
/// control characters, line and paragraph separators, noncharacters and half
/// surrogate pairs) becomes "-", invisible format characters (direction
/// overrides and marks, zero-width characters) are dropped, leading dots and
/// blanks are dropped so the file is never hidden, and ".xlsx" is appended. The name is kept within
/// the 255 bytes a file name may have; an empty title gives "Workbook.xlsx".
QString workbookFileName(const QString& title);

/// `path` as a workbook's file: a path ending in ".xlsx" (any case) as it is;
/// one ending in another spreadsheet or text-table suffix (xls, xlsm, xlsb,
/// xlt, xltx, xltm, ods, csv, any case) with ".xlsx" in its place; any other
/// ("book", "Acme Inc.Plan", "minutes 12.03.2026") with ".xlsx" added.
QString withWorkbookSuffix(const QString& path);

/// The folder workbooks go to: `overrideDir` when it is set, else the user's
/// documents folder, else the home folder. A relative folder is taken from
/// the current one.
QString outputFolderFor(const QString& overrideDir, const QString& documentsDir, const QString& homeDir);

/// outputFolderFor with ZORBEL_OUTPUT_DIR and the user's folders, created
/// when missing. Raises xl::Error when it cannot be created.
QString outputFolder();

} // namespace zorbel::xl
