#include "DemoWindow.h"

#include "controls/Twips.h"

using namespace zorbel::controls;

DemoWindow::DemoWindow(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmDemo"));
    resizeTwips(this, 7200, 1500);

    btnAdd = makeButton(QStringLiteral("btnAdd"), QStringLiteral("Add"), 240, 840);
    btnEdit = makeButton(QStringLiteral("btnEdit"), QStringLiteral("Edit"), 1800, 840);
    btnDelete = makeButton(QStringLiteral("btnDelete"), QStringLiteral("Delete"), 3360, 840);
    btnRefresh = makeButton(QStringLiteral("btnRefresh"), QStringLiteral("Refresh"), 4920, 840);
    btnOK = makeButton(QStringLiteral("btnOK"), QStringLiteral("OK"), 240, 840);
    btnCancel = makeButton(QStringLiteral("btnCancel"), QStringLiteral("Cancel"), 1800, 840);

    LEDStatus = new StatusLED(this);
    LEDStatus->setObjectName(QStringLiteral("LEDStatus"));
    placeTwips(LEDStatus, 240, 240, 495, 375);
    connect(LEDStatus, &StatusLED::Click, this, [this] { log << QStringLiteral("LED"); });

    connect(btnAdd, &ctrlButton::Click, this, [this] { log << "Add"; setEditMode(3); });
    connect(btnEdit, &ctrlButton::Click, this, [this] { log << "Edit"; setEditMode(2); });
    connect(btnDelete, &ctrlButton::Click, this, [this] { log << "Delete"; setEditMode(4); });
    connect(btnRefresh, &ctrlButton::Click, this, [this] { log << "Refresh"; });
    connect(btnOK, &ctrlButton::Click, this, [this] { log << "OK"; setEditMode(1); });
    connect(btnCancel, &ctrlButton::Click, this, [this] { log << "Cancel"; setEditMode(1); });

    setEditMode(1);
}

ctrlButton *DemoWindow::makeButton(const QString &name, const QString &caption, int left, int top)
{
    auto *b = new ctrlButton(this);
    b->setObjectName(name);
    b->setCaption(caption);
    moveTwips(b, left, top);
    return b;
}

void DemoWindow::applyRights(int level)
{
    btnAdd->setStatus(2);
    btnEdit->setStatus(2);
    btnDelete->setStatus(2);
    if (level > 2)
        btnEdit->setStatus(0);
    if (level >= 4) {
        btnAdd->setStatus(0);
        btnDelete->setStatus(0);
    }
}

void DemoWindow::setEditMode(int mode)
{
    editMode = mode;
    const bool browse = mode == 1;
    btnAdd->setVisible(browse);
    btnEdit->setVisible(browse);
    btnDelete->setVisible(browse);
    btnRefresh->setVisible(browse);
    btnOK->setVisible(!browse);
    btnCancel->setVisible(!browse);
}

QMap<QString, PropertyBag> DemoWindow::saveControls() const
{
    QMap<QString, PropertyBag> bags;
    for (const ctrlButton *b : findChildren<ctrlButton *>()) {
        PropertyBag bag;
        b->WriteProperties(bag);
        bags.insert(b->objectName(), bag);
    }
    PropertyBag led;
    LEDStatus->WriteProperties(led);
    bags.insert(LEDStatus->objectName(), led);
    return bags;
}

void DemoWindow::loadControls(const QMap<QString, PropertyBag> &bags)
{
    for (ctrlButton *b : findChildren<ctrlButton *>())
        b->ReadProperties(bags.value(b->objectName()));
    LEDStatus->ReadProperties(bags.value(LEDStatus->objectName()));
}
