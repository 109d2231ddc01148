#include "client/shell/frmProjectViewer.h"

#include "client/shell/AppState.h"
#include "client/shell/Dates.h"
#include "client/shell/Pictures.h"
#include "client/shell/ProjectPicking.h"
#include "client/shell/WindowRegistration.h"
#include "client/shell/Zorbel5Data.h"
#include "controls/Twips.h"
#include "platform/ui/MessageBox.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTreeWidget>

namespace zorbel::shell {

// One level of the breakdown as the tree shows it.
struct frmProjectViewer::Level {
    QString prefix;      // key prefix
    QString idField;
    QString nameField;
    QString startField;
    QString endField;    // empty: the level has no end date
    QString fixedImage;  // empty: the picture follows StatusID
    bool hasWbs = true;  // milestones have neither WBS nor path
};

namespace {

using Level = frmProjectViewer::Level;

const Level kProject{QStringLiteral("kp"), QStringLiteral("ProjectID"), QStringLiteral("Name"),
                     QStringLiteral("StartDate"), QStringLiteral("EndDate"), {}, true};
const Level kMilestone{QStringLiteral("km"), QStringLiteral("MilestoneID"), QStringLiteral("Description"),
                       QStringLiteral("StartDate"), {}, QStringLiteral("Milestone"), false};
const Level kDeliverable{QStringLiteral("kd"), QStringLiteral("DeliverableID"), QStringLiteral("Deliverable"),
                         QStringLiteral("StartDate"), QStringLiteral("EndDate"), {}, true};
const Level kTask{QStringLiteral("kt"), QStringLiteral("TaskID"), QStringLiteral("Description"),
                  QStringLiteral("StartDate"), QStringLiteral("EndDate"), {}, true};
const Level kAction{QStringLiteral("ka"), QStringLiteral("ActionID"), QStringLiteral("Description"),
                    QStringLiteral("StartDate"), QStringLiteral("EndDate"), {}, true};
const Level kProgress{QStringLiteral("kk"), QStringLiteral("ProgressID"), QStringLiteral("Description"),
                      QStringLiteral("ProgressDate"), {}, QStringLiteral("Progress"), true};

QString datePart(const QDateTime& date) {
    return date.isValid() ? QStringLiteral(" <") + FormatShown(date) + QStringLiteral("> ") : QStringLiteral(" <> ");
}

QString wbsPart(const QVariant& wbs) {
    const QString text = wbs.isNull() ? QString() : wbs.toString();
    return text.isEmpty() ? QStringLiteral("?") : text;
}

QPixmap milestonePicture() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.2));
    p.setBrush(QColor(70, 110, 200));
    p.drawPolygon(QPolygonF({QPointF(8, 1.5), QPointF(14.5, 8), QPointF(8, 14.5), QPointF(1.5, 8)}));
    return pixmap;
}

// The ids the keys carry are whole 32-bit numbers.
qint32 idOf(const QVariant& value) {
    return static_cast<qint32>(value.toLongLong());
}

} // namespace

frmProjectViewer::frmProjectViewer(QWidget* parent) : QWidget(parent), TV1(new QTreeWidget(this)) {
    setWindowTitle(QStringLiteral("ProjectViewer"));
    controls::resizeTwips(this, 7485, 6195);
    TV1->setObjectName(QStringLiteral("TV1"));
    controls::placeTwips(TV1, 120, 120, 7095, 5895);
    TV1->setHeaderHidden(true);
    TV1->setSelectionMode(QAbstractItemView::SingleSelection);
    TV1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TV1->viewport()->installEventFilter(this);

    for (int status = 0; status <= 6; ++status)
        ImageList1.insert(QStringLiteral("Status%1").arg(status), statusPicture(status));
    ImageList1.insert(QStringLiteral("Milestone"), milestonePicture());
    ImageList1.insert(QStringLiteral("Progress"), treeIcon(QStringLiteral("ProgressLevel")));

    Form_Load();
}

