#include "tests/client/planning/EditorTestSupport.h"

#include "client/planning/frmDeliverables.h"
#include "client/planning/frmProjects.h"
#include "controls/StatusLED.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace zorbel::test {
namespace {

using planning::frmDeliverables;

class DeliverablesEditorTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ann = addContact(QStringLiteral("Ann"), QStringLiteral("Archer"));
        bob = addContact(QStringLiteral("Bob"), QStringLiteral("Baker"));
        app().g_currentUserID = ann;
        project = addProject(QStringLiteral("Bridge"), ann, at(2024, 3, 1), at(2024, 6, 30));
        app().g_currentProjectID = project;
        app().g_currentProjectName = QStringLiteral("Bridge");
        app().g_projectStart = at(2024, 3, 1);
        app().g_projectEnd = at(2024, 6, 30);
        app().g_navTool = 26;
        planning::frmProjects::LoadStatusPictures(); // as the projects editor leaves them
    }
    qint32 addMember(qint32 user, const QString& fullName) {
        zorbel().AddTeamMember(user, project, fullName, fullName.section(' ', 0, 0), fullName.section(' ', 1));
        return lastID(QStringLiteral("ZORBEL_TEAM_TABLE"), QStringLiteral("TeamID"));
    }
    qint32 addDeliverable(const QString& text, qint32 owner, const QDateTime& start, const QDateTime& end,
                          qint16 status = 2, qint16 wbs = 1, qint16 csf = 1) {
        QString metric = QStringLiteral("M-") + text;
        return zorbel().AddDeliverable(project, status, text, metric, owner, start, end, wbs, csf);
    }
    frmDeliverables* openDeliverables() { return open<frmDeliverables>(QStringLiteral("frmDeliverables")); }
    QVariant deliverable(qint32 id, const char* column) {
        return stored(QStringLiteral("ZORBEL_DELIVERABLES"), QString::fromLatin1(column),
                      QStringLiteral("DeliverableID"), id);
    }
    QDateTime deliverableDate(qint32 id, const char* column) {
        return storedDate(QStringLiteral("ZORBEL_DELIVERABLES"), QString::fromLatin1(column),
                          QStringLiteral("DeliverableID"), id);
    }
    QDateTime projectDate(const char* column) {
        return storedDate(QStringLiteral("ZORBEL_PROJECTS"), QString::fromLatin1(column), QStringLiteral("ProjectID"),
                          project);
    }
    static void text(QWidget* w, const char* box, const QString& t) { child<QPlainTextEdit>(w, box)->setPlainText(t); }
    qint32 ann = 0;
    qint32 bob = 0;
    qint32 project = 0;
};

TEST_F(DeliverablesEditorTest, EditingTheMetricKeepsEveryOtherStoredValue) {
    const qint32 annMember = addMember(ann, QStringLiteral("Ann Archer"));
    const QDateTime start = at(2024, 4, 2, 8, 15);
    const QDateTime end = at(2024, 5, 3, 16, 40);
    const qint32 id = addDeliverable(QStringLiteral("Piers"), annMember, start, end, 4, 3, 1);
    auto* w = openDeliverables();
    EXPECT_EQ(child<QLineEdit>(w, "txtStartDate")->text(), QStringLiteral("02/04/2024"));
    EXPECT_EQ(child<QLabel>(w, "txtEnd")->text(), QStringLiteral("30/06/2024"));
    EXPECT_EQ(child<QComboBox>(w, "ComboOwner")->currentText(), QStringLiteral("Ann Archer"));
    EXPECT_EQ(child<controls::StatusLED>(w, "LEDStatus")->Status(), 4);
    EXPECT_FALSE(grid(w, "FG1")->CellPicture(1, 1).isNull());

    click(w, "btnEdit");
    text(w, "txtMetric", QStringLiteral("Load tested"));
    click(w, "btnOK");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(deliverable(id, "Metric").toString(), QStringLiteral("Load tested"));
    EXPECT_EQ(deliverable(id, "Deliverable").toString(), QStringLiteral("Piers"));
    EXPECT_EQ(deliverableDate(id, "StartDate"), start);
    EXPECT_EQ(deliverableDate(id, "EndDate"), end);
    EXPECT_EQ(deliverable(id, "StatusID").toInt(), 4);
    EXPECT_EQ(deliverable(id, "OwnerID").toInt(), annMember);
    EXPECT_EQ(deliverable(id, "WBS").toInt(), 3);
    EXPECT_EQ(deliverable(id, "CSF").toInt(), 1);
    EXPECT_EQ(app().g_deliverableStart, start);
}

