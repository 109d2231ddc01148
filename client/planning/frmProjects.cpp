#include "client/planning/frmProjects.h"

#include "client/planning/Placing.h"

#include "client/shell/DateBox.h"
#include "client/shell/WindowRegistration.h"
#include "controls/StatusLED.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/Clock.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include <iterator>

namespace zorbel::planning {

using controls::placeTwips;
using shell::state;

namespace {

constexpr int kNavMeasure = 9;
constexpr int kNavAnalyse = 15;
constexpr int kNavImplement = 24;
constexpr qint16 kClosedState = 4;

// Fields of the projects list.
enum Field { fID, fName, fReference, fDescription, fOwnerID, fStart, fEnd, fStatusID, fWBS, fState };

EditorSpec projectsSpec() {
    const bool implement = state().g_navTool == kNavImplement;
    EditorSpec s;
    s.kind = QStringLiteral("Project");
    s.ownerRefusal = QStringLiteral("You do not have the rights to make changes to this Project");
    s.columns = {
        {QString(), 0},
        {QStringLiteral("!"), implement ? 3 : 0},
        {QStringLiteral("Name"), 30, true},
        {QString(), 0},
        {QString(), 0},
        {QString(), 0},
        {QStringLiteral("Start"), 12, true, GridColumn::Date},
        {QStringLiteral("Finish"), 12, true, GridColumn::Date},
        {QString(), 0},
        {QString(), 0},
        {QString(), 0},
    };
    s.pictureColumn = true;
    s.statusField = fStatusID;
    s.wbsField = fWBS;
    return s;
}

// Fills of the status pictures by StatusID: the lamps the grids show, drawn
// in these exact colours (not the status light's own shades).
const QColor kPictureFills[] = {
    QColor(255, 255, 255), QColor(51, 51, 0),    QColor(0, 255, 0),  QColor(204, 204, 204),
    QColor(102, 204, 255), QColor(255, 204, 51), QColor(255, 0, 0),
};

// A 16 by 16 round lamp with a black outline on white.
QPixmap statusLamp(const QColor& fill) {
    QPixmap picture(16, 16);
    if (picture.isNull())
        return picture;
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(fill);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    return picture;
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
    QStringList names = contactNames();
    fillCombo(ComboContact, names);

    m_rsRights = s.g_zorbel->GetUserAdmin(s.g_currentMultiUserID);
    m_rsStates = s.g_zorbel->GetProjectStates();
    fillCombo(ComboState, m_rsStates, 1);
    m_rsStatus = s.g_zorbel->GetProjectStatus();
    fillCombo(ComboStatus, m_rsStatus, 1);

    setNextWBS(1);
    LoadStatusPictures();
    LoadProjectsGrid();

    const bool implement = s.g_navTool == kNavImplement;
    LEDStatus->setVisible(implement);
    ComboStatus->setVisible(implement);
    frStatus->setVisible(implement);

    storeMode(shell::kBrowse);
}

void frmProjects::LoadStatusPictures() {
    // The grids of every editor show these; a picture that cannot be made
    // leaves its slot and the ones after it as they were.
    auto& pictures = state().g_statusPictures;
    for (int k = 0; k < static_cast<int>(std::size(kPictureFills)); ++k) {
        QPixmap picture = statusLamp(kPictureFills[k]);
        if (picture.isNull()) {
            ui::MsgBox(QStringLiteral("Load Images Failed: ")
                       + QStringLiteral("status picture %1 could not be made").arg(k));
            return;
        }
        pictures[static_cast<size_t>(k)] = std::move(picture);
    }
}

QStringList frmProjects::contactNames() const {
    QStringList names;
    for (int i = 0; m_rsContacts && i < m_rsContacts->RecordCount(); ++i) {
        m_rsContacts->Move(i);
        names << m_rsContacts->Fields(QStringLiteral("FirstName")).toString() + QLatin1Char(' ')
                     + m_rsContacts->Fields(QStringLiteral("SurName")).toString();
    }
    if (m_rsContacts)
        m_rsContacts->MoveFirst();
    return names;
}

qint16 frmProjects::listedState() const {
    if (chkClosedProjects->isChecked())
        return kClosedState;
    switch (state().g_navTool) {
    case kNavMeasure: return 1;
    case kNavAnalyse: return 2;
    case kNavImplement: return 3;
    default: return 0;
    }
}

bool frmProjects::picturesWanted() const {
    return state().g_navTool == kNavImplement;
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

void frmProjects::clearCurrent() {
    state().g_currentProjectID = 0;
}

void frmProjects::LoadUserAdminLevels(qint32 projectID) {
    // No rights row for the project leaves the levels of the project picked before.
    auto& s = state();
    for (int i = 0; m_rsRights && i < m_rsRights->RecordCount(); ++i) {
        m_rsRights->Move(i);
        if (m_rsRights->Fields(QStringLiteral("ProjectID")).toInt() != projectID)
            continue;
        s.g_projectAdminLevel = int16Of(m_rsRights->Fields(QStringLiteral("ProjectAdminLevel")));
        s.g_taskAdminLevel = int16Of(m_rsRights->Fields(QStringLiteral("TaskAdminLevel")));
        s.g_actionAdminLevel = int16Of(m_rsRights->Fields(QStringLiteral("ActionAdminLevel")));
        s.g_progressAdminLevel = int16Of(m_rsRights->Fields(QStringLiteral("ProgressAdminLevel")));
        s.g_issueAdminLevel = int16Of(m_rsRights->Fields(QStringLiteral("IssueAdminLevel")));
    }
}

void frmProjects::showRow(int, const Row& v) {
    auto& s = state();
    s.g_currentProjectID = v[fID].toInt();
    if (s.g_cfgProjectAdmin == 1)
        LoadUserAdminLevels(s.g_currentProjectID);
    ApplyRights(s.g_projectAdminLevel);

    txtName->setText(v[fName].toString());
    s.g_currentProjectName = txtName->text();
    txtReference->setText(v[fReference].toString());
    txtDescription->setText(v[fDescription].toString());

    m_rowOwnerID = v[fOwnerID].isNull() ? 0 : v[fOwnerID].toInt();
    s.g_projectOwnerID = m_rowOwnerID;
    m_rowStatusID = int16Of(v[fStatusID]);

    showDate(txtStart, v[fStart]);
    if (auto d = dateOf(v[fStart]))
        s.g_projectStart = *d;
    showDate(txtEnd, v[fEnd]);
    if (auto d = dateOf(v[fEnd]))
        s.g_projectEnd = *d;

    txtWBS->setText(v[fWBS].isNull() ? QString() : v[fWBS].toString());
    m_rowState = int16Of(v[fState]);
    LEDStatus->setStatus(m_rowStatusID);

    // A value the list does not hold shows no selection rather than the previous row's.
    selectByID(ComboState, m_rowState);
    selectByID(ComboStatus, m_rowStatusID);
    int owner = -1;
    for (int i = 0; m_rsContacts && i < m_rsContacts->RecordCount(); ++i)
        if (m_rsContacts->row(i)[0].toInt() == m_rowOwnerID) {
            owner = i;
            break;
        }
    ComboContact->setCurrentIndex(owner);

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
    const int pos = positionOfName(contactNames(), ComboContact->currentIndex(), ComboContact->currentText());
    m_ownerID = pos >= 0 ? m_rsContacts->row(pos)[0].toInt() : m_rowOwnerID;
    return {m_ownerID, m_rowOwnerID};
}

bool frmProjects::readInputs() {
    const auto start = readDate(txtStart, ui::now());
    if (!start)
        return false;
    const auto end = readDate(txtEnd, start->addDays(1));
    if (!end)
        return false;
    if (!readWBS(txtWBS))
        return false;
    m_start = *start;
    m_end = *end;
    m_state = idFromCombo(ComboState, m_rowState);
    m_statusID = idFromCombo(ComboStatus, m_rowStatusID);
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
    return s.g_zorbel->AddProject(txtName->text(), txtReference->text(), txtDescription->text(), m_ownerID, m_start,
                                  m_end, m_statusID, static_cast<qint16>(s.g_saveWBS), m_state);
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
