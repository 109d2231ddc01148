#include "client/shell/AppState.h"

namespace zorbel::shell {
namespace {

ApplicationState& instance() {
    static ApplicationState s;
    return s;
}

} // namespace

ApplicationState& state() {
    return instance();
}

void resetState() {
    instance() = ApplicationState{};
}

} // namespace zorbel::shell
