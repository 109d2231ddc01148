#include "tests/client/admin/AdminTestSupport.h"

#include "client/admin/frmTeams.h"

namespace zorbel::test {
namespace {

using admin::frmTeams;

class TeamsWindowTest : public AdminWindowTest {
protected:
    void SetUp() override {
        AdminWindowTest::SetUp();
        ann = addContact(QStringLiteral("Ann"), QStringLiteral("Archer"));
        bob = addContact(QStringLiteral("Bob"), QStringLiteral("Cole"));
        alpha = addProject(QStringLiteral("Alpha"), ann, {}, {}, 2, 1);
        beta = addProject(QStringLiteral("Beta"), ann, {}, {}, 2, 2);
        gamma = addProject(QStringLiteral("Gamma"), ann, {}, {}, 2, 3);
    }
    frmTeams* openTeams() { return open<frmTeams>(QStringLiteral("frmTeams")); }
    int members(qint32 project) { return count(QStringLiteral("ZORBEL_TEAM_TABLE"), QStringLiteral("ProjectID = %1").arg(project)); }
    qint32 ann = 0, bob = 0, alpha = 0, beta = 0, gamma = 0;
};

TEST_F(TeamsWindowTest, MembersAreAddedOnlyWhenPickedAndDeletedOnlyWhenConfirmed) {
    auto* w = openTeams();
    EXPECT_EQ(w->teamProjectID(), alpha);
    EXPECT_FALSE(shown(w, "btnDelete")); // nobody to delete yet

    click(w, "btnAdd");
    click(w, "btnOK");
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Select a Contact to add to the Project Team"));
    EXPECT_EQ(w->mode(), shell::kAdd);
    EXPECT_EQ(members(alpha), 0);

    // One contact may be added twice.
    for (int i = 0; i < 2; ++i) {
        if (i)
            click(w, "btnAdd");
        pick(w, "ComboContacts", 0);
        click(w, "btnOK");
    }
    EXPECT_EQ(count(QStringLiteral("ZORBEL_TEAM_TABLE"), QStringLiteral("UserID = %1 AND FullName = 'Ann Archer'").arg(ann)), 2);
    EXPECT_EQ(text(w, "txtTeamMember"), QStringLiteral("Ann Archer"));

    click(w, "btnAdd");
    click(w, "btnCancel");
    EXPECT_EQ(w->mode(), shell::kBrowse);
    EXPECT_TRUE(shown(w, "btnAdd"));

    for (int answer : {ui::vbNo, ui::vbYes}) {
        click(w, "btnDelete");
        boxes.script(answer);
        click(w, "btnOK");
    }
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Are You sure you want to delete Ann Archer from Project Alpha"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("Confirm Delete"));
    EXPECT_EQ(members(alpha), 1);
}

TEST_F(TeamsWindowTest, DeleteAfterSwitchingProjectsTouchesOnlyTheProjectShown) {
    zorbel().AddTeamMember(ann, alpha, QStringLiteral("Ann Archer"), QStringLiteral("Ann"), QStringLiteral("Archer"));
    zorbel().AddTeamMember(bob, beta, QStringLiteral("Bob Cole"), QStringLiteral("Bob"), QStringLiteral("Cole"));
    auto* w = openTeams();
    EXPECT_EQ(text(w, "txtTeamMember"), QStringLiteral("Ann Archer"));

    pickRow(w, "FGProjects", 3, 1); // Gamma: no team
    EXPECT_EQ(w->teamID(), 0);
    EXPECT_EQ(text(w, "txtTeamMember"), QString());
    EXPECT_FALSE(shown(w, "btnDelete"));
    w->btnDelete_Click();
    EXPECT_EQ(w->mode(), shell::kBrowse);

    // The arrow keys choose a project as a click does.
    QTest::keyClick(grid(w, "FGProjects")->view(), Qt::Key_Up);
    EXPECT_EQ(w->teamProjectID(), beta);
    EXPECT_EQ(text(w, "txtTeamMember"), QStringLiteral("Bob Cole"));
    click(w, "btnDelete");
    boxes.script(ui::vbYes);
    click(w, "btnOK");
    EXPECT_EQ(members(beta), 0);
    EXPECT_EQ(members(alpha), 1);
}

} // namespace
} // namespace zorbel::test
