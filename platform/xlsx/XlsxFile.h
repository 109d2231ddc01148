#pragma once
// Saving an in-memory workbook as an .xlsx file through libxlsxwriter.
#include <QString>

namespace zorbel::xl {

class Workbook;

/// Writes `book` to the full path `path`: into a new file beside it first,
/// given the permissions of the file it replaces, synced to the disk and
/// renamed over `path` only once the writer has closed it without error.
/// Any failure, the writer's own included, raises xl::Error naming the path
/// and the reason (the system's own where there is one, such as "No space
/// left on device"), and leaves neither a partial file nor a changed `path`.
void writeXlsxFile(const Workbook& book, const QString& path);

/// Sets the C library's allocator so that saving a large workbook does not
/// hand its memory back to the system and take it again part after part.
/// The setting holds for the whole process (it also stops the allocator from
/// moving its threshold for mapping large blocks), so it is the program's to
/// make, once, as it starts and before any thread runs; a benchmark makes it
/// for every writer it compares.
void keepWriterMemoryAtHand();

} // namespace zorbel::xl
