// The navigation window: its tree, the Admin rules, the dispatch with its
// guards, closing the previous window, the resize rule and the program end.

#include "client/shell/frmNavigate.h"
#include "controls/Twips.h"
#include "platform/ui/ProgramEnd.h"
#include "platform/ui/Windows.h"
#include "tests/client/ClientTest.h"

#include <QApplication>
#include <QPointer>
#include <QProgressBar>
#include <QTest>
#include <QTreeWidget>

#include <set>

namespace zorbel::test {
namespace {

using shell::frmNavigate;
using Guard = shell::NavigationTarget::Guard;

const QString kNavigate = QStringLiteral("frmNavigate");

const QStringList kDispatchedWindows{
    QStringLiteral("frmContacts"),  QStringLiteral("frmUsers"),        QStringLiteral("frmTeams"),
    QStringLiteral("frmIssueGroups"), QStringLiteral("frmZorbelAdmin"), QStringLiteral("frmAddProjectHelp"),
    QStringLiteral("frmAddDeliverables"), QStringLiteral("frmProjects"), QStringLiteral("frmMilestones"),
    QStringLiteral("frmDeliverables"), QStringLiteral("frmDocument"),   QStringLiteral("frmTasks"),
    QStringLiteral("frmRisks"),     QStringLiteral("frmActions"),      QStringLiteral("frmProgress"),
    QStringLiteral("frmExcel"),     QStringLiteral("frmIssueLog"),     QStringLiteral("frmProjectViewer")};

// Plain windows under the names of the dispatch that no real window has
// taken yet, so the test sees what was shown and closed. Each remembers the
// navigation code it was loaded under.
class StandIns {
public:
    StandIns() {
        for (const QString& name : kDispatchedWindows) {
            if (ui::isRegistered(name))
                continue;
            ui::registerWindow(name, [] {
                auto w = std::make_unique<QWidget>();
                w->setProperty("navToolAtLoad", shell::state().g_navTool);
                return w;
            });
            m_names << name;
        }
    }
    ~StandIns() {
        for (const QString& name : m_names)
            ui::unregisterWindow(name);
    }
    StandIns(const StandIns&) = delete;
    StandIns& operator=(const StandIns&) = delete;

private:
    QStringList m_names;
};

class NavigationTest : public ClientTest {
protected:
    frmNavigate& open(qint16 ownerAdmin = 0, qint16 projectAdmin = 0, qint16 administrator = 0) {
        app().g_cfgOwnerAdmin = ownerAdmin;
        app().g_cfgProjectAdmin = projectAdmin;
        app().g_userAdministrator = administrator;
        app().g_navTool = -1;
        EXPECT_TRUE(ui::showWindow(kNavigate));
        nav = ui::windowAs<frmNavigate>(kNavigate);
        tree = nav->findChild<QTreeWidget*>(QStringLiteral("TV1"));
        return *nav;
    }

    static QStringList childKeys(QTreeWidgetItem* item) {
        QStringList keys;
        for (int i = 0; i < item->childCount(); ++i)
            keys << item->child(i)->data(0, frmNavigate::KeyRole).toString();
        return keys;
    }

    void click(const QString& key) {
        QTreeWidgetItem* item = nav->node(key);
        ASSERT_NE(item, nullptr) << key.toStdString();
        for (QTreeWidgetItem* p = item->parent(); p; p = p->parent())
            p->setExpanded(true);
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    }

    void setCounts(int projects, int deliverables, int tasks, int actions) {
        app().g_projectCount = projects;
        app().g_deliverableCount = deliverables;
        app().g_taskCount = tasks;
        app().g_actionCount = actions;
    }

