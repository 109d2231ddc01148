#pragma once
// Texts as the file holds them.
#include <QString>

namespace zorbel::xl {

/// A cell text made safe for the file: spreadsheet programs read "_xHHHH_"
/// in a text as the character HHHH, and the file writer passes such a
/// sequence through as it is, so a user's literal "_x0041_" would come back
/// as "A". The underscore that starts each such sequence is written as
/// "_x005F_" (an escaped underscore), which reads back as the original text.
QString escapeLiteralText(const QString& text);

} // namespace zorbel::xl
