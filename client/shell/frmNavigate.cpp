#include "client/shell/frmNavigate.h"

#include "client/shell/AppState.h"
#include "client/shell/NavCodes.h"
#include "client/shell/Pictures.h"
#include "client/shell/Placing.h"
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
    int code;           // nav::None for a phase item
};

// In the order the items are added: siblings show in this order.
constexpr std::array<TreeItem, 36> kTree{{
    {"adm", "1. Admin", "Admin", "", nav::None},
    {"admcont", "Contacts", "AdminLevel", "adm", nav::Contacts},
    {"admuse", "Users", "AdminLevel", "adm", nav::Users},
    {"admtea", "Teams", "AdminLevel", "adm", nav::Teams},
    {"admadm", "User Admin", "AdminLevel", "adm", nav::UserAdmin},
    {"admgrp", "Issue Groups", "AdminLevel", "adm", nav::IssueGroups},
    {"def", "2. Define", "Define", "", nav::None},
    {"defpro", " New Project", "ProjectLevel", "def", nav::NewProject},
    {"mea", "3. Measure", "Measure", "", nav::None},
    {"meapro", "Projects", "ProjectLevel", "mea", nav::MeasureProjects},
    {"meamil", "Milestones", "DeliverableLevel", "meapro", nav::MeasureMilestones},
    {"meadel", "Deliverables", "DeliverableLevel", "meapro", nav::MeasureDeliverables},
    {"meadoc", "Documents", "Documents", "meapro", nav::MeasureDocuments},
    {"meatsk", "Tasks", "TaskLevel", "meadel", nav::MeasureTasks},
    {"ana", "4. Analyse", "Analyse", "", nav::None},
    {"anapro", "Projects", "ProjectLevel", "ana", nav::AnalyseProjects},
    {"anamil", "Milestones", "DeliverableLevel", "anapro", nav::AnalyseMilestones},
    {"anadel", "Deliverables", "DeliverableLevel", "anapro", nav::AnalyseDeliverables},
    {"anadoc", "Documents", "Documents", "anapro", nav::AnalyseDocuments},
    {"anarsk", "Risks", "Risk", "anapro", nav::AnalyseProjectRisks},
    {"anatsk", "Tasks", "TaskLevel", "anadel", nav::AnalyseTasks},
    {"anaact", "Actions", "ActionLevel", "anatsk", nav::AnalyseActions},
    {"anatskrsk", "Risks", "Risk", "anatsk", nav::AnalyseTaskRisks},
    {"imp", "5. Implement", "Implement", "", nav::None},
    {"imppro", "Projects", "ProjectLevel", "imp", nav::ImplementProjects},
    {"impmil", "Milestones", "DeliverableLevel", "imppro", nav::ImplementMilestones},
    {"impdel", "Deliverables", "DeliverableLevel", "imppro", nav::ImplementDeliverables},
    {"impdoc", "Documents", "Documents", "imppro", nav::ImplementDocuments},
    {"imprsk", "Risks", "Risk", "imppro", nav::ImplementProjectRisks},
    {"impiss", "Issue Log", "DeliverableLevel", "imppro", nav::IssueLog},
    {"impxl", "Excel", "Excel", "imppro", nav::Excel},
    {"impvwr", "Project Viewer", "Viewer", "imppro", nav::ProjectViewer},
    {"imptsk", "Tasks", "TaskLevel", "impdel", nav::ImplementTasks},
    {"imptskrsk", "Risks", "Risk", "imptsk", nav::ImplementTaskRisks},
    {"impact", "Actions", "ActionLevel", "imptsk", nav::ImplementActions},
    {"impprg", "Progress", "ProgressLevel", "impact", nav::ImplementProgress},
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

} // namespace

int navigationCode(const QString& key)
{
    for (const TreeItem& item : kTree)
        if (key == QLatin1String(item.key))
            return item.code;
    return nav::None;
}

NavigationTarget navigationTarget(int code)
{
    auto target = [](const char* window, Guard guard = Guard::None, bool resetRow = false) {
        return NavigationTarget{QLatin1String(window), guard, resetRow};
    };
    switch (code) {
    case nav::Contacts: return target("frmContacts");
    case nav::Users: return target("frmUsers");
    case nav::Teams: return target("frmTeams");
    case nav::IssueGroups: return target("frmIssueGroups");
    case nav::UserAdmin: return target("frmZorbelAdmin");
    case nav::NewProject: return target("frmAddProjectHelp");
    case nav::MeasureProjects:
    case nav::AnalyseProjects:
    case nav::ImplementProjects: return target("frmProjects", Guard::None, true);
    case nav::MeasureMilestones:
    case nav::AnalyseMilestones: return target("frmMilestones", Guard::Projects);
    case nav::ImplementMilestones: return target("frmMilestones");
    case nav::MeasureDeliverables:
    case nav::AnalyseDeliverables: return target("frmDeliverables", Guard::Projects);
    case nav::ImplementDeliverables: return target("frmDeliverables");
    case nav::MeasureDocuments:
    case nav::AnalyseDocuments:
    case nav::ImplementDocuments: return target("frmDocument", Guard::Projects);
    case nav::MeasureTasks:
    case nav::AnalyseTasks: return target("frmTasks", Guard::Deliverables);
    case nav::ImplementTasks: return target("frmTasks");
    case nav::AnalyseProjectRisks:
    case nav::ImplementProjectRisks: return target("frmRisks", Guard::Projects);
    case nav::AnalyseTaskRisks:
    case nav::ImplementTaskRisks: return target("frmRisks", Guard::Tasks);
    case nav::AnalyseActions:
    case nav::ImplementActions: return target("frmActions", Guard::Tasks);
    case nav::ImplementProgress: return target("frmProgress", Guard::Actions);
    case nav::Excel: return target("frmExcel");
    case nav::IssueLog: return target("frmIssueLog");
    case nav::ProjectViewer: return target("frmProjectViewer");
    default: return {};
    }
}

QString navigationCloses(int code)
{
    // Leaving the wizard closes its last page; its earlier pages stay open.
    if (code == nav::NewProject)
        return QStringLiteral("frmAddDeliverables");
    return navigationTarget(code).window;
}

frmNavigate::frmNavigate(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Zorbel Suite"));
    controls::resizeTwips(this, 4110, 4845);

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
    const int width = outerWidthTwips(this);
    const int height = outerHeightTwips(this);
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
