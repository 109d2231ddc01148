// The breakdown editors and the wizard's record pages driven through the
// clicks a user makes in a row, without Refresh: OK, Edit, Delete and Cancel
// must act on the record the window shows, and the rows stored say so.

#include "tests/client/execution/ExecutionTestSupport.h"

namespace zorbel::test {
namespace {

class EditorSequenceTest : public ExecutionTest {
protected:
    using Fields = std::vector<std::pair<const char*, QString>>;

    struct Editor {
        const char* window;
        const char* table;
        const char* idColumn;
        const char* textColumn;
        const char* textBox;
        const char* gridName;
        int textCol;        // the grid column that shows the text
        Fields addFields;   // typed after Add besides the text
        // Changed by the second of two edits; a wizard page has no Edit.
        const char* otherBox = nullptr;
        const char* otherColumn = nullptr;
        QString otherValue;
        // Makes "Alpha" and "Beta" under a current parent and opens the window.
        std::function<QWidget*()> open;
        // Stores "Astray" through the business layer, owned by the user's team
        // row where records have owners, dated as below. Wizard pages have none.
        std::function<void()> storeAstray = {};
        bool teamOwned = false;        // the owner rule lets the user delete it in another's project
        bool wizard() const { return otherBox == nullptr; }
    };
    static constexpr bool kTeamOwned = true;

