#pragma once
// "Zorbel Calendar": the modal month calendar behind every date box. It opens
// on g_pickedDate and hands its date back there; there is no cancel, so
// closing it in any way hands back the date it shows, or no date (an invalid
// g_pickedDate) when it shows a day outside the years 1 to 9999.

#include "client/shell/ModalDialog.h"

class QCalendarWidget;
class QLabel;

namespace zorbel::shell {

class frmCalendar : public ModalDialog {
    Q_OBJECT
public:
    explicit frmCalendar(QWidget* parent = nullptr);

    void Form_Load();
    void MonthView1_DateClick(const QDate& date);

protected:
    // The window's unload, however it is closed.
    void closeEvent(QCloseEvent* event) override;

private:
    void storeShownDate();

    QLabel* Label1;
    QCalendarWidget* MonthView1;
};

} // namespace zorbel::shell
