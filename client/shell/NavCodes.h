#pragma once
// The navigation codes: the number of every item of the navigation tree. The
// navigation window stores the code of the item opened in g_navTool, and a
// window opened from the tree reads it to know in which phase, and at which
// level, it works. One list for the whole program, so that a code has one
// name everywhere.

namespace zorbel::shell::nav {

enum Code : int {
    AfterLogIn = -1, // no item opened yet
    None = 0,        // a phase item, or a key the tree does not know

    // 1. Admin
    Contacts = 1,
    Users = 2,
    Teams = 3,
    IssueGroups = 4,
    UserAdmin = 5,
    // 2. Define
    NewProject = 6,
    // 3. Measure
    MeasureProjects = 9,
    MeasureMilestones = 10,
    MeasureDeliverables = 11,
    MeasureDocuments = 12,
    MeasureTasks = 13,
    // 4. Analyse
    AnalyseProjects = 15,
    AnalyseMilestones = 16,
    AnalyseDeliverables = 17,
    AnalyseDocuments = 18,
    AnalyseProjectRisks = 19,
    AnalyseTasks = 20,
    AnalyseTaskRisks = 21,
    AnalyseActions = 22,
    // 5. Implement
    ImplementProjects = 24,
    ImplementMilestones = 25,
    ImplementDeliverables = 26,
    ImplementDocuments = 27,
    ImplementProjectRisks = 28,
    ImplementTasks = 29,
    ImplementTaskRisks = 30,
    ImplementActions = 31,
    ImplementProgress = 32,
    Excel = 33,
    IssueLog = 34,
    ProjectViewer = 35,
};

// The project state that a code's phase works on: 1 Measure, 2 Analyse,
// 3 Implement; 0 for the Admin and Define items and for no item.
constexpr int phaseState(int code) {
    if (code >= MeasureProjects && code <= MeasureTasks)
        return 1;
    if (code >= AnalyseProjects && code <= AnalyseActions)
        return 2;
    if (code >= ImplementProjects && code <= ProjectViewer)
        return 3;
    return 0;
}

} // namespace zorbel::shell::nav
