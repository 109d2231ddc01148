// "Issue Groups": adding a group; a name that would be stored like an
// existing one or name the same sheet, or that no sheet can take, is
// refused; a group is deleted only while it holds no issue.

#include "tests/client/risks/IssueTestSupport.h"

namespace zorbel::test {
namespace {

class IssueGroupsTest : public IssueTest {
protected:
    QWidget* openGroups() { return open<QWidget>(QStringLiteral("frmIssueGroups")); }
};

TEST_F(IssueGroupsTest, AddStartsEmptyAndOkRefusesBlankAndExistingNames) {
    zorbel().AddIssueGroup(QString(31, QLatin1Char('x')));
    const QString stored = QStringLiteral("Programme of works for the north site bridge"); // 44, stored earlier
    zorbel().AddIssueGroup(stored);
    zorbel().AddIssueGroup(QStringLiteral("Sheet4"));
    auto* w = openGroups();
    auto* box = child<QLineEdit>(w, "txtGroup");
    EXPECT_TRUE(box->isReadOnly());
    const QString face = QString::fromUtf16(u"\U0001F600"); // two units in a sheet's name
    const struct {
        QString typed;
        const char* message; // nullptr: no box
        bool added;
    } cases[] = {
        {"   ", nullptr, false},
        {"Design", "Issue Group already exists", false},
        {" Design ", "Issue Group already exists", false},
        {"De'sign", "Issue Group already exists", false},
        {"sheet4", "Issue Group already exists", false}, // one sheet name, as the issue log would name them
        {"DESIGN", "Issue Group already exists", false},
        {"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", "Issue Group already exists", false},
        {"Site/North", "An Issue Group's name is the name of its sheet in the Issue Log workbook, and a sheet name "
                       "cannot hold any of : \\ / ? * [ ] or a control character - choose another", false},
        {"history", "An Issue Group's name is the name of its sheet in the Issue Log workbook, and \"History\" is "
                    "reserved - choose another", false},
        {" Testing ", nullptr, true},
        {QString(30, u'e') + face, nullptr, true}, // the box keeps the 30 letters a sheet takes
        {QString(29, u'f') + face, nullptr, true}, // 31 units: kept whole
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        boxes.clear();
        click(w, "btnAdd");
        EXPECT_FALSE(box->isReadOnly());
        EXPECT_EQ(box->text(), QString()); // not the picked group's name
        EXPECT_FALSE(shown(w, "btnAdd"));
        box->setText(c.typed);
        click(w, "btnOK");
        ASSERT_EQ(boxes.count(), c.message ? 1 : 0);
        if (c.message) {
            EXPECT_EQ(boxes.last().prompt, QLatin1String(c.message));
        }
        // Refused: still adding, with the name as typed (as far as the box takes it).
        EXPECT_EQ(shown(w, "btnOK"), !c.added);
        if (!c.added) {
            EXPECT_EQ(box->text(), c.typed.left(31));
            click(w, "btnCancel");
        }
        EXPECT_TRUE(box->isReadOnly());
    }
    EXPECT_EQ(count(QStringLiteral("ZORBEL_ISSUES_GROUPS")), 8);
    for (const char* refused : {"sheet4", "DESIGN"})
        EXPECT_EQ(count(QStringLiteral("ZORBEL_ISSUES_GROUPS"), QStringLiteral("Description = '%1'").arg(refused)), 0);
    for (const QString& name : {QStringLiteral("Testing"), QString(30, u'e'), QString(29, u'f') + face})
        EXPECT_EQ(count(QStringLiteral("ZORBEL_ISSUES_GROUPS"), QStringLiteral("Description = '%1'").arg(name)), 1);
    // A group stored earlier with a longer name is shown whole when picked, and becomes the current one.
    auto* fg = grid(w, "FG1");
    ASSERT_EQ(fg->Rows(), 9);
    pickRow(w, "FG1", 3, 1);
    EXPECT_EQ(app().g_currentIssueGroupName, stored);
    EXPECT_EQ(box->text(), stored);
    EXPECT_EQ(app().g_currentIssueGroupID, fg->TextMatrix(3, 0).toInt());
}

TEST_F(IssueGroupsTest, DeleteRemovesOnlyAGroupWithoutIssuesAndTheNeighbourBecomesCurrent) {
    addIssue(build, QStringLiteral("B-1"), at(2024, 3, 1), 1); // closed, and still held
    zorbel().AddIssueGroup(QStringLiteral("Site"));
    auto* w = openGroups();
    auto* fg = grid(w, "FG1");
    ASSERT_EQ(fg->Rows(), 4); // Build, Design, Site
    EXPECT_EQ(app().g_currentIssueGroupID, build);

    click(w, "btnDelete");
    EXPECT_EQ(boxes.prompts(), std::vector<QString>{QStringLiteral("The Issue Group Build cannot be deleted: it holds 1 issue")});
    pickRow(w, "FG1", 2, 1);
    for (int answer : {ui::vbNo, ui::vbYes}) {
        boxes.clear();
        boxes.script(answer);
        click(w, "btnDelete");
        EXPECT_EQ(boxes.prompts(), std::vector<QString>{QStringLiteral("Are you sure you want to delete Design")});
    }
    EXPECT_EQ(count(QStringLiteral("ZORBEL_ISSUES_GROUPS")), 2);
    EXPECT_EQ(count(QStringLiteral("ZORBEL_ISSUE_LOG")), 1);
    // The row in the deleted one's place is shown and current.
    EXPECT_EQ(child<QLineEdit>(w, "txtGroup")->text(), QStringLiteral("Site"));
    EXPECT_EQ(app().g_currentIssueGroupName, QStringLiteral("Site"));

    // A group added is the one shown afterwards, as is the current one after Cancel.
    click(w, "btnAdd");
    type(w, "txtGroup", QStringLiteral("Access"));
    click(w, "btnOK");
    EXPECT_EQ(app().g_currentIssueGroupName, QStringLiteral("Access"));
    click(w, "btnAdd");
    click(w, "btnCancel");
    EXPECT_EQ(child<QLineEdit>(w, "txtGroup")->text(), QStringLiteral("Access"));
    EXPECT_EQ(app().g_currentIssueGroupID, lastID(QStringLiteral("ZORBEL_ISSUES_GROUPS"), QStringLiteral("IssueGroupID")));

    // The last group deleted leaves no name shown and no group current.
    db().execute({QStringLiteral("DELETE FROM ZORBEL_ISSUE_LOG"), {}});
    for (int left = 3; left > 0; --left) {
        boxes.script(ui::vbYes);
        click(w, "btnDelete");
    }
    EXPECT_EQ(count(QStringLiteral("ZORBEL_ISSUES_GROUPS")), 0);
    EXPECT_EQ(child<QLineEdit>(w, "txtGroup")->text(), QString());
    EXPECT_EQ(app().g_currentIssueGroupID, 0);
}

} // namespace
} // namespace zorbel::test
