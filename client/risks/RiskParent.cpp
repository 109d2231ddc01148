#include "client/risks/RiskParent.h"

#include "client/execution/BreakdownChain.h"
#include "client/shell/AppState.h"

namespace zorbel::risks {

bool registerParentHolds(RegisterLevel level) {
    if (level != RegisterLevel::Task)
        return true;
    return shell::state().g_zorbel && execution::currentChainHolds(execution::Level::Task);
}

} // namespace zorbel::risks
