#pragma once

#include "platform/data/Connection.h"

#include <QString>
#include <optional>

namespace zorbel::setup {

struct Credentials {
    QString userName;
    QString password;
};

// A password of 16 characters from libsodium's random source.
QString generatePassword();
// Creates a contact and an administrator account when the database has no
// account at all; returns the credentials it created, or nothing.
std::optional<Credentials> ensureFirstAdministrator(data::Connection& connection, const QString& userName,
                                                    const QString& password);

} // namespace zorbel::setup
