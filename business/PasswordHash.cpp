#include "business/PasswordHash.h"

#include <sodium.h>

#include <stdexcept>

namespace zorbel::password {
namespace {

void ensureSodium() {
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw std::runtime_error("libsodium could not be initialised");
}

} // namespace

QString hash(const QString& password) {
    ensureSodium();
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw std::runtime_error("out of memory while hashing a password");
    return QString::fromLatin1(out);
}

std::optional<QString> tryHash(const QString& password, QString& why) {
    try {
        return hash(password);
    } catch (const std::exception& e) {
        why = QString::fromLocal8Bit(e.what());
        return std::nullopt;
    }
}

bool isHash(const QString& stored) {
    return stored.startsWith(QLatin1String(crypto_pwhash_STRPREFIX));
}

bool verify(const QString& stored, const QString& typed) {
    ensureSodium();
    if (!isHash(stored))
        return false;
    const QByteArray s = stored.toLatin1();
    const QByteArray t = typed.toUtf8();
    return crypto_pwhash_str_verify(s.constData(), t.constData(), static_cast<unsigned long long>(t.size())) == 0;
}

const QString& unmatchableHash() {
    // The hash of 32 random bytes that were thrown away.
    static const QString dummy = QStringLiteral(
        "$argon2id$v=19$m=65536,t=2,p=1$7wYw02A+2qW0rstzBKZPKw$MF8DUl4g2C4JowI40bjlR9R1eWFtKjEokBtI1wfaygU");
    return dummy;
}

} // namespace zorbel::password