void frmProjectViewer::Form_Load() {
    auto& s = state();
    if (!s.g_zorbel)
        return;
    m_rights = s.g_zorbel->GetUserAdmin(s.g_currentMultiUserID);
    m_projects = s.g_zorbel->GetProjects(3);
    loadLevel(nullptr, m_projects, kProject, QStringLiteral("Load Projects error "));
}

void frmProjectViewer::loadLevel(QTreeWidgetItem* parent, const data::RecordsetPtr& list, const Level& level,
                                 const QString& errorPrefix) {
    // A list that could not be read (the business layer has said so) shows as an empty level.
    if (!list || list->RecordCount() == 0)
        return;
    ProgressStart(list->RecordCount());
    for (list->MoveFirst(); !list->Eof(); list->MoveNext()) {
        addNode(parent, *list, level, errorPrefix);
        ProgressStep();
    }
    ProgressEnd();
}

QTreeWidgetItem* frmProjectViewer::addNode(QTreeWidgetItem* parent, const data::Recordset& row, const Level& level,
                                           const QString& errorPrefix) {
    const QDateTime start = dateOf(row.Fields(level.startField)).value_or(QDateTime());
    const QDateTime end =
        level.endField.isEmpty() ? QDateTime() : dateOf(row.Fields(level.endField)).value_or(QDateTime());
    const QString name = row.Fields(level.nameField).toString();

    QString text;
    QString tag;
    if (level.hasWbs) {
        QString path;
        for (const QTreeWidgetItem* ancestor = parent; ancestor; ancestor = ancestor->parent())
            path.prepend(ancestor->data(0, TagRole).toString() + QLatin1Char('.'));
        tag = wbsPart(row.Fields(QStringLiteral("WBS")));
        text = path + tag + QLatin1Char(':') + datePart(start) + name;
        if (!level.endField.isEmpty())
            text += datePart(end);
    } else {
        text = datePart(start) + name;
    }

    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(TV1);
    item->setText(0, text);
    item->setData(0, KeyRole, level.prefix + QString::number(idOf(row.Fields(level.idField))));
    if (level.hasWbs)
        item->setData(0, TagRole, tag);
    item->setData(0, NameRole, name);
    item->setData(0, StartRole, start);
    item->setData(0, EndRole, end);
    item->setData(0, OwnerRole, idOf(row.Fields(QStringLiteral("OwnerID"))));

    QString imageKey = level.fixedImage;
    if (imageKey.isEmpty()) {
        const QVariant status = row.Fields(QStringLiteral("StatusID"));
        imageKey = QStringLiteral("Status") + (status.isNull() ? QString() : status.toString());
    }
    const auto image = ImageList1.constFind(imageKey);
    if (image == ImageList1.constEnd()) {
        ui::MsgBox(errorPrefix + QStringLiteral("Element not found: no picture \"%1\"").arg(imageKey), ui::vbOKOnly);
    } else {
        item->setIcon(0, QIcon(*image));
        item->setData(0, ImageKeyRole, imageKey);
    }
    return item;
}

