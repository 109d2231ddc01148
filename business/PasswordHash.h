#pragma once
// Passwords are kept as salted Argon2id hashes, never as clear text.

#include <QString>
#include <optional>

namespace zorbel::password {

// Throws std::runtime_error when libsodium cannot work (no memory for the hash).
QString hash(const QString& password);
// The hash, or nothing with the reason in `why`: for members, whose failures
// are reported, never thrown.
std::optional<QString> tryHash(const QString& password, QString& why);
// True when the stored value is one of our hashes (not an old clear-text entry).
bool isHash(const QString& stored);
bool verify(const QString& stored, const QString& typed);

} // namespace zorbel::password
