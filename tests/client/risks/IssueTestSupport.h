#pragma once
// Shared pieces of the issue window tests: a project in the Implement phase
// with a team and two issue groups, issues made through the business object,
// and the issue log opened with its modal windows answered by a hook. The
// project is current, as the projects editor leaves it, so the picker closed
// without a click keeps it.

#include "tests/client/planning/EditorTestSupport.h"

#include <QPlainTextEdit>
#include <functional>
#include <memory>

namespace zorbel::test {

class IssueTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ann = addContact(QStringLiteral("Ann"), QStringLiteral("Archer"));
        project = addProject(QStringLiteral("Bridge"), ann, at(2024, 3, 1), at(2024, 6, 30));
        zorbel().AddTeamMember(ann, project, QStringLiteral("Ann Archer"), QStringLiteral("Ann"),
                               QStringLiteral("Archer"));
        annMember = lastID(QStringLiteral("ZORBEL_TEAM_TABLE"), QStringLiteral("TeamID"));
        app().g_currentProjectID = project;
        app().g_currentProjectName = QStringLiteral("Bridge");
        // Listed by Description: Build before Design.
        zorbel().AddIssueGroup(QStringLiteral("Design"));
        design = lastID(QStringLiteral("ZORBEL_ISSUES_GROUPS"), QStringLiteral("IssueGroupID"));
        zorbel().AddIssueGroup(QStringLiteral("Build"));
        build = lastID(QStringLiteral("ZORBEL_ISSUES_GROUPS"), QStringLiteral("IssueGroupID"));
        // The picker hands the project over; the issue dialog is driven by onDialog.
        hook = std::make_unique<ui::ModalHook>([this](QWidget& w) {
            if (w.objectName() == QLatin1String("frmAddIssue") && onDialog)
                onDialog(w);
        });
    }
    void TearDown() override {
        hook.reset();
        EditorTest::TearDown();
    }

    qint32 addIssue(qint32 group, const QString& reference, const QDateTime& date, qint16 status,
                    const QString& text = QStringLiteral("Issue"), qint32 owner = 0) {
        zorbel().AddIssue(QVariant(project), group, reference, date, text, QString(), QString(),
                          owner ? owner : annMember, status, 2, 2, 2);
        return lastID(QStringLiteral("ZORBEL_ISSUE_LOG"), QStringLiteral("IssueID"));
    }
    QVariant issue(qint32 id, const char* column) {
        return stored(QStringLiteral("ZORBEL_ISSUE_LOG"), QString::fromLatin1(column), QStringLiteral("IssueID"), id);
    }
    QWidget* openLog() { return open<QWidget>(QStringLiteral("frmIssueLog")); }
    int dialogsShown() const { return static_cast<int>(hook->shown().count(QStringLiteral("frmAddIssue"))); }

    static void write(QWidget* w, const char* box, const QString& text) {
        child<QPlainTextEdit>(w, box)->setPlainText(text);
    }
    static QComboBox* combo(QWidget* w, const char* name) { return child<QComboBox>(w, name); }

    std::function<void(QWidget&)> onDialog;
    std::unique_ptr<ui::ModalHook> hook;
    qint32 ann = 0, annMember = 0, project = 0, design = 0, build = 0;
};

} // namespace zorbel::test
