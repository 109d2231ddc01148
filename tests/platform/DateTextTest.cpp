#include "platform/ui/DateText.h"

#include <QLocale>

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace zorbel::ui;

namespace {

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

// Runs a test under one default locale and puts the old one back.
class LocaleScope {
public:
    explicit LocaleScope(QLocale::Country country) : m_old(QLocale())
    {
        QLocale::setDefault(QLocale(QLocale::English, country));
    }
    ~LocaleScope() { QLocale::setDefault(m_old); }

private:
    QLocale m_old;
};

struct RoundTrip {
    QLocale::Country country;
    const char *pattern;
};

class DateRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

} // namespace

TEST_P(DateRoundTrip, FormattedDatesReadBackUnchanged)
{
    const LocaleScope locale(GetParam().country);
    const QString pattern = QString::fromLatin1(GetParam().pattern);
    // Days up to 12 are where day-first and month-first could be confused.
    for (const QDateTime &d : {at(2024, 3, 5), at(1999, 11, 12), at(2029, 12, 31), at(2000, 2, 29),
                               at(1930, 1, 1)}) {
        const QString text = FormatDate(d, pattern);
        const auto back = ParseDate(text, pattern);
        ASSERT_TRUE(back.has_value()) << text.toStdString();
        EXPECT_EQ(*back, d) << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, DateRoundTrip,
    ::testing::Values(RoundTrip{QLocale::UnitedStates, "dd/mm/yyyy"}, RoundTrip{QLocale::UnitedStates, "mm/dd/yyyy"},
                      RoundTrip{QLocale::UnitedKingdom, "dd/mm/yyyy"}, RoundTrip{QLocale::UnitedKingdom, "mm/dd/yyyy"},
                      RoundTrip{QLocale::UnitedStates, "d mmm yy"}, RoundTrip{QLocale::UnitedKingdom, "dddd d mmmm yyyy"},
                      RoundTrip{QLocale::UnitedStates, ""}, RoundTrip{QLocale::UnitedKingdom, ""},
                      RoundTrip{QLocale::UnitedStates, "Long Date"}, RoundTrip{QLocale::UnitedKingdom, "Medium Date"},
                      RoundTrip{QLocale::UnitedStates, "Short Date"}, RoundTrip{QLocale::UnitedKingdom, "Short Date"},
                      RoundTrip{QLocale::UnitedKingdom, "yymmdd"}, RoundTrip{QLocale::UnitedStates, "yyyymmdd"},
                      RoundTrip{QLocale::UnitedKingdom, "dd/mm/yyyy hh:nn:ss"}));

TEST(DateText, DayFirstAndMonthFirstPatternsIgnoreTheLocaleOrder)
{
    for (auto country : {QLocale::UnitedStates, QLocale::UnitedKingdom}) {
        const LocaleScope locale(country);
        EXPECT_EQ(FormatDate(at(2024, 3, 5), "dd/mm/yyyy"), "05/03/2024");
        EXPECT_EQ(FormatDate(at(2024, 3, 5), "mm/dd/yyyy"), "03/05/2024");
        EXPECT_EQ(FormatDate(at(2024, 3, 5), "d/m/yy"), "5/3/24");
        EXPECT_EQ(ParseDate("05/03/2024", "dd/mm/yyyy"), at(2024, 3, 5));
        EXPECT_EQ(ParseDate("05/03/2024", "mm/dd/yyyy"), at(2024, 5, 3));
    }
}

TEST(DateText, MonthsAndMinutesAreTold)
{
    const LocaleScope locale(QLocale::UnitedKingdom);
    const QDateTime d = at(2024, 3, 5, 14, 7, 9);
    EXPECT_EQ(FormatDate(d, "hh:mm"), "14:07");
    EXPECT_EQ(FormatDate(d, "mm/dd/yyyy hh:mm:ss"), "03/05/2024 14:07:09");
    EXPECT_EQ(FormatDate(d, "mm:ss"), "07:09");
    EXPECT_EQ(FormatDate(d, "yyyy-mm-dd hh:nn"), "2024-03-05 14:07");
    EXPECT_EQ(FormatDate(d, "DD/MM/YYYY"), "05/03/2024");
    EXPECT_EQ(FormatDate(d, "ddd d mmm yyyy"), "Tue 5 Mar 2024");
    EXPECT_EQ(FormatDate(d, "dddd, mmmm d"), "Tuesday, March 5");
    EXPECT_EQ(FormatDate(d, "\"Due\" dd.mm.yy \\h"), "Due 05.03.24 h");
    EXPECT_EQ(ParseDate("05/03/2024 14:07", "dd/mm/yyyy hh:mm"), at(2024, 3, 5, 14, 7));
}

TEST(DateText, TwelveHourClock)
{
    const LocaleScope locale(QLocale::UnitedStates);
    EXPECT_EQ(FormatDate(at(2024, 3, 5, 14, 7), "h:nn AM/PM"), "2:07 PM");
    EXPECT_EQ(FormatDate(at(2024, 3, 5, 0, 5), "hh:nn am/pm"), "12:05 am");
    EXPECT_EQ(FormatDate(at(2024, 3, 5, 12, 0), "h:nn a/p"), "12:00 p");
    EXPECT_EQ(ParseDate("12:05 AM", "hh:nn AM/PM")->time(), QTime(0, 5));
    EXPECT_EQ(ParseDate("2:07 pm", "h:nn AM/PM")->time(), QTime(14, 7));
    EXPECT_FALSE(ParseDate("13:07 PM", "h:nn AM/PM"));
}

TEST(DateText, NamedFormats)
{
    const QDateTime d = at(2024, 3, 5, 14, 7, 9);
    {
        const LocaleScope locale(QLocale::UnitedStates);
        EXPECT_EQ(FormatDate(d, "Short Date"), "3/5/2024");
        EXPECT_EQ(FormatDate(d, "short date"), "3/5/2024");
        EXPECT_EQ(FormatDate(d, "Long Date"), "Tuesday, March 5, 2024");
        EXPECT_EQ(FormatDate(d, "Medium Date"), "05-Mar-24");
        EXPECT_EQ(FormatDate(d, "Long Time"), "2:07:09 PM");
        EXPECT_EQ(FormatDate(d, "Medium Time"), "02:07 PM");
        EXPECT_EQ(FormatDate(d, "Short Time"), "14:07");
        EXPECT_EQ(FormatDate(d, ""), "3/5/2024 2:07:09 PM");
        EXPECT_EQ(FormatDate(d, "General Date"), "3/5/2024 2:07:09 PM");
        EXPECT_EQ(FormatDate(at(2024, 3, 5), ""), "3/5/2024");
        EXPECT_EQ(ParseDate("3/5/2024 2:07:09 PM", ""), d);
    }
    {
        const LocaleScope locale(QLocale::UnitedKingdom);
        EXPECT_EQ(FormatDate(d, "Short Date"), "05/03/2024");
        EXPECT_EQ(FormatDate(at(2024, 3, 5), "General Date"), "05/03/2024");
        EXPECT_EQ(ParseDate(FormatDate(d, ""), ""), d);
    }
    EXPECT_EQ(FormatDate(QDateTime(), "dd/mm/yyyy"), "");
}

TEST(DateText, ParseRejectsWhatIsNoDate)
{
    const LocaleScope locale(QLocale::UnitedKingdom);
    EXPECT_FALSE(ParseDate("", "dd/mm/yyyy"));
    EXPECT_FALSE(ParseDate("   ", "dd/mm/yyyy"));
    EXPECT_FALSE(ParseDate("hello", "dd/mm/yyyy"));
    EXPECT_FALSE(ParseDate("31/02/2024", "dd/mm/yyyy"));
    EXPECT_FALSE(ParseDate("05/03", "dd/mm/yyyy"));
    EXPECT_FALSE(ParseDate("05/03/2024 xyz", "dd/mm/yyyy"));
    // Month-first text under a day-first pattern and locale is not guessed.
    EXPECT_FALSE(ParseDate("03/13/2024", "dd/mm/yyyy"));
    EXPECT_FALSE(IsDate("13/13/2024", "dd/mm/yyyy"));
    EXPECT_TRUE(IsDate("  13/12/2024 ", "dd/mm/yyyy"));
}

TEST(DateText, ParseIsLenientAboutWhatAUserTypes)
{
    const LocaleScope locale(QLocale::UnitedStates);
    EXPECT_EQ(ParseDate(" 5-3-2024 ", "dd/mm/yyyy"), at(2024, 3, 5));
    EXPECT_EQ(ParseDate("05/03/24", "dd/mm/yyyy"), at(2024, 3, 5));
    EXPECT_EQ(ParseDate("05/03/29", "dd/mm/yyyy"), at(2029, 3, 5));
    EXPECT_EQ(ParseDate("05/03/30", "dd/mm/yyyy"), at(1930, 3, 5));
    EXPECT_EQ(ParseDate("05/03/2024", "dd/mm/yy"), at(2024, 3, 5));
    EXPECT_EQ(ParseDate("5 mar 2024", "d mmm yyyy"), at(2024, 3, 5));
    EXPECT_EQ(ParseDate("05/03/2024 14:30", "dd/mm/yyyy"), at(2024, 3, 5, 14, 30));
    EXPECT_EQ(ParseDate("05/03/2024", "dd/mm/yyyy hh:nn"), at(2024, 3, 5));
    // ISO 8601 is read whatever the pattern; the desktop's own formats never
    // are, so a month-first text is not taken for a date under a day-first
    // pattern on a month-first desktop.
    EXPECT_EQ(ParseDate("2024-03-05", "dd/mm/yyyy"), at(2024, 3, 5));
    EXPECT_EQ(ParseDate("2024-03-05T14:30:00", "dd/mm/yyyy"), at(2024, 3, 5, 14, 30));
    EXPECT_EQ(ParseDate("2024-03-05 14:30", "dd/mm/yyyy"), at(2024, 3, 5, 14, 30));
    EXPECT_FALSE(ParseDate("12/31/2026", "dd/mm/yyyy"));
    EXPECT_FALSE(ParseDate("12/31/26", "dd/mm/yyyy")); // the desktop's own short date
    EXPECT_FALSE(ParseDate("March 5, 2024", "dd/mm/yyyy"));
    EXPECT_FALSE(ParseDate("Tuesday, March 5, 2024", "dd/mm/yyyy"));
    // A time-only pattern gives the time on the zero date.
    EXPECT_EQ(ParseDate("14:30", "hh:nn"), QDateTime(QDate(1899, 12, 30), QTime(14, 30)));
}
