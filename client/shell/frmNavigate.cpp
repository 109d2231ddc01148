#include "client/shell/frmNavigate.h"

#include "client/shell/AppState.h"
#include "client/shell/Pictures.h"
#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "platform/ui/ProgramEnd.h"
#include "platform/ui/Windows.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QProgressBar>
#include <QTreeWidget>

#include <array>

namespace zorbel::shell {
namespace {

using Guard = NavigationTarget::Guard;

struct TreeItem {
    const char* key;
    const char* text;
    const char* image;
    const char* parent; // "" for a phase item
    int code;           // 0 for a phase item
};

// In the order the items are added: siblings show in this order.
constexpr std::array<TreeItem, 36> kTree{{
    {"adm", "1. Admin", "Admin", "", 0},
    {"admcont", "Contacts", "AdminLevel", "adm", 1},
    {"admuse", "Users", "AdminLevel", "adm", 2},
    {"admtea", "Teams", "AdminLevel", "adm", 3},
    {"admadm", "User Admin", "AdminLevel", "adm", 5},
    {"admgrp", "Issue Groups", "AdminLevel", "adm", 4},
    {"def", "2. Define", "Define", "", 0},
    {"defpro", " New Project", "ProjectLevel", "def", 6},
    {"mea", "3. Measure", "Measure", "", 0},
    {"meapro", "Projects", "ProjectLevel", "mea", 9},
    {"meamil", "Milestones", "DeliverableLevel", "meapro", 10},
    {"meadel", "Deliverables", "DeliverableLevel", "meapro", 11},
    {"meadoc", "Documents", "Documents", "meapro", 12},
    {"meatsk", "Tasks", "TaskLevel", "meadel", 13},
    {"ana", "4. Analyse", "Analyse", "", 0},
    {"anapro", "Projects", "ProjectLevel", "ana", 15},
    {"anamil", "Milestones", "DeliverableLevel", "anapro", 16},
    {"anadel", "Deliverables", "DeliverableLevel", "anapro", 17},
    {"anadoc", "Documents", "Documents", "anapro", 18},
    {"anarsk", "Risks", "Risk", "anapro", 19},
    {"anatsk", "Tasks", "TaskLevel", "anadel", 20},
    {"anaact", "Actions", "ActionLevel", "anatsk", 22},
    {"anatskrsk", "Risks", "Risk", "anatsk", 21},
    {"imp", "5. Implement", "Implement", "", 0},
    {"imppro", "Projects", "ProjectLevel", "imp", 24},
    {"impmil", "Milestones", "DeliverableLevel", "imppro", 25},
    {"impdel", "Deliverables", "DeliverableLevel", "imppro", 26},
    {"impdoc", "Documents", "Documents", "imppro", 27},
    {"imprsk", "Risks", "Risk", "imppro", 28},
    {"impiss", "Issue Log", "DeliverableLevel", "imppro", 34},
    {"impxl", "Excel", "Excel", "imppro", 33},
    {"impvwr", "Project Viewer", "Viewer", "imppro", 35},
    {"imptsk", "Tasks", "TaskLevel", "impdel", 29},
    {"imptskrsk", "Risks", "Risk", "imptsk", 30},
    {"impact", "Actions", "ActionLevel", "imptsk", 31},
    {"impprg", "Progress", "ProgressLevel", "impact", 32},
}};

bool guardHolds(Guard guard)
{
    const auto& app = state();
    switch (guard) {
    case Guard::None: return true;
    case Guard::Projects: return app.g_projectCount > 0;
    case Guard::Deliverables: return app.g_deliverableCount > 0;
    case Guard::Tasks: return app.g_taskCount > 0;
    case Guard::Actions: return app.g_actionCount > 0;
    }
    return false;
}

// The window's designed frame: the resize rule is stated for the outer size
// in twips, and the client area is what Qt reports on every platform.
constexpr int kFrameWidthTwips = 120;
constexpr int kFrameHeightTwips = 240;

} // namespace

int navigationCode(const QString& key)
{
    for (const TreeItem& item : kTree)
        if (key == QLatin1String(item.key))
            return item.code;
    return 0;
}

NavigationTarget navigationTarget(int code)
{
    auto target = [](const char* window, Guard guard = Guard::None, bool resetRow = false) {
        return NavigationTarget{QLatin1String(window), guard, resetRow};
    };
    switch (code) {
    case 1: return target("frmContacts");
    case 2: return target("frmUsers");
    case 3: return target("frmTeams");
    case 4: return target("frmIssueGroups");
    case 5: return target("frmZorbelAdmin");
    case 6: return target("frmAddProjectHelp");
    case 9: case 15: case 24: return target("frmProjects", Guard::None, true);
    case 10: case 16: return target("frmMilestones", Guard::Projects);
    case 25: return target("frmMilestones");
    case 11: case 17: return target("frmDeliverables", Guard::Projects);
    case 26: return target("frmDeliverables");
    case 12: case 18: case 27: return target("frmDocument", Guard::Projects);
    case 13: case 20: return target("frmTasks", Guard::Deliverables);
    case 29: return target("frmTasks");
    case 19: case 28: return target("frmRisks", Guard::Projects);
    case 21: case 30: return target("frmRisks", Guard::Tasks);
    case 22: case 31: return target("frmActions", Guard::Tasks);
    case 32: return target("frmProgress", Guard::Actions);
    case 33: return target("frmExcel");
    case 34: return target("frmIssueLog");
    case 35: return target("frmProjectViewer");
    default: return {};
    }
}

QString navigationCloses(int code)
{
    // Leaving the wizard closes its last page; its earlier pages stay open.
    if (code == 6)
        return QStringLiteral("frmAddDeliverables");
    return navigationTarget(code).window;
}

frmNavigate::frmNavigate(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Zorbel Suite"));
    resize(controls::twipsSizeToPixels(4110, 4845));

    TV1 = new QTreeWidget(this);
    TV1->setObjectName(QStringLiteral("TV1"));
    TV1->setHeaderHidden(true);
    TV1->setColumnCount(1);
    TV1->setIconSize(QSize(16, 16));
    controls::placeTwips(TV1, 120, 120, 3735, 4215);
    connect(TV1, &QTreeWidget::itemClicked, this, [this] { TV1_NodeClick(); });

    PB1 = new QProgressBar(this);
    PB1->setObjectName(QStringLiteral("PB1"));
    PB1->setTextVisible(false);
    controls::placeTwips(PB1, 120, 4440, 3735, 255);
    PB1->hide();

    Form_Load();
}

frmNavigate::~frmNavigate()
{
    if (!m_closing)
        releaseShared();
}

void frmNavigate::Form_Load()
{
    ui::closeWindow(QStringLiteral("Zorbel5LogIn"));

    const auto& app = state();
    const bool adminHidden = (app.g_cfgOwnerAdmin == 1 || app.g_cfgProjectAdmin == 1) && app.g_userAdministrator == 0;
    for (const TreeItem& item : kTree) {
        const QString parentKey = QLatin1String(item.parent);
        if (parentKey == QLatin1String("adm")) {
            if (adminHidden)
                continue;
            if (QLatin1String(item.key) == QLatin1String("admadm") && app.g_cfgProjectAdmin != 1)
                continue;
        }
        addNode(parentKey, QLatin1String(item.key), QLatin1String(item.text), QLatin1String(item.image));
    }
}

void frmNavigate::addNode(const QString& parentKey, const QString& key, const QString& text, const QString& image)
{
    QTreeWidgetItem* item = nullptr;
    if (parentKey.isEmpty()) {
        item = new QTreeWidgetItem(TV1);
    } else {
        QTreeWidgetItem* parentItem = node(parentKey);
        if (!parentItem)
            return;
        item = new QTreeWidgetItem(parentItem);
    }
    item->setText(0, text);
    item->setData(0, KeyRole, key);
    item->setData(0, ImageRole, image);
    item->setIcon(0, QIcon(treeIcon(image)));
}

QTreeWidgetItem* frmNavigate::node(const QString& key) const
{
    for (QTreeWidgetItemIterator it(TV1); *it; ++it)
        if ((*it)->data(0, KeyRole).toString() == key)
            return *it;
    return nullptr;
}

void frmNavigate::TV1_NodeClick()
{
    const QList<QTreeWidgetItem*> selected = TV1->selectedItems();
    if (selected.isEmpty())
        return;
    const int code = navigationCode(selected.first()->data(0, KeyRole).toString());
    if (code != 0)
        OpenNavigationItem(QString::number(code));
}

void frmNavigate::OpenNavigationItem(const QString& code)
{
    bool isNumber = false;
    const int newCode = code.trimmed().toInt(&isNumber);
    if (!isNumber)
        return;
    auto& app = state();
    if (newCode == app.g_navTool)
        return;

    const QString leaving = navigationCloses(app.g_navTool);
    if (!leaving.isEmpty())
        ui::closeWindow(leaving);

    app.g_navTool = newCode;

    const NavigationTarget target = navigationTarget(newCode);
    if (target.window.isEmpty() || !guardHolds(target.guard))
        return;
    if (target.resetProjectRow)
        app.g_projectRow = 0;
    ui::showWindow(target.window);
}

void frmNavigate::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmNavigate::Form_Resize()
{
    const int width = controls::widthTwips(this) + kFrameWidthTwips;
    const int height = controls::heightTwips(this) + kFrameHeightTwips;
    if (width <= 4230 || height <= 5085)
        return;
    controls::setWidthTwips(TV1, width - 495);
    controls::setHeightTwips(TV1, height - 1140);
    controls::setTopTwips(PB1, height - 915);
}

void frmNavigate::closeEvent(QCloseEvent* event)
{
    event->accept();
    // Ending the program closes every window, this one included: once is enough.
    if (m_closing)
        return;
    m_closing = true;
    // The other windows close while the business object is still there.
    ui::endProgram();
    releaseShared();
}

void frmNavigate::releaseShared()
{
    auto& app = state();
    app.g_rsScratch.reset();
    app.g_rsContacts.reset();
    app.g_zorbel.reset();
}

} // namespace zorbel::shell

using zorbel::shell::frmNavigate;
ZORBEL_REGISTER_WINDOW(frmNavigate)
