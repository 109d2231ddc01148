#pragma once
// The execution window tests: a project with a team and a deliverable made
// current, as the projects and deliverables editors leave them, and rows
// below it made through the business object.

#include "client/shell/NavCodes.h"
#include "tests/client/planning/EditorTestSupport.h"

#include <QPlainTextEdit>

namespace zorbel::test {

class ExecutionTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ann = addContact(QStringLiteral("Ann"), QStringLiteral("Archer"));
        bob = addContact(QStringLiteral("Bob"), QStringLiteral("Baker"));
        app().g_currentUserID = ann;
        project = addProject(QStringLiteral("Bridge"), ann, at(2024, 3, 1), at(2024, 6, 30));
        annMember = addMember(project, ann, QStringLiteral("Ann Archer"));
        bobMember = addMember(project, bob, QStringLiteral("Bob Baker"));
        deliverable = addDeliverable(project, QStringLiteral("Deck"));
        app().g_currentProjectID = project;
        app().g_currentProjectName = QStringLiteral("Bridge");
        app().g_projectStart = at(2024, 3, 1);
        app().g_projectEnd = at(2024, 6, 30);
        app().g_currentDeliverableID = deliverable;
        app().g_currentDeliverableName = QStringLiteral("Deck");
    }

    qint32 addMember(qint32 inProject, qint32 user, const QString& fullName) {
        zorbel().AddTeamMember(user, inProject, fullName, fullName.section(' ', 0, 0), fullName.section(' ', 1));
        return lastID(QStringLiteral("ZORBEL_TEAM_TABLE"), QStringLiteral("TeamID"));
    }
    qint32 addDeliverable(qint32 inProject, const QString& text) {
        QString metric;
        return zorbel().AddDeliverable(inProject, 2, text, metric, 0, at(2024, 3, 1), at(2024, 3, 2), 1, 0);
    }
    qint32 addTask(qint32 inDeliverable, const QString& text, qint16 wbs = 1, qint32 dependency = 0,
                   const QDateTime& start = at(2024, 4, 1), const QDateTime& end = at(2024, 4, 5)) {
        return zorbel().AddTask(inDeliverable, 2, text, 0, start, end, dependency, wbs);
    }
    qint32 addAction(qint32 task, const QString& text, qint16 wbs = 1) {
        return zorbel().AddAction(task, text, at(2024, 4, 1), at(2024, 4, 2), 2, 0, wbs);
    }
    qint32 addProgress(qint32 action, const QString& text, qint16 wbs = 1) {
        return zorbel().AddProgress(action, at(2024, 4, 1), text, 0, wbs);
    }
    QVariant value(const char* table, const char* idColumn, qint32 id, const char* column) {
        return stored(QString::fromLatin1(table), QString::fromLatin1(column), QString::fromLatin1(idColumn), id);
    }
    static void text(QWidget* w, const char* box, const QString& t) { child<QPlainTextEdit>(w, box)->setPlainText(t); }
    // Types into a one-line or a multi-line box alike.
    static void enter(QWidget* w, const char* box, const QString& t) {
        if (child<QWidget>(w, box)->inherits("QPlainTextEdit"))
            text(w, box, t);
        else
            type(w, box, t);
    }
    QWidget* openWindow(const char* name, int navTool) {
        app().g_navTool = navTool;
        return open<QWidget>(QString::fromLatin1(name));
    }
    // The wizard up to its page `name`, for a new project dated as the
    // fixture's; the project page itself is left filled in, not yet sent.
    QWidget* wizardPage(const char* name) {
        app().g_navTool = shell::nav::NewProject;
        EXPECT_TRUE(ui::showWindow(QStringLiteral("frmAddProjectHelp")));
        click(ui::window(QStringLiteral("frmAddProjectHelp")), "btnNext");
        QWidget* p = ui::window(QStringLiteral("frmAddProject"));
        type(p, "txtName", QStringLiteral("Wizard ") + QLatin1String(name));
        type(p, "txtStartDate", QStringLiteral("01/03/2024"));
        type(p, "txtEndDate", QStringLiteral("30/06/2024"));
        child<QComboBox>(p, "ComboContacts")->setCurrentIndex(0);
        if (QLatin1String(name) == QLatin1String("frmAddProject"))
            return p;
        click(p, "btnNext");
        QWidget* w = ui::window(QStringLiteral("frmAddMilestones"));
        if (QLatin1String(name) == QLatin1String("frmAddDeliverables")) {
            click(w, "btnNext");
            click(ui::window(QStringLiteral("frmDeliverablesHelp")), "btnNext");
            w = ui::window(QStringLiteral("frmAddDeliverables"));
        }
        return w;
    }
    // The fixture's project and deliverable current again, whatever the editor before picked.
    void backToFixture() {
        app().g_currentProjectID = project;
        app().g_projectStart = at(2024, 3, 1);
        app().g_projectEnd = at(2024, 6, 30);
        app().g_currentDeliverableID = deliverable;
    }
    static QComboBox* combo(QWidget* w, const char* name) { return child<QComboBox>(w, name); }

    qint32 ann = 0;
    qint32 bob = 0;
    qint32 project = 0;
    qint32 annMember = 0;
    qint32 bobMember = 0;
    qint32 deliverable = 0;
};

} // namespace zorbel::test
