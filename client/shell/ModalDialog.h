#pragma once
// A dialog of this program: shown modally by name (ui::showModal) and closed,
// which unloads it, by its own buttons or its close box. Escape closes it
// the same way: there is no separate cancel path, so whatever a dialog does
// when it unloads (hand back a date, keep a pick) happens however it closes.
// A dialog that must act on its unload overrides closeEvent and calls this one.

#include <QDialog>

namespace zorbel::shell {

class ModalDialog : public QDialog {
    Q_OBJECT
public:
    explicit ModalDialog(QWidget* parent = nullptr) : QDialog(parent) {}

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace zorbel::shell
