// "Issue Groups": adding a group; a name that would be stored like an
// existing one is refused.

#include "tests/client/risks/IssueTestSupport.h"

namespace zorbel::test {
namespace {

class IssueGroupsTest : public IssueTest {
protected:
    QWidget* openGroups() { return open<QWidget>(QStringLiteral("frmIssueGroups")); }
};

TEST_F(IssueGroupsTest, AddStartsEmptyAndOkRefusesBlankAndExistingNames) {
    zorbel().AddIssueGroup(QString(50, QLatin1Char('x')));
    auto* w = openGroups();
    auto* box = child<QLineEdit>(w, "txtGroup");
    EXPECT_TRUE(box->isReadOnly());
    const struct {
        const char* typed;
        const char* message; // nullptr: no box
        bool added;
    } cases[] = {
        {"   ", nullptr, false},
        {"Design", "Issue Group already exists", false},
        {" Design ", "Issue Group already exists", false},
        {"De'sign", "Issue Group already exists", false},
        {"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", "Issue Group already exists", false},
        {" Testing ", nullptr, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        boxes.clear();
        click(w, "btnAdd");
        EXPECT_FALSE(box->isReadOnly());
        EXPECT_EQ(box->text(), QString()); // not the picked group's name
        EXPECT_FALSE(shown(w, "btnAdd"));
        box->setText(QString::fromLatin1(c.typed));
        click(w, "btnOK");
        EXPECT_EQ(boxes.count(), c.message ? 1 : 0);
        if (c.message) {
            EXPECT_EQ(boxes.last().prompt, QLatin1String(c.message));
        }
        // Refused: still adding, with the name as typed (as far as the box takes it).
        EXPECT_EQ(shown(w, "btnOK"), !c.added);
        if (!c.added) {
            EXPECT_EQ(box->text(), QString::fromLatin1(c.typed).left(50));
            click(w, "btnCancel");
        }
        EXPECT_TRUE(box->isReadOnly());
    }
    EXPECT_EQ(count(QStringLiteral("ZORBEL_ISSUES_GROUPS")), 4);
    EXPECT_EQ(count(QStringLiteral("ZORBEL_ISSUES_GROUPS"), QStringLiteral("Description = 'Testing'")), 1);
    // The new group is listed and, picked, becomes the current one.
    auto* fg = grid(w, "FG1");
    ASSERT_EQ(fg->Rows(), 5);
    pickRow(w, "FG1", 3, 1);
    EXPECT_EQ(app().g_currentIssueGroupName, fg->TextMatrix(3, 1));
    EXPECT_EQ(app().g_currentIssueGroupID, fg->TextMatrix(3, 0).toInt());
}

} // namespace
} // namespace zorbel::test
