#pragma once
// What a connection asks of an engine. Connection checks that it is open and
// holds what is common (the script runner, the key range); each engine only
// runs statements its own way.

#include "platform/data/Engine.h"
#include "platform/data/Recordset.h"

#include <QString>
#include <QVariantList>
#include <chrono>

namespace zorbel::data {

struct Statement;

class Backend {
public:
    virtual ~Backend() = default;
    virtual Engine engine() const = 0;
    // Each throws Error on failure.
    virtual RecordsetPtr query(const Statement& statement) = 0;
    virtual int execute(const Statement& statement) = 0;
    // The key of this connection's last INSERT, 0 when there is none.
    virtual qint64 lastInsertId() = 0;
    // A transaction that takes the write lock at once where the engine has one,
    // so that two writers wait for each other instead of failing half way.
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    // How long a statement may wait for a server's answer; an engine without a
    // server has nothing to wait for and keeps its own lock timeout.
    virtual void setStatementDeadline(std::chrono::milliseconds) {}
};

} // namespace zorbel::data
