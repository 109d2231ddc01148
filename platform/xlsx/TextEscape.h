#pragma once
// Texts as the file holds them. The file is XML, which cannot hold every
// character a user can type or paste, and spreadsheet programs read some
// sequences of plain characters as other characters; these functions make
// every text the layer writes come back as the user wrote it.
#include <QString>

namespace zorbel::xl {

/// A cell text made safe for the file. Spreadsheet programs read "_xHHHH_"
/// as the character HHHH, and the file writer passes such a sequence through
/// as it is, so a user's literal "_x0041_" would come back as "A": the
/// underscore that starts each such sequence is written as "_x005F_" (an
/// escaped underscore). Control characters other than tab and line feed
/// (NUL, carriage return...) are written as their own "_xHHHH_", which XML
/// cannot hold as they are and the writer would cut at a NUL. Characters XML
/// cannot hold at all (U+FFFE, U+FFFF, half a surrogate pair) become U+FFFD.
QString escapeCellText(const QString& text);

/// A name or format text (sheet names, font names, number formats) with each
/// of U+FFFE, U+FFFF and half a surrogate pair, which are no characters at
/// all to XML, as U+FFFD. Control characters are refused by the rules for
/// those texts before they get here.
QString xmlSafeText(const QString& text);

} // namespace zorbel::xl
