#pragma once
// Whether a risk register has a record of the current project to work under.
// The project register works on the current project itself. A task register
// works on the current task, which its own editor made current and which
// stays current when another project is picked; its risks are owned by the
// current project's team and escalate to the current project, so the task
// must hang from the current deliverable and that from the current project.

#include "client/risks/RiskRules.h"

namespace zorbel::risks {

bool registerParentHolds(RegisterLevel level);

} // namespace zorbel::risks
