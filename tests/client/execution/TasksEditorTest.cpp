#include "tests/client/execution/ExecutionTestSupport.h"

#include "client/execution/frmTasks.h"

#include <QCheckBox>

namespace zorbel::test {
namespace {

using execution::frmTasks;

class TasksEditorTest : public ExecutionTest {
protected:
    void SetUp() override {
        ExecutionTest::SetUp();
        app().g_navTool = 29;
    }
    frmTasks* openTasks() { return open<frmTasks>(QStringLiteral("frmTasks")); }
    QVariant task(qint32 id, const char* column) { return value("ZORBEL_TASKS", "TaskID", id, column); }
    static QStringList items(QComboBox* c) {
        QStringList out;
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
        return out;
    }
    static void tick(QWidget* w, bool on) { child<QCheckBox>(w, "chkDependency")->setChecked(on); }
};

TEST_F(TasksEditorTest, EditingOneFieldKeepsEveryOtherValueAndThePredecessorUntilUnticked) {
    const qint32 survey = addTask(deliverable, QStringLiteral("Survey"), 1);
    const QDateTime start = at(2024, 4, 8, 8, 15);
    const QDateTime end = at(2024, 4, 19, 16, 40);
    const qint32 id = zorbel().AddTask(deliverable, 4, QStringLiteral("Pour"), annMember, start, end, survey, 2);
    app().g_taskRow = 2;
    auto* w = openTasks();
    EXPECT_EQ(app().g_currentTaskID, id);
    EXPECT_EQ(child<QLineEdit>(w, "txtDependency")->text(), QStringLiteral("Survey"));

    click(w, "btnEdit");
    EXPECT_TRUE(child<QCheckBox>(w, "chkDependency")->isChecked());
    EXPECT_TRUE(shown(w, "frmDependency"));
    text(w, "txtTask", QStringLiteral("Pour again"));
    click(w, "btnOK");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(task(id, "Description").toString(), QStringLiteral("Pour again"));
    EXPECT_EQ(task(id, "StatusID").toInt(), 4);
    EXPECT_EQ(task(id, "OwnerID").toInt(), annMember);
    EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_TASKS"), QStringLiteral("StartDate"), QStringLiteral("TaskID"), id), start);
    EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_TASKS"), QStringLiteral("EndDate"), QStringLiteral("TaskID"), id), end);
    EXPECT_EQ(task(id, "Dependency").toInt(), survey);
    EXPECT_EQ(task(id, "WBS").toInt(), 2);

    // A row clicked while editing brings its own predecessor (none) along.
    click(w, "btnEdit");
    pickRow(w, "FG1", 1, 4);
    EXPECT_EQ(w->pickedDependency(), 0);
    pickRow(w, "FG1", 2, 4);
    EXPECT_EQ(w->pickedDependency(), survey);
    tick(w, false);
    click(w, "btnOK");
    EXPECT_EQ(task(id, "Dependency").toInt(), 0);
    EXPECT_EQ(task(id, "Description").toString(), QStringLiteral("Pour again")); // the first edit stays

    click(w, "btnRefresh");
    click(w, "btnDelete");
    boxes.script(ui::vbYes);
    click(w, "btnOK");
    ASSERT_FALSE(boxes.empty()) << "a delete";
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Are you sure you want to delete Pour again"));
    EXPECT_EQ(count(QStringLiteral("ZORBEL_TASKS")), 1);
    EXPECT_EQ(app().g_taskRow, 1);
}

TEST_F(TasksEditorTest, APredecessorFromAnotherProjectIsPickedByPositionAndSetDateFollowsIt) {
    const qint32 tunnel = addProject(QStringLiteral("Tunnel"), ann, at(2024, 1, 1), at(2024, 12, 31));
    addProject(QStringLiteral("Measured"), ann, at(2024, 1, 1), at(2024, 12, 31), 2, 1, 1);
    const qint32 bore = addDeliverable(tunnel, QStringLiteral("Bore"));
    const qint32 digA = addTask(bore, QStringLiteral("Dig"), 1, 0, at(2024, 4, 1), at(2024, 4, 30));
    const qint32 digB = addTask(bore, QStringLiteral("Dig"), 2, 0, at(2024, 5, 1), at(2024, 5, 31));
    auto* w = openTasks();
    EXPECT_EQ(items(combo(w, "ComboProjects")), (QStringList{QStringLiteral("Bridge"), QStringLiteral("Tunnel")}));
    EXPECT_EQ(w->pickedDependency(), 0); // the cascade's first choice at load is nobody's

    click(w, "btnAdd");
    text(w, "txtTask", QStringLiteral("Line"));
    type(w, "txtTaskStart", QStringLiteral("01/04/2024"));
    type(w, "txtTaskEnd", QStringLiteral("05/04/2024"));
    tick(w, true);
    EXPECT_TRUE(shown(w, "frmDependency"));
    combo(w, "ComboProjects")->setCurrentIndex(1); // set from code, the cascade runs as on a pick
    EXPECT_EQ(items(combo(w, "ComboDeliverables")), QStringList{QStringLiteral("Bore")});
    EXPECT_EQ(items(combo(w, "ComboTasks")), (QStringList{QStringLiteral("Dig"), QStringLiteral("Dig")}));
    EXPECT_EQ(w->pickedDependency(), digA);
    combo(w, "ComboTasks")->setCurrentIndex(1);
    EXPECT_EQ(w->pickedDependency(), digB);
    EXPECT_EQ(child<QLineEdit>(w, "txtselDate")->text(), QStringLiteral("31/05/2024"));

    // Dig ends on a Friday: a weekday task starts on the Monday and keeps its five working days.
    click(w, "btnSetDate");
    EXPECT_EQ(child<QLineEdit>(w, "txtTaskStart")->text(), QStringLiteral("03/06/2024"));
    EXPECT_EQ(child<QLineEdit>(w, "txtTaskEnd")->text(), QStringLiteral("07/06/2024"));
    click(w, "btnOK");
    EXPECT_TRUE(boxes.empty());
    const qint32 line = lastID(QStringLiteral("ZORBEL_TASKS"), QStringLiteral("TaskID"));
    EXPECT_EQ(task(line, "Dependency").toInt(), digB);
    EXPECT_EQ(task(line, "DeliverableID").toInt(), deliverable);
    EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_TASKS"), QStringLiteral("StartDate"), QStringLiteral("TaskID"), line),
              at(2024, 6, 3));