TEST_F(DeliverablesEditorTest, AddTakesOwnerStatusAndNextWBS) {
    addMember(bob, QStringLiteral("Bob Baker"));
    const qint32 annMember = addMember(ann, QStringLiteral("Ann Archer"));
    auto* w = openDeliverables();
    EXPECT_FALSE(shown(w, "FG1"));
    EXPECT_FALSE(shown(w, "btnEdit"));
    for (const char* name : {"Deck", "Rails"}) {
        click(w, "btnAdd");
        text(w, "txtDeliverable", QString::fromLatin1(name));
        type(w, "txtStartDate", QStringLiteral("04/03/2024"));
        type(w, "txtEndDate", QStringLiteral("12/04/2024"));
        child<QComboBox>(w, "ComboOwner")->setCurrentIndex(0); // sorted by surname: Ann Archer
        child<QComboBox>(w, "ComboStatus")->setCurrentIndex(1);
        child<QCheckBox>(w, "ChkCSF")->setChecked(true);
        click(w, "btnOK");
    }
    EXPECT_TRUE(boxes.empty());
    auto rs = db().query({QStringLiteral("SELECT Deliverable, WBS, OwnerID, StatusID, CSF, StartDate, EndDate "
                                         "FROM ZORBEL_DELIVERABLES ORDER BY WBS"),
                          {}});
    ASSERT_EQ(rs->RecordCount(), 2);
    rs->MoveLast();
    EXPECT_EQ(rs->Fields(0).toString(), QStringLiteral("Rails"));
    EXPECT_EQ(rs->Fields(1).toInt(), 2);
    EXPECT_EQ(rs->Fields(2).toInt(), annMember);
    EXPECT_EQ(rs->Fields(3).toInt(), 2);
    EXPECT_EQ(rs->Fields(4).toInt(), 1);
    EXPECT_EQ(planning::dateOf(rs->Fields(5)), at(2024, 3, 4));
    EXPECT_EQ(planning::dateOf(rs->Fields(6)), at(2024, 4, 12));
    // Each OK lists what is stored and selects the record just added.
    EXPECT_EQ(app().g_deliverableCount, 2);
    EXPECT_EQ(grid(w, "FG1")->Rows(), 3);
    EXPECT_EQ(app().g_deliverableRow, 2);
    EXPECT_EQ(app().g_currentDeliverableName, QStringLiteral("Rails"));
    EXPECT_EQ(w->nextWBS(), 3);
}

TEST_F(DeliverablesEditorTest, ProjectDateQuestionsWidenTheProjectOnYes) {
    addMember(ann, QStringLiteral("Ann Archer"));
    auto* w = openDeliverables();
    click(w, "btnAdd");
    text(w, "txtDeliverable", QStringLiteral("Wide"));
    type(w, "txtStartDate", QStringLiteral("01/02/2024"));
    type(w, "txtEndDate", QStringLiteral("31/07/2024"));
    child<QComboBox>(w, "ComboOwner")->setCurrentIndex(0);
    boxes.script({ui::vbYes, ui::vbYes});
    click(w, "btnOK");
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.boxes()[0].prompt, QStringLiteral("The date you have entered is before the current Project "
                                                      "Start Date\r\n\r\nDo you want the Project Start Date changing ?"));
    EXPECT_EQ(boxes.boxes()[0].title, QString());
    EXPECT_EQ(boxes.boxes()[1].title, QStringLiteral("Project End Date ?"));
    EXPECT_EQ(projectDate("StartDate"), at(2024, 2, 1)); // Yes to both keeps both
    EXPECT_EQ(projectDate("EndDate"), at(2024, 7, 31));
    EXPECT_EQ(child<QLabel>(w, "txtStart")->text(), QStringLiteral("01/02/2024"));
    EXPECT_EQ(child<QLabel>(w, "txtEnd")->text(), QStringLiteral("31/07/2024"));
    EXPECT_EQ(count(QStringLiteral("ZORBEL_DELIVERABLES")), 1);

    // Never asked before a delete, though the record lies outside the project again; No writes nothing.
    click(w, "btnRefresh");
    zorbel().UpdateProjectDates(project, at(2024, 3, 1), at(2024, 6, 30));
    click(w, "btnDelete");
    boxes.script(ui::vbNo);
    click(w, "btnOK");
    ASSERT_EQ(boxes.count(), 3);
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Are you sure you want to delete Wide"));
    EXPECT_EQ(projectDate("StartDate"), at(2024, 3, 1));
    EXPECT_EQ(projectDate("EndDate"), at(2024, 6, 30));
    EXPECT_EQ(count(QStringLiteral("ZORBEL_DELIVERABLES")), 1);
}

