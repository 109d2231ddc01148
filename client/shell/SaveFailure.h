#pragma once
// The boxes that tell the user a save did not happen: the business call
// answered 0 ("Update Task Failed", "Add Issue Failed"), or the user may not
// make the change ("Only an Administrator can add Users"). One look for every
// window, editor or dialog.

#include <QString>

namespace zorbel::shell {

void ShowSaveFailed(const QString& message);
// A change refused before anything was written: it says why.
void ShowRefusal(const QString& message);

} // namespace zorbel::shell