    ui::ProgramEndRecorder ends;
    ui::ModalHook modals; // windows of the dispatch that open a picker at load
    frmNavigate* nav = nullptr;
    QTreeWidget* tree = nullptr;
};

TEST_F(NavigationTest, TreeHoldsEveryItemWithKeyTextImageAndParent) {
    open();
    EXPECT_EQ(nav->windowTitle(), QStringLiteral("Zorbel Suite"));
    EXPECT_TRUE(nav->findChild<QProgressBar*>(QStringLiteral("PB1"))->isHidden());

    struct Row { const char *key, *text, *image, *parent; };
    const Row rows[] = {
        {"adm", "1. Admin", "Admin", ""},                      {"admcont", "Contacts", "AdminLevel", "adm"},
        {"admuse", "Users", "AdminLevel", "adm"},              {"admtea", "Teams", "AdminLevel", "adm"},
        {"admgrp", "Issue Groups", "AdminLevel", "adm"},       {"def", "2. Define", "Define", ""},
        {"defpro", " New Project", "ProjectLevel", "def"},     {"mea", "3. Measure", "Measure", ""},
        {"meapro", "Projects", "ProjectLevel", "mea"},         {"meamil", "Milestones", "DeliverableLevel", "meapro"},
        {"meadel", "Deliverables", "DeliverableLevel", "meapro"}, {"meadoc", "Documents", "Documents", "meapro"},
        {"meatsk", "Tasks", "TaskLevel", "meadel"},            {"ana", "4. Analyse", "Analyse", ""},
        {"anapro", "Projects", "ProjectLevel", "ana"},         {"anamil", "Milestones", "DeliverableLevel", "anapro"},
        {"anadel", "Deliverables", "DeliverableLevel", "anapro"}, {"anadoc", "Documents", "Documents", "anapro"},
        {"anarsk", "Risks", "Risk", "anapro"},                 {"anatsk", "Tasks", "TaskLevel", "anadel"},
        {"anaact", "Actions", "ActionLevel", "anatsk"},        {"anatskrsk", "Risks", "Risk", "anatsk"},
        {"imp", "5. Implement", "Implement", ""},              {"imppro", "Projects", "ProjectLevel", "imp"},
        {"impmil", "Milestones", "DeliverableLevel", "imppro"}, {"impdel", "Deliverables", "DeliverableLevel", "imppro"},
        {"impdoc", "Documents", "Documents", "imppro"},        {"imprsk", "Risks", "Risk", "imppro"},
        {"impiss", "Issue Log", "DeliverableLevel", "imppro"}, {"impxl", "Excel", "Excel", "imppro"},
        {"impvwr", "Project Viewer", "Viewer", "imppro"},      {"imptsk", "Tasks", "TaskLevel", "impdel"},
        {"imptskrsk", "Risks", "Risk", "imptsk"},              {"impact", "Actions", "ActionLevel", "imptsk"},
        {"impprg", "Progress", "ProgressLevel", "impact"},
    };
    int seen = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        QTreeWidgetItem* item = nav->node(QLatin1String(row.key));
        ASSERT_NE(item, nullptr);
        ++seen;
        EXPECT_EQ(item->text(0), QLatin1String(row.text));
        EXPECT_EQ(item->data(0, frmNavigate::ImageRole).toString(), QLatin1String(row.image));
        EXPECT_FALSE(item->icon(0).isNull());
        EXPECT_FALSE(item->isExpanded());
        const QString parent = item->parent() ? item->parent()->data(0, frmNavigate::KeyRole).toString() : QString();
        EXPECT_EQ(parent, QLatin1String(row.parent));
    }
    int total = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        ++total;
    EXPECT_EQ(total, seen);

    // Siblings in the order they were added.
    EXPECT_EQ(childKeys(nav->node(QStringLiteral("imppro"))),
              (QStringList{"impmil", "impdel", "impdoc", "imprsk", "impiss", "impxl", "impvwr"}));
    EXPECT_EQ(childKeys(nav->node(QStringLiteral("anatsk"))), (QStringList{"anaact", "anatskrsk"}));
    EXPECT_EQ(tree->topLevelItemCount(), 5);
}

TEST_F(NavigationTest, AdminChildrenFollowTheSwitchesAndTheAdministratorFlag) {
    const QStringList all{"admcont", "admuse", "admtea", "admadm", "admgrp"};
    const QStringList withoutUserAdmin{"admcont", "admuse", "admtea", "admgrp"};
    struct Case { qint16 owner, project, administrator; QStringList children; };
    const Case cases[] = {
        {0, 0, 0, withoutUserAdmin}, {0, 0, 1, withoutUserAdmin}, {2, 2, 0, withoutUserAdmin},
        {1, 0, 0, {}},               {1, 0, 1, withoutUserAdmin},
        {0, 1, 0, {}},               {0, 1, 1, all},
        {1, 1, 0, {}},               {1, 1, -1, all},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "owner " << c.owner << " project " << c.project << " admin "
                                        << c.administrator);
        open(c.owner, c.project, c.administrator);
        EXPECT_EQ(childKeys(nav->node(QStringLiteral("adm"))), c.children);
        ui::closeWindow(kNavigate);
    }
}

