#pragma once
// The application state: everything the windows share, in one place. Every
// window reads and writes it directly through state(); nothing else carries
// data between windows.

#include "business/ZorbelClass.h"

#include <QDateTime>
#include <QPixmap>
#include <QString>
#include <array>
#include <memory>

namespace zorbel::shell {

using data::RecordsetPtr;

// Edit modes of the editors.
enum EditMode : int { kBrowse = 1, kEdit = 2, kAdd = 3, kDelete = 4 };

struct ApplicationState {
    // The business object and the configuration
    std::unique_ptr<ZorbelClass> g_zorbel;
    RecordsetPtr g_rsScratch;
    QString g_dateFormat;
    QString g_excelDateFormat;
    qint16 g_cfgOwnerAdmin = 0;
    qint16 g_cfgProjectAdmin = 0;

    // The logged-in user
    qint32 g_currentUserID = 0;
    qint32 g_currentMultiUserID = 0;
    qint16 g_userAdministrator = 0;

    // The current selection down the breakdown (0 / empty / invalid: none)
    qint32 g_currentProjectID = 0;
    QString g_currentProjectName;
    QDateTime g_projectStart;
    QDateTime g_projectEnd;
    qint32 g_projectOwnerID = 0;
    qint32 g_currentMilestoneID = 0;
    qint32 g_currentDeliverableID = 0;
    QString g_currentDeliverableName;
    QDateTime g_deliverableStart;
    QDateTime g_deliverableEnd;
    qint32 g_currentTaskID = 0;
    QString g_currentTaskName;
    QDateTime g_taskStart;
    QDateTime g_taskEnd;
    qint32 g_currentActionID = 0;
    QString g_currentActionName;
    QDateTime g_actionStart;
    QDateTime g_actionEnd;
    qint32 g_currentProgressID = 0;
    qint32 g_newProjectID = 0;
    QString g_newProjectName;
    qint32 g_newOwnerID = 0;

    // Rights levels of the logged-in user for the current project
    qint16 g_projectAdminLevel = 0;
    qint16 g_taskAdminLevel = 0;
    qint16 g_actionAdminLevel = 0;
    qint16 g_progressAdminLevel = 0;
    qint16 g_issueAdminLevel = 0;

    // Shared lists: the recordset each kind's editor (or the viewer, or a report) loaded last
    RecordsetPtr g_rsStatus;
    RecordsetPtr g_rsContacts;
    RecordsetPtr g_rsTeam;
    RecordsetPtr g_rsMilestones;
    RecordsetPtr g_rsDeliverables;
    RecordsetPtr g_rsTasks;
    RecordsetPtr g_rsActions;
    RecordsetPtr g_rsProgress;
    qint32 g_projectCount = 0;
    qint32 g_deliverableCount = 0;
    qint32 g_taskCount = 0;
    qint32 g_actionCount = 0;
    qint32 g_progressCount = 0;
    qint32 g_contactCount = 0;
    // Status pictures of the grids by StatusID; slots 0 to 6 are drawn on first use (gridStatusPicture).
    std::array<QPixmap, 11> g_statusPictures;

    // Editor state shared between windows
    int g_editMode = 0;       // EditMode; 0 before any editor opened
    int g_navTool = 0;        // nav::Code: AfterLogIn right after log-in, then the code of the open tree item
    QDateTime g_pickedDate;   // the date last chosen in the calendar
    bool g_gridReady = false;
    qint32 g_nextWBS = 0;
    qint32 g_saveWBS = 0;
    qint32 g_ownerUserID = 0;
    qint32 g_projectRow = 0;
    qint32 g_milestoneRow = 0;
    qint32 g_deliverableRow = 0;
    qint32 g_taskRow = 0;
    qint32 g_actionRow = 0;
    qint32 g_progressRow = 0;
    bool g_dialogCancelled = false;
    qint32 g_currentRiskID = 0;
    qint32 g_currentIssueID = 0;
    qint32 g_issueOwnerID = 0;
    qint16 g_issueStatusID = 0;
    qint16 g_issueScheduleID = 0;
    qint16 g_issueSeverityID = 0;
    qint16 g_issueUrgencyID = 0;
    qint32 g_currentIssueGroupID = 0;
    QString g_currentIssueGroupName;
    QString g_documentFolder; // the folder a document was last linked from (empty: none yet)
};

// The one application state of the running program.
ApplicationState& state();
// Back to the start values (the business object is released); for tests and program end.
void resetState();

} // namespace zorbel::shell
