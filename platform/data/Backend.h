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

struct Deadlines;
struct Statement;

class Backend {
public:
    virtual ~Backend() = default;
    virtual Engine engine() const = 0;
    // Each throws Error on failure.
    virtual RecordsetPtr query(const Statement& statement) = 0;
    virtual int execute(const Statement& statement) = 0;
    // Runs an INSERT and gives the key it generated in keyColumn, read as part
    // of the insert itself; 0 when it inserted no row.
    virtual qint64 insert(const Statement& statement, const QString& keyColumn) = 0;
    // A transaction that takes the write lock at once where the engine has one,
    // so that two writers wait for each other instead of failing half way.
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    // How long a statement may wait for a server's answer, and how long calls
    // are refused after the server could not be reached; an engine without a
    // server has nothing to wait for and keeps its own lock timeout.
    virtual void setDeadlines(const Deadlines&) {}
};

} // namespace zorbel::data