TEST_F(DeliverablesEditorTest, EachAnswerToTheDateQuestionsStoresItsOwnProjectDates) {
    addMember(ann, QStringLiteral("Ann Archer"));
    // The project row was moved by someone else after it was picked: the globals are stale,
    // and a Yes must take the project's other date from its row.
    struct Case {
        QDateTime start, end;
        std::initializer_list<int> answers;
        QDateTime projectStart, projectEnd;
        QString startLabel, endLabel;
    };
    const Case cases[] = {
        {at(2024, 2, 1), at(2024, 7, 31), {ui::vbYes, ui::vbYes}, at(2024, 2, 1), at(2024, 7, 31),
         QStringLiteral("01/02/2024"), QStringLiteral("31/07/2024")},
        {at(2024, 2, 1), at(2024, 7, 31), {ui::vbYes, ui::vbNo}, at(2024, 2, 1), at(2024, 7, 15),
         QStringLiteral("01/02/2024"), QStringLiteral("30/06/2024")},
        {at(2024, 2, 1), at(2024, 7, 31), {ui::vbNo, ui::vbYes}, at(2024, 2, 15), at(2024, 7, 31),
         QStringLiteral("01/03/2024"), QStringLiteral("31/07/2024")},
        {at(2024, 2, 1), at(2024, 7, 31), {ui::vbNo, ui::vbNo}, at(2024, 2, 15), at(2024, 7, 15),
         QStringLiteral("01/03/2024"), QStringLiteral("30/06/2024")},
        // Before the picked start but not before the project's own: Yes never narrows it.
        {at(2024, 2, 20), at(2024, 7, 10), {ui::vbYes, ui::vbYes}, at(2024, 2, 15), at(2024, 7, 15),
         QStringLiteral("15/02/2024"), QStringLiteral("15/07/2024")},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(n);
        zorbel().UpdateProjectDates(project, at(2024, 2, 15), at(2024, 7, 15));
        auto* w = openDeliverables();
        boxes.clear();
        click(w, "btnAdd");
        const QString name = QStringLiteral("Case %1").arg(n++);
        text(w, "txtDeliverable", name);
        type(w, "txtStartDate", c.start.toString(QStringLiteral("dd/MM/yyyy")));
        type(w, "txtEndDate", c.end.toString(QStringLiteral("dd/MM/yyyy")));
        boxes.script(c.answers);
        click(w, "btnOK");
        ASSERT_EQ(boxes.count(), 2);
        EXPECT_EQ(projectDate("StartDate"), c.projectStart);
        EXPECT_EQ(projectDate("EndDate"), c.projectEnd);
        EXPECT_EQ(child<QLabel>(w, "txtStart")->text(), c.startLabel);
        EXPECT_EQ(child<QLabel>(w, "txtEnd")->text(), c.endLabel);
        // The deliverable keeps its own dates whatever the answers.
        EXPECT_EQ(count(QStringLiteral("ZORBEL_DELIVERABLES"), QStringLiteral("Deliverable = '%1'").arg(name)), 1);
        const qint32 id = lastID(QStringLiteral("ZORBEL_DELIVERABLES"), QStringLiteral("DeliverableID"));
        EXPECT_EQ(deliverableDate(id, "StartDate"), c.start);
        EXPECT_EQ(deliverableDate(id, "EndDate"), c.end);
        EXPECT_EQ(app().g_projectStart, at(2024, 3, 1));
        EXPECT_EQ(app().g_projectEnd, at(2024, 6, 30));
        ui::closeWindow(QStringLiteral("frmDeliverables"));
        QApplication::processEvents();
    }
}

