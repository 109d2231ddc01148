// The wizard's milestones page and the deliverables introduction: milestones
// go to the project the page was opened for, whatever runs or windows follow.

#include "tests/client/planning/WizardTestSupport.h"

#include <QLabel>

namespace zorbel::test {
namespace {

using AddMilestonesTest = WizardTest;

TEST_F(AddMilestonesTest, DeleteActsOnlyOnAMilestoneThisPageListed) {
    const qint32 other = addProject(QStringLiteral("Other"), ann, at(2024, 1, 1), at(2024, 12, 1));
    zorbel().AddMilestone(other, QStringLiteral("Theirs"), at(2024, 5, 1), at(2024, 5, 1), 3, 0);
    app().g_currentMilestoneID = lastID(QStringLiteral("ZORBEL_MILESTONES"), QStringLiteral("MilestoneID"));
    const qint32 id = createProject(QStringLiteral("Bridge"));
    QWidget* w = page("frmAddMilestones");

    const struct {
        const char* what;
        bool addFirst;
        int answer;
        int expectedBoxes;
        int expectedLeft;
    } cases[] = {
        {"nothing listed yet", false, ui::vbYes, 0, 0},
        {"answered No", true, ui::vbNo, 1, 1},
        {"answered Yes", false, ui::vbYes, 1, 0},
        {"the last one gone", false, ui::vbYes, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.addFirst)
            addOn(w, {{"txtDescription", QStringLiteral("Ours")}});
        boxes.clear();
        if (c.expectedBoxes)
            boxes.script(c.answer);
        click(w, "btnDelete");
        click(w, "btnOK");
        ASSERT_EQ(boxes.count(), c.expectedBoxes);
        if (c.expectedBoxes) {
            EXPECT_EQ(boxes.last().prompt, QStringLiteral("Do you want to delete Ours"));
            EXPECT_EQ(boxes.last().title, QStringLiteral("Confirm delete"));
        }
        EXPECT_EQ(countOf("ZORBEL_MILESTONES", id), c.expectedLeft);
        EXPECT_EQ(countOf("ZORBEL_MILESTONES", other), 1);
        EXPECT_TRUE(shown(w, "btnDelete"));
        EXPECT_FALSE(shown(w, "btnOK"));
    }
    EXPECT_EQ(grid(w, "FG1")->Rows(), 1);
}

TEST_F(AddMilestonesTest, EveryPageKeepsTheProjectItWasOpenedForAcrossLaterRuns) {
    const qint32 first = createProject(QStringLiteral("First"));
    QWidget* firstPage = page("frmAddMilestones");
    click(firstPage, "btnNext");
    ASSERT_TRUE(ui::isLoaded(QStringLiteral("frmDeliverablesHelp")));

    // A second run while pages 3 and 4 of the first are open: fresh pages for the new project.
    const qint32 second = createProject(QStringLiteral("Second"), QStringLiteral("01/04/2024"));
    ASSERT_NE(second, first);
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmDeliverablesHelp")));
    QWidget* w = page("frmAddMilestones");
    EXPECT_EQ(child<QLabel>(w, "txtProjectName")->text(), QStringLiteral("Second"));
    addOn(w, {{"txtDescription", QStringLiteral("Go")}});
    EXPECT_EQ(countOf("ZORBEL_MILESTONES", second), 1);
    EXPECT_EQ(countOf("ZORBEL_MILESTONES", first), 0);

    // A third run that fails leaves id 0 behind: pages 4 and 5 still work on the second project.
    click(w, "btnNext");
    QWidget* refused = projectPage(QStringLiteral("Third"), QString(), QString(), 0);
    db().execute({QStringLiteral("ALTER TABLE ZORBEL_PROJECTS RENAME TO ZORBEL_PROJECTS_AWAY"), {}});
    click(refused, "btnNext");
    db().execute({QStringLiteral("ALTER TABLE ZORBEL_PROJECTS_AWAY RENAME TO ZORBEL_PROJECTS"), {}});
    ASSERT_EQ(app().g_newProjectID, 0);
    click(page("frmDeliverablesHelp"), "btnNext");
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmAddMilestones")));
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmDeliverablesHelp")));
    QWidget* last = page("frmAddDeliverables");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(child<QLabel>(last, "txtProjectName")->text(), QStringLiteral("Second"));
    EXPECT_EQ(child<QLabel>(last, "txtStart")->text(), QStringLiteral("01/04/2024"));
    addOn(last, {{"txtDeliverable", QStringLiteral("Deck")}});
    EXPECT_EQ(countOf("ZORBEL_DELIVERABLES", second), 1);
}

} // namespace
} // namespace zorbel::test
