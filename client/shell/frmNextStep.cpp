#include "client/shell/frmNextStep.h"

#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "controls/ctrlButton.h"
#include "platform/ui/Windows.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace zorbel::shell {

namespace {

// Pixels the box needs to show the whole text at its width, frame included.
int heightForWholeText(const QPlainTextEdit& box) {
    QTextDocument measure;
    measure.setDefaultFont(box.font());
    measure.setDocumentMargin(box.document()->documentMargin());
    measure.setPlainText(box.toPlainText());
    measure.setTextWidth(box.width() - 2 * box.frameWidth());
    // A trailing line break still opens a line of its own in the box.
    const int trailing = box.toPlainText().endsWith(QLatin1Char('\n')) ? box.fontMetrics().lineSpacing() : 0;
    return static_cast<int>(std::ceil(measure.size().height())) + trailing + 2 * box.frameWidth();
}

} // namespace

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
    controls::fixSizeTwips(this, 4815, 2700);
    Text1->setObjectName(QStringLiteral("Text1"));
    btnContacts->setObjectName(QStringLiteral("btnContacts"));
    btnTeams->setObjectName(QStringLiteral("btnTeams"));
    Text1->setReadOnly(true);
    Text1->setTabChangesFocus(true);
    Text1->setPlainText(message());
    controls::placeTwips(Text1, 120, 120, 4575, 1815);
    // The whole message shows at once: where the font needs more room than
    // designed, the box grows to its text and the buttons and dialog with it.
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int grown = std::max(0, heightForWholeText(*Text1) - Text1->height());
    Text1->resize(Text1->width(), Text1->height() + grown);
    setFixedSize(width(), height() + grown);
    btnContacts->move(controls::TwipScale::of(this).point(600, 2160) + QPoint(0, grown));
    btnTeams->move(controls::TwipScale::of(this).point(2820, 2160) + QPoint(0, grown));
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
