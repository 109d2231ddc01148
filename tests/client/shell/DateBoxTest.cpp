// Date boxes and the calendar behind them: the box presets the calendar, the
// calendar hands back the clicked or shown date, the box shows it.

#include "client/shell/DateBox.h"
#include "client/shell/frmCalendar.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Windows.h"
#include "tests/client/ClientTest.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QTableView>
#include <QTest>

namespace zorbel::test {
namespace {

class DateBoxTest : public ClientTest {
protected:
    // Runs one click on the box; the driver sees the calendar as it opened.
    void clickBox(const std::function<void(QWidget&, QCalendarWidget&)>& drive = {}) {
        ui::ModalHook hook([&](QWidget& window) {
            auto* calendar = window.findChild<QCalendarWidget*>(QStringLiteral("MonthView1"));
            ASSERT_NE(calendar, nullptr);
            shownOnOpen = calendar->selectedDate();
            if (drive)
                drive(window, *calendar);
        });
        QTest::mouseClick(&box, Qt::LeftButton);
        ASSERT_EQ(hook.shown(), QStringList{QStringLiteral("frmCalendar")});
        EXPECT_FALSE(ui::isLoaded(QStringLiteral("frmCalendar")));
    }

    ui::ClockOverride clock{QDateTime(QDate(2024, 3, 15), QTime(10, 30))};
    shell::DateBox box;
    QDate shownOnOpen;
};

TEST_F(DateBoxTest, CalendarLooksAsDesigned) {
    clickBox([](QWidget& window, QCalendarWidget& calendar) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Zorbel Calendar"));
        auto* label = window.findChild<QLabel*>(QStringLiteral("Label1"));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QStringLiteral("Click on a Date to Select it"));
        EXPECT_TRUE(label->font().bold());
        EXPECT_EQ(calendar.toolTip(), QStringLiteral("Click on Date to select"));
    });
}

TEST_F(DateBoxTest, ClosingWithoutAClickHandsBackThePreset) {
    clickBox(); // the hook closes it as the close button would
    EXPECT_EQ(shownOnOpen, QDate(2024, 3, 15));
    EXPECT_EQ(box.text(), QStringLiteral("15/03/2024"));

    box.setText(QStringLiteral("2024-01-02"));
    clickBox();
    EXPECT_EQ(shownOnOpen, QDate(2024, 1, 2));
    EXPECT_EQ(box.text(), QStringLiteral("02/01/2024"));
    EXPECT_EQ(app().g_pickedDate, QDateTime(QDate(2024, 1, 2), QTime(0, 0)));

    box.setText(QStringLiteral("next week"));
    clickBox([](QWidget& window, QCalendarWidget&) { QTest::keyClick(&window, Qt::Key_Escape); });
    EXPECT_EQ(shownOnOpen, QDate(2024, 3, 15));
    EXPECT_EQ(box.text(), QStringLiteral("15/03/2024"));
}

TEST_F(DateBoxTest, ClickingADateWritesItAndClosesTheCalendar) {
    box.setText(QStringLiteral("07/05/2024"));
    bool closedByItself = false;
    clickBox([&](QWidget& window, QCalendarWidget& calendar) {
        window.show();
        // Day 20 appears once among a month's days; a week number 20 comes before it.
        auto* view = calendar.findChild<QTableView*>();
        ASSERT_NE(view, nullptr);
        QModelIndex twentieth;
        for (int r = 0; r < view->model()->rowCount(); ++r)
            for (int c = 0; c < view->model()->columnCount(); ++c)
                if (view->model()->index(r, c).data().toString() == QStringLiteral("20"))
                    twentieth = view->model()->index(r, c);
        ASSERT_TRUE(twentieth.isValid());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(twentieth).center());
        closedByItself = !ui::isLoaded(QStringLiteral("frmCalendar"));
    });
    EXPECT_EQ(shownOnOpen, QDate(2024, 5, 7));
    EXPECT_TRUE(closedByItself);
    EXPECT_EQ(box.text(), QStringLiteral("20/05/2024"));
}

TEST_F(DateBoxTest, KeysTypedIntoTheCalendarLeaveTheBoxAsItWas) {
    // Under a day-first locale the calendar's own date editor takes these
    // keys to a day thousands of years back; closing hands back no date.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    for (const QString& held : {QString(), QStringLiteral("02/01/2024")}) {
        box.setText(held);
        clickBox([](QWidget& window, QCalendarWidget& calendar) {
            window.show();
            auto* view = calendar.findChild<QTableView*>();
            ASSERT_NE(view, nullptr);
            QTest::keyClicks(view, QStringLiteral("20/03/2027"));
            QTest::keyClick(view, Qt::Key_Return);
            QTest::keyClick(&window, Qt::Key_Escape);
        });
        EXPECT_EQ(box.text(), held);
    }
    QLocale::setDefault(before);
}

TEST_F(DateBoxTest, WizardMilestoneBoxAlwaysOpensOnToday) {
    box.setAlwaysPresetToday(true);
    box.setText(QStringLiteral("07/05/2024"));
    clickBox();
    EXPECT_EQ(shownOnOpen, QDate(2024, 3, 15));
    EXPECT_EQ(box.text(), QStringLiteral("15/03/2024"));
}

TEST_F(DateBoxTest, ALockedBoxKeepsItsDate) {
    box.setText(QStringLiteral("02/01/2024"));
    box.setReadOnly(true);
    ui::ModalHook hook;
    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_EQ(hook.count(), 0);
    EXPECT_EQ(box.text(), QStringLiteral("02/01/2024"));
}

} // namespace
} // namespace zorbel::test
