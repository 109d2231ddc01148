#pragma once
// The fixture of every window test: a fresh database, a connected business
// object in the application state whose messages go to the message-box
// layer, a message-box recorder, and a clean slate of windows afterwards.

#include "client/shell/AppState.h"
#include "platform/ui/MessageBox.h"

#include <gtest/gtest.h>

namespace zorbel::test {

class ClientTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    shell::ApplicationState& app() { return shell::state(); }
    ZorbelClass& zorbel() { return *shell::state().g_zorbel; }
    data::Connection& db() { return *shell::state().g_zorbel->connection(); }
    int count(const QString& table, const QString& where = QString());

    ui::MessageBoxRecorder boxes;
};

} // namespace zorbel::test
