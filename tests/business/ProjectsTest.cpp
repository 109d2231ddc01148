// Projects and the status and state lists: columns, state and rights filters,
// orderings, cuts, and the key that AddProject hands back.

#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace zorbel;
using zorbel::test::TestDatabase;

namespace {

QDateTime day(int y, int m, int d) {
    return QDateTime(QDate(y, m, d), QTime(0, 0));
}

qint32 addProject(TestDatabase& db, const QString& name, qint16 wbs, qint16 state, qint32 owner = 3) {
    return db.zorbel().AddProject(name, QStringLiteral("REF-") + name, QStringLiteral("About ") + name, owner,
                                  day(2024, 1, 8), day(2024, 6, 28), 3, wbs, state);
}

std::vector<qint32> ids(const data::RecordsetPtr& rs) {
    std::vector<qint32> out;
    if (!rs)
        return out;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        out.push_back(rs->Fields(0).toInt());
    return out;
}

QStringList columns(const data::RecordsetPtr& rs) {
    QStringList names;
    for (int i = 0; i < rs->FieldCount(); ++i)
        names << rs->FieldName(i).toLower();
    return names;
}

const QStringList kProjectColumns = {"projectid", "name",    "reference", "description", "ownerid",
                                     "startdate", "enddate", "statusid",  "wbs",         "state"};

void addRights(TestDatabase& db, qint32 account, qint32 project, int level) {
    db.exec(QStringLiteral("INSERT INTO ZORBEL_ADMIN_TABLE (MultiUserID, ProjectID, ProjectName, ProjectAdminLevel, "
                           "TaskAdminLevel, ActionAdminLevel, ProgressAdminLevel, IssueAdminLevel) "
                           "VALUES (?,?,?,?,0,0,0,0)"),
            {account, project, QStringLiteral("p"), level});
}

} // namespace

TEST(ProjectLists, StatesAndStatusesInKeyOrder) {
    TestDatabase db;
    auto states = db.zorbel().GetProjectStates();
    ASSERT_NE(states, nullptr);
    EXPECT_EQ(columns(states), (QStringList{"projectstateid", "state"}));
    EXPECT_EQ(ids(states), (std::vector<qint32>{1, 2, 3, 4}));
    auto status = db.zorbel().GetProjectStatus();
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(columns(status), (QStringList{"statusid", "status", "description", "colour"}));
    EXPECT_EQ(ids(status), (std::vector<qint32>{1, 2, 3, 4, 5, 6}));
}

TEST(GetProjects, FiltersByStateAndOrdersByWbsThenKey) {
    TestDatabase db;
    const qint32 late = addProject(db, QStringLiteral("late"), 9, 2);
    const qint32 tieA = addProject(db, QStringLiteral("tieA"), 4, 2);
    const qint32 other = addProject(db, QStringLiteral("other"), 1, 3);
    const qint32 tieB = addProject(db, QStringLiteral("tieB"), 4, 2);
    const qint32 closed = addProject(db, QStringLiteral("closed"), 2, 4);
    const qint32 noWbs = db.connection().insert(
        {QStringLiteral("INSERT INTO ZORBEL_PROJECTS (Name, State) VALUES ('nowbs', 2)"), {}},
        QStringLiteral("ProjectID"));

    auto rs = db.zorbel().GetProjects(2);
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(columns(rs), kProjectColumns);
    EXPECT_EQ(ids(rs), (std::vector<qint32>{noWbs, tieA, tieB, late})) << "an unnumbered project comes first";

    EXPECT_EQ(ids(db.zorbel().GetProjects(4)), (std::vector<qint32>{closed}));
    // a project id reads that project, whatever state is passed
    EXPECT_EQ(ids(db.zorbel().GetProjects(1, other)), (std::vector<qint32>{other}));
    auto none = db.zorbel().GetProjects(7);
    ASSERT_NE(none, nullptr) << "no match is an empty list, not nothing";
    EXPECT_EQ(none->RecordCount(), 0);

    EXPECT_EQ(ids(db.zorbel().GetAllProjects()), (std::vector<qint32>{noWbs, other, closed, tieA, tieB, late}));
    EXPECT_EQ(columns(db.zorbel().GetAllProjects()), kProjectColumns);
    EXPECT_TRUE(db.messages().empty());
}

