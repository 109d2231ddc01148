// Tasks, actions and progress entries: the three families are alike, so each
// behaviour is checked once per family; then what is each family's own, and
// dates across the breakdown under a day-first, comma-decimal locale.

#include "tests/support/TestDatabase.h"

#include <QLocale>
#include <functional>
#include <gtest/gtest.h>

using namespace zorbel;
using zorbel::test::TestDatabase;

namespace {

QDateTime day(int y, int m, int d) {
    return QDateTime(QDate(y, m, d), QTime(0, 0));
}

std::vector<qint32> ids(const data::RecordsetPtr& rs) {
    std::vector<qint32> out;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        out.push_back(rs->Fields(0).toInt());
    return out;
}

struct Family {
    const char* kind; // as in the member names
    QString table;
    QString parentColumn;
    QString checkText;
    QStringList columns;
    std::function<qint32(ZorbelClass&, qint32 parent, const QString& text, qint16 wbs)> add;
    std::function<qint32(ZorbelClass&, qint32 id, qint32 parent, const QString& text, qint16 wbs)> update;
    std::function<data::RecordsetPtr(ZorbelClass&, qint32 parent, qint32 id)> get;
    std::function<qint32(ZorbelClass&, qint32 id)> remove;
};

const Family kFamilies[] = {
    {"Task", "ZORBEL_TASKS", "DeliverableID", "Invalid DeliverableID",
     {"taskid", "deliverableid", "statusid", "description", "ownerid", "startdate", "enddate", "dependency", "wbs"},
     [](ZorbelClass& z, qint32 p, const QString& t, qint16 w) {
         return z.AddTask(p, 3, t, 2, day(2024, 1, 1), day(2024, 1, 5), 0, w);
     },
     [](ZorbelClass& z, qint32 id, qint32 p, const QString& t, qint16 w) {
         return z.UpdateTask(id, p, 3, t, 2, day(2024, 1, 1), day(2024, 1, 5), 0, w);
     },
     [](ZorbelClass& z, qint32 p, qint32 id) { return z.GetTasks(p, id); },
     [](ZorbelClass& z, qint32 id) { return z.DeleteTask(id); }},
    {"Action", "ZORBEL_ACTIONS", "TaskID", "Invalid TaskID",
     {"actionid", "taskid", "description", "startdate", "enddate", "statusid", "ownerid", "wbs"},
     [](ZorbelClass& z, qint32 p, const QString& t, qint16 w) {
         return z.AddAction(p, t, day(2024, 1, 1), day(2024, 1, 2), 3, 2, w);
     },
     [](ZorbelClass& z, qint32 id, qint32 p, const QString& t, qint16 w) {
         return z.UpdateAction(id, p, t, day(2024, 1, 1), day(2024, 1, 2), 3, 2, w);
     },
     [](ZorbelClass& z, qint32 p, qint32 id) { return z.GetActions(p, id); },
     [](ZorbelClass& z, qint32 id) { return z.DeleteAction(id); }},
    {"Progress", "ZORBEL_PROGRESS", "ActionID", "Invalid ActionID",
     {"progressid", "actionid", "progressdate", "description", "ownerid", "wbs"},
     [](ZorbelClass& z, qint32 p, const QString& t, qint16 w) { return z.AddProgress(p, day(2024, 1, 3), t, 2, w); },
     [](ZorbelClass& z, qint32 id, qint32 p, const QString& t, qint16 w) {
         return z.UpdateProgress(id, p, day(2024, 1, 3), t, 2, w);
     },
     [](ZorbelClass& z, qint32 p, qint32 id) { return z.GetProgress(p, id); },
     [](ZorbelClass& z, qint32 id) { return z.DeleteProgress(id); }},
};

QString descriptionOf(TestDatabase& db, const Family& f, qint32 id) {
    return f.get(db.zorbel(), 0, id)->Fields(QStringLiteral("Description")).toString();
}

class BreakdownFamily : public ::testing::TestWithParam<Family> {};

} // namespace