TEST_F(DeliverablesEditorTest, DeleteOnlyOnYesAndThenRestartsAtTheFirstRow) {
    addMember(ann, QStringLiteral("Ann Archer"));
    addDeliverable(QStringLiteral("Keep"), 0, at(2024, 4, 1), at(2024, 4, 2), 2, 1);
    const qint32 gone = addDeliverable(QStringLiteral("Gone"), 0, at(2024, 4, 3), at(2024, 4, 4), 2, 2);
    auto* w = openDeliverables();
    pickRow(w, "FG1", 2, 4);
    EXPECT_EQ(app().g_currentDeliverableID, gone);
    EXPECT_EQ(app().g_deliverableRow, 2);
    boxes.clear();

    click(w, "btnDelete");
    boxes.script(ui::vbNo);
    click(w, "btnOK");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Are you sure you want to delete Gone"));
    EXPECT_EQ(boxes.last().flags, ui::vbYesNo);
    EXPECT_EQ(count(QStringLiteral("ZORBEL_DELIVERABLES")), 2);
    EXPECT_EQ(app().g_deliverableRow, 2);
    EXPECT_EQ(w->mode(), shell::kBrowse);

    click(w, "btnDelete");
    boxes.script(ui::vbYes);
    click(w, "btnOK");
    EXPECT_EQ(deliverable(gone, "Deliverable"), QVariant());
    EXPECT_EQ(count(QStringLiteral("ZORBEL_DELIVERABLES")), 1);
    EXPECT_EQ(app().g_deliverableRow, 1);
    EXPECT_EQ(grid(w, "FG1")->Rows(), 2);
    EXPECT_EQ(child<QPlainTextEdit>(w, "txtDeliverable")->toPlainText(), QStringLiteral("Keep"));
}

TEST_F(DeliverablesEditorTest, RowSelectionSetsTheCurrentDeliverableForTheLevelsBelow) {
    addMember(ann, QStringLiteral("Ann Archer"));
    addDeliverable(QStringLiteral("First"), 0, at(2024, 4, 1), at(2024, 4, 2), 2, 1);
    const qint32 second = addDeliverable(QStringLiteral("Second"), 0, at(2024, 5, 1, 9), at(2024, 5, 9, 17), 2, 2);
    app().g_milestoneRow = 3;
    auto* w = openDeliverables();
    app().g_taskRow = 4;
    app().g_actionRow = 5;
    app().g_progressRow = 6;
    pickRow(w, "FG1", 2, 4);
    EXPECT_EQ(app().g_currentDeliverableID, second);
    EXPECT_EQ(app().g_currentDeliverableName, QStringLiteral("Second"));
    EXPECT_EQ(app().g_deliverableStart, at(2024, 5, 1, 9));
    EXPECT_EQ(app().g_deliverableEnd, at(2024, 5, 9, 17));
    EXPECT_EQ(app().g_deliverableRow, 2);
    EXPECT_EQ(app().g_taskRow, 0);
    EXPECT_EQ(app().g_actionRow, 0);
    EXPECT_EQ(app().g_progressRow, 0);
    EXPECT_EQ(app().g_milestoneRow, 3); // not a level below a deliverable
    EXPECT_EQ(app().g_deliverableCount, 2);
}

TEST_F(DeliverablesEditorTest, ProjectLevelDecidesTheButtons) {
    app().g_cfgProjectAdmin = 1;
    app().g_taskAdminLevel = 2;
    addDeliverable(QStringLiteral("Listed"), 0, at(2024, 4, 1), at(2024, 4, 2));
    for (qint16 level : {0, 2, 3, 4, 5}) {
        app().g_projectAdminLevel = level;
        auto* w = openDeliverables();
        EXPECT_EQ(status(w, "btnEdit"), level > 2 ? 0 : 2) << level;
        EXPECT_EQ(status(w, "btnAdd"), level > 3 ? 0 : 2) << level;
        EXPECT_EQ(status(w, "btnDelete"), level > 3 ? 0 : 2) << level;
        ui::closeWindow(QStringLiteral("frmDeliverables"));
        QApplication::processEvents();
    }
    app().g_cfgProjectAdmin = 0;
    app().g_projectAdminLevel = 0;
    auto* w = openDeliverables();
    for (const char* b : {"btnAdd", "btnEdit", "btnDelete"})
        EXPECT_EQ(status(w, b), 0) << b;
}

