#pragma once
// Locking a detail field against typing and picking. A text box stays
// readable and selectable (its text can still be copied); any other field (a
// combo, a check box) is disabled. The lock is remembered on the field, so a
// window can ask whether any kind of field is locked.

class QWidget;

namespace zorbel::shell {

void lockField(QWidget* field, bool locked);
bool isLocked(const QWidget* field);

} // namespace zorbel::shell
