#include "client/risks/frmAddRisk.h"

#include "business/Widths.h"
#include "client/risks/RiskParent.h"
#include "client/risks/RiskRules.h"
#include "client/shell/AppState.h"
#include "client/shell/CharCounter.h"
#include "client/shell/Combos.h"
#include "client/shell/Owners.h"
#include "client/shell/Placing.h"
#include "client/shell/SaveFailure.h"
#include "client/shell/TextLimit.h"
#include "client/shell/Values.h"
#include "client/shell/WindowRegistration.h"
#include "client/shell/Zorbel5Data.h"
#include "controls/StatusLED.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/MessageBox.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace zorbel::risks {

using controls::ctrlButton;
using controls::placeTwips;
using shell::placeField;
using shell::state;

namespace {

const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 192, 0);

const char* const kOwnerRefusal = "You do not have the rights to make changes to this Deliverable";

QLabel* caption(QWidget* parent, const QString& text, int left, int top, int width, const char* name,
                const QColor& colour = kNavy, double points = 8.25) {
    QLabel* label = shell::placeLabel(parent, text, left, top, width, name);
    // Sizes are the design's, drawn for its 8.25-point window font: they grow with the window's own.
    QFont font = label->font();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * points / 8.25);
    else
        font.setPixelSize(qRound(font.pixelSize() * points / 8.25));
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

