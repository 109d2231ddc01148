#pragma once
// Every window registers itself under its class name, so the navigation
// dispatch and the other windows can show it by name without knowing it.

#include "platform/ui/Windows.h"

#include <memory>

#define ZORBEL_REGISTER_WINDOW(Class)                                                                    \
    namespace {                                                                                          \
    [[maybe_unused]] const bool registered_##Class = (zorbel::ui::registerWindow(                        \
                                                          QStringLiteral(#Class),                        \
                                                          [] { return std::make_unique<Class>(); }),     \
                                                      true);                                             \
    }
