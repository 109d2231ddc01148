// Dates on screen: whatever the configured pattern, a date written with it
// reads back as the same date, from a box and from a grid cell alike.

#include "client/shell/AppState.h"
#include "client/shell/Dates.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace zorbel::shell {
namespace {

TEST(Dates, ConfiguredPatternsReadBackWhatTheyWrite) {
    resetState();
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QDateTime moments[] = {
        QDateTime(QDate(2024, 2, 29), QTime(14, 35)), // leap day, afternoon
        QDateTime(QDate(1999, 12, 31), QTime(0, 0)),
        QDateTime(QDate(2001, 1, 5), QTime(9, 5, 7)), // single digits everywhere
    };
    const struct {
        const char* pattern;
        bool keepsTime; // the pattern writes the time of day
        bool keepsSeconds;
    } patterns[] = {
        {"dd/mm/yyyy", false, false},    {"mm/dd/yyyy", false, false}, {"yyyy-mm-dd", false, false},
        {"d mmmm yyyy", false, false},   {"dd-mmm-yy", false, false},  {"dd.mm.yy", false, false},
        {"yymmdd", false, false},        {"ddd dd/mm/yyyy", false, false},
        {"dd/mm/yyyy hh:nn", true, false}, {"d/m/yyyy h:nn:ss AM/PM", true, true},
        {"Short Date", false, false},    {"Medium Date", false, false}, {"Long Date", false, false},
        {"General Date", true, true},    {"", true, true},
    };
    for (const auto& p : patterns) {
        state().g_dateFormat = QString::fromLatin1(p.pattern);
        for (const QDateTime& moment : moments) {
            SCOPED_TRACE(std::string(p.pattern) + " " + moment.toString(Qt::ISODate).toStdString());
            QTime time = p.keepsTime ? moment.time() : QTime(0, 0);
            if (!p.keepsSeconds)
                time = QTime(time.hour(), time.minute());
            const QDateTime expected(moment.date(), time);
            const QString shown = FormatShown(moment);
            ASSERT_FALSE(shown.isEmpty());
            EXPECT_EQ(ParseShown(shown), expected) << shown.toStdString();
            EXPECT_EQ(dateOf(shown), expected) << shown.toStdString();
            EXPECT_EQ(readDateText(shown, QString(), std::nullopt).value, expected);
            // Shown and untouched: the stored moment itself, seconds included.
            EXPECT_EQ(readDateText(shown, shown, moment).value, moment);
        }
    }
    EXPECT_TRUE(FormatShown(QDateTime()).isEmpty());
    QLocale::setDefault(before);
    resetState();
}

} // namespace
} // namespace zorbel::shell
