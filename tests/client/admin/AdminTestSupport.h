#pragma once
// Shared pieces of the administration window tests: accounts and contacts
// made straight in the database, and a user's pick in a combo.

#include "tests/client/planning/EditorTestSupport.h"

namespace zorbel::test {

class AdminWindowTest : public EditorTest {
protected:
    qint32 addAccount(const QString& name, qint32 contact, qint16 administrator = 0,
                      const QString& fullName = QStringLiteral("Someone"),
                      const QString& password = QStringLiteral("pw")) {
        zorbel().AddUser(contact, name, password, fullName, administrator);
        return lastID(QStringLiteral("ZORBEL_MULTI_USER_TABLE"), QStringLiteral("MultiUserID"));
    }
    // A contact under an id of our choosing (ids run past 16 bits); made after
    // the others, since PostgreSQL's own keys do not step past it.
    qint32 insertContact(qint32 id, const QString& first, const QString& sur) {
        db().execute({QStringLiteral("INSERT INTO ZORBEL_USER_TABLE (UserID, FirstName, SurName) VALUES (?, ?, ?)"),
                      {QVariant(id), QVariant(first), QVariant(sur)}});
        return id;
    }
    QVariant account(qint32 id, const char* column) {
        return stored(QStringLiteral("ZORBEL_MULTI_USER_TABLE"), QString::fromLatin1(column),
                      QStringLiteral("MultiUserID"), id);
    }
    static void pick(QWidget* w, const char* combo, int index) { child<QComboBox>(w, combo)->setCurrentIndex(index); }
    static QString text(QWidget* w, const char* box) { return child<QLineEdit>(w, box)->text(); }
};

} // namespace zorbel::test
