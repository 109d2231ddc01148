#pragma once
// The main window after log-in: the five-phase tree whose items open the
// editors, one at a time, and the progress bar that list loaders drive.
// Closing it ends the program.

#include <QString>
#include <QWidget>

class QProgressBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace zorbel::shell {

// What a navigation code opens and when: the window is shown only while the
// guard's list count is above 0.
struct NavigationTarget {
    enum class Guard { None, Projects, Deliverables, Tasks, Actions };
    QString window;
    Guard guard = Guard::None;
    bool resetProjectRow = false;
};

// The code of a tree item's key; 0 for a phase item or an unknown key.
int navigationCode(const QString& key);
// The dispatch of a code; a target without a window for codes no item has.
NavigationTarget navigationTarget(int code);
// The window closed when the user leaves a code; "" for none.
QString navigationCloses(int code);
// Whether the tree offers the items under "1. Admin" (contacts, users, teams,
// issue groups): to everyone while both configuration switches are off, else
// to administrators only. Every other way into those windows asks the same.
bool adminItemsShown(qint16 cfgOwnerAdmin, qint16 cfgProjectAdmin, qint16 userAdministrator);

class frmNavigate : public QWidget {
    Q_OBJECT
public:
    // Tree items carry their key and their image key in these roles.
    static constexpr int KeyRole = Qt::UserRole;
    static constexpr int ImageRole = Qt::UserRole + 1;

    explicit frmNavigate(QWidget* parent = nullptr);
    ~frmNavigate() override;

    // The tree item with this key; nullptr when the tree has none.
    QTreeWidgetItem* node(const QString& key) const;

    void TV1_NodeClick();
    void OpenNavigationItem(const QString& code);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Form_Resize();
    void addNode(const QString& parentKey, const QString& key, const QString& text, const QString& image);
    void releaseShared();

    bool m_closing = false;
    QTreeWidget* TV1;
    QProgressBar* PB1;
};

} // namespace zorbel::shell
