#include "client/shell/ProjectPicking.h"

#include "client/shell/AppState.h"
#include "client/shell/GridFiller.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"

namespace zorbel::shell {

namespace {

constexpr qint16 kImplementState = 3;
// The projects list's columns; the grid keeps them even when the list is missing.
constexpr int kProjectColumns = 10;

GridColumns projectColumns() {
    GridColumns columns = columnsInListOrder(kProjectColumns);
    columns[1].header = QStringLiteral("Project Name");
    columns[1].widthInA = 35;
    return columns;
}

} // namespace

data::RecordsetPtr LoadProjectGrid(ui::FlexGrid& grid, const QString& errorPrefix) {
    data::RecordsetPtr list;
    if (state().g_zorbel)
        list = state().g_zorbel->GetProjects(kImplementState);
    if (!list)
        ui::MsgBox(errorPrefix + QStringLiteral("the project list could not be read"), ui::vbOKOnly);

    const GridColumns columns = projectColumns();
    layOutGrid(grid, columns);
    grid.setRows(1);
    if (list)
        appendRows(grid, columns, *list);
    return list;
}

void MakeProjectCurrent(const PickedProject& project, const data::RecordsetPtr& rights) {
    auto& s = state();
    s.g_currentProjectID = project.id;
    LoadProjectRights(rights, project.id);
    s.g_currentProjectName = project.name;
    s.g_projectStart = project.start;
    s.g_projectEnd = project.end;
    s.g_projectOwnerID = project.ownerID;
    s.g_milestoneRow = 0;
    s.g_deliverableRow = 0;
    s.g_taskRow = 0;
    s.g_actionRow = 0;
    s.g_progressRow = 0;
}

} // namespace zorbel::shell
