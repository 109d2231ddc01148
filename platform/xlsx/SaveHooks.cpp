#include "platform/xlsx/SaveHooks.h"

namespace zorbel::xl::testing {

namespace {
SaveHook* g_hook = nullptr;
}

SaveHook::SaveHook(Callback callback) : m_callback(std::move(callback)), m_outer(g_hook) { g_hook = this; }

SaveHook::~SaveHook() { g_hook = m_outer; }

void reached(SaveMoment moment, const QString& path)
{
    if (g_hook)
        g_hook->m_callback(moment, path);
}

} // namespace zorbel::xl::testing
