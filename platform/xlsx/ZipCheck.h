#pragma once
// Whether a written workbook holds every part whole. The file writer writes
// each part into a work file first and does not check those writes: in a full
// temporary folder it zips parts cut short and still reports success, so a
// save reads its own file back before it calls it saved.
#include <QString>

#include <optional>

namespace zorbel::xl {

struct BrokenPart {
    enum Kind {
        CutShort, ///< it unpacks as stored, but its XML stops before its end
        Damaged,  ///< the file or the part does not unpack as the file says
    };
    Kind kind;
    QString part;   ///< its name in the file, such as "xl/worksheets/sheet1.xml"; empty for the whole file
    QString detail; ///< what was found wrong
};

/// The first part of the workbook file open at `fd` (read from its start,
/// whatever the descriptor's offset) that is not whole; none when every part
/// unpacks to the size and checksum the file gives it and every XML part
/// ends with the end of the element it starts.
std::optional<BrokenPart> firstBrokenPart(int fd);

} // namespace zorbel::xl
