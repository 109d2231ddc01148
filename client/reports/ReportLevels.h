#pragma once
// What differs between the levels of a project's breakdown as the report's
// walks meet them: where the record's name and dates are, how its timeline
// bar is coloured and what its writers' failures are called.

#include "client/reports/ProjectReport.h"

namespace zorbel::reports {

struct LevelSpec {
    QString listName;       // in messages: "the list of tasks"
    QString nameField;      // the record's name
    QString startField;     // its span (a progress entry has one date for both)
    QString endField;
    int barColour;          // palette index of its timeline bar
    QString timelinePrefix;
    QString detailPrefix;
};

const LevelSpec& levelSpec(ProjectReport::Level level);

inline ProjectReport::Level childOf(ProjectReport::Level level) {
    return static_cast<ProjectReport::Level>(level + 1);
}
inline bool hasChildren(ProjectReport::Level level) { return level != ProjectReport::Progress; }

} // namespace zorbel::reports