TEST_P(BreakdownFamily, ListedByWbsThenKeyWithUnnumberedFirst) {
    const Family& f = GetParam();
    TestDatabase db;
    auto& z = db.zorbel();
    const qint32 third = f.add(z, 5, QStringLiteral("c"), 3);
    const qint32 firstA = f.add(z, 5, QStringLiteral("a"), 1);
    const qint32 elsewhere = f.add(z, 6, QStringLiteral("x"), 1);
    const qint32 firstB = f.add(z, 5, QStringLiteral("b"), 1);
    const qint32 unnumbered = db.connection().insert(
        {QStringLiteral("INSERT INTO %1 (%2, Description) VALUES (5, 'unnumbered')").arg(f.table, f.parentColumn), {}},
        f.columns.front());

    auto rs = f.get(z, 5, 0);
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(ids(rs), (std::vector<qint32>{unnumbered, firstA, firstB, third}));
    QStringList names;
    for (int i = 0; i < rs->FieldCount(); ++i)
        names << rs->FieldName(i).toLower();
    EXPECT_EQ(names, f.columns);
    // one record by its key, even under another parent
    EXPECT_EQ(ids(f.get(z, 5, elsewhere)), (std::vector<qint32>{elsewhere}));
    auto none = f.get(z, 77, 0);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->RecordCount(), 0);
    EXPECT_TRUE(db.messages().empty());
}

TEST_P(BreakdownFamily, AddReturnsTheNewRecordsOwnKey) {
    const Family& f = GetParam();
    TestDatabase db;
    f.add(db.zorbel(), 5, QStringLiteral("one"), 1);
    f.add(db.zorbel(), 5, QStringLiteral("two"), 8);
    const qint32 next = f.add(db.zorbel(), 5, QStringLiteral("next"), 9);
    const qint32 lower = f.add(db.zorbel(), 5, QStringLiteral("lower"), 4);
    EXPECT_EQ(descriptionOf(db, f, next), QStringLiteral("next"));
    EXPECT_EQ(descriptionOf(db, f, lower), QStringLiteral("lower")) << "not the one with the highest WBS";
}

TEST_P(BreakdownFamily, ParentZeroIsRefusedWithTheBareText) {
    const Family& f = GetParam();
    TestDatabase db;
    const qint32 id = f.add(db.zorbel(), 5, QStringLiteral("kept"), 1);
    EXPECT_EQ(f.add(db.zorbel(), 0, QStringLiteral("new"), 2), 0);
    EXPECT_EQ(f.update(db.zorbel(), id, 0, QStringLiteral("moved"), 2), 0);
    ASSERT_EQ(db.messages().size(), 2u);
    for (const auto& m : db.messages()) {
        EXPECT_EQ(m.text, f.checkText);
        EXPECT_EQ(m.flags, 0);
        EXPECT_TRUE(m.title.isEmpty());
    }
    EXPECT_EQ(db.count(f.table), 1);
    EXPECT_EQ(descriptionOf(db, f, id), QStringLiteral("kept"));
}

TEST_P(BreakdownFamily, DescriptionIsCleanedAndCutTo255) {
    const Family& f = GetParam();
    TestDatabase db;
    const qint32 target = f.add(db.zorbel(), 5, QStringLiteral("t"), 1);
    struct Case {
        QString given;
        QString stored;
    } cases[] = {
        {QString(300, u'a'), QString(255, u'a')},
        {QString(255, u'b'), QString(255, u'b')},
        {QStringLiteral("can't won't"), QStringLiteral("cant wont")},
        {QStringLiteral("''") + QString(255, u'c'), QString(255, u'c')},
        {QString(), QString()},
    };
    for (const Case& c : cases) {
        const qint32 added = f.add(db.zorbel(), 5, c.given, 2);
        ASSERT_EQ(f.update(db.zorbel(), target, 5, c.given, 1), 1);
        EXPECT_EQ(descriptionOf(db, f, added), c.stored);
        EXPECT_EQ(descriptionOf(db, f, target), c.stored);
    }
    EXPECT_EQ(db.count(f.table, QStringLiteral("Description IS NULL")), 0);
}

