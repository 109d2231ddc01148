#pragma once
// Texts as the file holds them. The file is XML, which cannot hold every
// character a user can type or paste, and spreadsheet programs read some
// sequences of plain characters as other characters; these functions make
// every text the layer writes come back as the user wrote it.
#include <QString>

namespace zorbel::xl {

/// A cell text as the file writer is handed it. Spreadsheet programs read
/// "_xHHHH_" as the character HHHH, and the file writer passes such a
/// sequence through as it is, so a user's literal "_x0041_" would come back
/// as "A": the underscore that starts each such sequence is written as
/// "_x005F_" (an escaped underscore). A NUL, which would end the text the
/// writer takes, is written as "_x0000_"; the writer escapes the other
/// control characters but tab and line feed itself, which XML cannot hold as
/// they are. Characters XML cannot hold at all (U+FFFE, U+FFFF, half a
/// surrogate pair) become U+FFFD.
QString escapeCellText(const QString& text);

/// How long the file writer takes a cell text to be: the characters of
/// escapeCellText(text), a surrogate pair counting one. It refuses a text
/// longer than 32,767 so counted. The control characters it escapes itself
/// count one each; a NUL or an underscore escaped here counts seven.
qsizetype fileWriterLength(const QString& text);

/// A name or format text (sheet names, font names, number formats) with each
/// of U+FFFE, U+FFFF and half a surrogate pair, which are no characters at
/// all to XML, as U+FFFD. Control characters are refused by the rules for
/// those texts before they get here.
QString xmlSafeText(const QString& text);

} // namespace zorbel::xl
