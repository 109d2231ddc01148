#include "business/MemberCall.h"

#include "business/ZorbelClass.h"

namespace zorbel {
namespace {

// Calls that the program makes one after another, with no person in between,
// begin within this of each other's end.
constexpr std::chrono::seconds kBurstGap{1};

} // namespace

MemberCall::MemberCall(ZorbelClass& owner, QString memberName) : m_owner(owner), m_name(std::move(memberName)) {}

MemberCall::MemberCall(ZorbelClass& owner, QString memberName, QString failureText)
    : m_owner(owner), m_name(std::move(memberName)), m_failureText(std::move(failureText)) {}

data::Connection& MemberCall::connection() {
    if (!m_owner.m_connection || !m_owner.m_connection->isOpen())
        throw data::Error(data::kStatementFailed,
                          QStringLiteral("Operation is not allowed when the object is closed."));
    return *m_owner.m_connection;
}

void MemberCall::fail(const QString& description) {
    m_failed = true;
    // Made only here: every member builds a frame, few ever fail.
    const QString text = m_failureText.isNull() ? QStringLiteral("(C)%1 Method failed: ").arg(m_name) : m_failureText;
    m_owner.message(text + description, 0);
}

void MemberCall::fail(const data::Error& error, bool reading) {
    const bool unreachable = error.number() == data::kConnectionFailed;
    ZorbelClass::Unreachable& shown = m_owner.m_unreachable;
    // A window that loads several lists while the server is out of reach is
    // told so once: a list that fails for the reason a box gave just before
    // it began is part of that burst. A failed change is always reported, so
    // that nobody takes it for saved.
    if (unreachable && reading && error.description() == shown.description && m_began - shown.answered < kBurstGap) {
        m_failed = true;
        shown.answered = std::chrono::steady_clock::now();
        return;
    }
    fail(error.description());
    if (unreachable)
        shown = {error.description(), std::chrono::steady_clock::now()};
}

data::RecordsetPtr MemberCall::query(const data::Statement& statement) {
    try {
        return connection().query(statement);
    } catch (const data::Error& e) {
        fail(e, true);
        return {};
    }
}

qint32 MemberCall::update(const data::Statement& statement) {
    try {
        return connection().execute(statement) > 0 ? 1 : 0;
    } catch (const data::Error& e) {
        fail(e, false);
        return 0;
    }
}

qint32 MemberCall::run(const data::Statement& statement) {
    try {
        connection().execute(statement);
        return 1;
    } catch (const data::Error& e) {
        fail(e, false);
        return 0;
    }
}

qint32 MemberCall::insert(const data::Statement& statement, const QString& keyColumn) {
    try {
        return connection().insert(statement, keyColumn);
    } catch (const data::Error& e) {
        fail(e, false);
        return 0;
    }
}

namespace sql {

QVariant integer(qint32 value) {
    return QVariant(value);
}

QVariant date(const QDateTime& value) {
    // Stored without a zone so both engines give back the wall-clock time that was written.
    if (!value.isValid())
        return QVariant(QMetaType(QMetaType::QDateTime));
    return QVariant(QDateTime(value.date(), value.time()));
}

QVariant text(const QString& value) {
    // An empty text is an empty value, never a null.
    return QVariant(value.isNull() ? QStringLiteral("") : value);
}

QVariant real(double value) {
    return QVariant(value);
}

} // namespace sql
} // namespace zorbel
