#pragma once
// The box that tells the user a save did not happen: the business call
// answered 0 ("Update Task Failed", "Add Issue Failed"). One look for every
// window, editor or dialog.

#include <QString>

namespace zorbel::shell {

void ShowSaveFailed(const QString& message);

} // namespace zorbel::shell
