// The project viewer: the tree of the Implement phase's projects, opened
// level by level by clicks.

#include "client/shell/frmProjectViewer.h"
#include "controls/Twips.h"
#include "platform/ui/Windows.h"
#include "tests/client/ClientTest.h"

#include <QTest>
#include <QTreeWidget>

namespace zorbel::test {
namespace {

using shell::frmProjectViewer;

QDateTime day(int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(0, 0)); }

class ProjectViewerTest : public ClientTest {
protected:
    void SetUp() override {
        ClientTest::SetUp();
        project = zorbel().AddProject(QStringLiteral("Alpha"), QStringLiteral("R1"), QStringLiteral("d"), 2,
                                      day(2024, 2, 1), day(2024, 6, 30), 2, 7, 3);
        milestone = zorbel().AddMilestone(project, QStringLiteral("Kick-off"), day(2024, 2, 5), day(2024, 2, 5), 3, 0);
        QString metric = QStringLiteral("m");
        deliverable = zorbel().AddDeliverable(project, 1, QStringLiteral("Design"), metric, 2, day(2024, 2, 10),
                                              day(2024, 3, 1), 2, 0);
        task = zorbel().AddTask(deliverable, 4, QStringLiteral("Sketch"), 2, day(2024, 2, 12), day(2024, 2, 16), 0, 4);
        action = zorbel().AddAction(task, QStringLiteral("Draw"), day(2024, 2, 12), day(2024, 2, 13), 5, 2, 1);
        progress = zorbel().AddProgress(action, day(2024, 2, 13), QStringLiteral("Half done"), 2, 1);
        db().execute({QStringLiteral("UPDATE ZORBEL_PROGRESS SET WBS = NULL WHERE ProgressID = ?"), {progress}});
        zorbel().AddProject(QStringLiteral("Shelved"), QString(), QString(), 2, {}, {}, 1, 1, 1); // not state 3
    }

    frmProjectViewer& open() {
        EXPECT_TRUE(ui::showWindow(QStringLiteral("frmProjectViewer")));
        viewer = ui::windowAs<frmProjectViewer>(QStringLiteral("frmProjectViewer"));
        tree = viewer->findChild<QTreeWidget*>(QStringLiteral("TV1"));
        return *viewer;
    }
    QTreeWidgetItem* item(const QString& prefix, qint32 id) { return viewer->node(prefix + QString::number(id)); }
    void click(QTreeWidgetItem* node) {
        ASSERT_NE(node, nullptr);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
    }
    static QString imageKey(QTreeWidgetItem* node) {
        return node->data(0, frmProjectViewer::ImageKeyRole).toString();
    }

    qint32 project = 0, milestone = 0, deliverable = 0, task = 0, action = 0, progress = 0;
    frmProjectViewer* viewer = nullptr;
    QTreeWidget* tree = nullptr;
};

TEST_F(ProjectViewerTest, OpensDownToTheProgressEntries) {
    open();
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("ProjectViewer"));
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = item(QStringLiteral("kp"), project);
    ASSERT_EQ(root, tree->topLevelItem(0));
    EXPECT_EQ(root->text(0), QStringLiteral("7: <01/02/2024> Alpha <30/06/2024> "));
    EXPECT_EQ(imageKey(root), QStringLiteral("Status2"));
    EXPECT_FALSE(root->icon(0).isNull());
    EXPECT_EQ(root->childCount(), 0);

    click(root);
    EXPECT_EQ(app().g_currentProjectID, project);
    EXPECT_EQ(app().g_currentProjectName, QStringLiteral("Alpha"));
    EXPECT_EQ(app().g_projectStart, day(2024, 2, 1));
    EXPECT_TRUE(root->isExpanded());
    ASSERT_EQ(root->childCount(), 2);
    EXPECT_EQ(root->child(0), item(QStringLiteral("km"), milestone));
    EXPECT_EQ(root->child(0)->text(0), QStringLiteral(" <05/02/2024> Kick-off"));
    EXPECT_EQ(imageKey(root->child(0)), QStringLiteral("Milestone"));
    EXPECT_EQ(root->child(1)->text(0), QStringLiteral("7.2: <10/02/2024> Design <01/03/2024> "));
    EXPECT_EQ(imageKey(root->child(1)), QStringLiteral("Status1"));

    click(item(QStringLiteral("kd"), deliverable));
    EXPECT_EQ(app().g_currentDeliverableID, deliverable);
    EXPECT_EQ(app().g_currentDeliverableName, QStringLiteral("Design"));
    QTreeWidgetItem* taskNode = item(QStringLiteral("kt"), task);
    ASSERT_NE(taskNode, nullptr);
    EXPECT_EQ(taskNode->text(0), QStringLiteral("7.2.4: <12/02/2024> Sketch <16/02/2024> "));
    EXPECT_EQ(imageKey(taskNode), QStringLiteral("Status4"));

    click(taskNode);
    EXPECT_EQ(app().g_currentTaskID, task);
    QTreeWidgetItem* actionNode = item(QStringLiteral("ka"), action);
    ASSERT_NE(actionNode, nullptr);
    EXPECT_EQ(actionNode->text(0), QStringLiteral("7.2.4.1: <12/02/2024> Draw <13/02/2024> "));
    EXPECT_EQ(imageKey(actionNode), QStringLiteral("Status5"));

