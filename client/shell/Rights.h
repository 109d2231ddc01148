#pragma once
// Per-project rights: the account's five levels for the current project and
// the rule that turns a level into working or greyed Add, Edit and Delete
// buttons. A window gives its buttons and the level its records need
// (g_projectAdminLevel, g_taskAdminLevel, ... g_issueAdminLevel).

#include "platform/data/Recordset.h"

#include <QString>

namespace zorbel::controls {
class ctrlButton;
}

namespace zorbel::shell {

// The highest rights level, "Full Control": Add, Edit and Delete.
constexpr qint16 kFullControl = 4;

// Status values of the Add, Edit and Delete buttons (0 works, 2 greyed).
struct ButtonRights {
    qint16 add = 0;
    qint16 edit = 0;
    qint16 del = 0;
};
// With per-project rights off every button works; on, a level above 2
// allows Edit and a level of 4 or more allows Add and Delete as well.
ButtonRights rightsFor(qint16 cfgProjectAdmin, qint16 level);
// The rights rule on a window's buttons with the configured switch; a window
// without one of them (the document register has no Edit) passes nullptr.
void ApplyRights(controls::ctrlButton* add, controls::ctrlButton* edit, controls::ctrlButton* del, qint16 level);
// Whether a window lists its records at all: always with per-project rights
// off, else only from level 2 (the deliverables with the task level, the
// issue log with the issue level).
bool mayList(qint16 level);

// Copies the account's five rights levels for the project from its rights
// rows (GetUserAdmin) into the application state. With no row for the
// project every level is 0, never the previous project's; a null level is 0;
// when several rows match, the last one wins.
void LoadProjectRights(const data::RecordsetPtr& rights, qint32 projectID);

// Gives the logged-in account Full Control of a project it has just
// created, while per-project rights are on: the projects lists show only
// projects an account holds rights on, so without the row nobody, its
// creator included, would ever see it. Does nothing with the rights off.
void GrantCreatorRights(qint32 projectID, const QString& projectName);

} // namespace zorbel::shell
