#pragma once
// The program's clock: every "now" and "today" comes from here so that tests
// can fix the time.
#include <QDate>
#include <QDateTime>

namespace zorbel::ui {

/// The current local date and time (or the innermost override's).
QDateTime now();
/// The date part of now().
inline QDate today() { return now().date(); }

/// While alive, now() returns the given time. Overrides nest.
class ClockOverride {
public:
    explicit ClockOverride(const QDateTime &fixed);
    ~ClockOverride();
    ClockOverride(const ClockOverride &) = delete;
    ClockOverride &operator=(const ClockOverride &) = delete;

    void set(const QDateTime &fixed) { m_now = fixed; }
    QDateTime value() const { return m_now; }

private:
    QDateTime m_now;
    ClockOverride *m_outer = nullptr;
};

} // namespace zorbel::ui
