#include "client/risks/frmAddIssue.h"

#include "business/Widths.h"
#include "client/shell/AppState.h"
#include "client/shell/CharCounter.h"
#include "client/shell/Combos.h"
#include "client/shell/DateBox.h"
#include "client/shell/Placing.h"
#include "client/shell/SaveFailure.h"
#include "client/shell/TextLimit.h"
#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace zorbel::risks {

using shell::placeField;
using shell::state;

namespace {

// What a loader reports when its list did not come back (the business layer has said why).
const char* const kNoList = "the list could not be read";

QLabel* boldLabel(QWidget* parent, const QString& text, int left, int top, int width) {
    QLabel* l = shell::placeLabel(parent, text, left, top, width);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QComboBox* dropDown(QWidget* parent, const char* name, int left, int top) {
    auto* c = placeField<QComboBox>(parent, name, left, top, 2400);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

// Fills a look-up combo with one text field of the list and shows the row whose id is `selected`.
void fillLookUp(QComboBox& combo, const data::RecordsetPtr& list, const QString& fieldName, qint32 selected) {
    shell::fillCombo(combo, shell::fieldTexts(list, fieldName));
    shell::selectRowOfID(combo, list, selected);
}

// A loader: fills the combo from the list, or reports that the list did not
// come back and leaves the combo empty. Returns the list for the window to keep.
data::RecordsetPtr loadLookUp(QComboBox& combo, data::RecordsetPtr list, const QString& fieldName, qint32 selected,
                              const QString& failure) {
    if (list)
        fillLookUp(combo, list, fieldName, selected);
    else
        ui::MsgBox(failure);
    return list;
}

// The id of the entry a combo names: the picked entry while it still shows its
// text, else the first entry of the typed text; -1 when it names none.
qint32 pickedID(const QComboBox& combo, const data::RecordsetPtr& list, const QString& fieldName) {
    const int row = shell::positionOfName(shell::fieldTexts(list, fieldName), combo.currentIndex(), combo.currentText(),
                                          shell::TypedName::First);
    return row >= 0 ? shell::idAtRow(list, row) : -1;
}

} // namespace

frmAddIssue::frmAddIssue(QWidget* parent) : ModalDialog(parent) {
    setObjectName(QStringLiteral("frmAddIssue"));
    setWindowTitle(QStringLiteral("Add/Edit Issue"));
    controls::fixSizeTwips(this, 8280, 5040);

    boldLabel(this, QStringLiteral("Issue Date"), 120, 150, 1200);
    txtIssueDate = placeField<shell::DateBox>(this, "txtIssueDate", 1380, 120, 1500);
    boldLabel(this, QStringLiteral("Reference"), 4140, 150, 960);
    txtReference = placeField<QLineEdit>(this, "txtReference", 5160, 120, 2400);
    shell::limitText(*txtReference, widths::of("ZORBEL_ISSUE_LOG", "IssueReference"));

    const struct {
        const char* caption;
        QPlainTextEdit** box;
        const char* boxName;
        QLabel** counter;
        const char* counterName;
        int width;
    } texts[] = {
        {"Issue", &txtIssue, "txtIssue", &cntIssue, "cntIssue", widths::of("ZORBEL_ISSUE_LOG", "Issue")},
        {"Impact", &txtImpact, "txtImpact", &cntImpact, "cntImpact", widths::of("ZORBEL_ISSUE_LOG", "Impact")},
        {"Resolution", &txtResolution, "txtResolution", &cntMitigation, "cntMitigation",
         widths::of("ZORBEL_ISSUE_LOG", "Resolution")},
    };
    int top = 540;
    for (const auto& t : texts) {
        boldLabel(this, QString::fromLatin1(t.caption), 120, top + 30, 1200);
        *t.box = placeField<QPlainTextEdit>(this, t.boxName, 1380, top, 6180, 735);
        *t.counter = shell::placeLabel(this, QString(), 7620, top + 30, 540, t.counterName);
        shell::limitText(**t.box, t.width);
        shell::attachCharCounter(**t.box, **t.counter, t.width);
        top += 840;
    }

    boldLabel(this, QStringLiteral("Owner"), 120, 3090, 1200);
    ComboOwner = dropDown(this, "ComboOwner", 1380, 3060);
    boldLabel(this, QStringLiteral("Group"), 4140, 3090, 960);
    ComboIssueGroup = dropDown(this, "ComboIssueGroup", 5160, 3060);
    // The issue goes to the log's current group; the box only says which.
    ComboIssueGroup->setEnabled(false);
    boldLabel(this, QStringLiteral("Severity"), 120, 3510, 1200);
    ComboSeverity = dropDown(this, "ComboSeverity", 1380, 3480);
    boldLabel(this, QStringLiteral("Status"), 4140, 3510, 960);
    ComboStatus = dropDown(this, "ComboStatus", 5160, 3480);
    boldLabel(this, QStringLiteral("Schedule"), 120, 3930, 1200);
    ComboSchedule = dropDown(this, "ComboSchedule", 1380, 3900);
    boldLabel(this, QStringLiteral("Urgency"), 4140, 3930, 960);
    ComboUrgency = dropDown(this, "ComboUrgency", 5160, 3900);

    btnOK = shell::placeButton(this, "btnOK", QStringLiteral("OK"), 1380, 4500);
    btnCancel = shell::placeButton(this, "btnCancel", QStringLiteral("Cancel"), 5160, 4500);
    connect(btnOK, &controls::ctrlButton::Click, this, &frmAddIssue::btnOK_Click);
    connect(btnCancel, &controls::ctrlButton::Click, this, &frmAddIssue::btnCancel_Click);

    Form_Load();
}

void frmAddIssue::Form_Load() {
    state().g_dialogCancelled = true;
    LoadIssueOwnerCombo();
    LoadIssueStatusCombo();
    LoadIssueSeverityCombo();
    LoadIssueUrgencyCombo();
    LoadIssueScheduleCombo();
    LoadIssueGroupCombo();
}

void frmAddIssue::LoadIssueOwnerCombo() {
    auto& s = state();
    m_rsTeam = loadLookUp(*ComboOwner, s.g_zorbel->GetProjectTeam(s.g_currentProjectID), QStringLiteral("FullName"),
                          s.g_issueOwnerID, QStringLiteral("Load Owners Failure ") + QLatin1String(kNoList));
}

void frmAddIssue::LoadIssueStatusCombo() {
    auto& s = state();
    m_rsStatus = loadLookUp(*ComboStatus, s.g_zorbel->GetIssueStatus(), QStringLiteral("Status"), s.g_issueStatusID,
                            QStringLiteral("Load Issue Status Failure ") + QLatin1String(kNoList));
}

void frmAddIssue::LoadIssueSeverityCombo() {
    auto& s = state();
    m_rsSeverity = loadLookUp(*ComboSeverity, s.g_zorbel->GetIssueSeverity(), QStringLiteral("Severity"),
                              s.g_issueSeverityID, QStringLiteral("Get Severity Failed in frmAddIssue"));
}

void frmAddIssue::LoadIssueUrgencyCombo() {
    auto& s = state();
    m_rsUrgency = loadLookUp(*ComboUrgency, s.g_zorbel->GetIssueUrgency(), QStringLiteral("Urgency"),
                             s.g_issueUrgencyID, QStringLiteral("Get Urgency Failed in frmAddIssue"));
}

void frmAddIssue::LoadIssueScheduleCombo() {
    auto& s = state();
    m_rsSchedule = loadLookUp(*ComboSchedule, s.g_zorbel->GetIssueSchedule(), QStringLiteral("Schedule"),
                              s.g_issueScheduleID, QStringLiteral("Get Shedule Failed in frmAddIssue"));
}

void frmAddIssue::LoadIssueGroupCombo() {
    auto& s = state();
    const data::RecordsetPtr groups = s.g_zorbel->GetIssuesGroups();
    if (!groups)
        return;
    if (groups->RecordCount() > 0) {
        fillLookUp(*ComboIssueGroup, groups, QStringLiteral("Description"), s.g_currentIssueGroupID);
    } else {
        s.g_currentIssueGroupID = 0;
        s.g_currentIssueGroupName.clear();
    }
}

void frmAddIssue::clearForAdd() {
    txtIssue->clear();
    txtImpact->clear();
    txtResolution->clear();
    txtIssueDate->clear();
    txtReference->clear();
    for (QComboBox* c : {ComboOwner, ComboSchedule, ComboSeverity, ComboStatus, ComboUrgency})
        c->setCurrentIndex(-1);
}

void frmAddIssue::showIssue(const QString& reference, const QVariant& storedDate, const QString& issue,
                            const QString& impact, const QString& resolution) {
    txtIssue->setPlainText(issue);
    txtImpact->setPlainText(impact);
    txtResolution->setPlainText(resolution);
    txtIssueDate->showStored(storedDate);
    txtReference->setText(reference);
}

void frmAddIssue::btnOK_Click() {
    const shell::DateInput date = txtIssueDate->input();
    if (date.kind == shell::DateInput::Invalid) {
        ui::MsgBox(QStringLiteral("Invalid Issue Date"));
        return;
    }
    const QDateTime issueDate = date.kind == shell::DateInput::Empty ? ui::now() : date.value;

    const qint32 owner = pickedID(*ComboOwner, m_rsTeam, QStringLiteral("FullName"));
    const qint32 severity = pickedID(*ComboSeverity, m_rsSeverity, QStringLiteral("Severity"));
    const qint32 urgency = pickedID(*ComboUrgency, m_rsUrgency, QStringLiteral("Urgency"));
    const qint32 status = pickedID(*ComboStatus, m_rsStatus, QStringLiteral("Status"));
    const qint32 schedule = pickedID(*ComboSchedule, m_rsSchedule, QStringLiteral("Schedule"));
    // The log lists open issues (status above 1) and closed ones (status 1):
    // an issue of any other status would never be seen again.
    if (status < 1) {
        ui::MsgBox(QStringLiteral("Select the Issue Status"));
        return;
    }

    auto& s = state();
    const bool editing = DialogMode == shell::kEdit;
    const QVariant project(s.g_currentProjectID);
    const qint32 saved =
        editing ? s.g_zorbel->UpdateIssue(s.g_currentIssueID, project, s.g_currentIssueGroupID, txtReference->text(),
                                          issueDate, txtIssue->toPlainText(), txtImpact->toPlainText(),
                                          txtResolution->toPlainText(), owner, static_cast<qint16>(status),
                                          static_cast<qint16>(severity), static_cast<qint16>(urgency),
                                          static_cast<qint16>(schedule))
                : s.g_zorbel->AddIssue(project, s.g_currentIssueGroupID, txtReference->text(), issueDate,
                                       txtIssue->toPlainText(), txtImpact->toPlainText(), txtResolution->toPlainText(),
                                       owner, static_cast<qint16>(status), static_cast<qint16>(severity),
                                       static_cast<qint16>(urgency), static_cast<qint16>(schedule));
    // Nothing saved (the issue was deleted meanwhile, the statement failed):
    // the dialog stays open with what the user typed.
    if (saved == 0) {
        shell::ShowSaveFailed(editing ? QStringLiteral("Update Issue Failed") : QStringLiteral("Add Issue Failed"));
        return;
    }
    s.g_dialogCancelled = false;
    close();
}

void frmAddIssue::btnCancel_Click() {
    close();
}

} // namespace zorbel::risks

using zorbel::risks::frmAddIssue;
ZORBEL_REGISTER_WINDOW(frmAddIssue)
