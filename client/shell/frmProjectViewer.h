#pragma once
// "ProjectViewer": the projects of the Implement phase as a read-only tree,
// opened level by level (project, its milestones and deliverables, tasks,
// actions, progress entries). A click makes the clicked record current and,
// the first time, loads its children.

#include "platform/data/Recordset.h"

#include <QHash>
#include <QPixmap>
#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;

namespace zorbel::shell {

class frmProjectViewer : public QWidget {
    Q_OBJECT
public:
    // What each tree item carries besides its text and picture.
    enum NodeRole {
        KeyRole = Qt::UserRole,  // two-letter prefix and the record's id ("kp12")
        TagRole,                 // the record's WBS, "?" when empty; none for milestones
        ImageKeyRole,            // key of its picture in the image list
        NameRole,                // the record's name or description
        StartRole,               // its start (or progress) date
        EndRole,                 // its end date
        OwnerRole,               // its owner
    };

    explicit frmProjectViewer(QWidget* parent = nullptr);

    void Form_Load();
    void Form_Resize();
    // Acts on the tree's selected item, whatever part of the tree was clicked.
    void ExpandViewerNode();

    // The tree's item by key; nullptr when there is none.
    QTreeWidgetItem* node(const QString& key) const;

    // One level of the breakdown as the tree shows it (defined with the window).
    struct Level;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Makes a node's record current after the records above it; false for a
    // node with nothing below it.
    bool makeCurrent(QTreeWidgetItem* item);
    void loadLevel(QTreeWidgetItem* parent, const data::RecordsetPtr& list, const Level& level,
                   const QString& errorPrefix);
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const data::Recordset& row, const Level& level,
                             const QString& errorPrefix);

    QTreeWidget* TV1;
    QHash<QString, QPixmap> ImageList1;
    data::RecordsetPtr m_projects;
    data::RecordsetPtr m_rights; // the account's rights rows, for a project made current
};

} // namespace zorbel::shell
