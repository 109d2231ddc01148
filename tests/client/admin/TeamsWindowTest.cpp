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

TEST_F(TeamsWindowTest, MembersAreAddedOnceOnlyWhenPickedAndDeletedOnlyWhenConfirmed) {
    // Listed third by surname; the team keeps the first 50 characters of "Maximiliana ... Worthington".
    const qint32 max = addContact(QStringLiteral("Maximiliana Alexandrina Theodora"),
                                  QStringLiteral("Featherstonehaugh-Worthington"));
    auto* w = openTeams();
    EXPECT_EQ(w->teamProjectID(), alpha);
    EXPECT_FALSE(shown(w, "btnDelete")); // nobody to delete yet

    click(w, "btnAdd");
    click(w, "btnOK");
    ASSERT_FALSE(boxes.empty()) << "OK with no contact picked";
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Select a Contact to add to the Project Team"));
    EXPECT_EQ(w->mode(), shell::kAdd);
    EXPECT_EQ(members(alpha), 0);

    // A contact is a member once; the member added is the one shown.
    const char* const cut = "A Project Team keeps only the first 50 characters of a name, so Maximiliana Alexandrina "
                            "Theodora Featherstonehaugh-Worthington will be listed as Maximiliana Alexandrina "
                            "Theodora Featherstonehaugh. Add this member?";
    const struct {
        int contact;
        int answer; // to the question about a long name; 0 when none is asked
        const char* box; // the box shown, if any
        int members;
        const char* shown;
    } adds[] = {
        {1, 0, nullptr, 1, "Bob Cole"},
        {0, 0, nullptr, 2, "Ann Archer"},
        {1, 0, "Bob Cole is already a member of the Project Team of Alpha", 2, nullptr},
        {2, ui::vbNo, cut, 2, nullptr},
        {2, ui::vbYes, cut, 3, "Maximiliana Alexandrina Theodora Featherstonehaugh"},
    };
    for (const auto& a : adds) {
        SCOPED_TRACE(a.members);
        if (w->mode() != shell::kAdd)
            click(w, "btnAdd");
        boxes.clear();
        if (a.answer)
            boxes.script(a.answer);
        pick(w, "ComboContacts", a.contact);
        click(w, "btnOK");
        EXPECT_EQ(boxes.prompts(), a.box ? std::vector<QString>{QString::fromLatin1(a.box)} : std::vector<QString>{});
        EXPECT_EQ(members(alpha), a.members);
        EXPECT_EQ(w->mode(), a.shown ? shell::kBrowse : shell::kAdd);
        if (a.shown) {
            EXPECT_EQ(text(w, "txtTeamMember"), QString::fromLatin1(a.shown));
        }
    }
    EXPECT_EQ(count(QStringLiteral("ZORBEL_TEAM_TABLE"),
                    QStringLiteral("UserID = %1 AND SurName = 'Featherstonehaugh-Worthington'").arg(max)),
              1);

    click(w, "btnAdd");
    click(w, "btnCancel");
    EXPECT_EQ(w->mode(), shell::kBrowse);
    EXPECT_TRUE(shown(w, "btnAdd"));

    pickRow(w, "FGTeam", 2, 3); // Bob; after his delete the member in his place is shown
    for (int answer : {ui::vbNo, ui::vbYes}) {
        click(w, "btnDelete");
        boxes.script(answer);
        click(w, "btnOK");
    }
    ASSERT_GE(boxes.count(), 2) << "a delete asked twice";
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Are You sure you want to delete Bob Cole from Project Alpha"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("Confirm Delete"));
    EXPECT_EQ(members(alpha), 2);
    EXPECT_EQ(text(w, "txtTeamMember"), QStringLiteral("Maximiliana Alexandrina Theodora Featherstonehaugh"));
}

TEST_F(TeamsWindowTest, DeleteAfterSwitchingProjectsTouchesOnlyTheProjectShown) {
    zorbel().AddTeamMember(ann, alpha, QStringLiteral("Ann Archer"), QStringLiteral("Ann"), QStringLiteral("Archer"));
    zorbel().AddTeamMember(bob, beta, QStringLiteral("Bob Cole"), QStringLiteral("Bob"), QStringLiteral("Cole"));
    auto* w = openTeams();
    EXPECT_EQ(text(w, "txtTeamMember"), QStringLiteral("Ann Archer"));

    // Delete, then a project without a team: there is nobody to ask about.
    click(w, "btnDelete");
    pickRow(w, "FGProjects", 3, 1); // Gamma: no team
    click(w, "btnOK");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(w->mode(), shell::kBrowse);
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