TEST(GetProjectsByAdmin, ListsProjectsAboveLevelOneInTheState) {
    TestDatabase db;
    const qint32 account = 21;
    struct Case {
        int level;
        qint16 state;
        bool listed;
    } cases[] = {{0, 2, false}, {1, 2, false}, {2, 2, true}, {3, 2, true}, {4, 2, true}, {4, 3, false}};
    std::vector<qint32> expected;
    qint16 wbs = 20;
    for (const Case& c : cases) {
        // falling WBS: the list must come out in the reverse order of adding
        const qint32 id = addProject(db, QStringLiteral("L%1").arg(c.level), wbs--, c.state);
        addRights(db, account, id, c.level);
        addRights(db, account + 1, id, 4); // another account's rights never show
        if (c.listed)
            expected.insert(expected.begin(), id);
    }
    auto rs = db.zorbel().GetProjectsByAdmin(2, account);
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(ids(rs), expected);
    EXPECT_EQ(columns(rs), kProjectColumns + QStringList({"multiuserid", "projectadminlevel"}));
    rs->MoveFirst();
    EXPECT_EQ(rs->Fields(10).toInt(), account);
    EXPECT_EQ(rs->Fields(11).toInt(), 4);

    // two qualifying rights rows list the project twice
    addRights(db, account, expected.front(), 3);
    EXPECT_EQ(ids(db.zorbel().GetProjectsByAdmin(2, account)).size(), expected.size() + 1);
    EXPECT_EQ(db.zorbel().GetProjectsByAdmin(2, 999)->RecordCount(), 0);
    EXPECT_TRUE(db.messages().empty());
}

TEST(AddProject, ReturnsTheKeyOfItsOwnRow) {
    TestDatabase db;
    // a project of another user with a higher key than the next one handed out
    db.exec(QStringLiteral("INSERT INTO ZORBEL_PROJECTS (ProjectID, Name, WBS, State) VALUES (500, 'theirs', 1, 1)"));
    const qint32 id = addProject(db, QStringLiteral("mine"), 7, 1);
    ASSERT_GT(id, 0);
    auto rs = db.zorbel().GetProjects(0, id);
    ASSERT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Fields(QStringLiteral("Name")).toString(), QStringLiteral("mine"));
    EXPECT_EQ(rs->Fields(QStringLiteral("WBS")).toInt(), 7) << "the WBS passed is kept, nothing renumbered";
    EXPECT_EQ(rs->Fields(QStringLiteral("StartDate")).toDateTime(), day(2024, 1, 8));
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_PROJECTS"), QStringLiteral("WBS = 1")), 1);
}

TEST(AddProject, AFailedInsertReturnsZero) {
    TestDatabase db;
    addProject(db, QStringLiteral("only"), 1, 1);
    db.exec(QStringLiteral("CREATE UNIQUE INDEX ZORBEL_TEST_NAME ON ZORBEL_PROJECTS (Name)"));
    EXPECT_EQ(addProject(db, QStringLiteral("only"), 2, 1), 0) << "never an existing project's key";
    ASSERT_EQ(db.messages().size(), 1u);
    EXPECT_TRUE(db.messages()[0].text.startsWith(QStringLiteral("(C)AddProject Method failed: ")));
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_PROJECTS")), 1);
}

TEST(ProjectTexts, ApostrophesGoAndTextsAreCutToFifty) {
    TestDatabase db;
    const qint32 id = addProject(db, QStringLiteral("x"), 1, 1);
    struct Case {
        QString given;
        QString stored;
    } cases[] = {
        {QString(80, u'd'), QString(50, u'd')},
        {QStringLiteral("O'Neil's") + QString(50, u'n'), QStringLiteral("ONeils") + QString(44, u'n')},
        {QStringLiteral("''"), QString()},
    };
    for (const Case& c : cases) {
        const qint32 added = db.zorbel().AddProject(c.given, c.given, c.given, 1, day(2024, 1, 1), day(2024, 2, 1),
                                                    1, 1, 1);
        ASSERT_EQ(db.zorbel().UpdateProject(id, c.given, c.given, c.given, 1, day(2024, 1, 1), day(2024, 2, 1), 1,
                                            1, 1),
                  1);
        for (qint32 row : {added, id}) {
            auto rs = db.zorbel().GetProjects(0, row);
            for (int col : {1, 2, 3})
                EXPECT_EQ(rs->Fields(col).toString(), c.stored) << c.given.toStdString() << " column " << col;
        }
    }
    EXPECT_TRUE(db.messages().empty());
}

