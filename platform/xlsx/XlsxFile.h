#pragma once
// Saving an in-memory workbook as an .xlsx file through libxlsxwriter.
#include <QString>

namespace zorbel::xl {

class Workbook;

/// Writes `book` to the full path `path`. The file writer writes straight
/// into a new file that this function makes beside `path` itself (never
/// through a link), keeping its work files in a temporary folder where nobody
/// else can rename or replace anything; the finished file is read back whole,
/// given the permissions of the user's own report it replaces (or a new
/// file's), synced to the disk and renamed over `path` only while that name
/// still holds it (SaveFiles.h). A link standing at `path` is replaced, never
/// followed. Any failure, the writer's own included, raises xl::Error naming
/// the path and the reason: the system's own where there is one, such as "No
/// space left on device"; the temporary folder's, named, when the trouble was
/// there; "another program replaced the file being saved" when another user of
/// the folder swapped or removed the new file. It leaves no temporary file of
/// its own, and `path` unchanged too, unless that user swaps his file in at
/// the very moment of the rename: the save is refused then as well.
void writeXlsxFile(const Workbook& book, const QString& path);

/// Sets the C library's allocator so that saving a large workbook does not
/// hand its memory back to the system and take it again part after part.
/// The setting holds for the whole process (it also stops the allocator from
/// moving its threshold for mapping large blocks), so it is the program's to
/// make, once, as it starts and before any thread runs; a benchmark makes it
/// for every writer it compares.
void keepWriterMemoryAtHand();

} // namespace zorbel::xl
