#include "tests/client/SampleOffice.h"

#include "client/shell/AppState.h"
#include "client/shell/ProjectPicking.h"

namespace zorbel::test {

namespace {

QDateTime day(int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(0, 0)); }

} // namespace

void populateSampleOffice() {
    auto& s = shell::state();
    ZorbelClass& zorbel = *s.g_zorbel;
    // Contacts 1 and 2, who make up the teams below.
    zorbel.AddContact(QStringLiteral("Ann"), QStringLiteral("O'Hara"), {}, {}, {}, {}, {});
    zorbel.AddContact(QStringLiteral("Bob"), QStringLiteral("Smith"), {}, {}, {}, {}, {});
    // One project in each phase's list, a closed one, and one without a team.
    const qint32 measure = zorbel.AddProject(QStringLiteral("Measure me"), QStringLiteral("M1"), QString(), 1,
                                             day(2024, 1, 1), day(2024, 12, 31), 2, 1, 1);
    zorbel.AddProject(QStringLiteral("Analyse me"), QString(), QStringLiteral("it's"), 2, {}, {}, 3, 2, 2);
    const qint32 alpha = zorbel.AddProject(QStringLiteral("Alpha"), QStringLiteral("A1"), QStringLiteral("d"),
                                           1, day(2024, 2, 1), day(2024, 6, 30), 2, 3, 3);
    zorbel.AddProject(QStringLiteral("Teamless"), QString(), QString(), 2, day(2024, 3, 1), {}, 5, 4, 3);
    zorbel.AddProject(QStringLiteral("Closed"), QString(), QString(), 1, {}, {}, 6, 5, 4);
    qint32 deliverable = 0, task = 0, action = 0; // the last made: Alpha's
    for (qint32 project : {measure, alpha}) {
        zorbel.AddTeamMember(1, project, QStringLiteral("Ann O'Hara"), QStringLiteral("Ann"),
                             QStringLiteral("O'Hara"));
        zorbel.AddTeamMember(2, project, QStringLiteral("Bob Smith"), QStringLiteral("Bob"),
                             QStringLiteral("Smith"));
        zorbel.AddMilestone(project, QStringLiteral("Kick-off"), day(2024, 2, 5), day(2024, 2, 5), 3, 0);
        zorbel.AddMilestone(project, QStringLiteral("Sign-off"), day(2024, 6, 1), day(2024, 6, 1), 3, 0);
        for (int d = 1; d <= 2; ++d) {
            QString metric = QStringLiteral("metric");
            deliverable =
                zorbel.AddDeliverable(project, static_cast<qint16>(d), QStringLiteral("Deliverable %1").arg(d),
                                      metric, 1, day(2024, 2, 10), day(2024, 3, 1), static_cast<qint16>(d), 0);
            task = zorbel.AddTask(deliverable, 4, QStringLiteral("Task"), 1, day(2024, 2, 12),
                                  day(2024, 2, 16), 0, 1);
            action = zorbel.AddAction(task, QStringLiteral("Action"), day(2024, 2, 12), day(2024, 2, 13), 5,
                                      2, 1);
            zorbel.AddProgress(action, day(2024, 2, 13), QStringLiteral("Half done"), 2, 1);
        }
    }
    zorbel.AddDocument(2, 1, QStringLiteral("plan.odt"), QStringLiteral("/srv/docs"), QStringLiteral("1.0"),
                       day(2024, 2, 1), alpha, QStringLiteral("/srv/docs/plan.odt"));
    // A scored risk, and one whose type, owner and probability no list knows.
    zorbel.AddRisk(alpha, 1, QStringLiteral("Flood"), QStringLiteral("it's wet"), {}, 3, 8, 0.5, {}, 1);
    zorbel.AddRisk(alpha, 9, QStringLiteral("Odd"), {}, {}, 99, 2, 1.5, {}, 1);
    // Two issue groups with open and closed issues of the project, owned by its team.
    zorbel.AddIssueGroup(QStringLiteral("Design"));
    zorbel.AddIssueGroup(QStringLiteral("Build's"));
    for (qint16 status : {1, 2, 4})
        zorbel.AddIssue(QVariant(alpha), 1, QStringLiteral("I-%1").arg(status), day(2024, 2, status),
                        QStringLiteral("Leak"), QStringLiteral("Wet"), QString(), 3, status, 2, 3, 4);
    // An administrator with rights on one project, for the accounts and rights windows.
    zorbel.AddUser(1, QStringLiteral("admin"), QStringLiteral("pw"), QStringLiteral("Ann O'Hara"), 1);
    zorbel.AddUserAdmin(zorbel.GetUsers()->row(0)[0].toInt(), alpha, QStringLiteral("Alpha"), 4, 4, 4, 4, 4);
    // The editors below the projects work under the project picked before them.
    shell::MakeProjectCurrent({alpha, QStringLiteral("Alpha"), day(2024, 2, 1), day(2024, 6, 30), 1},
                              zorbel.GetUserAdmin(s.g_currentMultiUserID));
    s.g_currentDeliverableID = deliverable;
    s.g_currentTaskID = task;
    s.g_currentActionID = action;
}

const std::vector<WindowOpening>& everyWindowOpening() {
    static const std::vector<WindowOpening> openings = {
        {"frmProjects", {9, 15, 24}, false},     {"frmMilestones", {10, 16, 25}, false},
        {"frmDeliverables", {11, 17, 26}, false}, {"frmProjectViewer", {35}, false},
        {"frmSelectProject", {24}, true},         {"frmNextStep", {6}, false},
        {"frmCalendar", {9}, true},               {"frmNavigate", {-1}, false},
        {"frmDocument", {12, 18, 27}, false},     {"frmAddDocument", {27}, true},
        {"frmRisks", {19, 21, 28, 30}, false},    {"frmAddRisk", {21, 28}, true},
        {"frmAddProjectHelp", {6}, false},        {"frmAddProject", {6}, false},
        {"frmAddMilestones", {6}, false},         {"frmDeliverablesHelp", {6}, false},
        {"frmAddDeliverables", {6}, false},
        {"frmIssueLog", {34}, false},             {"frmIssueGroups", {4}, false},
        {"frmAddIssue", {34}, true},
        {"frmTasks", {13, 20, 29}, false},        {"frmActions", {22, 31}, false},
        {"frmProgress", {32}, false},
        {"frmContacts", {1}, false},              {"frmUsers", {2}, false},
        {"frmTeams", {3}, false},                 {"frmZorbelAdmin", {5}, false},
        {"frmExcel", {33}, false},
    };
    return openings;
}

} // namespace zorbel::test