TEST_F(NavigationTest, EveryCodeOpensItsWindowWhenItsGuardHolds) {
    StandIns standIns;
    struct Case { int code; const char* window; Guard guard; };
    const Case cases[] = {
        {1, "frmContacts", Guard::None},      {2, "frmUsers", Guard::None},
        {3, "frmTeams", Guard::None},         {4, "frmIssueGroups", Guard::None},
        {5, "frmZorbelAdmin", Guard::None},   {6, "frmAddProjectHelp", Guard::None},
        {9, "frmProjects", Guard::None},      {15, "frmProjects", Guard::None},
        {24, "frmProjects", Guard::None},     {10, "frmMilestones", Guard::Projects},
        {16, "frmMilestones", Guard::Projects}, {25, "frmMilestones", Guard::None},
        {11, "frmDeliverables", Guard::Projects}, {17, "frmDeliverables", Guard::Projects},
        {26, "frmDeliverables", Guard::None}, {12, "frmDocument", Guard::Projects},
        {18, "frmDocument", Guard::Projects}, {27, "frmDocument", Guard::Projects},
        {13, "frmTasks", Guard::Deliverables}, {20, "frmTasks", Guard::Deliverables},
        {29, "frmTasks", Guard::None},        {19, "frmRisks", Guard::Projects},
        {28, "frmRisks", Guard::Projects},    {21, "frmRisks", Guard::Tasks},
        {30, "frmRisks", Guard::Tasks},       {22, "frmActions", Guard::Tasks},
        {31, "frmActions", Guard::Tasks},     {32, "frmProgress", Guard::Actions},
        {33, "frmExcel", Guard::None},        {34, "frmIssueLog", Guard::None},
        {35, "frmProjectViewer", Guard::None},
    };
    open();
    auto countsWith = [this](Guard open, int value, int others) {
        auto pick = [&](Guard g) { return g == open ? value : others; };
        setCounts(pick(Guard::Projects), pick(Guard::Deliverables), pick(Guard::Tasks), pick(Guard::Actions));
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code);
        const QString window = QLatin1String(c.window);
        const QString code = QString::number(c.code);
        EXPECT_EQ(shell::navigationTarget(c.code).window, window);
        EXPECT_EQ(shell::navigationTarget(c.code).guard, c.guard);

        if (c.guard != Guard::None) {
            // Every other count above 0 but the guard's own empty: nothing opens,
            // and the code still becomes the current one.
            countsWith(c.guard, 0, 1);
            app().g_navTool = -1;
            nav->OpenNavigationItem(code);
            EXPECT_FALSE(ui::isLoaded(window));
            EXPECT_EQ(app().g_navTool, c.code);
        }
        countsWith(c.guard, 1, 0);
        app().g_navTool = -1;
        app().g_projectRow = 5;
        nav->OpenNavigationItem(code);
        EXPECT_TRUE(ui::isLoaded(window));
        EXPECT_EQ(app().g_navTool, c.code);
        EXPECT_EQ(app().g_projectRow, window == QLatin1String("frmProjects") ? 0 : 5);
        if (QWidget* shown = ui::window(window); shown && shown->property("navToolAtLoad").isValid()) {
            EXPECT_EQ(shown->property("navToolAtLoad").toInt(), c.code);
        }
        ui::closeWindow(window);
        QApplication::processEvents();
    }
    for (int unused : {7, 8, 14, 23})
        EXPECT_TRUE(shell::navigationTarget(unused).window.isEmpty());
}