QScrollBar* bar(QWidget* parent, const char* name, int left) {
    auto* b = new QScrollBar(Qt::Vertical, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setRange(0, 100);
    b->setSingleStep(1);
    b->setPageStep(10);
    // A scroll bar takes no focus by default; these two lead the tab order,
    // so the level and probability can be set from the keyboard.
    b->setFocusPolicy(Qt::StrongFocus);
    placeTwips(b, left, 840, 255, 2520);
    return b;
}

QComboBox* lookUpCombo(QWidget* parent, const char* name, int left, int width) {
    auto* combo = placeField<QComboBox>(parent, name, left, 405, width);
    // A typed text picks the entry it names; it never becomes an entry itself.
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

} // namespace

frmAddRisk::frmAddRisk() {
    setObjectName(QStringLiteral("frmAddRisk"));
    controls::resizeTwips(this, 9300, 6300);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(224, 224, 224));
    setPalette(grey);
    setAutoFillBackground(true);

    // The two bars with their boxes, the score and the lamp.
    QLabel* heading = caption(this, QStringLiteral("Select the Risk Level and Risk Probability"), 120, 120, 2880,
                              "lblHeading");
    heading->setWordWrap(true);
    placeTwips(heading, 120, 120, 2880, 570);
    caption(this, QStringLiteral("High"), 120, 840, 600, "lblHigh", kRed);
    caption(this, QStringLiteral("Low"), 120, 3075, 600, "lblLow", kGreen);
    VSImpact = bar(this, "VSImpact", 1080);
    VSProbability = bar(this, "VSProbability", 2160);
    caption(this, QStringLiteral("Risk Level"), 720, 3480, 1000, "lblRiskLevel");
    caption(this, QStringLiteral("Probability"), 1800, 3480, 1000, "lblProbability");
    txtImpactValue = placeField<QLineEdit>(this, "txtImpactValue", 840, 3780, 735);
    txtProbabilityValue = placeField<QLineEdit>(this, "txtProbabilityValue", 1920, 3780, 735);
    caption(this, QStringLiteral("Calculated Risk Level"), 120, 4380, 2880, "lblCRL");
    txtCRL = caption(this, QString(), 840, 4740, 1200, "txtCRL", kNavy, 9.75);
    LEDRisk = new controls::StatusLED(this);
    LEDRisk->setObjectName(QStringLiteral("LEDRisk"));
    placeTwips(LEDRisk, 2160, 4710, controls::StatusLED::DesignWidthTwips, controls::StatusLED::DesignHeightTwips);

    // The risk's type, owner and texts.
    caption(this, QStringLiteral("Select the Risk Type"), 3240, 120, 2700, "lblRiskType");
    ComboRiskType = lookUpCombo(this, "ComboRiskType", 3240, 2700);
    caption(this, QStringLiteral("Select the Risk Owner"), 6120, 120, 3000, "lblOwner");
    ComboOwner = lookUpCombo(this, "ComboOwner", 6120, 3000);
    struct Text {
        QPlainTextEdit** box;
        QLabel** counter;
        const char* name;
        const char* counterName;
        const char* label;
        int top;
        int width;
    };
    const Text texts[] = {
        {&txtDescription, &cntRisk, "txtDescription", "cntRisk", "Describe the Risk", 840,
         widths::of("ZORBEL_RISKS", "Description")},
        {&txtImpact, &cntImpact, "txtImpact", "cntImpact", "What Impact will this Risk have on the Task and Project",
         1980, widths::of("ZORBEL_RISKS", "Impact")},
        {&txtMitigation, &cntMitigation, "txtMitigation", "cntMitigation",
         "How is the Risk going to be tackled/mitigated", 3120, widths::of("ZORBEL_RISKS", "Mitigation")},
        {&txtNote, &cntNote, "txtNote", "cntNote", "Note", 4260, widths::of("ZORBEL_RISKS", "RiskNote")},
    };
    for (const Text& t : texts) {
        caption(this, QString::fromLatin1(t.label), 3240, t.top, 5160, nullptr);
        *t.box = placeField<QPlainTextEdit>(this, t.name, 3240, t.top + 285, 5880, 735);
        shell::limitText(**t.box, t.width);
        *t.counter = shell::placeLabel(this, QString(), 8520, t.top, 600, t.counterName);
        (*t.counter)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        shell::attachCharCounter(**t.box, **t.counter, t.width);
    }

    btnOK = shell::placeButton(this, "btnOK", QStringLiteral("OK"), 3240, 5520);
    btnCancel = shell::placeButton(this, "btnCancel", QStringLiteral("Cancel"), 4800, 5520);
    ShapeEscalate = new QFrame(this);
    ShapeEscalate->setObjectName(QStringLiteral("ShapeEscalate"));
    ShapeEscalate->setFrameShape(QFrame::Box);
    placeTwips(ShapeEscalate, 7620, 5460, ctrlButton::DesignWidthTwips + 120, ctrlButton::DesignHeightTwips + 120);
    btnEscalate = shell::placeButton(this, "btnEscalate", QStringLiteral("Escalate"), 7680, 5520);
    btnEscalate->setToolTip(QStringLiteral("Escalate Risk to Project Level"));

    QWidget* order[] = {VSImpact,       VSProbability, txtImpactValue, txtProbabilityValue, ComboRiskType,
                        ComboOwner,     txtDescription, txtImpact,     txtMitigation,       btnOK,
                        btnCancel,      btnEscalate,    txtNote};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(txtImpactValue, &QLineEdit::textChanged, this, &frmAddRisk::txtImpactValue_Change);
    connect(txtProbabilityValue, &QLineEdit::textChanged, this, &frmAddRisk::txtProbabilityValue_Change);
    connect(VSImpact, &QScrollBar::valueChanged, this, &frmAddRisk::VSImpact_Change);
    connect(VSImpact, &QScrollBar::sliderMoved, this, &frmAddRisk::VSImpact_Scroll);
    connect(VSProbability, &QScrollBar::valueChanged, this, &frmAddRisk::VSProbability_Change);
    connect(VSProbability, &QScrollBar::sliderMoved, this, &frmAddRisk::VSProbability_Scroll);
    connect(btnOK, &ctrlButton::Click, this, &frmAddRisk::btnOK_Click);
    connect(btnCancel, &ctrlButton::Click, this, &frmAddRisk::btnCancel_Click);
    connect(btnEscalate, &ctrlButton::Click, this, &frmAddRisk::btnEscalate_Click);
}

void frmAddRisk::showEvent(QShowEvent* event) {
    // Shown without its caller (only a test does that): it loads as it is.
    if (!m_loaded)
        Form_Load();
    m_live = true;
    shell::ModalDialog::showEvent(event);
}

