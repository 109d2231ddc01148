#include "tests/client/execution/ExecutionTestSupport.h"

#include "client/execution/frmProgress.h"

#include <QLabel>

namespace zorbel::test {
namespace {

using execution::frmProgress;

class ProgressLogTest : public ExecutionTest {
protected:
    void SetUp() override {
        ExecutionTest::SetUp();
        app().g_navTool = 32;
        task = addTask(deliverable, QStringLiteral("Pour"));
        action = addAction(task, QStringLiteral("Mix"));
        app().g_currentTaskID = task;
        app().g_currentActionID = action;
        app().g_currentActionName = QStringLiteral("Mix");
    }
    frmProgress* openProgress() { return open<frmProgress>(QStringLiteral("frmProgress")); }
    QVariant entry(qint32 id, const char* column) { return value("ZORBEL_PROGRESS", "ProgressID", id, column); }
    QDateTime projectDate(const char* column) {
        return storedDate(QStringLiteral("ZORBEL_PROJECTS"), QString::fromLatin1(column), QStringLiteral("ProjectID"),
                          project);
    }
    qint32 task = 0;
    qint32 action = 0;
};

TEST_F(ProgressLogTest, AddEditAndDeleteKeepWhatTheyDoNotChange) {
    const qint32 first = zorbel().AddProgress(action, at(2024, 4, 3, 9, 30), QStringLiteral("Started"), bobMember, 2);
    auto* w = openProgress();
    EXPECT_EQ(child<QLabel>(w, "txtAction")->text(), QStringLiteral("Mix"));
    EXPECT_EQ(combo(w, "ComboOwner")->currentText(), QStringLiteral("Bob Baker"));
    click(w, "btnEdit");
    text(w, "txtProgress", QStringLiteral("Started early"));
    click(w, "btnOK");
    EXPECT_EQ(entry(first, "Description").toString(), QStringLiteral("Started early"));
    EXPECT_EQ(entry(first, "OwnerID").toInt(), bobMember);
    EXPECT_EQ(entry(first, "WBS").toInt(), 2);
    EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_PROGRESS"), QStringLiteral("ProgressDate"),
                         QStringLiteral("ProgressID"), first),
              at(2024, 4, 3, 9, 30));

    click(w, "btnAdd");
    text(w, "txtProgress", QStringLiteral("Half way"));
    type(w, "txtProgressDate", QStringLiteral("10/04/2024"));
    click(w, "btnOK");
    EXPECT_TRUE(boxes.empty());
    const qint32 second = lastID(QStringLiteral("ZORBEL_PROGRESS"), QStringLiteral("ProgressID"));
    EXPECT_EQ(entry(second, "WBS").toInt(), 3);
    EXPECT_EQ(entry(second, "ActionID").toInt(), action);

    // The entry just added is the one shown, so it is the one deleted.
    click(w, "btnDelete");
    boxes.script(ui::vbYes);
    click(w, "btnOK");
    ASSERT_FALSE(boxes.empty()) << "a delete";
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Are you sure you want to delete Half way"));
    EXPECT_EQ(entry(second, "Description"), QVariant());
    EXPECT_EQ(entry(first, "Description").toString(), QStringLiteral("Started early"));
}

TEST_F(ProgressLogTest, OnlyALateDateIsAskedAboutAndYesOnlyMovesTheProjectsEnd) {
    // Dates another window left behind (the wizard's new project) must not reach this project.
    app().g_projectStart = at(2030, 1, 1);
    auto* w = openProgress();
    click(w, "btnAdd");
    text(w, "txtProgress", QStringLiteral("Early"));
    type(w, "txtProgressDate", QStringLiteral("01/01/2020"));
    click(w, "btnOK");
    EXPECT_TRUE(boxes.empty());

    app().g_projectEnd = at(2024, 5, 1); // stale too: the project itself ends on 30 June
    click(w, "btnAdd");
    text(w, "txtProgress", QStringLiteral("Late"));
    type(w, "txtProgressDate", QStringLiteral("15/07/2024"));
    boxes.script(ui::vbYes);
    click(w, "btnOK");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("Project End Date ?"));
    EXPECT_EQ(projectDate("StartDate"), at(2024, 3, 1));
    EXPECT_EQ(projectDate("EndDate"), at(2024, 7, 15));
    EXPECT_EQ(child<QLabel>(w, "txtEnd")->text(), QStringLiteral("15/07/2024"));
    EXPECT_EQ(count(QStringLiteral("ZORBEL_PROGRESS")), 2);
}

TEST_F(ProgressLogTest, ProgressLevelDecidesTheButtons) {
    app().g_cfgProjectAdmin = 1;
    app().g_progressAdminLevel = 3;
    addProgress(action, QStringLiteral("Listed"));
    auto* w = openProgress();
    EXPECT_EQ(status(w, "btnEdit"), 0);
    EXPECT_EQ(status(w, "btnAdd"), 2);
    EXPECT_EQ(status(w, "btnDelete"), 2);
}

} // namespace
} // namespace zorbel::test
