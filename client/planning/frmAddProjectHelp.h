#pragma once
// "Add New Project", first page of the new-project wizard: what the wizard
// will do, and Next to start.

#include <QWidget>

namespace zorbel::planning {

class frmAddProjectHelp : public QWidget {
    Q_OBJECT
public:
    frmAddProjectHelp();

    void btnNext_Click();
    void btnCancel_Click();
};

} // namespace zorbel::planning