bool frmProjectViewer::makeCurrent(QTreeWidgetItem* item) {
    const QString key = item->data(0, KeyRole).toString();
    const QString prefix = key.left(2);
    if (prefix != kProject.prefix && prefix != kDeliverable.prefix && prefix != kTask.prefix &&
        prefix != kAction.prefix)
        return false; // milestones and progress entries have nothing below them
    // The path above the record becomes current first: a deliverable of one
    // project must never be current under another.
    if (QTreeWidgetItem* parent = item->parent())
        makeCurrent(parent);

    const qint32 id = key.mid(2).toInt();
    const QString name = item->data(0, NameRole).toString();
    const QDateTime start = item->data(0, StartRole).toDateTime();
    const QDateTime end = item->data(0, EndRole).toDateTime();
    // The record becomes current with its own name and dates, and the editors'
    // rows below it start afresh, so no editor shows one record's name while
    // writing to another.
    auto& s = state();
    if (prefix == kProject.prefix) {
        MakeProjectCurrent({id, name, start, end, item->data(0, OwnerRole).toInt()}, m_rights);
    } else if (prefix == kDeliverable.prefix) {
        s.g_currentDeliverableID = id;
        s.g_currentDeliverableName = name;
        s.g_deliverableStart = start;
        s.g_deliverableEnd = end;
        s.g_taskRow = s.g_actionRow = s.g_progressRow = 0;
    } else if (prefix == kTask.prefix) {
        s.g_currentTaskID = id;
        s.g_currentTaskName = name;
        s.g_taskStart = start;
        s.g_taskEnd = end;
        s.g_actionRow = s.g_progressRow = 0;
    } else {
        s.g_currentActionID = id;
        s.g_currentActionName = name;
        s.g_actionStart = start;
        s.g_actionEnd = end;
        s.g_progressRow = 0;
    }
    return true;
}

void frmProjectViewer::ExpandViewerNode() {
    const QList<QTreeWidgetItem*> selected = TV1->selectedItems();
    if (selected.isEmpty())
        return;
    QTreeWidgetItem* item = selected.first();
    if (!makeCurrent(item))
        return;
    const QString prefix = item->data(0, KeyRole).toString().left(2);
    auto& s = state();

    if (item->childCount() > 0 || !s.g_zorbel)
        return;

    const QString error = QStringLiteral("Load Grid error ");
    ZorbelClass& zorbel = *s.g_zorbel;
    auto hasRows = [](const data::RecordsetPtr& list) { return list && list->RecordCount() > 0; };
    if (prefix == kProject.prefix) {
        s.g_rsMilestones = zorbel.GetMilestones(s.g_currentProjectID);
        loadLevel(item, s.g_rsMilestones, kMilestone, error);
        s.g_rsDeliverables = zorbel.GetDeliverables(s.g_currentProjectID);
        loadLevel(item, s.g_rsDeliverables, kDeliverable, error);
        if (hasRows(s.g_rsDeliverables))
            item->setExpanded(true);
    } else {
        data::RecordsetPtr children;
        if (prefix == kDeliverable.prefix)
            children = s.g_rsTasks = zorbel.GetTasks(s.g_currentDeliverableID);
        else if (prefix == kTask.prefix)
            children = s.g_rsActions = zorbel.GetActions(s.g_currentTaskID);
        else
            children = s.g_rsProgress = zorbel.GetProgress(s.g_currentActionID);
        const Level& level = prefix == kDeliverable.prefix ? kTask : prefix == kTask.prefix ? kAction : kProgress;
        loadLevel(item, children, level, error);
        if (hasRows(children))
            item->setExpanded(true);
    }
}

QTreeWidgetItem* frmProjectViewer::node(const QString& key) const {
    for (QTreeWidgetItemIterator it(TV1); *it; ++it) {
        if ((*it)->data(0, KeyRole).toString() == key)
            return *it;
    }
    return nullptr;
}

void frmProjectViewer::Form_Resize() {
    const QSize outer = frameGeometry().size();
    const controls::TwipScale twips = controls::TwipScale::of(this);
    const int width = twips.toTwipsX(outer.width());
    const int height = twips.toTwipsY(outer.height());
    if (width > 5000 && height > 4000)
        TV1->resize(twips.size(width - 390, height - 910));
}

void frmProjectViewer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

bool frmProjectViewer::eventFilter(QObject* watched, QEvent* event) {
    // The tree's click: the press has already moved the selection, so the
    // release acts on whatever is selected, wherever it landed.
    if (watched == TV1->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        ExpandViewerNode();
    return QWidget::eventFilter(watched, event);
}

} // namespace zorbel::shell

using zorbel::shell::frmProjectViewer;
ZORBEL_REGISTER_WINDOW(frmProjectViewer)