TEST_F(DeliverablesEditorTest, NamesakesResolveByTheChosenEntryAndOthersRecordsAreRefused) {
    app().g_cfgOwnerAdmin = 1;
    const qint32 bobPat = addMember(bob, QStringLiteral("Pat Lee"));
    const qint32 annPat = addMember(ann, QStringLiteral("Pat Lee"));
    const qint32 theirs = addDeliverable(QStringLiteral("Theirs"), bobPat, at(2024, 4, 1), at(2024, 4, 2), 2, 1);
    auto* w = openDeliverables();
    auto* owner = child<QComboBox>(w, "ComboOwner");
    EXPECT_EQ(owner->currentIndex(), 0);

    // Ann names herself on Bob's deliverable: refused, nothing written.
    click(w, "btnEdit");
    owner->setCurrentIndex(1);
    text(w, "txtDeliverable", QStringLiteral("Mine now"));
    click(w, "btnOK");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("You do not have the rights to make changes to this Deliverable"));
    EXPECT_EQ(boxes.last().flags, ui::vbInformation);
    EXPECT_EQ(deliverable(theirs, "Deliverable").toString(), QStringLiteral("Theirs"));

    // A new one with the first "Pat Lee" (Bob) is refused; with the second (Ann) it is hers.
    click(w, "btnAdd");
    text(w, "txtDeliverable", QStringLiteral("New"));
    owner->setCurrentIndex(0);
    click(w, "btnOK");
    EXPECT_EQ(boxes.count(), 2);
    click(w, "btnAdd");
    text(w, "txtDeliverable", QStringLiteral("New"));
    type(w, "txtStartDate", QStringLiteral("01/04/2024"));
    type(w, "txtEndDate", QStringLiteral("02/04/2024"));
    owner->setCurrentIndex(1);
    click(w, "btnOK");
    EXPECT_EQ(boxes.count(), 2);
    EXPECT_EQ(count(QStringLiteral("ZORBEL_DELIVERABLES"), QStringLiteral("OwnerID = %1").arg(annPat)), 1);
    EXPECT_EQ(app().g_ownerUserID, ann);
}

TEST_F(DeliverablesEditorTest, UnderTheOwnerRuleAnUnownedDeliverableIsTakenOnlyByAnEditNamingTheUser) {
    app().g_cfgOwnerAdmin = 1;
    const qint32 annMember = addMember(ann, QStringLiteral("Ann Archer")); // listed first
    addMember(bob, QStringLiteral("Bob Baker"));
    // Stored without an owner, as the wizard saves every deliverable.
    const qint32 id = addDeliverable(QStringLiteral("Unowned"), 0, at(2024, 4, 1), at(2024, 4, 2));
    auto* w = openDeliverables();
    for (const auto& [button, owner] : {std::pair{"btnDelete", -1}, {"btnEdit", 1}, {"btnEdit", 0}}) {
        click(w, button);
        child<QComboBox>(w, "ComboOwner")->setCurrentIndex(owner);
        click(w, "btnOK");
    }
    EXPECT_EQ(boxes.prompts(), std::vector<QString>(2, QStringLiteral("You do not have the rights to make changes "
                                                                      "to this Deliverable")));
    EXPECT_EQ(deliverable(id, "OwnerID").toInt(), annMember);
}

TEST_F(DeliverablesEditorTest, WithoutATeamOpeningAndEachClickSaySoAndAnEditKeepsTheOwner) {
    const qint32 id = addDeliverable(QStringLiteral("Lonely"), 5, at(2024, 4, 1), at(2024, 4, 2));
    auto* w = openDeliverables();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("No Project Team"));
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("You have no Project Team for this Project\r\n"
                                                  "Without a Team you can not assign Owners to Items"));
    const QString noTeam = boxes.last().prompt;
    boxes.clear();
    // The row shown again after OK and Cancel was not picked: nothing more is said.
    click(w, "btnEdit");
    click(w, "btnOK");
    click(w, "btnEdit");
    click(w, "btnCancel");
    EXPECT_TRUE(boxes.empty()) << boxes.last().prompt.toStdString();
    EXPECT_EQ(deliverable(id, "OwnerID").toInt(), 5);
    pickRow(w, "FG1", 1, 4);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.last().prompt, noTeam);

    boxes.clear();
    app().g_cfgOwnerAdmin = 1; // no owner is nobody's
    click(w, "btnEdit");
    click(w, "btnOK");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.boxes()[0].title, QStringLiteral("Operation Cancelled"));
}

