#pragma once
// The frame every member of ZorbelClass runs in. A member creates one
// MemberCall with its name and runs its statements through it; a failing step
// shows "(C)<member> Method failed: <description>" and the member carries on
// with a result that says it failed: no recordset, or 0. Lists that the program
// reads one after another while the server is out of reach show one box, not
// one each; a change that fails always shows its own.

#include "business/Text.h" // clean: what every member makes of the texts it writes
#include "platform/data/Connection.h"

#include <QString>
#include <chrono>

namespace zorbel {

class ZorbelClass;

class MemberCall {
public:
    MemberCall(ZorbelClass& owner, QString memberName);
    // For the members whose failure text does not follow the member's name.
    MemberCall(ZorbelClass& owner, QString memberName, QString failureText);

    // A SELECT: its recordset, or null after a failure.
    data::RecordsetPtr query(const data::Statement& statement);
    // An UPDATE: 1 when it changed a row, 0 when it matched none or failed.
    qint32 update(const data::Statement& statement);
    // A DELETE or an INSERT whose caller needs no key: 1, or 0 when it failed.
    qint32 run(const data::Statement& statement);
    // An INSERT: the key it generated in keyColumn, or 0 when it failed.
    qint32 insert(const data::Statement& statement, const QString& keyColumn);

    // Reports a failure found by the member itself (not by the database).
    void fail(const QString& description);
    bool failed() const { return m_failed; }
    const QString& name() const { return m_name; }

private:
    data::Connection& connection();
    void fail(const data::Error& error, bool reading);

    ZorbelClass& m_owner;
    QString m_name;
    QString m_failureText;
    bool m_failed = false;
    std::chrono::steady_clock::time_point m_began = std::chrono::steady_clock::now();
};

// Statement values: typed, so no value is written under a locale.
namespace sql {
QVariant integer(qint32 value);
QVariant date(const QDateTime& value);
QVariant text(const QString& value);
QVariant real(double value);
} // namespace sql

} // namespace zorbel
