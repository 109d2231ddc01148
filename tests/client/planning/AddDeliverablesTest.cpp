// The wizard's deliverables page and a whole run from the tree to "Next Step".

#include "tests/client/planning/WizardTestSupport.h"

#include "client/shell/frmNavigate.h"
#include "platform/ui/Clock.h"

#include <QLabel>

namespace zorbel::test {
namespace {

class AddDeliverablesTest : public WizardTest {
protected:
    // Every deliverable of the project as "WBS:text:CSF:status:owner", in WBS order.
    QStringList deliverables(qint32 project) {
        auto rs = db().query({QStringLiteral("SELECT WBS, Deliverable, CSF, StatusID, OwnerID FROM "
                                             "ZORBEL_DELIVERABLES WHERE ProjectID = ? ORDER BY WBS"),
                              {project}});
        QStringList out;
        for (int i = 0; i < rs->RecordCount(); ++i) {
            QStringList fields;
            for (const QVariant& v : rs->row(i))
                fields << v.toString();
            out << fields.join(QLatin1Char(':'));
        }
        return out;
    }
    // From the milestones page on to the deliverables page.
    QWidget* toDeliverables() {
        click(page("frmAddMilestones"), "btnNext");
        click(page("frmDeliverablesHelp"), "btnNext");
        return page("frmAddDeliverables");
    }
};

TEST_F(AddDeliverablesTest, AWholeRunCreatesOneProjectWithItsMilestonesAndDeliverables) {
    addProject(QStringLiteral("Older"), ann, at(2024, 1, 1), at(2024, 2, 1), 2, 4, 3);
    app().g_currentDeliverableID = 4242;
    app().g_currentMilestoneID = 4343;
    const int projectsBefore = count(QStringLiteral("ZORBEL_PROJECTS"));

    // From the tree, as a user starts it.
    app().g_navTool = -1;
    ASSERT_TRUE(ui::showWindow(QStringLiteral("frmNavigate")));
    ui::windowAs<shell::frmNavigate>(QStringLiteral("frmNavigate"))->OpenNavigationItem(QStringLiteral("6"));
    ASSERT_TRUE(ui::isLoaded(QStringLiteral("frmAddProjectHelp")));
    const ui::ClockOverride clock(at(2024, 3, 5, 9, 30));
    const qint32 id = createProject(QStringLiteral("Bridge"), QString());
    QWidget* milestones = page("frmAddMilestones");
    EXPECT_EQ(grid(milestones, "FG1")->Rows(), 1);
    addOn(milestones, {{"txtDate", QStringLiteral("01/06/2024")}, {"txtDescription", QStringLiteral("Open")}});
    // No date: the project's start as the header shows it, day-first and without its time.
    addOn(milestones, {{"txtDescription", QStringLiteral("Design")}});
    EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_MILESTONES"), QStringLiteral("StartDate"),
                         QStringLiteral("MilestoneID"),
                         lastID(QStringLiteral("ZORBEL_MILESTONES"), QStringLiteral("MilestoneID"))),
              at(2024, 3, 5));
    EXPECT_EQ(child<QLabel>(milestones, "txtMilestone")->text(), QStringLiteral("Design")); // in date order
    QWidget* w = toDeliverables();
    addOn(w, {{"txtDeliverable", QStringLiteral("Deck")}, {"txtMetric", QStringLiteral("Load test")},
              {"txtStartDate", QStringLiteral("05/03/2024")}, {"txtEndDate", QStringLiteral("01/05/2024")}});
    addOn(w, {{"txtDeliverable", QStringLiteral("Towers")}, {"txtStartDate", QStringLiteral("05/03/2024")}});
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(grid(w, "FG1")->TextMatrix(2, 7), QStringLiteral("06/03/2024"));
    click(w, "btnNext");

    EXPECT_EQ(count(QStringLiteral("ZORBEL_PROJECTS")), projectsBefore + 1);
    const auto field = [&](const char* column) {
        return stored(QStringLiteral("ZORBEL_PROJECTS"), QString::fromLatin1(column), QStringLiteral("ProjectID"), id)
            .toInt();
    };
    EXPECT_EQ((std::vector<int>{field("OwnerID"), field("StatusID"), field("State"), field("WBS")}),
              (std::vector<int>{ann, 3, 1, 5}));
    EXPECT_EQ(countOf("ZORBEL_MILESTONES", id), 2);
    EXPECT_EQ(deliverables(id), (QStringList{QStringLiteral("1:Deck:1:3:0"), QStringLiteral("2:Towers:1:3:0")}));
    EXPECT_EQ(app().g_currentDeliverableID, 4242);
    EXPECT_EQ(app().g_currentMilestoneID, 4343);
    EXPECT_TRUE(ui::isLoaded(QStringLiteral("frmNextStep")));
    for (const char* name : {"frmAddProjectHelp", "frmAddProject", "frmAddMilestones", "frmDeliverablesHelp",
                             "frmAddDeliverables"})
        EXPECT_FALSE(ui::isLoaded(QString::fromLatin1(name))) << name;
}

TEST_F(AddDeliverablesTest, PositionsAreNeverReusedAndOnlyListedDeliverablesAreDeleted) {
    const ui::ClockOverride clock(at(2024, 5, 6, 9, 30));
    const qint32 id = createProject(QStringLiteral("Bridge"));
    QWidget* w = toDeliverables();
    EXPECT_EQ(grid(w, "FG1")->Rows(), 1);
    addOn(w, {{"txtDeliverable", QStringLiteral("One")}});
    addOn(w, {{"txtDeliverable", QStringLiteral("Two")}});
    EXPECT_EQ(child<QLabel>(w, "txtSelected")->text(), QStringLiteral("Two")); // the one just added
    pickRow(w, "FG1", 1, 3);
    boxes.script(ui::vbYes);
    click(w, "btnDelete");
    click(w, "btnOK");
    ASSERT_FALSE(boxes.empty()) << "a delete";
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Do you want to delete One"));
    // A date that is not one adds nothing and uses up no position.
    addOn(w, {{"txtDeliverable", QStringLiteral("Never")}, {"txtEndDate", QStringLiteral("tomorrow")}});
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("\"tomorrow\" is not a date"));
    click(w, "btnCancel");
    addOn(w, {{"txtDeliverable", QStringLiteral("Three")}});
    EXPECT_EQ(deliverables(id), (QStringList{QStringLiteral("2:Two:1:3:0"), QStringLiteral("3:Three:1:3:0")}));
    EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_DELIVERABLES"), QStringLiteral("EndDate"),
                         QStringLiteral("DeliverableID"),
                         lastID(QStringLiteral("ZORBEL_DELIVERABLES"), QStringLiteral("DeliverableID"))),
              at(2024, 5, 7, 9, 30));
    EXPECT_EQ(child<QLabel>(w, "txtSelected")->text(), QStringLiteral("Three"));
}

} // namespace
} // namespace zorbel::test
