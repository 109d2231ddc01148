#pragma once
// Making a project current from a picked row, and the project list grid that
// the project picker (and any window wanting the same list) fills.

#include "client/shell/Rights.h"
#include "platform/data/Recordset.h"

#include <QDateTime>
#include <QString>

namespace zorbel::ui {
class FlexGrid;
}

namespace zorbel::shell {

// Fills the grid with the projects of the Implement phase (state 3): every
// column of the list in its order (0 ProjectID, 1 Name, ... 5 StartDate,
// 6 EndDate, ... 8 WBS, 9 State), only the name visible under "Project
// Name". Dates are written as stored ("yyyy-MM-dd hh:mm:ss"), nulls as "".
// Neither clears the grid first nor moves its current row; a failure is
// shown once as errorPrefix followed by what went wrong. Returns the list it
// loaded (nothing when the list could not be read).
data::RecordsetPtr LoadProjectGrid(ui::FlexGrid& grid, const QString& errorPrefix);

// What a picked project row makes current: its id, name, dates and owner,
// the account's rights levels for it, and the editors' rows of the levels
// below it back to 0 so that they select afresh under the new project.
struct PickedProject {
    qint32 id = 0;
    QString name;
    QDateTime start;
    QDateTime end;
    qint32 ownerID = 0;
};
void MakeProjectCurrent(const PickedProject& project, const data::RecordsetPtr& rights);

} // namespace zorbel::shell
