// Text boxes take no more than the business layer keeps of their field, so
// nothing typed is cut after OK without the user having seen it.

#include "business/Widths.h"
#include "client/shell/CharCounter.h"
#include "client/shell/DateBox.h"
#include "client/shell/TextLimit.h"
#include "platform/ui/ProgramEnd.h"
#include "platform/ui/Windows.h"
#include "platform/xlsx/SheetName.h"
#include "tests/client/ClientTest.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <map>
#include <set>

namespace zorbel::test {
namespace {

using shell::excessOf;
using shell::TextExcess;

// What goes is what went past the width last, just before the cursor; a
// character outside the basic plane counts once (twice in UTF-16 units) and
// is never split.
TEST(TextLimit, WhatGoesPastTheWidthIsWhatWasTypedLast) {
    const QString face = QString::fromUcs4(U"\U0001F600");
    const struct {
        const char* what;
        QString text;
        qsizetype cursor;
        int width;
        TextExcess dropped;
        shell::Counting counting = shell::Counting::Characters;
    } cases[] = {
        {"fits", QStringLiteral("abc"), 3, 5, {3, 3}},
        {"typed at the end", QStringLiteral("abcdef"), 6, 5, {5, 6}},
        {"pasted in the middle", QStringLiteral("abXYZcd"), 5, 4, {2, 5}},
        {"set from code, the cursor at the start", QStringLiteral("abcdef"), 0, 4, {4, 6}},
        {"a wide character before the cursor", QStringLiteral("a") + face, 3, 1, {1, 3}},
        {"wide characters counted once", face + face + QStringLiteral("x"), 5, 2, {4, 5}},
        {"no limit", QStringLiteral("abcdef"), 6, 0, {6, 6}},
        {"a wide character counted twice goes whole", QStringLiteral("a") + face, 3, 2, {1, 3},
         shell::Counting::Utf16Units},
        {"units that fit", face + QStringLiteral("x"), 3, 3, {3, 3}, shell::Counting::Utf16Units},
        {"30 letters and a wide character are 32 units, not 31 characters", QString(30, u'x') + face, 32, 31,
         {30, 32}, shell::Counting::Utf16Units},
        {"back from the cursor, one wide character of two goes", face + face + QStringLiteral("x"), 4, 3, {2, 4},
         shell::Counting::Utf16Units},
        {"back from the cursor, both wide characters go", face + face + QStringLiteral("x"), 4, 1, {0, 4},
         shell::Counting::Utf16Units},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TextExcess got = excessOf(c.text, c.cursor, c.width, c.counting);
        EXPECT_EQ(got.from, c.dropped.from);
        EXPECT_EQ(got.to, c.dropped.to);
    }
}

// Typing and pasting past the width, into both kinds of box: the box keeps
// what fits and its counter never shows less than nothing left.
TEST(TextLimit, BoxesKeepWhatFitsAndTheirCountersStopAtZero) {
    QLineEdit line;
    QPlainTextEdit multi;
    QLabel lineCounter, multiCounter;
    shell::limitText(line, 5);
    shell::limitText(multi, 5);
    shell::attachCharCounter(line, lineCounter, 5);
    shell::attachCharCounter(multi, multiCounter, 5);
    const struct {
        const char* step;
        std::function<void(QWidget*)> act;
        const char* kept;
        const char* left;
    } steps[] = {
        {"typed past the width", [](QWidget* w) { QTest::keyClicks(w, QStringLiteral("abcdefg")); }, "abcde", "0"},
        {"two deleted", [](QWidget* w) { QTest::keyClicks(w, QStringLiteral("\b\b")); }, "abc", "2"},
        {"three pasted after the first letter",
         [](QWidget* w) {
             QTest::keyClick(w, Qt::Key_Home);
             QTest::keyClick(w, Qt::Key_Right);
             if (auto* l = qobject_cast<QLineEdit*>(w))
                 l->insert(QStringLiteral("XYZ"));
             else
                 qobject_cast<QPlainTextEdit*>(w)->insertPlainText(QStringLiteral("XYZ"));
         },
         "aXYbc", "0"},
    };
    for (QWidget* box : std::initializer_list<QWidget*>{&line, &multi}) {
        for (const auto& s : steps) {
            SCOPED_TRACE(std::string(box->metaObject()->className()) + ": " + s.step);
            s.act(box);
            const QString text = box == &line ? line.text() : multi.toPlainText();
            EXPECT_EQ(text, QLatin1String(s.kept));
            EXPECT_EQ((box == &line ? lineCounter : multiCounter).text(), QLatin1String(s.left));
        }
    }
    multi.setPlainText(QString(9, u'x'));
    EXPECT_EQ(multi.toPlainText(), QString(5, u'x'));

    // Counting units, two wide characters pasted before what was typed: one goes, whole.
    QLineEdit sheetName;
    shell::limitText(sheetName, 3, shell::Counting::Utf16Units);
    QTest::keyClicks(&sheetName, QStringLiteral("x"));
    QTest::keyClick(&sheetName, Qt::Key_Home);
    const QString face = QString::fromUcs4(U"\U0001F600");
    sheetName.insert(face + face);
    EXPECT_EQ(sheetName.text(), face + QStringLiteral("x"));
    EXPECT_EQ(sheetName.cursorPosition(), 2);
}

class TextLimitWindowsTest : public ClientTest {};

// Every box of every window that saves into a text field takes exactly what
// the business layer keeps of that field; any other box must be named as
// holding no text of a field. A new box, or a window that saves into another
// field, fails here until it is given its field's width.
TEST_F(TextLimitWindowsTest, EveryBoxOfEveryWindowTakesItsFieldsWidth) {
    struct Field {
        const char* table;
        const char* column;
    };
    const Field projectName{"ZORBEL_PROJECTS", "Name"}, projectReference{"ZORBEL_PROJECTS", "Reference"},
        projectDescription{"ZORBEL_PROJECTS", "Description"}, milestone{"ZORBEL_MILESTONES", "Description"},
        deliverable{"ZORBEL_DELIVERABLES", "Deliverable"}, metric{"ZORBEL_DELIVERABLES", "Metric"};
    const std::map<QString, Field> saved = {
        {"frmProjects.txtName", projectName},
        {"frmProjects.txtReference", projectReference},
        {"frmProjects.txtDescription", projectDescription},
        {"frmAddProject.txtName", projectName},
        {"frmAddProject.txtReference", projectReference},
        {"frmAddProject.txtDescription", projectDescription},
        {"frmMilestones.txtMilestone", milestone},
        {"frmAddMilestones.txtDescription", milestone},
        {"frmDeliverables.txtDeliverable", deliverable},
        {"frmDeliverables.txtMetric", metric},
        {"frmAddDeliverables.txtDeliverable", deliverable},
        {"frmAddDeliverables.txtMetric", metric},
        {"frmTasks.txtTask", {"ZORBEL_TASKS", "Description"}},
        {"frmActions.txtAction", {"ZORBEL_ACTIONS", "Description"}},
        {"frmProgress.txtProgress", {"ZORBEL_PROGRESS", "Description"}},
        {"frmContacts.txtFirstName", {"ZORBEL_USER_TABLE", "FirstName"}},
        {"frmContacts.txtLastName", {"ZORBEL_USER_TABLE", "SurName"}},
        {"frmContacts.txtTitle", {"ZORBEL_USER_TABLE", "Title"}},
        {"frmContacts.txtEmail", {"ZORBEL_USER_TABLE", "email"}},
        {"frmContacts.txtCompany", {"ZORBEL_USER_TABLE", "Company"}},
        {"frmContacts.txtTelephone", {"ZORBEL_USER_TABLE", "Telephone"}},
        {"frmContacts.txtMobile", {"ZORBEL_USER_TABLE", "Mobile"}},
        {"frmUsers.txtUserName", {"ZORBEL_MULTI_USER_TABLE", "UserName"}},
        {"frmUsers.txtPassword", {"ZORBEL_MULTI_USER_TABLE", "Password"}},
        {"frmUsers.txtContact", {"ZORBEL_MULTI_USER_TABLE", "FullName"}},
        {"frmIssueGroups.txtGroup", {"ZORBEL_ISSUES_GROUPS", "Description"}},
        {"frmAddIssue.txtReference", {"ZORBEL_ISSUE_LOG", "IssueReference"}},
        {"frmAddIssue.txtIssue", {"ZORBEL_ISSUE_LOG", "Issue"}},
        {"frmAddIssue.txtImpact", {"ZORBEL_ISSUE_LOG", "Impact"}},
        {"frmAddIssue.txtResolution", {"ZORBEL_ISSUE_LOG", "Resolution"}},
        {"frmAddRisk.txtDescription", {"ZORBEL_RISKS", "Description"}},
        {"frmAddRisk.txtImpact", {"ZORBEL_RISKS", "Impact"}},
        {"frmAddRisk.txtMitigation", {"ZORBEL_RISKS", "Mitigation"}},
        {"frmAddRisk.txtNote", {"ZORBEL_RISKS", "RiskNote"}},
        {"frmAddDocument.txtRevisionNo", {"ZORBEL_DOCUMENTS", "RevisionNo"}},
    };
    // Boxes held to a narrower rule than their field's width: a group's name names its sheet.
    const std::map<QString, int> narrower = {{"frmIssueGroups.txtGroup", xl::kSheetNameWidth}};
    // Numbers, and boxes that only show what is stored or picked elsewhere.
    const std::set<QString> anyWindow = {"txtWBS", "txtDuration"};
    const std::set<QString> notSaved = {
        "frmMilestones.txtStart",      "frmMilestones.txtEnd",        "frmTasks.txtDependency",
        "frmTasks.txtselDate",         "frmContacts.txtSelectedOwner", "frmUsers.txtSelectedUser",
        "frmTeams.txtProject",         "frmTeams.txtTeamMember",      "frmZorbelAdmin.txtSelectedUser",
        "frmZorbelAdmin.txtProject",   "frmZorbelAdmin.txtHelp",      "frmDocument.txtSelectedDocument",
        "frmAddDocument.OLE1",         "frmAddProjectHelp.Text1",     "frmDeliverablesHelp.Text1",
        "frmNextStep.Text1",           "frmSelectProject.txtProject", "frmRisks.txtRisk",
        "frmAddRisk.txtImpactValue",   "frmAddRisk.txtProbabilityValue", "frmExcel.txtProject",
        "frmExcel.txtStart",           "frmExcel.txtWindow",          "frmExcel.txtEnd",
    };
    // The log-in window saves nothing, and loading it connects a business object of its own.
    const std::set<QString> notWalked = {"Zorbel5LogIn"};

    const ui::ModalHook closeDialogs;
    const ui::ProgramEndRecorder programEnd;
    std::set<QString> found;
    QStringList windows = ui::registeredWindows();
    ASSERT_FALSE(windows.isEmpty());
    // Closing the navigation window ends the program and lets the business object go: it comes last.
    windows.removeOne(QStringLiteral("frmNavigate"));
    windows.append(QStringLiteral("frmNavigate"));
    for (const QString& name : windows) {
        if (notWalked.count(name))
            continue;
        SCOPED_TRACE(name.toStdString());
        QWidget* w = ui::loadWindow(name);
        ASSERT_NE(w, nullptr);
        std::vector<QWidget*> textBoxes;
        for (QLineEdit* b : w->findChildren<QLineEdit*>())
            textBoxes.push_back(b);
        for (QPlainTextEdit* b : w->findChildren<QPlainTextEdit*>())
            textBoxes.push_back(b);
        for (QWidget* box : textBoxes) {
            // Dates are read as dates; the boxes inside combos and spin boxes are theirs.
            if (qobject_cast<shell::DateBox*>(box) || qobject_cast<QComboBox*>(box->parentWidget())
                || qobject_cast<QAbstractSpinBox*>(box->parentWidget()))
                continue;
            const QString key = name + QLatin1Char('.') + box->objectName();
            SCOPED_TRACE(key.toStdString());
            const auto field = saved.find(key);
            if (field == saved.end()) {
                EXPECT_TRUE(anyWindow.count(box->objectName()) || notSaved.count(key))
                    << "a box whose field is not known: give it its field's width and list it here";
                continue;
            }
            found.insert(key);
            const int width = widths::find(field->second.table, field->second.column);
            EXPECT_GE(width, 0) << "no width for the field";
            EXPECT_EQ(shell::textLimit(*box), narrower.count(key) ? narrower.at(key) : width);
        }
        ui::closeAllWindows();
        QApplication::processEvents();
    }
    for (const auto& [key, field] : saved)
        EXPECT_TRUE(found.count(key)) << key.toStdString() << " was not found";
}

} // namespace
} // namespace zorbel::test
