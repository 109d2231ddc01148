#include "client/planning/frmDeliverablesHelp.h"

#include "client/planning/frmAddDeliverables.h"
#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/Windows.h"

namespace zorbel::planning {

frmDeliverablesHelp::frmDeliverablesHelp() {
    setObjectName(QStringLiteral("frmDeliverablesHelp"));
    setWindowTitle(QStringLiteral("Project Deliverables"));
    controls::resizeTwips(this, 10680, 4800);

    placeIntroText(this,
                   {QStringLiteral("Projects are all about Deliverables"), QString(),
                    QStringLiteral("The purpose of a Project is to deliver one or more Business Products to a "
                                   "Customer"),
                    QString(),
                    QStringLiteral("Deliverables divide into 2 types, Critical Success factors (CSF's) and 'Nice "
                                   "to Have'"),
                    QString(),
                    QStringLiteral("At this level we are looking for CSF's, those Products which must be delivered "
                                   "for the Customer to "),
                    QStringLiteral("class the Project as a SUCCESS."), QString(),
                    QStringLiteral("It is important to define a Metric for each Deliverable "), QString(),
                    QStringLiteral("How is the Customer going to agree that that specific Delieverable has been "
                                   "made.")},
                   false, 120, 120, 10440, 3990);

    auto* next = placeButton(this, "btnNext", QStringLiteral("Next >>"), 120, 4260,
                             QStringLiteral("Move on to Add Deliverables"));
    connect(next, &controls::ctrlButton::Click, this, &frmDeliverablesHelp::btnNext_Click);
}

void frmDeliverablesHelp::btnNext_Click() {
    // Kept here: loading the deliverables page closes this one.
    const WizardProject project = m_project;
    ui::closeWindow(QStringLiteral("frmAddMilestones"));
    // Always a fresh page for the project handed on, with its counter from 1.
    ui::closeWindow(QStringLiteral("frmAddDeliverables"));
    ui::showWindow(QStringLiteral("frmAddDeliverables"));
    if (auto* page = ui::windowAs<frmAddDeliverables>(QStringLiteral("frmAddDeliverables")))
        page->showProject(project);
}

} // namespace zorbel::planning

using zorbel::planning::frmDeliverablesHelp;
ZORBEL_REGISTER_WINDOW(frmDeliverablesHelp)