TEST_P(BreakdownFamily, UpdateAndDeleteReportWhatHappened) {
    const Family& f = GetParam();
    TestDatabase db;
    const qint32 id = f.add(db.zorbel(), 5, QStringLiteral("x"), 1);
    ASSERT_EQ(f.update(db.zorbel(), id, 6, QStringLiteral("moved"), 4), 1);
    EXPECT_EQ(ids(f.get(db.zorbel(), 6, 0)), (std::vector<qint32>{id}));
    EXPECT_EQ(f.update(db.zorbel(), id + 100, 6, QStringLiteral("y"), 1), 0) << "no such record";
    EXPECT_EQ(f.remove(db.zorbel(), id), 1);
    EXPECT_EQ(f.remove(db.zorbel(), id), 1) << "a missing id still reports done";
    EXPECT_EQ(db.count(f.table), 0);
    EXPECT_TRUE(db.messages().empty());
}

TEST_P(BreakdownFamily, AFailedStatementIsReportedAndNeverASuccess) {
    const Family& f = GetParam();
    TestDatabase db;
    db.exec(QStringLiteral("DROP TABLE ") + f.table);
    EXPECT_EQ(f.add(db.zorbel(), 5, QStringLiteral("x"), 1), 0);
    EXPECT_EQ(f.update(db.zorbel(), 1, 5, QStringLiteral("x"), 1), 0);
    EXPECT_EQ(f.remove(db.zorbel(), 1), 0);
    EXPECT_EQ(f.get(db.zorbel(), 5, 0), nullptr);
    const QString kind = QString::fromLatin1(f.kind);
    const QStringList names = {"Add" + kind, "Update" + kind, "Delete" + kind,
                               "Get" + kind + (kind == "Progress" ? "" : "s")};
    ASSERT_EQ(db.messages().size(), 4u);
    for (int i = 0; i < names.size(); ++i) {
        const QString prefix = QStringLiteral("(C)%1 Method failed: ").arg(names[i]);
        EXPECT_TRUE(db.messages()[i].text.startsWith(prefix)) << db.messages()[i].text.toStdString();
        EXPECT_GT(db.messages()[i].text.size(), prefix.size()) << "the database's own text follows";
    }
}

INSTANTIATE_TEST_SUITE_P(Families, BreakdownFamily, ::testing::ValuesIn(kFamilies),
                         [](const ::testing::TestParamInfo<Family>& info) { return std::string(info.param.kind); });

TEST(Tasks, EveryColumnLandsInItsPlace) {
    TestDatabase db;
    auto& z = db.zorbel();
    const qint32 id = z.AddTask(5, 4, QStringLiteral("t"), 70001, day(2024, 2, 1), day(2024, 2, 9), 123456, 3);
    auto rs = z.GetTasks(5, id);
    EXPECT_EQ(rs->Fields(2).toInt(), 4);
    EXPECT_EQ(rs->Fields(4).toInt(), 70001);
    EXPECT_EQ(rs->Fields(5).toDateTime(), day(2024, 2, 1));
    EXPECT_EQ(rs->Fields(6).toDateTime(), day(2024, 2, 9));
    EXPECT_EQ(rs->Fields(7).toInt(), 123456) << "a dependency is a 32-bit task id";
    EXPECT_EQ(rs->Fields(8).toInt(), 3);
    ASSERT_EQ(z.UpdateTask(id, 6, 5, QStringLiteral("u"), 2, day(2024, 3, 1), day(2024, 3, 2), 0, 7), 1);
    rs = z.GetTasks(0, id);
    EXPECT_EQ(rs->Fields(1).toInt(), 6);
    EXPECT_EQ(rs->Fields(2).toInt(), 5);
    EXPECT_FALSE(rs->Fields(7).isNull());
    EXPECT_EQ(rs->Fields(7).toInt(), 0) << "no predecessor is stored as 0";
    EXPECT_EQ(rs->Fields(8).toInt(), 7);
}

