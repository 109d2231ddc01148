#pragma once
// Passwords are kept as salted Argon2id hashes, never as clear text.

#include <QString>

namespace zorbel::password {

QString hash(const QString& password);
// True when the stored value is one of our hashes (not an old clear-text entry).
bool isHash(const QString& stored);
bool verify(const QString& stored, const QString& typed);

} // namespace zorbel::password
