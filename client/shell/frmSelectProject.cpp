#include "client/shell/frmSelectProject.h"

#include "client/shell/AppState.h"
#include "client/shell/Combos.h"
#include "client/shell/Dates.h"
#include "client/shell/ProjectPicking.h"
#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/FlexGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace zorbel::shell {

using controls::placeTwips;

namespace {
enum Column { colID = 0, colName = 1, colOwner = 4, colStart = 5, colEnd = 6 };
}

frmSelectProject::frmSelectProject(QWidget* parent)
    : ModalDialog(parent),
      FGProjects(new ui::FlexGrid(this)),
      Label1(new QLabel(QStringLiteral("Project"), this)),
      txtProject(new QLineEdit(this)),
      btnNext(new controls::ctrlButton(QStringLiteral("Next >>"), this)) {
    setWindowTitle(QStringLiteral("Select Project"));
    controls::fixSizeTwips(this, 5175, 4140);
    FGProjects->setObjectName(QStringLiteral("FGProjects"));
    Label1->setObjectName(QStringLiteral("Label1"));
    txtProject->setObjectName(QStringLiteral("txtProject"));
    btnNext->setObjectName(QStringLiteral("btnNext"));
    placeTwips(FGProjects, 120, 120, 4935, 3375);
    placeTwips(Label1, 120, 3645, 735, 255);
    placeTwips(txtProject, 840, 3600, 2775, 315);
    controls::moveTwips(btnNext, 3660, 3600);

    connect(FGProjects, &ui::FlexGrid::Click, this, &frmSelectProject::FGProjects_Click);
    // Arrow keys move the highlighted row too; the pick must follow what the user sees.
    connect(FGProjects, &ui::FlexGrid::RowColChange, this, &frmSelectProject::FGProjects_Click);
    connect(btnNext, &controls::ctrlButton::Click, this, &frmSelectProject::btnNext_Click);
    Form_Load();
}

void frmSelectProject::Form_Load() {
    auto& s = state();
    if (s.g_zorbel)
        m_rights = s.g_zorbel->GetUserAdmin(s.g_currentMultiUserID);
    const data::RecordsetPtr list = LoadProjectGrid(*FGProjects, QStringLiteral("Select Projects failed: "));
    const int current = rowOfID(list, s.g_currentProjectID);
    if (current < 0)
        return;
    {
        // Showing the current project is no pick.
        const QSignalBlocker quiet(FGProjects);
        FGProjects->setRow(current + 1);
    }
    // Its own levels, as a pick of it would copy them.
    LoadProjectRights(m_rights, s.g_currentProjectID);
    txtProject->setText(s.g_currentProjectName);
}

void frmSelectProject::FGProjects_Click() {
    const int row = FGProjects->Row();
    if (row < 1 || row >= FGProjects->Rows())
        return; // header row only: no project of the Implement phase to pick
    PickedProject picked;
    picked.id = FGProjects->TextMatrix(row, colID).toInt();
    picked.name = FGProjects->TextMatrix(row, colName);
    picked.ownerID = FGProjects->TextMatrix(row, colOwner).toInt();
    picked.start = dateOf(FGProjects->TextMatrix(row, colStart)).value_or(QDateTime());
    picked.end = dateOf(FGProjects->TextMatrix(row, colEnd)).value_or(QDateTime());
    MakeProjectCurrent(picked, m_rights);
    txtProject->setText(state().g_currentProjectName);
}

void frmSelectProject::btnNext_Click() {
    close();
}

} // namespace zorbel::shell

using zorbel::shell::frmSelectProject;
ZORBEL_REGISTER_WINDOW(frmSelectProject)
