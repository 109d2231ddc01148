#include "client/planning/frmProjects.h"

#include "business/Widths.h"
#include "client/shell/Combos.h"
#include "client/shell/DateBox.h"
#include "client/shell/NavCodes.h"
#include "client/shell/Owners.h"
#include "client/shell/Pictures.h"
#include "client/shell/Placing.h"
#include "client/shell/Rights.h"
#include "client/shell/TextLimit.h"
#include "client/shell/WindowRegistration.h"
#include "controls/StatusLED.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/FlexGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace zorbel::planning {

using controls::placeTwips;
using shell::GridColumn;
using shell::placeField;
using shell::placeLabel;
using shell::state;

namespace {

constexpr qint16 kClosedState = 4;

// Fields of the projects list.
enum Field { fID, fName, fReference, fDescription, fOwnerID, fStart, fEnd, fStatusID, fWBS, fState };

EditorSpec projectsSpec() {
    const bool implement = state().g_navTool == shell::nav::ImplementProjects;
    const int left = ui::FlexGrid::AlignLeftTop;
    EditorSpec s;
    s.kind = QStringLiteral("Project");
    s.ownerRefusal = QStringLiteral("You do not have the rights to make changes to this Project");
    s.columns = {
        {.field = fID},
        {.field = fStatusID, .header = QStringLiteral("!"), .widthInA = implement ? 3 : 0,
         .kind = GridColumn::StatusPicture},
        {.field = fName, .header = QStringLiteral("Name"), .widthInA = 30, .alignment = left},
        {.field = fReference},
        {.field = fDescription},
        {.field = fOwnerID},
        {.field = fStart, .header = QStringLiteral("Start"), .widthInA = 12, .alignment = left, .kind = GridColumn::Date},
        {.field = fEnd, .header = QStringLiteral("Finish"), .widthInA = 12, .alignment = left, .kind = GridColumn::Date},
        {.field = fStatusID},
        {.field = fWBS},
        {.field = fState},
    };
    s.wbsField = fWBS;
    return s;
}

} // namespace

frmProjects::frmProjects() : RecordEditor(projectsSpec()) {
    setObjectName(QStringLiteral("frmProjects"));
    setWindowTitle(QStringLiteral("ZorbelLite Projects"));
    controls::resizeTwips(this, 9450, 7500);

    makeGrid(QStringLiteral("FGProjects"), 120, 120, 9210, 3255);

    placeLabel(this, QStringLiteral("Name"), 120, 3540, 1100);
    txtName = placeField<QLineEdit>(this, "txtName", 1320, 3510, 3900);
    placeLabel(this, QStringLiteral("Reference"), 120, 3940, 1100);
    txtReference = placeField<QLineEdit>(this, "txtReference", 1320, 3910, 3900);
    placeLabel(this, QStringLiteral("Description"), 120, 4340, 1100);
    txtDescription = placeField<QLineEdit>(this, "txtDescription", 1320, 4310, 3900);
    shell::limitText(*txtName, widths::of("ZORBEL_PROJECTS", "Name"));
    shell::limitText(*txtReference, widths::of("ZORBEL_PROJECTS", "Reference"));
    shell::limitText(*txtDescription, widths::of("ZORBEL_PROJECTS", "Description"));
    placeLabel(this, QStringLiteral("Start"), 120, 4740, 1100);
    txtStart = placeField<shell::DateBox>(this, "txtStart", 1320, 4710, 1500);
    placeLabel(this, QStringLiteral("End"), 2940, 4740, 500);
    txtEnd = placeField<shell::DateBox>(this, "txtEnd", 3480, 4710, 1500);
    placeLabel(this, QStringLiteral("WBS"), 120, 5540, 1100);
    txtWBS = placeField<QLineEdit>(this, "txtWBS", 1320, 5510, 900);

    placeLabel(this, QStringLiteral("Owner"), 5460, 3540, 800);
    ComboContact = placeField<QComboBox>(this, "ComboContact", 6300, 3510, 3030);
    placeLabel(this, QStringLiteral("State"), 5460, 3940, 800);
    ComboState = placeField<QComboBox>(this, "ComboState", 6300, 3910, 3030);

    frStatus = new QGroupBox(QStringLiteral("Status"), this);
    frStatus->setObjectName(QStringLiteral("frStatus"));
    placeTwips(frStatus, 5460, 4320, 3300, 780);
    ComboStatus = new QComboBox(frStatus);
    ComboStatus->setObjectName(QStringLiteral("ComboStatus"));
    placeTwips(ComboStatus, 120, 300, 3000, 315);
    LEDStatus = placeField<controls::StatusLED>(this, "LEDStatus", 8880, 4560, controls::StatusLED::DesignWidthTwips, controls::StatusLED::DesignHeightTwips);

    makeDurationEntry(txtStart, txtEnd, 120, 5110);

    chkClosedProjects = new QCheckBox(QStringLiteral("View Closed Projects"), this);
    chkClosedProjects->setObjectName(QStringLiteral("chkClosedProjects"));
    placeTwips(chkClosedProjects, 5460, 5510, 3000, 285);

    makeButtons(120, 6600);

    // The WBS box is never locked.
    setLockedFields({txtName, txtReference, txtDescription, txtStart, txtEnd, ComboContact, ComboState, ComboStatus});
    for (QWidget* f : std::initializer_list<QWidget*>{txtName, txtReference, txtDescription, txtStart, txtEnd,
                                                      ComboContact, ComboState, ComboStatus})
        lockField(f, true);
    frStatus->hide();
    LEDStatus->hide();

    connect(ComboStatus, &QComboBox::currentIndexChanged, this, &frmProjects::ComboStatus_Click);
    connect(chkClosedProjects, &QCheckBox::toggled, this, &frmProjects::chkClosedProjects_Click);

    Form_Load();
}

