#include "client/shell/ProjectPicking.h"

#include "client/shell/AppState.h"
#include "platform/ui/DateText.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"

#include <limits>

namespace zorbel::shell {

namespace {

constexpr qint16 kImplementState = 3;
// The projects list's columns; the grid keeps them even when the list is missing.
constexpr int kProjectColumns = 10;
constexpr int kNameColumn = 1;

QString cellText(const QVariant& value) {
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    default:
        return value.toString();
    }
}

qint16 levelOf(const QVariant& value) {
    bool ok = false;
    const int level = value.toInt(&ok);
    if (value.isNull() || !ok || level < std::numeric_limits<qint16>::min() || level > std::numeric_limits<qint16>::max())
        return 0;
    return static_cast<qint16>(level);
}

} // namespace

QDateTime DateOf(const QVariant& value) {
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime();
    case QMetaType::QDate:
        return QDateTime(value.toDate(), QTime(0, 0));
    default: {
        const QString text = value.toString();
        const QDateTime written = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        if (written.isValid())
            return written;
        return ui::ParseDate(text).value_or(QDateTime());
    }
    }
}

data::RecordsetPtr LoadProjectGrid(ui::FlexGrid& grid, const QString& errorPrefix) {
    data::RecordsetPtr list;
    if (state().g_zorbel)
        list = state().g_zorbel->GetProjects(kImplementState);
    if (!list)
        ui::MsgBox(errorPrefix + QStringLiteral("the project list could not be read"), ui::vbOKOnly);

    const int cols = list ? list->FieldCount() : kProjectColumns;
    grid.setCols(cols);
    for (int col = 0; col < cols; ++col)
        grid.setColWidth(col, col == kNameColumn ? 35 * grid.TextWidth(QStringLiteral("A")) : 0);
    grid.setTextArray(kNameColumn, QStringLiteral("Project Name"));
    grid.setRows(1);
    if (!list || list->RecordCount() == 0)
        return list;

    for (list->MoveFirst(); !list->Eof(); list->MoveNext()) {
        const int row = grid.Rows();
        grid.setRows(row + 1);
        for (int col = 0; col < cols; ++col)
            grid.setTextMatrix(row, col, cellText(list->Fields(col)));
    }
    return list;
}

void LoadProjectRights(const data::RecordsetPtr& rights, qint32 projectID) {
    auto& s = state();
    // Without a row for this project the account has no rights on it: keeping
    // the levels of the project picked before would lend it that project's.
    qint16 project = 0, task = 0, action = 0, progress = 0, issue = 0;
    if (rights && rights->RecordCount() > 0) {
        for (rights->MoveFirst(); !rights->Eof(); rights->MoveNext()) {
            bool ok = false;
            if (rights->Fields(QStringLiteral("ProjectID")).toLongLong(&ok) != projectID || !ok)
                continue;
            project = levelOf(rights->Fields(QStringLiteral("ProjectAdminLevel")));
            task = levelOf(rights->Fields(QStringLiteral("TaskAdminLevel")));
            action = levelOf(rights->Fields(QStringLiteral("ActionAdminLevel")));
            progress = levelOf(rights->Fields(QStringLiteral("ProgressAdminLevel")));
            issue = levelOf(rights->Fields(QStringLiteral("IssueAdminLevel")));
        }
    }
    s.g_projectAdminLevel = project;
    s.g_taskAdminLevel = task;
    s.g_actionAdminLevel = action;
    s.g_progressAdminLevel = progress;
    s.g_issueAdminLevel = issue;
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
