#pragma once
// Shared pieces of the risk window tests: a project with a two-member team
// and one task, current down to the task as the editors leave them, risks made
// through the business object, and the risk dialog driven from inside its
// modal run.

#include "client/risks/frmRisks.h"
#include "client/shell/NavCodes.h"
#include "controls/StatusLED.h"
#include "tests/client/planning/EditorTestSupport.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <functional>

namespace zorbel::test {

class RiskTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ann = addContact(QStringLiteral("Ann"), QStringLiteral("Archer"));
        bob = addContact(QStringLiteral("Bob"), QStringLiteral("Baker"));
        project = addProject(QStringLiteral("Bridge"), ann, at(2024, 3, 1), at(2024, 6, 30));
        annMember = addMember(ann, QStringLiteral("Ann Archer"));
        bobMember = addMember(bob, QStringLiteral("Bob Baker"));
        QString metric;
        deliverable =
            zorbel().AddDeliverable(project, 2, QStringLiteral("Deck"), metric, 1, at(2024, 3, 1), at(2024, 4, 1), 1, 0);
        task = zorbel().AddTask(deliverable, 2, QStringLiteral("Pour concrete"), annMember, at(2024, 3, 4),
                                at(2024, 3, 8), 0, 1);
        app().g_currentUserID = ann;
        app().g_currentProjectID = project;
        app().g_currentProjectName = QStringLiteral("Bridge");
        app().g_currentDeliverableID = deliverable;
        app().g_currentTaskID = task;
        app().g_currentTaskName = QStringLiteral("Pour concrete");
        app().g_navTool = shell::nav::ImplementProjectRisks;
    }
    qint32 addMember(qint32 contact, const QString& name) {
        const QStringList parts = name.split(QLatin1Char(' '));
        zorbel().AddTeamMember(contact, project, name, parts[0], parts[1]);
        return lastID(QStringLiteral("ZORBEL_TEAM_TABLE"), QStringLiteral("TeamID"));
    }
    qint32 addRisk(const QString& description, double level, double probability, qint32 owner = 0,
                   qint16 projectRisk = 1) {
        zorbel().AddRisk(projectRisk ? project : task, 1, description, QStringLiteral("impact"),
                         QStringLiteral("mitigation"), owner ? owner : annMember, level, probability,
                         QStringLiteral("note"), projectRisk);
        return lastID(QStringLiteral("ZORBEL_RISKS"), QStringLiteral("RiskID"));
    }
    QVariant risk(qint32 id, const char* column) {
        return stored(QStringLiteral("ZORBEL_RISKS"), QString::fromLatin1(column), QStringLiteral("RiskID"), id);
    }
    risks::frmRisks* openRegister(int navTool) {
        app().g_navTool = navTool;
        ui::closeWindow(QStringLiteral("frmRisks"));
        return open<risks::frmRisks>(QStringLiteral("frmRisks"));
    }
    // Presses a register button whose dialog is then driven by `inDialog`.
    void withDialog(QWidget* reg, const char* button, const std::function<void(QWidget&)>& inDialog) {
        ui::ModalHook hook([&](QWidget& dialog) { inDialog(dialog); });
        click(reg, button);
        EXPECT_EQ(hook.count(), 1);
    }
    static void score(QWidget& d, const QString& level, const QString& probability) {
        type(&d, "txtImpactValue", level);
        type(&d, "txtProbabilityValue", probability);
    }
    static void describe(QWidget& d, const QString& text) {
        child<QPlainTextEdit>(&d, "txtDescription")->setPlainText(text);
    }
    static void pick(QWidget& d, const char* combo, int entry) { child<QComboBox>(&d, combo)->setCurrentIndex(entry); }
    static QString scoreShown(QWidget& d) { return child<QLabel>(&d, "txtCRL")->text(); }
    static QColor lamp(QWidget& d) { return child<controls::StatusLED>(&d, "LEDRisk")->LEDColour(); }

    qint32 ann = 0, bob = 0, project = 0, deliverable = 0, task = 0, annMember = 0, bobMember = 0;
};

} // namespace zorbel::test
