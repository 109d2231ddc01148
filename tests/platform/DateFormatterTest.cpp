#include "platform/ui/DateText.h"

#include <QLocale>

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace zorbel::ui;

namespace {

void setEnglish(QLocale::Country country) { QLocale::setDefault(QLocale(QLocale::English, country)); }

} // namespace

// A kept pattern must never outlive the locale it was read under: named
// formats and names of days change with it, and a stale reading would show
// another country's dates.
TEST(DateFormatter, KeptPatternsFollowTheLocaleTheyWereReadUnder)
{
    const QLocale old;
    const QDateTime noon(QDate(2024, 3, 5), QTime(12, 30, 15));
    const QDateTime midnight(QDate(1999, 12, 31), QTime(0, 0));
    const struct {
        const char *pattern;
        const char *us;
        const char *uk;
    } cases[] = {
        {"Short Date", "3/5/2024", "05/03/2024"},
        {"", "3/5/2024 12:30:15 PM", "05/03/2024 12:30:15"},
        {"dd/mm/yyyy", "05/03/2024", "05/03/2024"},
        {"ddddd", "3/5/2024", "05/03/2024"},
        {"dddd d mmmm yyyy h:nn am/pm", "Tuesday 5 March 2024 12:30 pm", "Tuesday 5 March 2024 12:30 pm"},
    };
    for (const auto &c : cases) {
        setEnglish(QLocale::UnitedStates);
        const DateFormatter us(QString::fromLatin1(c.pattern));
        EXPECT_EQ(FormatDate(noon, c.pattern), c.us) << c.pattern;
        setEnglish(QLocale::UnitedKingdom);
        EXPECT_EQ(FormatDate(noon, c.pattern), c.uk) << c.pattern;
        // A formatter a caller keeps stays with its own locale.
        EXPECT_EQ(us.format(noon), c.us) << c.pattern;
        EXPECT_EQ(DateFormatter(QString::fromLatin1(c.pattern)).format(midnight), FormatDate(midnight, c.pattern))
            << c.pattern;
    }
    EXPECT_EQ(DateFormatter("dd/mm/yyyy").format(QDateTime()), "");
    // More patterns than are kept: the oldest are read again, never mixed up.
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 20; ++i)
            EXPECT_EQ(FormatDate(noon, QString("\"%1\" yyyy").arg(i)), QString("%1 2024").arg(i));
    QLocale::setDefault(old);
}
