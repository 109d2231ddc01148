#include "client/shell/SaveFailure.h"

#include "platform/ui/MessageBox.h"

namespace zorbel::shell {

void ShowSaveFailed(const QString& message) {
    ui::MsgBox(message, ui::vbExclamation, QStringLiteral("Update Failure)"));
}

void ShowRefusal(const QString& message) {
    ui::MsgBox(message, ui::vbExclamation, QStringLiteral("Operation Cancelled"));
}

} // namespace zorbel::shell