TEST(Actions, ColumnsWrittenInAnotherOrderThanTheParameters) {
    TestDatabase db;
    auto& z = db.zorbel();
    const qint32 id = z.AddAction(5, QStringLiteral("a"), day(2024, 4, 1), day(2024, 4, 3), 6, 71, 2);
    const QVariantList expected = {id, 5, QStringLiteral("a"), day(2024, 4, 1), day(2024, 4, 3), 6, 71, 2};
    auto check = [&](const QVariantList& want) {
        auto rs = z.GetActions(0, want[0].toInt());
        for (int col = 1; col < want.size(); ++col) {
            if (want[col].typeId() == QMetaType::QDateTime)
                EXPECT_EQ(rs->Fields(col).toDateTime(), want[col].toDateTime()) << col;
            else
                EXPECT_EQ(rs->Fields(col).toString(), want[col].toString()) << col;
        }
    };
    check(expected);
    ASSERT_EQ(z.UpdateAction(id, 8, QStringLiteral("b"), day(2024, 5, 1), day(2024, 5, 2), 1, 72, 9), 1);
    check({id, 8, QStringLiteral("b"), day(2024, 5, 1), day(2024, 5, 2), 1, 72, 9});
}

TEST(Breakdown, DeletingAParentLeavesItsChildren) {
    TestDatabase db;
    auto& z = db.zorbel();
    const qint32 task = z.AddTask(5, 1, QStringLiteral("t"), 1, {}, {}, 0, 1);
    const qint32 dependent = z.AddTask(5, 1, QStringLiteral("d"), 1, {}, {}, task, 2);
    const qint32 action = z.AddAction(task, QStringLiteral("a"), {}, {}, 1, 1, 1);
    z.AddProgress(action, day(2024, 1, 1), QStringLiteral("p"), 1, 1);
    EXPECT_EQ(z.DeleteTask(task), 1);
    EXPECT_EQ(z.DeleteAction(action), 1);
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_ACTIONS")), 0);
    EXPECT_EQ(db.count(QStringLiteral("ZORBEL_PROGRESS")), 1);
    EXPECT_EQ(z.GetTasks(0, dependent)->Fields(QStringLiteral("Dependency")).toInt(), task);
}

TEST(Breakdown, DatesDoNotDependOnTheLocale) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); // 05.03.2024, decimal comma
    {
        TestDatabase db;
        auto& z = db.zorbel();
        // 5 March, not 3 May; a time of day survives too
        const QDateTime start(QDate(2024, 3, 5), QTime(13, 45, 10));
        const QDateTime end(QDate(2024, 12, 1), QTime(0, 0));
        const qint32 project = z.AddProject(QStringLiteral("p"), {}, {}, 1, start, end, 1, 1, 1);
        const qint32 milestone = z.AddMilestone(project, QStringLiteral("m"), start, end, 1, 1);
        QString metric;
        const qint32 deliverable = z.AddDeliverable(project, 1, QStringLiteral("d"), metric, 1, start, end, 1, 0);
        const qint32 task = z.AddTask(deliverable, 1, QStringLiteral("t"), 1, start, end, 0, 1);
        const qint32 action = z.AddAction(task, QStringLiteral("a"), start, end, 1, 1, 1);
        const qint32 progress = z.AddProgress(action, start, QStringLiteral("p"), 1, 1);
        struct Read {
            data::RecordsetPtr rs;
            QString startColumn;
        } reads[] = {
            {z.GetProjects(0, project), "StartDate"},   {z.GetMilestones(0, milestone), "StartDate"},
            {z.GetDeliverables(0, deliverable), "StartDate"}, {z.GetTasks(0, task), "StartDate"},
            {z.GetActions(0, action), "StartDate"},     {z.GetProgress(0, progress), "ProgressDate"},
        };
        for (const Read& r : reads) {
            ASSERT_NE(r.rs, nullptr);
            EXPECT_EQ(r.rs->Fields(r.startColumn).toDateTime(), start);
        }
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(reads[i].rs->Fields(QStringLiteral("EndDate")).toDateTime(), end);
        // milestones sort by date, not by the text a locale would write
        z.AddMilestone(project, QStringLiteral("later"), QDateTime(QDate(2024, 4, 1), QTime(0, 0)), end, 1, 1);
        z.AddMilestone(project, QStringLiteral("earlier"), QDateTime(QDate(2024, 2, 10), QTime(0, 0)), end, 1, 1);
        auto list = z.GetMilestones(project);
        QStringList order;
        for (list->MoveFirst(); !list->Eof(); list->MoveNext())
            order << list->Fields(QStringLiteral("Description")).toString();
        EXPECT_EQ(order, (QStringList{"earlier", "m", "later"}));
        EXPECT_TRUE(db.messages().empty());
    }
    QLocale::setDefault(before);
}