void frmAddRisk::Form_Load() {
    m_loaded = true;
    auto& s = state();
    m_mode = s.g_editMode;
    m_riskID = s.g_currentRiskID;
    m_level = registerLevelFor(s.g_navTool);
    switch (m_level) {
    case RegisterLevel::Project:
        setWindowTitle(QStringLiteral("Add Risk to Project: ") + s.g_currentProjectName);
        m_saveID = s.g_currentProjectID;
        m_projectRisk = 1;
        btnEscalate->hide();
        ShapeEscalate->hide();
        break;
    case RegisterLevel::Task:
        setWindowTitle(QStringLiteral("Add Risk to Task: ") + s.g_currentTaskName);
        m_saveID = s.g_currentTaskID;
        m_projectRisk = 0;
        btnEscalate->show();
        ShapeEscalate->show();
        break;
    case RegisterLevel::Other:
        break;
    }
    if (m_mode == shell::kAdd) {
        btnEscalate->hide();
        ShapeEscalate->hide();
    }
    LoadRiskTypeCombo();
    LoadRiskOwnerCombo();

    txtImpactValue->setText(m_values.level);
    txtProbabilityValue->setText(m_values.probability);
    txtDescription->setPlainText(m_values.description);
    txtImpact->setPlainText(m_values.impact);
    txtMitigation->setPlainText(m_values.mitigation);
    VSImpact->setValue(barForLevel(shell::decimalOf(m_values.level).value_or(0.0)));
    VSProbability->setValue(barForProbability(shell::decimalOf(m_values.probability).value_or(0.0)));
    txtCRL->setText(CalcRiskValue());
}

void frmAddRisk::prepareForAdd() {
    for (QPlainTextEdit* box : {txtDescription, txtImpact, txtMitigation, txtNote})
        box->clear();
    txtImpactValue->clear();
    txtProbabilityValue->clear();
    VSImpact->setValue(0);
    VSProbability->setValue(0);
}

void frmAddRisk::setNote(const QString& note) {
    txtNote->setPlainText(note);
}

void frmAddRisk::LoadRiskTypeCombo() {
    auto& s = state();
    m_types = s.g_zorbel ? s.g_zorbel->GetRiskTypes() : nullptr;
    if (!m_types) {
        ui::MsgBox(QStringLiteral("Load Risk Type Combo Failed"));
        return;
    }
    QStringList entries{QString()};
    entries += shell::fieldTexts(m_types, 1);
    shell::fillCombo(*ComboRiskType, entries);
    // The empty entry stands for a type that is not in the list.
    ComboRiskType->setCurrentIndex(shell::rowOfID(m_types, m_values.riskType) + 1);
}

void frmAddRisk::LoadRiskOwnerCombo() {
    auto& s = state();
    // The owners come from the project's team at task level too.
    m_team = s.g_zorbel ? s.g_zorbel->GetProjectTeam(s.g_currentProjectID) : nullptr;
    if (!m_team) {
        ui::MsgBox(QStringLiteral("Get Team Failed in frmAdd Risk"));
        return;
    }
    QStringList entries{QString()};
    entries += shell::teamNames(m_team);
    shell::fillCombo(*ComboOwner, entries);
    ComboOwner->setCurrentIndex(shell::rowOfID(m_team, m_values.owner) + 1);
}

// ---------------------------------------------------------------- scoring

QString frmAddRisk::CalcRiskValue() {
    const auto value = riskValue(txtImpactValue->text(), txtProbabilityValue->text());
    if (value)
        LEDRisk->setLEDColour(GetRiskColour(*value));
    return scoreText(value);
}

void frmAddRisk::scoreBoxChanged(QLineEdit& box, QScrollBar& bar, const ScoreRange& range,
                                 int (*barFor)(double)) {
    if (!m_live || awaitingDigits(box.text()))
        return;
    const auto value = numberInRange(box.text(), range);
    if (!value) {
        ui::MsgBox(QString::fromLatin1(range.message));
        return;
    }
    bar.setValue(barFor(*value));
    txtCRL->setText(CalcRiskValue());
}

void frmAddRisk::barChanged(const QScrollBar& bar, QLineEdit& box, double (*valueAt)(int)) {
    if (!m_live)
        return;
    box.setText(boxText(valueAt(bar.value())));
    txtCRL->setText(CalcRiskValue());
}

void frmAddRisk::txtImpactValue_Change() {
    scoreBoxChanged(*txtImpactValue, *VSImpact, kLevelRange, barForLevel);
}

void frmAddRisk::txtProbabilityValue_Change() {
    scoreBoxChanged(*txtProbabilityValue, *VSProbability, kProbabilityRange, barForProbability);
}

void frmAddRisk::VSImpact_Change() {
    barChanged(*VSImpact, *txtImpactValue, levelAtBar);
}