void frmProjects::Form_Load() {
    auto& s = state();
    seedMode();

    m_rsContacts = s.g_zorbel->GetContacts();
    shell::fillCombo(*ComboContact, shell::contactNames(m_rsContacts));

    m_rsRights = s.g_zorbel->GetUserAdmin(s.g_currentMultiUserID);
    m_rsStates = s.g_zorbel->GetProjectStates();
    shell::fillCombo(*ComboState, m_rsStates, 1);
    m_rsStatus = s.g_zorbel->GetProjectStatus();
    shell::fillCombo(*ComboStatus, m_rsStatus, 1);

    setNextWBS(1);
    LoadStatusPictures();
    LoadProjectsGrid();

    const bool implement = s.g_navTool == shell::nav::ImplementProjects;
    LEDStatus->setVisible(implement);
    ComboStatus->setVisible(implement);
    frStatus->setVisible(implement);

    storeMode(shell::kBrowse);
}

void frmProjects::LoadStatusPictures() {
    shell::LoadStatusPictures();
}

qint16 frmProjects::listedState() const {
    if (chkClosedProjects->isChecked())
        return kClosedState;
    return static_cast<qint16>(shell::nav::phaseState(state().g_navTool));
}

bool frmProjects::picturesWanted() const {
    return state().g_navTool == shell::nav::ImplementProjects;
}

void frmProjects::LoadProjectsGrid() {
    auto& s = state();
    m_rsProjects = s.g_cfgProjectAdmin == 1 ? s.g_zorbel->GetProjectsByAdmin(listedState(), s.g_currentMultiUserID)
                                            : s.g_zorbel->GetProjects(listedState());
    s.g_projectCount = m_rsProjects ? m_rsProjects->RecordCount() : 0;
    LoadGrid(m_rsProjects);
}

qint32& frmProjects::savedRow() {
    return state().g_projectRow;
}

qint32& frmProjects::currentID() {
    return state().g_currentProjectID;
}

void frmProjects::emptyFields() {
    for (QLineEdit* box : std::initializer_list<QLineEdit*>{txtName, txtReference, txtDescription, txtStart, txtEnd,
                                                             txtWBS})
        box->clear();
    for (QComboBox* combo : {ComboContact, ComboState, ComboStatus})
        combo->setCurrentIndex(-1);
    LEDStatus->setStatus(0);
}

