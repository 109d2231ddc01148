#include "client/planning/EditorRules.h"

#include "client/shell/AppState.h"

#include <gtest/gtest.h>

namespace zorbel::planning {
namespace {

QDateTime at(int y, int m, int d, int h = 0, int min = 0) { return QDateTime(QDate(y, m, d), QTime(h, min)); }

TEST(EditorRules, RightsFollowTheLevelOnlyWhenPerProjectRightsAreOn) {
    EXPECT_EQ(rightsFor(0, 0).add, 0);
    EXPECT_EQ(rightsFor(0, 0).edit, 0);
    for (qint16 level : {0, 2}) {
        const ButtonRights r = rightsFor(1, level);
        EXPECT_EQ(r.add + r.edit + r.del, 6) << level;
    }
    EXPECT_EQ(rightsFor(1, 3).edit, 0);
    EXPECT_EQ(rightsFor(1, 3).add, 2);
    EXPECT_EQ(rightsFor(1, 3).del, 2);
    EXPECT_EQ(rightsFor(1, 4).add + rightsFor(1, 4).edit + rightsFor(1, 4).del, 0);
}

TEST(EditorRules, OwnerRuleChecksTheStoredOwnerWhenChangingOrDeleting) {
    using shell::kAdd;
    using shell::kDelete;
    using shell::kEdit;
    EXPECT_FALSE(ownerRefuses(0, kEdit, 5, 6, 6));
    EXPECT_FALSE(ownerRefuses(1, kAdd, 5, 5, 6));   // a new record has no stored owner
    EXPECT_TRUE(ownerRefuses(1, kAdd, 5, 6, 5));
    EXPECT_TRUE(ownerRefuses(1, kAdd, 0, 0, 0));    // no owner found is nobody
    EXPECT_TRUE(ownerRefuses(1, kEdit, 5, 5, 6));   // naming oneself on another's record
    EXPECT_TRUE(ownerRefuses(1, kDelete, 5, 5, 6));
    EXPECT_FALSE(ownerRefuses(1, kDelete, 5, 5, 5));
    // A record stored without an owner may be taken by an Edit naming the
    // user, never by one naming another, nor deleted; an owner who has left
    // the team still owns it.
    EXPECT_FALSE(ownerRefuses(1, kEdit, 5, 5, 0));
    EXPECT_TRUE(ownerRefuses(1, kEdit, 5, 6, 0));
    EXPECT_TRUE(ownerRefuses(1, kDelete, 5, 5, 0));
    EXPECT_TRUE(ownerRefuses(1, kEdit, 5, 5, shell::kOwnerNotInTeam));
}

TEST(EditorRules, OnlyAUserWhoMayChangeTheProjectMayMoveItsDates) {
    constexpr qint32 user = 5;
    const struct {
        qint16 rightsOn, projectLevel, ownerRuleOn;
        qint32 projectOwner;
        bool may;
    } cases[] = {
        {0, 0, 0, 0, true},     {1, 2, 0, 0, false},    {1, 3, 0, 0, true},     {1, 4, 0, 9, true},
        {0, 0, 1, user, true},  {0, 0, 1, 9, false},    {0, 0, 1, 0, false},    {1, 3, 1, 9, false},
        {1, 2, 1, user, false}, {1, 3, 1, user, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mayMoveProjectDates(c.rightsOn, c.projectLevel, c.ownerRuleOn, c.projectOwner, user), c.may)
            << c.rightsOn << "/" << c.projectLevel << "/" << c.ownerRuleOn << "/" << c.projectOwner;
}

TEST(EditorRules, WBSIsASixteenBitNumberOrTheNextOne) {
    EXPECT_EQ(wbsFromText(QString(), 7), 7);
    EXPECT_EQ(wbsFromText(QStringLiteral(" 12 "), 7), 12);
    EXPECT_EQ(wbsFromText(QStringLiteral("-3"), 7), -3);
    EXPECT_FALSE(wbsFromText(QStringLiteral("32768"), 7));
    EXPECT_FALSE(wbsFromText(QStringLiteral("1.5"), 7));
    EXPECT_FALSE(wbsFromText(QStringLiteral("abc"), 7));
    EXPECT_FALSE(wbsFromText(QString(), 40000));
}

TEST(EditorRules, NextWBSIsTheHighestPresentPlusOne) {
    const data::Recordset list({QStringLiteral("ID"), QStringLiteral("WBS")},
                               {{1, QVariant()}, {2, 9}, {3, 4}});
    EXPECT_EQ(nextWBSOf(list, 1), 10);
    const data::Recordset none({QStringLiteral("ID"), QStringLiteral("WBS")}, {{1, QVariant()}});
    EXPECT_EQ(nextWBSOf(none, 1), 1);
    const data::Recordset empty({QStringLiteral("ID"), QStringLiteral("WBS")}, {});
    EXPECT_EQ(nextWBSOf(empty, 1), 1);
}

TEST(EditorRules, RowsAndComboPositions) {
    EXPECT_EQ(rowToRestore(0, 3), 1);
    EXPECT_EQ(rowToRestore(3, 3), 3);
    EXPECT_EQ(rowToRestore(4, 3), 1);
    EXPECT_EQ(comboIndexForID(1, 6), 0);
    EXPECT_EQ(comboIndexForID(6, 6), 5);
    EXPECT_EQ(comboIndexForID(0, 6), -1);
    EXPECT_EQ(comboIndexForID(7, 6), -1);
}

TEST(EditorRules, NamesResolveByTheChosenPositionFirst) {
    const QStringList names{QStringLiteral("Pat Lee"), QStringLiteral("Ann Archer"), QStringLiteral("Pat Lee"),
                            QString()};
    EXPECT_EQ(positionOfName(names, 0, QStringLiteral("Pat Lee")), 0);
    EXPECT_EQ(positionOfName(names, 2, QStringLiteral("Pat Lee")), 2);
    EXPECT_EQ(positionOfName(names, -1, QStringLiteral("Pat Lee")), 2); // typed: the last one wins
    EXPECT_EQ(positionOfName(names, -1, QStringLiteral("Pat Lee"), shell::TypedName::First), 0);
    EXPECT_EQ(positionOfName(names, 1, QStringLiteral("Pat Lee")), 2);
    EXPECT_EQ(positionOfName(names, -1, QStringLiteral("Nobody")), -1);
    EXPECT_EQ(positionOfName(names, -1, QString()), -1); // nothing chosen is not the nameless member
    EXPECT_EQ(positionOfName(names, 3, QString()), 3);   // unless that member is the one chosen
}

TEST(EditorRules, DateBoxesGiveBackTheStoredValueWhileUnchanged) {
    shell::resetState();
    shell::state().g_dateFormat = QStringLiteral("dd/mm/yyyy");
    const QDateTime stored = at(2024, 3, 5, 10, 30);
    auto same = readDateText(QStringLiteral("05/03/2024"), QStringLiteral("05/03/2024"), stored);
    EXPECT_EQ(same.kind, DateInput::Valid);
    EXPECT_EQ(same.value, stored);
    auto changed = readDateText(QStringLiteral("06/03/2024"), QStringLiteral("05/03/2024"), stored);
    EXPECT_EQ(changed.value, at(2024, 3, 6));
    EXPECT_EQ(readDateText(QStringLiteral("  "), QString(), std::nullopt).kind, DateInput::Empty);
    EXPECT_EQ(readDateText(QStringLiteral("soon"), QString(), std::nullopt).kind, DateInput::Invalid);
    shell::resetState();
}

TEST(EditorRules, DatabaseValuesAsDates) {
    EXPECT_FALSE(dateOf(QVariant()));
    EXPECT_EQ(dateOf(QVariant(at(2024, 1, 2, 3, 4))), at(2024, 1, 2, 3, 4));
    EXPECT_EQ(dateOf(QStringLiteral("2024-01-02 03:04:05")), QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
    EXPECT_EQ(dateOf(QStringLiteral("2024-01-02T03:04:05.000")), QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
}

TEST(EditorRules, ProjectDatesOnlyWiden) {
    const ProjectDates stored{at(2024, 3, 1), at(2024, 6, 30)};
    EXPECT_EQ(widenStart(stored, at(2024, 2, 1)).start, at(2024, 2, 1));
    EXPECT_EQ(widenStart(stored, at(2024, 2, 1)).end, at(2024, 6, 30));
    EXPECT_EQ(widenStart(stored, at(2024, 4, 1)).start, at(2024, 3, 1));
    EXPECT_EQ(widenEnd(stored, at(2024, 5, 1)).end, at(2024, 6, 30));
    EXPECT_EQ(widenEnd(stored, at(2024, 8, 1)).end, at(2024, 8, 1));
    EXPECT_EQ(widenEnd({at(2024, 3, 1), QDateTime()}, at(2024, 4, 1)).end, at(2024, 4, 1));
}

} // namespace
} // namespace zorbel::planning
