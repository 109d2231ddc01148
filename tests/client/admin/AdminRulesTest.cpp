#include "client/admin/AdminRules.h"

#include <gtest/gtest.h>

namespace zorbel::test {
namespace {

using namespace admin;

data::RecordsetPtr accounts(std::vector<std::vector<QVariant>> rows) {
    return std::make_shared<data::Recordset>(
        QStringList{QStringLiteral("MultiUserID"), QStringLiteral("UserID"), QStringLiteral("UserName"),
                    QStringLiteral("Password"), QStringLiteral("FullName"), QStringLiteral("Administrator"),
                    QStringLiteral("ProjectCreator")},
        std::move(rows));
}

TEST(AdminRules, AUserNameIsTakenInTheFormItIsStored) {
    const QString fifty(50, QLatin1Char('n'));
    const auto list = accounts({{1, 1, QStringLiteral("ONeil"), {}, {}, 0, 0}, {2, 1, fifty, {}, {}, 0, 0},
                                {3, 1, QVariant(), {}, {}, 0, 0}});
    struct Case { QString typed; qint32 own; bool taken; };
    const Case cases[] = {
        {QStringLiteral("O'Neil"), 0, true},  {QStringLiteral("ONeil"), 1, false}, // its own name
        {QStringLiteral("oneil"), 0, false},  {fifty + QStringLiteral("xyz"), 0, true},
        {QString(), 0, false},                {QStringLiteral("Free"), 0, false},
        {QStringLiteral("ON") + QChar(u'\0') + QStringLiteral("eil"), 0, true}, // a NUL goes as the member drops it
    };
    for (const Case& c : cases)
        EXPECT_EQ(userNameTaken(list, c.typed, c.own), c.taken) << qPrintable(c.typed);
    EXPECT_FALSE(userNameTaken(nullptr, QStringLiteral("x"), 0));
}

TEST(AdminRules, OnlyTheLastAdministratorIsKept) {
    struct Case { std::vector<QVariant> flags; qint32 account; bool stays; bool refused; };
    const Case cases[] = {
        {{1, 0}, 1, false, true},   {{1, 0}, 1, true, false},     {{1, 2}, 1, false, false}, // any non-zero counts
        {{0, 0}, 1, false, false},  {{QVariant(), -1}, 2, false, true}, {{1, 0}, 2, false, false},
    };
    for (const Case& c : cases) {
        std::vector<std::vector<QVariant>> rows;
        for (size_t i = 0; i < c.flags.size(); ++i)
            rows.push_back({static_cast<int>(i + 1), 1, QStringLiteral("u"), {}, {}, c.flags[i], 0});
        EXPECT_EQ(leavesNoAdministrator(accounts(rows), c.account, c.stays), c.refused)
            << c.account << " stays " << c.stays;
    }
}

TEST(AdminRules, RightsAreHeldOncePerAccountAndProject) {
    const auto rights = std::make_shared<data::Recordset>(
        QStringList{QStringLiteral("AdminID"), QStringLiteral("MultiUserID"), QStringLiteral("ProjectID")},
        std::vector<std::vector<QVariant>>{{10, 1, 7}, {11, 1, 8}});
    EXPECT_TRUE(holdsRightsFor(rights, 7, 0));
    EXPECT_FALSE(holdsRightsFor(rights, 7, 10)); // the row being edited
    EXPECT_TRUE(holdsRightsFor(rights, 8, 10));  // moved onto another row's project
    EXPECT_FALSE(holdsRightsFor(rights, 9, 0));
    EXPECT_FALSE(holdsRightsFor(nullptr, 7, 0));
}

TEST(AdminRules, ALevelShowsAsItsEntryOrAsNone) {
    const std::pair<const char*, int> cases[] = {{"1", 0}, {" 4 ", 3}, {"0", -1}, {"5", -1},
                                                  {"-1", -1}, {"", -1}, {"x", -1}, {"70000", -1}};
    for (const auto& [cell, position] : cases)
        EXPECT_EQ(levelPosition(QString::fromLatin1(cell), 4), position) << cell;
}

} // namespace
} // namespace zorbel::test