    static std::string str(const QStringList& rows) { return rows.join(QStringLiteral(" | ")).toStdString(); }
    // Every row of the table as "id=text", in id order.
    QStringList rows(const Editor& e) {
        const auto rs = db().query({QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1")
                                        .arg(QLatin1String(e.idColumn), QLatin1String(e.textColumn),
                                             QLatin1String(e.table)),
                                    {}});
        QStringList out;
        for (int i = 0; i < rs->RecordCount(); ++i)
            out << rs->cell(i, 0).toString() + QLatin1Char('=') + rs->cell(i, 1).toString();
        return out;
    }
    QString storedOther(const Editor& e, const QString& text) {
        const auto rs = db().query({QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?")
                                        .arg(QLatin1String(e.otherColumn), QLatin1String(e.table),
                                             QLatin1String(e.textColumn)),
                                    {text}});
        if (rs->RecordCount() != 1)
            return QStringLiteral("%1 rows").arg(rs->RecordCount());
        const auto date = planning::dateOf(rs->Fields(0));
        return date ? date->toString(QStringLiteral("dd/MM/yyyy")) : rs->Fields(0).toString();
    }
    static void pickText(QWidget* w, const Editor& e, const QString& text) {
        pickRowShowing(w, e.gridName, e.textCol, text);
    }
    void addOnPage(QWidget* w, const char* box, const QString& text, const Fields& more) {
        click(w, "btnAdd");
        enter(w, box, text);
        for (const auto& [field, value] : more)
            enter(w, field, value);
        click(w, "btnOK");
    }
};

TEST_F(EditorSequenceTest, OKEditDeleteAndCancelActOnTheRecordShownWithoutRefresh) {
    // A record with two dates starts before the project and ends before its
    // own start; a record with one date lies after the project's end.
    const QString astray = QStringLiteral("Astray");
    const QDateTime early = at(2024, 2, 1), backwards = at(2024, 1, 15), late = at(2024, 7, 15);
    const Fields dated = {{"txtStartDate", QStringLiteral("02/04/2024")}, {"txtEndDate", QStringLiteral("03/04/2024")}};
    const Editor editors[] = {
        {"frmProjects", "ZORBEL_PROJECTS", "ProjectID", "Name", "txtName", "FGProjects", 2, {}, "txtWBS", "WBS",
         QStringLiteral("0"),
         [&] {
             addProject(QStringLiteral("Alpha"), ann, at(2024, 1, 1), at(2024, 2, 1), 2, 1, 2);
             addProject(QStringLiteral("Beta"), ann, at(2024, 1, 1), at(2024, 2, 1), 2, 2, 2);
             app().g_projectRow = 0;
             return openWindow("frmProjects", shell::nav::AnalyseProjects);
         },
         [&] { addProject(astray, ann, early, backwards, 2, 3, 2); }},
        {"frmMilestones", "ZORBEL_MILESTONES", "MilestoneID", "Description", "txtMilestone", "FGMilestones", 2,
         {{"txtDate", QStringLiteral("15/04/2024")}}, "txtDate", "StartDate", QStringLiteral("15/03/2024"),
         [&] {
             zorbel().AddMilestone(project, QStringLiteral("Alpha"), at(2024, 4, 1), at(2024, 4, 1), 3, 0);
             zorbel().AddMilestone(project, QStringLiteral("Beta"), at(2024, 5, 1), at(2024, 5, 1), 3, 0);
             app().g_milestoneRow = 0;
             return openWindow("frmMilestones", shell::nav::ImplementMilestones);
         },
         [&] { zorbel().AddMilestone(project, astray, late, late, 3, 0); }},
        {"frmDeliverables", "ZORBEL_DELIVERABLES", "DeliverableID", "Deliverable", "txtDeliverable", "FG1", 4,
         dated, "txtWBS", "WBS", QStringLiteral("0"),
         [&] {
             QString metric;
             zorbel().AddDeliverable(project, 2, QStringLiteral("Alpha"), metric, 0, at(2024, 4, 1), at(2024, 4, 2), 2, 0);
             zorbel().AddDeliverable(project, 2, QStringLiteral("Beta"), metric, 0, at(2024, 4, 1), at(2024, 4, 2), 3, 0);
             app().g_deliverableRow = 0;
             return openWindow("frmDeliverables", shell::nav::ImplementDeliverables);
         },
         [&] { QString m; zorbel().AddDeliverable(project, 2, astray, m, annMember, early, backwards, 3, 0); },
         kTeamOwned},
        {"frmTasks", "ZORBEL_TASKS", "TaskID", "Description", "txtTask", "FG1", 4,
         {{"txtTaskStart", QStringLiteral("02/04/2024")}, {"txtTaskEnd", QStringLiteral("03/04/2024")}}, "txtWBS",
         "WBS", QStringLiteral("0"),
         [&] {
             addTask(deliverable, QStringLiteral("Alpha"), 1);
             addTask(deliverable, QStringLiteral("Beta"), 2);
             app().g_taskRow = 0;
             return openWindow("frmTasks", shell::nav::ImplementTasks);
         },
         [&] { zorbel().AddTask(deliverable, 2, astray, annMember, early, backwards, 0, 3); },
         kTeamOwned},
        {"frmActions", "ZORBEL_ACTIONS", "ActionID", "Description", "txtAction", "FG1", 3,
         {{"txtActionStart", QStringLiteral("02/04/2024")}, {"txtActionEnd", QStringLiteral("03/04/2024")}},
         "txtWBS", "WBS", QStringLiteral("0"),
         [&] {
             app().g_currentTaskID = addTask(deliverable, QStringLiteral("Parent"), 9);
             addAction(app().g_currentTaskID, QStringLiteral("Alpha"), 1);
             addAction(app().g_currentTaskID, QStringLiteral("Beta"), 2);
             app().g_actionRow = 0;
             return openWindow("frmActions", shell::nav::ImplementActions);
         },
         [&] { zorbel().AddAction(app().g_currentTaskID, astray, early, backwards, 2, annMember, 3); },
         kTeamOwned},
        {"frmProgress", "ZORBEL_PROGRESS", "ProgressID", "Description", "txtProgress", "FG1", 3,
         {{"txtProgressDate", QStringLiteral("02/04/2024")}}, "txtWBS", "WBS", QStringLiteral("0"),
         [&] {
             app().g_currentTaskID = addTask(deliverable, QStringLiteral("Parent"), 9);
             app().g_currentActionID = addAction(app().g_currentTaskID, QStringLiteral("Doing"), 9);
             addProgress(app().g_currentActionID, QStringLiteral("Alpha"), 1);
             addProgress(app().g_currentActionID, QStringLiteral("Beta"), 2);
             app().g_progressRow = 0;
             return openWindow("frmProgress", shell::nav::ImplementProgress);
         },
         [&] { zorbel().AddProgress(app().g_currentActionID, late, astray, annMember, 3); },
         kTeamOwned},
        // The wizard's pages list only what they added; the new one sorts between the two by its date.
        {"frmAddMilestones", "ZORBEL_MILESTONES", "MilestoneID", "Description", "txtDescription", "FG1", 2,
         {{"txtDate", QStringLiteral("15/04/2024")}}, nullptr, nullptr, QString(),
         [&] {
             QWidget* w = wizardPage("frmAddMilestones");
             addOnPage(w, "txtDescription", QStringLiteral("Alpha"), {{"txtDate", QStringLiteral("01/04/2024")}});
             addOnPage(w, "txtDescription", QStringLiteral("Beta"), {{"txtDate", QStringLiteral("01/05/2024")}});
             return w;
         }},
        {"frmAddDeliverables", "ZORBEL_DELIVERABLES", "DeliverableID", "Deliverable", "txtDeliverable", "FG1", 3,
         dated, nullptr, nullptr, QString(),
         [&] {
             QWidget* w = wizardPage("frmAddDeliverables");
             addOnPage(w, "txtDeliverable", QStringLiteral("Alpha"), dated);
             addOnPage(w, "txtDeliverable", QStringLiteral("Beta"), dated);
             return w;
         }},
    };

    for (const Editor& e : editors) {
        SCOPED_TRACE(e.window);
        backToFixture();
        QWidget* w = e.open();
        ASSERT_NE(w, nullptr);
        const QStringList before = rows(e);
        boxes.clear();

        // Add, then Edit and Delete: only the new record changes, and then goes.
        pickText(w, e, QStringLiteral("Alpha"));
        addOnPage(w, e.textBox, QStringLiteral("Gamma"), e.addFields);
        const QStringList added = rows(e);
        ASSERT_EQ(added.size(), before.size() + 1);
        const QString gammaID = added.last().section(QLatin1Char('='), 0, 0);
        EXPECT_EQ(str(added.mid(0, before.size())), str(before));
        QString gamma = QStringLiteral("Gamma");
        if (!e.wizard()) {
            click(w, "btnEdit");
            enter(w, e.textBox, QStringLiteral("Gamma v2"));
            click(w, "btnOK");
            gamma = QStringLiteral("Gamma v2");
            EXPECT_EQ(str(rows(e)), str(QStringList(before) << gammaID + QStringLiteral("=Gamma v2")));
        }
        boxes.script(ui::vbYes);
        click(w, "btnDelete");
        click(w, "btnOK");
        const QString question = e.wizard() ? QStringLiteral("Do you want to delete ")
                                            : QStringLiteral("Are you sure you want to delete ");
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().prompt.toStdString(), (question + gamma).toStdString());
        EXPECT_EQ(str(rows(e)), str(before));

        if (!e.wizard()) {
            // Two edits of one record, another row clicked between them: both stay.
            pickText(w, e, QStringLiteral("Beta"));
            click(w, "btnEdit");
            enter(w, e.textBox, QStringLiteral("Beta v2"));
            click(w, "btnOK");
            pickText(w, e, QStringLiteral("Alpha"));
            pickText(w, e, QStringLiteral("Beta v2"));
            click(w, "btnEdit");
            enter(w, e.otherBox, e.otherValue);
            click(w, "btnOK");
            EXPECT_EQ(storedOther(e, QStringLiteral("Beta v2")).toStdString(), e.otherValue.toStdString());

            // Text abandoned by Cancel is not saved by the next Edit and OK.
            pickText(w, e, QStringLiteral("Alpha"));
            click(w, "btnEdit");
            enter(w, e.textBox, QStringLiteral("Abandoned"));
            click(w, "btnCancel");
            click(w, "btnEdit");
            click(w, "btnOK");
            EXPECT_EQ(count(QLatin1String(e.table),
                            QStringLiteral("%1 = 'Abandoned'").arg(QLatin1String(e.textColumn))),
                      0);
            EXPECT_EQ(count(QLatin1String(e.table), QStringLiteral("%1 = 'Alpha'").arg(QLatin1String(e.textColumn))),
                      1);
        }
        EXPECT_EQ(boxes.count(), 1) << (boxes.empty() ? std::string() : boxes.last().prompt.toStdString());

        // Delete types nothing and asks nothing but its confirmation: a record
        // stored backwards and outside the project goes, and the project's
        // dates stay, whoever deletes it: a question about them would take
        // the Yes meant for the confirmation and move them.
        const auto deleteAstray = [&] {
            boxes.clear();
            e.storeAstray();
            click(w, "btnRefresh");
            pickText(w, e, astray);
            boxes.script(ui::vbYes);
            click(w, "btnDelete");
            click(w, "btnOK");
            EXPECT_EQ(count(QLatin1String(e.table), QStringLiteral("%1 = 'Astray'").arg(QLatin1String(e.textColumn))),
                      0);
            for (const auto& [column, date] : {std::pair{"StartDate", at(2024, 3, 1)}, {"EndDate", at(2024, 6, 30)}})
                EXPECT_EQ(storedDate(QStringLiteral("ZORBEL_PROJECTS"), QLatin1String(column),
                                     QStringLiteral("ProjectID"), project), date) << column;
            ASSERT_EQ(boxes.count(), 1);
            EXPECT_EQ(boxes.last().prompt, QStringLiteral("Are you sure you want to delete Astray"));
        };
        if (e.teamOwned) {
            // The project is Bob's and the owner rule binds Ann.
            app().g_cfgOwnerAdmin = 1;
            app().g_projectOwnerID = bob;
            deleteAstray();
            app().g_cfgOwnerAdmin = 0;
        }
        if (e.storeAstray) {
            app().g_userAdministrator = 1;
            deleteAstray();
            app().g_userAdministrator = 0;
        }
        ui::closeAllWindows();
        QApplication::processEvents();
    }
}

} // namespace
} // namespace zorbel::test