    // A seven-day task starts on the Saturday; with no start to measure from,
    // an end that the move would leave behind goes to the new start.
    click(w, "btnAdd");
    text(w, "txtTask", QStringLiteral("Weekend"));
    type(w, "txtTaskEnd", QStringLiteral("05/03/2024"));
    child<QCheckBox>(w, "chk7DayWeek")->setChecked(true);
    tick(w, true);
    combo(w, "ComboProjects")->setCurrentIndex(1);
    combo(w, "ComboTasks")->setCurrentIndex(1);
    click(w, "btnSetDate");
    EXPECT_EQ(child<QLineEdit>(w, "txtTaskStart")->text(), QStringLiteral("01/06/2024"));
    EXPECT_EQ(child<QLineEdit>(w, "txtTaskEnd")->text(), QStringLiteral("01/06/2024"));
    click(w, "btnOK");
    EXPECT_TRUE(boxes.empty());
    const qint32 weekend = lastID(QStringLiteral("ZORBEL_TASKS"), QStringLiteral("TaskID"));
    EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_TASKS"), QStringLiteral("EndDate"), QStringLiteral("TaskID"), weekend),
              at(2024, 6, 1));
}

TEST_F(TasksEditorTest, AnEmptyLevelOrAModeSwitchLeavesNoPredecessorChosen) {
    addProject(QStringLiteral("Empty"), ann, at(2024, 1, 1), at(2024, 12, 31));
    addTask(deliverable, QStringLiteral("Survey"), 1, 0, at(2024, 4, 1), at(2024, 4, 30));
    auto* w = openTasks();
    struct Case {
        const char* what;
        std::function<void()> step;
    };
    const Case cases[] = {
        {"a project without deliverables", [&] { combo(w, "ComboProjects")->setCurrentIndex(1); }},
        {"no project chosen", [&] { combo(w, "ComboProjects")->setCurrentIndex(-1); }},
        {"a mode switch", [&] { click(w, "btnCancel"); click(w, "btnAdd"); }},
        {"the box unticked", [&] { tick(w, false); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        click(w, "btnAdd");
        tick(w, true);
        combo(w, "ComboProjects")->setCurrentIndex(0);
        combo(w, "ComboTasks")->setCurrentIndex(0);
        ASSERT_GT(w->pickedDependency(), 0);
        c.step();
        EXPECT_EQ(w->pickedDependency(), 0);
        EXPECT_EQ(combo(w, "ComboTasks")->currentIndex(), -1);
        EXPECT_EQ(child<QLineEdit>(w, "txtselDate")->text(), QString());
        const QString before = child<QLineEdit>(w, "txtTaskStart")->text();
        click(w, "btnSetDate");
        EXPECT_EQ(child<QLineEdit>(w, "txtTaskStart")->text(), before);
        click(w, "btnCancel");
    }
}

TEST_F(TasksEditorTest, EachRowShowsOnlyItsOwnPredecessorStatusAndPicture) {
    const qint32 survey = addTask(deliverable, QStringLiteral("Survey"), 1);
    addTask(deliverable, QStringLiteral("Orphan"), 2, 9999);
    const qint32 bare = addTask(deliverable, QStringLiteral("Bare"), 3);
    const qint32 odd = addTask(deliverable, QStringLiteral("Odd"), 4, survey);
    db().execute({QStringLiteral("UPDATE ZORBEL_TASKS SET StatusID = NULL, Dependency = NULL WHERE TaskID = ?"), {bare}});
    db().execute({QStringLiteral("UPDATE ZORBEL_TASKS SET StatusID = 42 WHERE TaskID = ?"), {odd}});
    auto* w = openTasks();
    auto* g = grid(w, "FG1");
    EXPECT_EQ(g->TextMatrix(3, 8), QStringLiteral("0"));
    EXPECT_FALSE(g->CellPicture(3, 1).isNull()); // no status: the lamp of status 0
    EXPECT_TRUE(g->CellPicture(4, 1).isNull());  // a status without a lamp
    pickRow(w, "FG1", 4, 4);
    EXPECT_EQ(child<QLineEdit>(w, "txtDependency")->text(), QStringLiteral("Survey"));
    EXPECT_EQ(combo(w, "ComboStatus")->currentIndex(), -1);
    pickRow(w, "FG1", 2, 4);
    EXPECT_TRUE(shown(w, "txtDependency"));
    EXPECT_EQ(child<QLineEdit>(w, "txtDependency")->text(), QString());
    pickRow(w, "FG1", 3, 4);
    EXPECT_FALSE(shown(w, "txtDependency"));

    // Edit of the odd row keeps its status although the combo shows none.
    pickRow(w, "FG1", 4, 4);
    click(w, "btnEdit");
    click(w, "btnOK");
    EXPECT_EQ(task(odd, "StatusID").toInt(), 42);

    // The only task of another deliverable, deleted: its predecessor's line goes with it.
    const qint32 spare = addDeliverable(project, QStringLiteral("Spare"));
    const qint32 lone = addTask(spare, QStringLiteral("Lone"), 1, survey);
    app().g_currentDeliverableID = spare;
    click(w, "btnRefresh");
    ASSERT_EQ(child<QLineEdit>(w, "txtDependency")->text(), QStringLiteral("Survey"));
    boxes.script(ui::vbYes);
    click(w, "btnDelete");
    click(w, "btnOK");
    EXPECT_EQ(count(QStringLiteral("ZORBEL_TASKS"), QStringLiteral("TaskID = %1").arg(lone)), 0);
    EXPECT_EQ(child<QLineEdit>(w, "txtDependency")->text(), QString());
    EXPECT_FALSE(shown(w, "txtDependency"));
    EXPECT_FALSE(shown(w, "lblDependency"));
    EXPECT_FALSE(child<QCheckBox>(w, "chkDependency")->isChecked());
}

TEST_F(TasksEditorTest, ThePickerOffersTasksAddedSinceAndAnEditStartsFromThePredecessorSaved) {
    addTask(deliverable, QStringLiteral("Survey"), 1);
    auto* w = openTasks();
    const auto addDated = [&](const QString& name) {
        click(w, "btnAdd");
        text(w, "txtTask", name);
        type(w, "txtTaskStart", QStringLiteral("01/04/2024"));
        type(w, "txtTaskEnd", QStringLiteral("05/04/2024"));
    };
    addDated(QStringLiteral("Gamma"));
    click(w, "btnOK");
    const qint32 gamma = lastID(QStringLiteral("ZORBEL_TASKS"), QStringLiteral("TaskID"));

    addDated(QStringLiteral("Delta"));
    tick(w, true);
    ASSERT_EQ(items(combo(w, "ComboTasks")), (QStringList{QStringLiteral("Survey"), QStringLiteral("Gamma")}));
    combo(w, "ComboTasks")->setCurrentIndex(1);
    click(w, "btnOK");
    const qint32 delta = lastID(QStringLiteral("ZORBEL_TASKS"), QStringLiteral("TaskID"));
    EXPECT_EQ(task(delta, "Dependency").toInt(), gamma);

    click(w, "btnEdit");
    EXPECT_EQ(w->pickedDependency(), gamma);
    click(w, "btnOK");
    EXPECT_EQ(task(delta, "Dependency").toInt(), gamma);
    EXPECT_EQ(task(gamma, "Dependency").toInt(), 0);
    // Add shows no predecessor, as OK saves none; Cancel shows the row's again.
    click(w, "btnAdd");
    EXPECT_FALSE(shown(w, "txtDependency"));
    EXPECT_EQ(child<QLineEdit>(w, "txtDependency")->text(), QString());
    click(w, "btnCancel");
    EXPECT_EQ(child<QLineEdit>(w, "txtDependency")->text(), QStringLiteral("Gamma"));

    // Another user's task shows once its deliverable is chosen again.
    addTask(deliverable, QStringLiteral("Late"), 9);
    click(w, "btnEdit");
    auto* deliverables = combo(w, "ComboDeliverables");
    emit deliverables->activated(deliverables->currentIndex());
    EXPECT_TRUE(items(combo(w, "ComboTasks")).contains(QStringLiteral("Late")));
    click(w, "btnCancel");
    EXPECT_TRUE(boxes.empty());
}

} // namespace
} // namespace zorbel::test