TEST_F(DeliverablesEditorTest, ARowWithoutCsfShowsUnticked) {
    addDeliverable(QStringLiteral("Ticked"), 0, at(2024, 4, 1), at(2024, 4, 2), 2, 1, 1);
    const qint32 bare = addDeliverable(QStringLiteral("Bare"), 0, at(2024, 4, 1), at(2024, 4, 2), 2, 2, 0);
    db().execute({QStringLiteral("UPDATE ZORBEL_DELIVERABLES SET CSF = NULL WHERE DeliverableID = ?"), {bare}});
    auto* w = openDeliverables();
    ASSERT_TRUE(child<QCheckBox>(w, "ChkCSF")->isChecked());
    pickRow(w, "FG1", 2, 4);
    EXPECT_FALSE(child<QCheckBox>(w, "ChkCSF")->isChecked());
}

TEST_F(DeliverablesEditorTest, AnEmptyListKeepsEditAndDeleteAwayAfterCancel) {
    app().g_currentProjectID = addProject(QStringLiteral("Empty"), ann, at(2024, 3, 1), at(2024, 6, 30));
    auto* w = openDeliverables();
    EXPECT_FALSE(child<controls::ctrlButton>(w, "btnEdit")->isVisible());
    click(w, "btnAdd");
    click(w, "btnCancel");
    EXPECT_TRUE(child<controls::ctrlButton>(w, "btnAdd")->isVisible());
    EXPECT_FALSE(child<controls::ctrlButton>(w, "btnEdit")->isVisible());
    EXPECT_FALSE(child<controls::ctrlButton>(w, "btnDelete")->isVisible());
}

TEST_F(DeliverablesEditorTest, TaskRightsGateTheListProjectRightsTheButtons) {
    app().g_cfgProjectAdmin = 1;
    app().g_projectAdminLevel = 4;
    app().g_taskAdminLevel = 1;
    addDeliverable(QStringLiteral("Hidden"), 0, at(2024, 4, 1), at(2024, 4, 2));
    auto* w = openDeliverables();
    EXPECT_EQ(grid(w, "FG1")->Rows(), 1);
    EXPECT_FALSE(shown(w, "FG1"));
    EXPECT_EQ(status(w, "btnAdd"), 0);
    EXPECT_EQ(status(w, "btnDelete"), 0);
    EXPECT_EQ(status(w, "btnEdit"), 0);
    ui::closeWindow(QStringLiteral("frmDeliverables"));

    app().g_taskAdminLevel = 2;
    app().g_projectAdminLevel = 3;
    w = openDeliverables();
    EXPECT_EQ(grid(w, "FG1")->Rows(), 2);
    EXPECT_EQ(status(w, "btnAdd"), 2);
    EXPECT_EQ(status(w, "btnEdit"), 0);
}

TEST_F(DeliverablesEditorTest, WithoutACurrentProjectAddIsRefusedWithoutACall) {
    app().g_currentProjectID = 0;
    auto* w = openDeliverables();
    EXPECT_EQ(app().g_deliverableCount, 0);
    click(w, "btnAdd");
    text(w, "txtDeliverable", QStringLiteral("Nowhere"));
    click(w, "btnOK");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Add Deliverable Failed"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("Update Failure)"));
    EXPECT_EQ(count(QStringLiteral("ZORBEL_DELIVERABLES")), 0);
}

TEST_F(DeliverablesEditorTest, MeasurePhaseHidesStatusButTheHiddenComboStillDecides) {
    app().g_navTool = 11;
    addMember(ann, QStringLiteral("Ann Archer"));
    const qint32 id = addDeliverable(QStringLiteral("Quiet"), 0, at(2024, 4, 1), at(2024, 4, 2), 9, 1);
    auto* w = openDeliverables();
    EXPECT_FALSE(shown(w, "ComboStatus"));
    EXPECT_FALSE(shown(w, "LEDStatus"));
    EXPECT_EQ(grid(w, "FG1")->ColWidth(1), 0);
    EXPECT_EQ(child<QComboBox>(w, "ComboStatus")->currentIndex(), -1); // status 9 is not listed
    EXPECT_EQ(child<QComboBox>(w, "ComboOwner")->currentIndex(), -1);  // owner 0 is nobody
    click(w, "btnEdit");
    click(w, "btnOK");
    EXPECT_EQ(deliverable(id, "StatusID").toInt(), 9);
    click(w, "btnEdit");
    child<QComboBox>(w, "ComboStatus")->setCurrentIndex(2);
    click(w, "btnOK");
    EXPECT_EQ(deliverable(id, "StatusID").toInt(), 3);
}

} // namespace
} // namespace zorbel::test