void frmAddRisk::VSProbability_Change() {
    barChanged(*VSProbability, *txtProbabilityValue, probabilityAtBar);
}

// ---------------------------------------------------------------- saving

bool frmAddRisk::readScores(double& level, double& probability) {
    const auto l = savedValue(txtImpactValue->text(), kLevelRange);
    if (!l) {
        ui::MsgBox(QString::fromLatin1(kLevelRange.message));
        return false;
    }
    const auto p = savedValue(txtProbabilityValue->text(), kProbabilityRange);
    if (!p) {
        ui::MsgBox(QString::fromLatin1(kProbabilityRange.message));
        return false;
    }
    level = *l;
    probability = *p;
    return true;
}

int frmAddRisk::chosenOwnerRow() const {
    // By the chosen position first, so that two members of one name stay apart.
    QStringList entries{QString()};
    entries += shell::teamNames(m_team);
    const int entry = shell::positionOfName(entries, ComboOwner->currentIndex(), ComboOwner->currentText(),
                                            shell::TypedName::First);
    return entry - 1; // the empty first entry is no member
}

bool frmAddRisk::Submit() {
    auto& s = state();
    if (!registerParentHolds(m_level)) {
        // The task is another project's: nothing is saved to it with this project's team as owners.
        close();
        return true;
    }
    // The owner rule speaks first: a user who may not save this risk is not
    // first asked to mend a box. Anything but an add rewrites an existing
    // risk, so its stored owner counts too.
    const bool adding = m_mode == shell::kAdd;
    const int ownerRow = chosenOwnerRow();
    const qint32 owner = ownerRow >= 0 ? shell::idAtRow(m_team, ownerRow) : -1;
    s.g_ownerUserID = shell::userOfTeamMember(m_team, owner);
    if (shell::OwnerRuleRefuses(QString::fromLatin1(kOwnerRefusal), adding ? shell::kAdd : shell::kEdit,
                                s.g_ownerUserID, shell::storedOwnerUser(m_team, m_values.owner))) {
        close();
        return true;
    }
    double level = 0;
    double probability = 0;
    if (!readScores(level, probability))
        return false;
    const qint16 type = m_types ? static_cast<qint16>(shell::GetIDFromField(ComboRiskType->currentText(), m_types,
                                                                             QStringLiteral("RiskType")))
                                : qint16(-1);

    ZorbelClass* z = s.g_zorbel.get();
    const qint32 result =
        !z       ? 0
        : adding ? z->AddRisk(m_saveID, type, txtDescription->toPlainText(), txtImpact->toPlainText(),
                           txtMitigation->toPlainText(), owner, level, probability, txtNote->toPlainText(),
                           m_projectRisk)
               : z->UpdateRisk(m_riskID, m_saveID, type, txtDescription->toPlainText(), txtImpact->toPlainText(),
                              txtMitigation->toPlainText(), owner, level, probability, txtNote->toPlainText(),
                              m_projectRisk);
    if (result == 0) {
        // Nothing was written (or the risk is gone): the entries stay for another try.
        shell::ShowSaveFailed(adding ? QStringLiteral("Add Risk Failed") : QStringLiteral("Update Risk Failed"));
        return false;
    }
    close();
    return true;
}

void frmAddRisk::btnEscalate_Click() {
    if (!registerParentHolds(m_level))
        return;
    const auto& s = state();
    if (!mayEscalate(s.g_cfgProjectAdmin, s.g_projectAdminLevel)) {
        shell::ShowRefusal(QStringLiteral("You do not have the rights to add Risks to this Project"));
        return;
    }
    double level = 0;
    double probability = 0;
    if (!readScores(level, probability))
        return;
    if (ui::MsgBox(QStringLiteral("Are you sure you want to escalate this to Project Level?"), ui::vbYesNo) != ui::vbYes)
        return;
    const qint32 taskID = m_saveID;
    const qint16 taskLevel = m_projectRisk;
    m_projectRisk = 1;
    m_saveID = state().g_currentProjectID;
    m_mode = shell::kEdit;
    state().g_editMode = shell::kEdit;
    if (!Submit()) {
        // Not saved: a later OK must not move the risk without the question.
        m_saveID = taskID;
        m_projectRisk = taskLevel;
    }
}

} // namespace zorbel::risks

using zorbel::risks::frmAddRisk;
ZORBEL_REGISTER_WINDOW(frmAddRisk)
