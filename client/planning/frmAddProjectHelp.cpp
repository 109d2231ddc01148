#include "client/planning/frmAddProjectHelp.h"

#include "client/planning/WizardPage.h"
#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/Windows.h"

namespace zorbel::planning {

frmAddProjectHelp::frmAddProjectHelp() {
    setObjectName(QStringLiteral("frmAddProjectHelp"));
    setWindowTitle(QStringLiteral("Add New Project"));
    controls::resizeTwips(this, 8760, 4800);

    placeIntroText(this,
                   {QStringLiteral("Add New Project creates a new Project in 3 steps."), QString(),
                    QStringLiteral("1. Create Project with Name, Owner and Start Date"), QString(),
                    QStringLiteral("2. Add Project Milestones with Milestone Dates"), QString(),
                    QStringLiteral("3. Add Project Deliverables - what must be delivered for the Project to be a "),
                    QStringLiteral("success"), QString(),
                    QStringLiteral("If any date is not entered - clicking on a date field brings up a calendar, "
                                   "then "),
                    QStringLiteral("today's date is entered by default"), QString(),
                    QStringLiteral("To proceed, click on the Next button")},
                   true, 120, 120, 8520, 3990);

    auto* next = placeButton(this, "btnNext", QStringLiteral("Next >>"), 120, 4260);
    auto* cancel = placeButton(this, "btnCancel", QStringLiteral("Cancel"), 7245, 4260);
    connect(next, &controls::ctrlButton::Click, this, &frmAddProjectHelp::btnNext_Click);
    connect(cancel, &controls::ctrlButton::Click, this, &frmAddProjectHelp::btnCancel_Click);
}

void frmAddProjectHelp::btnNext_Click() {
    // The project page closes this one when it loads.
    ui::showWindow(QStringLiteral("frmAddProject"));
}

void frmAddProjectHelp::btnCancel_Click() {
    close();
}

} // namespace zorbel::planning

using zorbel::planning::frmAddProjectHelp;
ZORBEL_REGISTER_WINDOW(frmAddProjectHelp)
