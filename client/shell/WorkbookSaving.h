#pragma once
// Saving a finished workbook and handing it to the user, the same way for
// every workbook the program writes (the project report, the issue log).
//
// The workbook goes to the output folder under a file name made from its
// title. Whatever stands there already (a file, a folder, a link, even one
// to nothing) is replaced only after one Yes. A No, or a save that fails
// (shown after the caller's prefix, with the reason and the full path),
// offers a Save-As chooser on the workbook still in memory, again after every
// failure, until it is saved or the user cancels. The chooser asks its own
// question about replacing what it finds at the name typed, so that is not
// asked twice; it takes a link to nothing for no file, so that link, and a
// name the workbook suffix changed, are asked about here. Once saved, the
// file is opened on the desktop; when that cannot be done, a message gives
// its full path so the user can find it.

#include <QString>

namespace zorbel::xl {
class Workbook;
}

namespace zorbel::shell {

// True once the workbook is saved (whether or not the desktop could open
// it); false when the user gave up on saving it.
bool saveWorkbook(xl::Workbook& book, const QString& title, const QString& failurePrefix);

} // namespace zorbel::shell
