#include "client/shell/frmNextStep.h"

#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/Windows.h"

#include <QPlainTextEdit>

namespace zorbel::shell {

using controls::twipsRectToPixels;

QString frmNextStep::message() {
    return QStringLiteral("To complete the Project Creation Process, the Project needs to have a Team.\n"
                          "\n"
                          "To build a Team from exisitng Contacts, click on Team\n"
                          "\n"
                          "or to add new contacts, click on Contacts\n");
}

frmNextStep::frmNextStep(QWidget* parent)
    : QWidget(parent),
      Text1(new QPlainTextEdit(this)),
      btnContacts(new controls::ctrlButton(QStringLiteral("Contacts"), this)),
      btnTeams(new controls::ctrlButton(QStringLiteral("Team"), this)) {
    setWindowTitle(QStringLiteral("Next Step"));
    setFixedSize(controls::twipsSizeToPixels(4815, 2700));
    Text1->setObjectName(QStringLiteral("Text1"));
    btnContacts->setObjectName(QStringLiteral("btnContacts"));
    btnTeams->setObjectName(QStringLiteral("btnTeams"));
    Text1->setReadOnly(true);
    Text1->setPlainText(message());
    Text1->setGeometry(twipsRectToPixels(120, 120, 4575, 1815));
    btnContacts->move(controls::twipsToPixels(600, 2160));
    btnTeams->move(controls::twipsToPixels(2820, 2160));
    connect(btnContacts, &controls::ctrlButton::Click, this, &frmNextStep::btnContacts_Click);
    connect(btnTeams, &controls::ctrlButton::Click, this, &frmNextStep::btnTeams_Click);
}

void frmNextStep::btnContacts_Click() {
    ui::showWindow(QStringLiteral("frmContacts"));
    close();
}

void frmNextStep::btnTeams_Click() {
    ui::showWindow(QStringLiteral("frmTeams"));
    close();
}

} // namespace zorbel::shell

using zorbel::shell::frmNextStep;
ZORBEL_REGISTER_WINDOW(frmNextStep)
