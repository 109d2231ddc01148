#include "FirstAdministrator.h"

#include "business/PasswordHash.h"

#include <sodium.h>

namespace zorbel::setup {

QString generatePassword() {
    if (sodium_init() < 0)
        throw std::runtime_error("libsodium could not be initialised");
    static const char alphabet[] = "ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz23456789";
    QString password;
    for (int i = 0; i < 16; ++i)
        password += QLatin1Char(alphabet[randombytes_uniform(sizeof alphabet - 1)]);
    return password;
}

std::optional<Credentials> ensureFirstAdministrator(data::Connection& connection, const QString& userName,
                                                    const QString& password) {
    auto count = connection.query({QStringLiteral("SELECT COUNT(*) FROM ZORBEL_MULTI_USER_TABLE"), {}});
    if (count->Fields(0).toInt() > 0)
        return std::nullopt;
    const qint32 contactId = connection.insert(
        {QStringLiteral("INSERT INTO ZORBEL_USER_TABLE (SurName, FirstName, Title, email, Company, "
                        "Telephone, Mobile) VALUES (?,?,?,?,?,?,?)"),
         {QStringLiteral("Administrator"), QStringLiteral("Zorbel"), QStringLiteral(""), QStringLiteral(""),
          QStringLiteral(""), QStringLiteral(""), QStringLiteral("")}},
        QStringLiteral("UserID"));
    connection.execute({QStringLiteral("INSERT INTO ZORBEL_MULTI_USER_TABLE (UserID, UserName, Password, FullName, "
                                       "ProjectCreator, Administrator) VALUES (?,?,?,?,?,?)"),
                        {contactId, userName, password::hash(password), QStringLiteral("Zorbel Administrator"), 1,
                         1}});
    return Credentials{userName, password};
}

} // namespace zorbel::setup
