#include "client/execution/BreakdownChain.h"

#include "client/shell/AppState.h"

namespace zorbel::execution {

namespace {

// Every list below the project holds its parent's id in field 1.
constexpr int kParentField = 1;

bool namesParent(const data::RecordsetPtr& record, qint32 parentID) {
    return parentID != 0 && record && record->RecordCount() > 0
           && record->row(0)[kParentField].toInt() == parentID;
}

} // namespace

bool currentChainHolds(Level level) {
    const auto& s = shell::state();
    ZorbelClass& z = *s.g_zorbel;
    switch (level) {
    case Level::Deliverable:
        return s.g_currentDeliverableID != 0
               && namesParent(z.GetDeliverables(0, s.g_currentDeliverableID), s.g_currentProjectID);
    case Level::Task:
        return s.g_currentTaskID != 0 && namesParent(z.GetTasks(0, s.g_currentTaskID), s.g_currentDeliverableID)
               && currentChainHolds(Level::Deliverable);
    case Level::Action:
        return s.g_currentActionID != 0 && namesParent(z.GetActions(0, s.g_currentActionID), s.g_currentTaskID)
               && currentChainHolds(Level::Task);
    }
    return false;
}

} // namespace zorbel::execution