TEST_F(NavigationTest, LeavingACodeClosesItsWindowOnly) {
    StandIns standIns;
    open();
    setCounts(1, 1, 1, 1);

    nav->OpenNavigationItem(QStringLiteral("33"));
    ASSERT_TRUE(ui::isLoaded(QStringLiteral("frmExcel")));
    // Same code again: neither closed nor reloaded.
    QPointer<QWidget> excel = ui::window(QStringLiteral("frmExcel"));
    nav->OpenNavigationItem(QStringLiteral("33"));
    QApplication::processEvents();
    EXPECT_EQ(ui::window(QStringLiteral("frmExcel")), excel.data());

    // A failed guard still closes the previous window and becomes current.
    setCounts(1, 1, 1, 0);
    nav->OpenNavigationItem(QStringLiteral("32"));
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmExcel")));
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmProgress")));
    EXPECT_EQ(app().g_navTool, 32);
    setCounts(1, 1, 1, 1);
    nav->OpenNavigationItem(QStringLiteral("32"));
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmProgress")));

    // The wizard: leaving code 6 closes its last page and leaves its first.
    nav->OpenNavigationItem(QStringLiteral("6"));
    ASSERT_TRUE(ui::showWindow(QStringLiteral("frmAddDeliverables")));
    nav->OpenNavigationItem(QStringLiteral("33"));
    EXPECT_TRUE(ui::isLoaded(QStringLiteral("frmAddProjectHelp")));
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmAddDeliverables")));
    EXPECT_TRUE(ui::isLoaded(QStringLiteral("frmExcel")));

    // Projects under Analyse while they are open from Measure: a fresh load.
    nav->OpenNavigationItem(QStringLiteral("9"));
    QPointer<QWidget> measured = ui::window(QStringLiteral("frmProjects"));
    ASSERT_TRUE(measured);
    nav->OpenNavigationItem(QStringLiteral("15"));
    QApplication::processEvents();
    EXPECT_FALSE(measured);
    EXPECT_TRUE(ui::isLoaded(QStringLiteral("frmProjects")));
    nav->OpenNavigationItem(QStringLiteral("33"));

    nav->OpenNavigationItem(QStringLiteral("not a code"));
    EXPECT_EQ(app().g_navTool, 33);
    EXPECT_TRUE(ui::isLoaded(QStringLiteral("frmExcel")));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(NavigationTest, ClicksOnTheTreeDispatchByKey) {
    StandIns standIns;
    open();
    // Right after log-in: Milestones under Measure opens nothing.
    click(QStringLiteral("meamil"));
    EXPECT_EQ(app().g_navTool, 10);
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmMilestones")));

    click(QStringLiteral("impxl"));
    EXPECT_EQ(app().g_navTool, 33);
    EXPECT_TRUE(ui::isLoaded(QStringLiteral("frmExcel")));

    // A phase item changes nothing.
    click(QStringLiteral("adm"));
    EXPECT_EQ(app().g_navTool, 33);
    EXPECT_TRUE(ui::isLoaded(QStringLiteral("frmExcel")));

    app().g_projectCount = 2;
    click(QStringLiteral("anamil"));
    EXPECT_EQ(app().g_navTool, 16);
    EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmExcel")));
    EXPECT_TRUE(ui::isLoaded(QStringLiteral("frmMilestones")));
}

TEST_F(NavigationTest, ResizeFollowsTheWindowOnlyAboveTheDesignedSize) {
    open();
    auto* pb = nav->findChild<QProgressBar*>(QStringLiteral("PB1"));
    using namespace controls;
    // Sizes go through whole pixels on the way: within a pixel's worth of twips.
    const TwipScale twips = TwipScale::of(nav);
    const double across = 1 / twips.pixelsPerTwipX(), down = 1 / twips.pixelsPerTwipY();
    EXPECT_NEAR(widthTwips(tree), 3735, across);
    EXPECT_NEAR(heightTwips(tree), 4215, down);
    EXPECT_NEAR(topTwips(pb), 4440, down);

    // 5000 x 6000 twips outside: the designed frame is 120 wide, 240 high.
    nav->resize(twips.size(5000 - 120, 6000 - 240));
    EXPECT_NEAR(widthTwips(tree), 4505, across);
    EXPECT_NEAR(heightTwips(tree), 4860, down);
    EXPECT_NEAR(topTwips(pb), 5085, down);

    const int width = widthTwips(tree), height = heightTwips(tree);
    nav->resize(twips.size(4000 - 120, 6000 - 240));
    EXPECT_EQ(widthTwips(tree), width);
    EXPECT_EQ(heightTwips(tree), height);
}

TEST_F(NavigationTest, ClosingEndsTheProgramWithEditorsOpen) {
    StandIns standIns;
    open();
    nav->OpenNavigationItem(QStringLiteral("33"));
    ASSERT_TRUE(ui::isLoaded(QStringLiteral("frmExcel")));
    app().g_rsContacts = zorbel().GetContacts();
    app().g_rsScratch = zorbel().GetProjectStatus();

    nav->close();
    EXPECT_EQ(ends.count(), 1);
    EXPECT_TRUE(ui::loadedWindows().isEmpty());
    EXPECT_FALSE(app().g_zorbel);
    EXPECT_FALSE(app().g_rsContacts);
    EXPECT_FALSE(app().g_rsScratch);
}

} // namespace
} // namespace zorbel::test
