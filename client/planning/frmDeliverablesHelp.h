#pragma once
// "Project Deliverables", fourth page of the new-project wizard: what a
// deliverable is, between the milestones page and the deliverables page. It
// carries the wizard's project from the one to the other.

#include "client/planning/WizardPage.h"

#include <QWidget>

namespace zorbel::planning {

class frmDeliverablesHelp : public QWidget {
    Q_OBJECT
public:
    frmDeliverablesHelp();

    // The project that the deliverables page will work on.
    void takeProject(const WizardProject& project) { m_project = project; }
    const WizardProject& project() const { return m_project; }

    void btnNext_Click();

private:
    WizardProject m_project;
};

} // namespace zorbel::planning
