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
// A hash of the same cost as hash() that no password matches: log-on verifies
// against it when no account of the typed name has a hash, so that an unknown
// name takes as long as a known one and the time of the answer tells nothing.
const QString& unmatchableHash();

} // namespace zorbel::password
