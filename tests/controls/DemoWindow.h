#pragma once
// A small editor-like window that places both controls the way the
// program's windows do: Add/Edit/Delete/Refresh in browse mode, OK/Cancel
// otherwise, a status lamp, positions in twips, and the rights rule greying
// buttons with Status 2.
#include "controls/StatusLED.h"
#include "controls/ctrlButton.h"

#include <QStringList>
#include <QWidget>

class DemoWindow : public QWidget {
    Q_OBJECT
public:
    explicit DemoWindow(QWidget *parent = nullptr);

    zorbel::controls::ctrlButton *btnAdd;
    zorbel::controls::ctrlButton *btnEdit;
    zorbel::controls::ctrlButton *btnDelete;
    zorbel::controls::ctrlButton *btnRefresh;
    zorbel::controls::ctrlButton *btnOK;
    zorbel::controls::ctrlButton *btnCancel;
    zorbel::controls::StatusLED *LEDStatus;

    /// g_editMode: 1 browse, 2 edit, 3 add, 4 delete.
    int editMode = 1;
    /// The commands that ran, in order ("Add", "Edit", ..., "LED").
    QStringList log;

    /// Rights rule: grey Add, Edit, Delete; enable Edit above 2, Add and Delete at 4 or more.
    void applyRights(int level);
    void setEditMode(int mode);

    /// Saves / loads the controls' properties (one bag per control name).
    QMap<QString, zorbel::controls::PropertyBag> saveControls() const;
    void loadControls(const QMap<QString, zorbel::controls::PropertyBag> &bags);

private:
    zorbel::controls::ctrlButton *makeButton(const QString &name, const QString &caption,
                                             int left, int top);
};
