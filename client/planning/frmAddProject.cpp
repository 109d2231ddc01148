#include "client/planning/frmAddProject.h"

#include "business/Widths.h"
#include "client/planning/RecordEditor.h"
#include "client/planning/WizardPage.h"
#include "client/shell/AppState.h"
#include "client/shell/Combos.h"
#include "client/shell/DateBox.h"
#include "client/shell/Owners.h"
#include "client/shell/Placing.h"
#include "client/shell/Rights.h"
#include "client/shell/TextLimit.h"
#include "client/shell/WindowRegistration.h"
#include "client/shell/Zorbel5Data.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Windows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace zorbel::planning {

using shell::placeField;
using shell::state;

namespace {

// A new project is planned (status 3) in the Measure phase (state 1).
constexpr qint16 kNewProjectStatus = 3;
constexpr qint16 kNewProjectState = 1;

// The pages of an earlier run that may still be open.
const char* const kLaterPages[] = {"frmAddMilestones", "frmDeliverablesHelp", "frmAddDeliverables"};

} // namespace

frmAddProject::frmAddProject() {
    setObjectName(QStringLiteral("frmAddProject"));
    setWindowTitle(QStringLiteral("Add New Project"));
    controls::resizeTwips(this, 7440, 5400);

    placeBoldLabel(this, QStringLiteral("Name"), 120, 150, 1560, "Label1");
    txtName = placeField<QLineEdit>(this, "txtName", 1740, 120, 5460);
    txtName->setToolTip(QStringLiteral("Enter a name for the Project"));
    placeBoldLabel(this, QStringLiteral("Reference"), 120, 550, 1560, "Label2");
    txtReference = placeField<QLineEdit>(this, "txtReference", 1740, 520, 2700);
    txtReference->setToolTip(QStringLiteral("Enter a Project Reference Number"));
    placeBoldLabel(this, QStringLiteral("Description"), 120, 950, 1560, "Label3");
    txtDescription = placeField<QPlainTextEdit>(this, "txtDescription", 1740, 920, 5460, 735);
    // The tip names the width the project's description is kept to, not a
    // longer one that would be cut without a word.
    constexpr int descriptionWidth = widths::of("ZORBEL_PROJECTS", "Description");
    txtDescription->setToolTip(QStringLiteral("Describe the Project < %1 characters").arg(descriptionWidth));
    shell::limitText(*txtName, widths::of("ZORBEL_PROJECTS", "Name"));
    shell::limitText(*txtReference, widths::of("ZORBEL_PROJECTS", "Reference"));
    shell::limitText(*txtDescription, descriptionWidth);
    placeBoldLabel(this, QStringLiteral("Project Owner"), 120, 1830, 1560, "Label4")
        ->setToolTip(QStringLiteral("The Project MUST have an Owner"));
    ComboContacts = placeField<QComboBox>(this, "ComboContacts", 1740, 1800, 3300);
    ComboContacts->setToolTip(QStringLiteral("Select an Owner for the Project"));

    auto* frame = new QGroupBox(QStringLiteral("Dates"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    controls::placeTwips(frame, 120, 2280, 7080, 1260);
    placeBoldLabel(frame, QStringLiteral("Start"), 120, 360, 600, "Label5");
    txtStartDate = placeField<shell::DateBox>(frame, "txtStartDate", 720, 330, 1500);
    txtStartDate->setToolTip(QStringLiteral("Expected Start Date"));
    placeBoldLabel(frame, QStringLiteral("End"), 2460, 360, 500, "Label6");
    txtEndDate = placeField<shell::DateBox>(frame, "txtEndDate", 3000, 330, 1500);
    const shell::DurationEntry duration = shell::placeDurationEntry(*frame, *txtStartDate, *txtEndDate, 120, 810);
    makeBold(duration.label);
    txtDuration = duration.box;
    chk7DayWeek = duration.sevenDayWeek;

    auto* either = shell::placeLabel(this, QStringLiteral("Enter either an End Date or a Duration"), 120, 3660, 7080,
                                     "Label7");
    auto* today = shell::placeLabel(this,
                                    QStringLiteral("If you do not enter a  Start  Date, today's date will be "
                                                   "entered. This can be changed later"),
                                    120, 3990, 7080, "Label8");
    for (QLabel* l : {either, today})
        l->setWordWrap(true);
    controls::resizeTwips(today, 7080, 570);

    auto* next = placeButton(this, "btnNext", QStringLiteral("Next >>"), 120, 4740,
                             QStringLiteral("Creat Project and move on to enter Milestones"));
    auto* cancel = placeButton(this, "btnCancel", QStringLiteral("Cancel"), 5805, 4740);
    connect(next, &controls::ctrlButton::Click, this, &frmAddProject::btnNext_Click);
    connect(cancel, &controls::ctrlButton::Click, this, &frmAddProject::btnCancel_Click);
    connect(ComboContacts, &QComboBox::currentIndexChanged, this, &frmAddProject::ComboContacts_Click);

    Form_Load();
}

void frmAddProject::Form_Load() {
    auto& s = state();
    ui::closeWindow(QStringLiteral("frmAddProjectHelp"));

    m_contacts = s.g_zorbel->GetContacts();
    s.g_rsContacts = m_contacts;
    shell::fillCombo(*ComboContacts, shell::contactNames(m_contacts));

    // After the highest WBS given so far; projects without one do not count.
    s.g_rsScratch = s.g_zorbel->GetAllProjects();
    m_wbs = s.g_rsScratch ? nextWBSOf(*s.g_rsScratch, s.g_rsScratch->FieldIndex(QStringLiteral("WBS"))) : 1;

    s.g_editMode = shell::kBrowse;
}

void frmAddProject::ComboContacts_Click() {
    const int chosen = ComboContacts->currentIndex();
    if (chosen < 0)
        return;
    m_ownerID = shell::idAtRow(m_contacts, chosen);
    state().g_newOwnerID = m_ownerID;
}

void frmAddProject::btnNext_Click() {
    auto& s = state();
    const auto dates = shell::readDateSpan(*txtStartDate, *txtEndDate);
    if (!dates)
        return;
    const auto wbs = wbsFromText(QString(), m_wbs);
    if (!wbs) {
        tellWBSOutOfRange();
        return;
    }

    s.g_newProjectName = txtName->text();
    s.g_projectStart = dates->start;
    s.g_projectEnd = dates->end;
    // Only an owner chosen on this page: one left from an earlier run would
    // silently give the project to someone else.
    s.g_newProjectID = s.g_zorbel->AddProject(txtName->text(), txtReference->text(), txtDescription->toPlainText(),
                                              m_ownerID, dates->start, dates->end, kNewProjectStatus, *wbs,
                                              kNewProjectState);
    if (s.g_newProjectID == 0) {
        ui::MsgBox(QStringLiteral("Create Project FAILED"), ui::vbExclamation, QStringLiteral("Create Project Failure"));
        return;
    }
    shell::GrantCreatorRights(s.g_newProjectID, s.g_newProjectName);

    // A page still open from an earlier run would only be raised, showing
    // that run's project: the new project gets fresh pages.
    for (const char* page : kLaterPages)
        ui::closeWindow(QString::fromLatin1(page));
    // The milestones page closes this one when it loads.
    ui::showWindow(QStringLiteral("frmAddMilestones"));
}

void frmAddProject::btnCancel_Click() {
    close();
}

} // namespace zorbel::planning

using zorbel::planning::frmAddProject;
ZORBEL_REGISTER_WINDOW(frmAddProject)
