#include "platform/ui/Clock.h"

namespace zorbel::ui {

namespace {
ClockOverride *g_override = nullptr;
}

QDateTime now() { return g_override ? g_override->value() : QDateTime::currentDateTime(); }

ClockOverride::ClockOverride(const QDateTime &fixed) : m_now(fixed), m_outer(g_override)
{
    g_override = this;
}

ClockOverride::~ClockOverride() { g_override = m_outer; }

} // namespace zorbel::ui
