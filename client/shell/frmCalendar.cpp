#include "client/shell/frmCalendar.h"

#include "client/shell/AppState.h"
#include "client/shell/WindowRegistration.h"
#include "controls/Twips.h"
#include "platform/ui/Clock.h"

#include <QCalendarWidget>
#include <QLabel>

namespace zorbel::shell {

using controls::placeTwips;

frmCalendar::frmCalendar(QWidget* parent)
    : ModalDialog(parent),
      Label1(new QLabel(QStringLiteral("Click on a Date to Select it"), this)),
      MonthView1(new QCalendarWidget(this)) {
    setWindowTitle(QStringLiteral("Zorbel Calendar"));
    controls::fixSizeTwips(this, 4560, 4095);
    Label1->setObjectName(QStringLiteral("Label1"));
    MonthView1->setObjectName(QStringLiteral("MonthView1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    placeTwips(Label1, 120, 120, 4320, 285);
    placeTwips(MonthView1, 120, 480, 4320, 3495);
    MonthView1->setToolTip(QStringLiteral("Click on Date to select"));
    connect(MonthView1, &QCalendarWidget::clicked, this, &frmCalendar::MonthView1_DateClick);
    Form_Load();
}

void frmCalendar::Form_Load() {
    const QDateTime preset = state().g_pickedDate;
    MonthView1->setSelectedDate(preset.isValid() ? preset.date() : ui::today());
}

void frmCalendar::MonthView1_DateClick(const QDate& date) {
    MonthView1->setSelectedDate(date);
    storeShownDate();
    close();
}

namespace {

// A day a date box can show and a database can store.
bool isRealDay(const QDate& day) {
    return day.isValid() && day.year() >= 1 && day.year() <= 9999;
}

} // namespace

void frmCalendar::storeShownDate() {
    // Keys typed into the calendar go to its own date editor, which can leave
    // a day thousands of years back; that is no date, and none is handed back.
    const QDate shown = MonthView1->selectedDate();
    state().g_pickedDate = isRealDay(shown) ? QDateTime(shown, QTime(0, 0)) : QDateTime();
}

void frmCalendar::closeEvent(QCloseEvent* event) {
    // However it closes, Escape included, the shown date is handed back.
    storeShownDate();
    ModalDialog::closeEvent(event);
}

} // namespace zorbel::shell

using zorbel::shell::frmCalendar;
ZORBEL_REGISTER_WINDOW(frmCalendar)