void frmProjects::showRow(int, const Row& v) {
    auto& s = state();
    s.g_currentProjectID = v[fID].toInt();
    if (s.g_cfgProjectAdmin == 1)
        shell::LoadProjectRights(m_rsRights, s.g_currentProjectID);
    ApplyRights(s.g_projectAdminLevel);

    txtName->setText(v[fName].toString());
    s.g_currentProjectName = txtName->text();
    txtReference->setText(v[fReference].toString());
    txtDescription->setText(v[fDescription].toString());

    m_rowOwnerID = v[fOwnerID].isNull() ? 0 : v[fOwnerID].toInt();
    s.g_projectOwnerID = m_rowOwnerID;
    m_rowStatusID = int16Of(v[fStatusID]);

    txtStart->showStored(v[fStart]);
    if (auto d = dateOf(v[fStart]))
        s.g_projectStart = *d;
    txtEnd->showStored(v[fEnd]);
    if (auto d = dateOf(v[fEnd]))
        s.g_projectEnd = *d;

    txtWBS->setText(v[fWBS].isNull() ? QString() : v[fWBS].toString());
    m_rowState = int16Of(v[fState]);
    LEDStatus->setStatus(m_rowStatusID);

    // A value the list does not hold shows no selection rather than the previous row's.
    shell::selectByID(*ComboState, m_rowState);
    shell::selectByID(*ComboStatus, m_rowStatusID);
    shell::selectRowOfID(*ComboContact, m_rsContacts, m_rowOwnerID);

    s.g_deliverableRow = 0;
    s.g_milestoneRow = 0;
    s.g_taskRow = 0;
    s.g_actionRow = 0;
    s.g_progressRow = 0;
}

void frmProjects::clearForAdd() {
    // The dates, the WBS and the lamp keep the row last shown.
    txtName->clear();
    txtReference->clear();
    txtDescription->clear();
    txtDuration->clear();
    ComboContact->setCurrentIndex(-1);
    ComboState->setCurrentIndex(-1);
    ComboStatus->setCurrentIndex(-1);
}

void frmProjects::ComboStatus_Click() {
    if (mode() != shell::kBrowse)
        LEDStatus->setStatus(static_cast<qint16>(ComboStatus->currentIndex() + 1));
}

RecordEditor::Owners frmProjects::resolveOwner() {
    const int pos = positionOfName(shell::contactNames(m_rsContacts), ComboContact->currentIndex(),
                                   ComboContact->currentText());
    m_ownerID = pos >= 0 ? shell::idAtRow(m_rsContacts, pos) : m_rowOwnerID;
    return {m_ownerID, m_rowOwnerID};
}

bool frmProjects::readInputs() {
    const auto span = shell::readDateSpan(*txtStart, *txtEnd);
    if (!span || !readWBS(txtWBS))
        return false;
    m_start = span->start;
    m_end = span->end;
    m_state = shell::idFromCombo(*ComboState, m_rowState);
    m_statusID = shell::idFromCombo(*ComboStatus, m_rowStatusID);
    return true;
}

qint32 frmProjects::updateRecord() {
    auto& s = state();
    return s.g_zorbel->UpdateProject(s.g_currentProjectID, txtName->text(), txtReference->text(),
                                     txtDescription->text(), m_ownerID, m_start, m_end, m_statusID,
                                     static_cast<qint16>(s.g_saveWBS), m_state);
}

qint32 frmProjects::addRecord() {
    auto& s = state();
    const qint32 id = s.g_zorbel->AddProject(txtName->text(), txtReference->text(), txtDescription->text(), m_ownerID,
                                             m_start, m_end, m_statusID, static_cast<qint16>(s.g_saveWBS), m_state);
    if (id != 0) {
        // Listed by rights, the project would vanish from this list, and
        // everyone's, the moment it is added; its row is read with the others
        // so that selecting it gives its creator his levels.
        shell::GrantCreatorRights(id, txtName->text());
        m_rsRights = s.g_zorbel->GetUserAdmin(s.g_currentMultiUserID);
    }
    return id;
}

qint32 frmProjects::deleteRecord() {
    return state().g_zorbel->DeleteProject(state().g_currentProjectID);
}

QString frmProjects::recordName() const {
    return txtName->text();
}

} // namespace zorbel::planning

using zorbel::planning::frmProjects;
ZORBEL_REGISTER_WINDOW(frmProjects)