    click(actionNode);
    EXPECT_EQ(app().g_currentActionID, action);
    EXPECT_EQ(app().g_actionEnd, day(2024, 2, 13));
    QTreeWidgetItem* progressNode = item(QStringLiteral("kk"), progress);
    ASSERT_NE(progressNode, nullptr);
    EXPECT_EQ(progressNode->text(0), QStringLiteral("7.2.4.1.?: <13/02/2024> Half done"));
    EXPECT_EQ(imageKey(progressNode), QStringLiteral("Progress"));
    EXPECT_TRUE(app().g_rsProgress);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ProjectViewerTest, ProjectWithoutWbsOrDates) {
    db().execute({QStringLiteral("UPDATE ZORBEL_PROJECTS SET WBS = NULL, StartDate = NULL, EndDate = NULL "
                                 "WHERE ProjectID = ?"),
                  {project}});
    open();
    EXPECT_EQ(item(QStringLiteral("kp"), project)->text(0), QStringLiteral("?: <> Alpha <> "));
}

TEST_F(ProjectViewerTest, ChildrenLoadOnceButEveryClickMakesTheRecordCurrent) {
    const qint32 other = zorbel().AddProject(QStringLiteral("Beta"), QString(), QString(), 5, day(2024, 1, 1),
                                             day(2024, 1, 31), 3, 8, 3);
    QString metric;
    open();
    click(item(QStringLiteral("kp"), project));
    zorbel().AddDeliverable(project, 1, QStringLiteral("Late"), metric, 2, {}, {}, 3, 0);
    app().g_deliverableRow = 4;

    click(item(QStringLiteral("kp"), other)); // nothing below it: both lists are asked again
    EXPECT_EQ(app().g_currentProjectID, other);
    EXPECT_EQ(app().g_currentProjectName, QStringLiteral("Beta"));
    EXPECT_EQ(app().g_projectOwnerID, 5);
    EXPECT_EQ(app().g_deliverableRow, 0);
    EXPECT_EQ(item(QStringLiteral("kp"), other)->childCount(), 0);

    click(item(QStringLiteral("kp"), project));
    EXPECT_EQ(app().g_currentProjectID, project);
    EXPECT_EQ(app().g_currentProjectName, QStringLiteral("Alpha"));
    EXPECT_EQ(item(QStringLiteral("kp"), project)->childCount(), 2); // "Late" not loaded

    // A click on no item acts on the item still selected.
    app().g_currentProjectID = 0;
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(5, tree->viewport()->height() - 5));
    EXPECT_EQ(app().g_currentProjectID, project);

    // Milestones and progress entries have nothing below them and make nothing current.
    click(item(QStringLiteral("km"), milestone));
    EXPECT_EQ(app().g_currentProjectID, project);
    EXPECT_EQ(app().g_currentMilestoneID, 0);
}

TEST_F(ProjectViewerTest, ARecordBecomesCurrentWithThePathAboveIt) {
    const qint32 other = zorbel().AddProject(QStringLiteral("Beta"), QString(), QString(), 5, day(2024, 1, 1),
                                             day(2024, 1, 31), 3, 8, 3);
    open();
    click(item(QStringLiteral("kp"), project));
    click(item(QStringLiteral("kd"), deliverable));
    click(item(QStringLiteral("kt"), task));
    click(item(QStringLiteral("kp"), other)); // another project becomes current...
    ASSERT_EQ(app().g_currentProjectID, other);

    click(item(QStringLiteral("ka"), action)); // ...until an action of the first is clicked
    EXPECT_EQ(app().g_currentProjectID, project);
    EXPECT_EQ(app().g_currentProjectName, QStringLiteral("Alpha"));
    EXPECT_EQ(app().g_currentDeliverableID, deliverable);
    EXPECT_EQ(app().g_currentTaskID, task);
    EXPECT_EQ(app().g_currentActionID, action);
    EXPECT_EQ(app().g_currentActionName, QStringLiteral("Draw"));
}

TEST_F(ProjectViewerTest, ProjectMadeCurrentCarriesTheAccountsRightsOnIt) {
    app().g_currentMultiUserID = 3;
    zorbel().AddUserAdmin(3, project, QStringLiteral("Alpha"), 4, 3, 2, 1, 5);
    app().g_issueAdminLevel = 9;
    open();
    click(item(QStringLiteral("kp"), project));
    EXPECT_EQ(app().g_projectAdminLevel, 4);
    EXPECT_EQ(app().g_issueAdminLevel, 5);
}

TEST_F(ProjectViewerTest, EmptyTreeAndClicksOnNothing) {
    db().execute({QStringLiteral("UPDATE ZORBEL_PROJECTS SET State = 2"), {}});
    open();
    EXPECT_EQ(tree->topLevelItemCount(), 0);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(app().g_currentProjectID, 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ProjectViewerTest, UnknownStatusLeavesTheNodeWithoutPicture) {
    db().execute({QStringLiteral("UPDATE ZORBEL_DELIVERABLES SET StatusID = 9"), {}});
    open();
    click(item(QStringLiteral("kp"), project));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().prompt.startsWith(QStringLiteral("Load Grid error ")));
    QTreeWidgetItem* node = item(QStringLiteral("kd"), deliverable);
    ASSERT_NE(node, nullptr);
    EXPECT_TRUE(node->icon(0).isNull());
}

TEST_F(ProjectViewerTest, TreeFollowsTheWindowAboveItsMinimumSize) {
    open();
    viewer->resize(900, 700);
    // The window's outer size less 390 and 910 twips, to the pixel.
    const QSize outer = viewer->frameGeometry().size();
    const QSize margins = controls::TwipScale::of(viewer).size(390, 910);
    const QSize grown = tree->size();
    EXPECT_NEAR(grown.width(), outer.width() - margins.width(), 1);
    EXPECT_NEAR(grown.height(), outer.height() - margins.height(), 1);
    viewer->resize(300, 250); // below 5000 x 4000 twips: nothing moves
    EXPECT_EQ(tree->size(), grown);
}

} // namespace
} // namespace zorbel::test