TEST(UpdateProject, RewritesEveryColumnOfItsRowOnly) {
    TestDatabase db;
    const qint32 id = addProject(db, QStringLiteral("a"), 1, 1);
    const qint32 other = addProject(db, QStringLiteral("b"), 2, 1);
    ASSERT_EQ(db.zorbel().UpdateProject(id, QStringLiteral("N"), QStringLiteral("R"), QStringLiteral("D"), 70000,
                                        day(2025, 3, 4), day(2025, 5, 6), 5, 12, 4),
              1);
    auto rs = db.zorbel().GetProjects(0, id);
    EXPECT_EQ(rs->Fields(4).toInt(), 70000) << "owner ids are 32-bit";
    EXPECT_EQ(rs->Fields(5).toDateTime(), day(2025, 3, 4));
    EXPECT_EQ(rs->Fields(6).toDateTime(), day(2025, 5, 6));
    EXPECT_EQ(rs->Fields(7).toInt(), 5);
    EXPECT_EQ(rs->Fields(8).toInt(), 12);
    EXPECT_EQ(rs->Fields(9).toInt(), 4);
    EXPECT_EQ(db.zorbel().GetProjects(0, other)->Fields(1).toString(), QStringLiteral("b"));

    ASSERT_EQ(db.zorbel().UpdateProjectDates(other, day(2026, 1, 2), day(2026, 3, 4)), 1);
    rs = db.zorbel().GetProjects(0, other);
    EXPECT_EQ(rs->Fields(5).toDateTime(), day(2026, 1, 2));
    EXPECT_EQ(rs->Fields(6).toDateTime(), day(2026, 3, 4));
    EXPECT_EQ(rs->Fields(1).toString(), QStringLiteral("b")) << "only the dates change";
    EXPECT_EQ(rs->Fields(8).toInt(), 2);

    // a missing project is no success
    EXPECT_EQ(db.zorbel().UpdateProjectDates(9999, day(2026, 1, 2), day(2026, 3, 4)), 0);
    EXPECT_EQ(db.zorbel().UpdateProject(9999, QStringLiteral("N"), {}, {}, 1, {}, {}, 1, 1, 1), 0);
    EXPECT_TRUE(db.messages().empty());
}

TEST(UpdateProject, ProjectZeroIsRefusedWithTheBareText) {
    TestDatabase db;
    const qint32 id = addProject(db, QStringLiteral("keep"), 1, 1);
    EXPECT_EQ(db.zorbel().UpdateProject(0, QStringLiteral("N"), {}, {}, 1, {}, {}, 1, 1, 1), 0);
    EXPECT_EQ(db.zorbel().UpdateProjectDates(0, day(2030, 1, 1), day(2030, 1, 2)), 0);
    ASSERT_EQ(db.messages().size(), 2u);
    for (const auto& m : db.messages()) {
        EXPECT_EQ(m.text, QStringLiteral("Invalid ProjectID"));
        EXPECT_EQ(m.flags, 0);
        EXPECT_TRUE(m.title.isEmpty());
    }
    EXPECT_EQ(db.zorbel().GetProjects(0, id)->Fields(1).toString(), QStringLiteral("keep"));
}

TEST(DeleteProject, RemovesOnlyTheProjectRow) {
    TestDatabase db;
    const qint32 id = addProject(db, QStringLiteral("gone"), 1, 1);
    QString metric;
    ASSERT_GT(db.zorbel().AddDeliverable(id, 1, QStringLiteral("d"), metric, 1, {}, {}, 1, 0), 0);
    ASSERT_GT(db.zorbel().AddMilestone(id, QStringLiteral("m"), day(2024, 1, 1), day(2024, 1, 1), 1, 1), 0);
    EXPECT_EQ(db.zorbel().DeleteProject(id), 1);
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_PROJECTS")), 0);
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_DELIVERABLES")), 1);
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_MILESTONES")), 1);
    EXPECT_EQ(db.zorbel().DeleteProject(id), 1) << "a missing id still reports done";
}

TEST(ProjectMembers, AFailedStatementIsReportedAndNeverASuccess) {
    TestDatabase db;
    db.exec(QStringLiteral("DROP TABLE ZORBEL_PROJECTS"));
    EXPECT_EQ(db.zorbel().GetProjects(1), nullptr);
    EXPECT_EQ(db.zorbel().GetAllProjects(), nullptr);
    EXPECT_EQ(db.zorbel().GetProjectsByAdmin(1, 1), nullptr);
    EXPECT_EQ(db.zorbel().UpdateProject(1, {}, {}, {}, 1, {}, {}, 1, 1, 1), 0);
    EXPECT_EQ(db.zorbel().UpdateProjectDates(1, {}, {}), 0);
    EXPECT_EQ(db.zorbel().DeleteProject(1), 0);
    const QStringList names = {"GetProjects", "GetAllProjects", "GetProjectsByAdmin", "UpdateProject",
                               "UpdateProjectDates", "DeleteProject"};
    ASSERT_EQ(db.messages().size(), static_cast<size_t>(names.size()));
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_TRUE(db.messages()[i].text.startsWith(QStringLiteral("(C)%1 Method failed: ").arg(names[i])))
            << db.messages()[i].text.toStdString();
        EXPECT_EQ(db.messages()[i].flags, 0);
    }
}
