#pragma once
// Fills a fresh database with a large organisation through the business layer.

#include "bench/Options.h"
#include "business/ZorbelClass.h"

#include <vector>

namespace zorbel::bench {

struct Organisation {
    std::vector<qint32> projects, milestones, deliverables, tasks, actions, progress, contacts;
    int rightsRows = 0;
    double seconds = 0;
};

// Children are spread evenly over their parents, numbered by WBS within each;
// rows are written in transactions of a thousand.
// Throws std::runtime_error when an Add member fails.
Organisation fill(ZorbelClass& zorbel, const Options& options);

} // namespace zorbel::bench
