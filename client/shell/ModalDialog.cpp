#include "client/shell/ModalDialog.h"

#include <QCloseEvent>

namespace zorbel::shell {

void ModalDialog::reject() {
    close();
}

void ModalDialog::closeEvent(QCloseEvent* event) {
    // Not QDialog's: it would turn the close into a reject and back.
    event->accept();
}

} // namespace zorbel::shell
