#include "client/shell/FieldLock.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVariant>

namespace zorbel::shell {

namespace {

const char* const kLocked = "Locked";

} // namespace

void lockField(QWidget* field, bool locked) {
    if (auto* box = qobject_cast<QLineEdit*>(field))
        box->setReadOnly(locked);
    else if (auto* text = qobject_cast<QPlainTextEdit*>(field))
        text->setReadOnly(locked);
    else
        field->setEnabled(!locked);
    field->setProperty(kLocked, locked);
}

bool isLocked(const QWidget* field) {
    if (auto* box = qobject_cast<const QLineEdit*>(field))
        return box->isReadOnly();
    if (auto* text = qobject_cast<const QPlainTextEdit*>(field))
        return text->isReadOnly();
    return field->property(kLocked).toBool();
}

} // namespace zorbel::shell
