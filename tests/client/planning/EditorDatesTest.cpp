// Dates typed into every editor and wizard page that saves them: read in the
// configured pattern or as ISO only, an end before its start refused with the
// user left as he was, and the project's dates compared by the day.

#include "platform/ui/Clock.h"
#include "tests/client/execution/ExecutionTestSupport.h"

namespace zorbel::test {
namespace {

class EditorDatesTest : public ExecutionTest {
protected:
    struct DatedEditor {
        const char* window;
        const char* table;
        const char* textColumn;
        const char* textBox;
        const char* startBox;
        const char* endBox; // nullptr: the record has one date
        const char* startColumn;
        const char* endColumn;
        bool asksStart; // the project-date questions the window asks
        bool asksEnd;
        // Opens the window with a new record begun; the record's text goes in afterwards.
        std::function<QWidget*()> beginAdding;
        const char* okButton = "btnOK";
    };

    // What a window shows while the user may still correct what he typed.
    static bool stillEntering(const DatedEditor& e, QWidget* w) {
        if (QLatin1String(e.window) == QLatin1String("frmAddProject"))
            return ui::isLoaded(QStringLiteral("frmAddProject")) && !ui::isLoaded(QStringLiteral("frmAddMilestones"));
        return shown(w, "btnOK");
    }

    // The dates stored for the record with this text; none when there is no such record.
    std::optional<std::pair<QDateTime, QDateTime>> storedDates(const DatedEditor& e, const QString& text) {
        const auto rs = db().query({QStringLiteral("SELECT %1, %2 FROM %3 WHERE %4 = ?")
                                        .arg(QLatin1String(e.startColumn), QLatin1String(e.endColumn),
                                             QLatin1String(e.table), QLatin1String(e.textColumn)),
                                    {text}});
        if (rs->RecordCount() == 0)
            return std::nullopt;
        return std::pair{planning::dateOf(rs->Fields(0)).value_or(QDateTime()),
                         planning::dateOf(rs->Fields(1)).value_or(QDateTime())};
    }

    QWidget* editorAdding(const char* window, int navTool) {
        QWidget* w = openWindow(window, navTool);
        click(w, "btnAdd");
        return w;
    }
    QWidget* pageAdding(const char* page) {
        QWidget* w = wizardPage(page);
        if (QLatin1String(page) != QLatin1String("frmAddProject"))
            click(w, "btnAdd");
        return w;
    }
};

TEST_F(EditorDatesTest, DatesReadOneWayAnEndBeforeItsStartIsRefusedAndTheProjectIsComparedByTheDay) {
    // The project was made at half past ten and ends at nine; it is eight on its first day.
    const QDateTime projectStart = at(2024, 3, 1, 10, 30);
    const QDateTime projectEnd = at(2024, 6, 30, 9, 0);
    const ui::ClockOverride clock(at(2024, 3, 1, 8, 0));
    const qint32 task = addTask(deliverable, QStringLiteral("Parent"), 9);
    const qint32 action = addAction(task, QStringLiteral("Doing"), 9);
    const DatedEditor editors[] = {
        {"frmProjects", "ZORBEL_PROJECTS", "Name", "txtName", "txtStart", "txtEnd", "StartDate", "EndDate", false,
         false, [&] { return editorAdding("frmProjects", shell::nav::AnalyseProjects); }},
        {"frmDeliverables", "ZORBEL_DELIVERABLES", "Deliverable", "txtDeliverable", "txtStartDate", "txtEndDate",
         "StartDate", "EndDate", true, true,
         [&] { return editorAdding("frmDeliverables", shell::nav::ImplementDeliverables); }},
        {"frmTasks", "ZORBEL_TASKS", "Description", "txtTask", "txtTaskStart", "txtTaskEnd", "StartDate", "EndDate",
         true, true, [&] { return editorAdding("frmTasks", shell::nav::ImplementTasks); }},
        {"frmActions", "ZORBEL_ACTIONS", "Description", "txtAction", "txtActionStart", "txtActionEnd", "StartDate",
         "EndDate", true, true,
         [&] {
             app().g_currentTaskID = task;
             return editorAdding("frmActions", shell::nav::ImplementActions);
         }},
        {"frmMilestones", "ZORBEL_MILESTONES", "Description", "txtMilestone", "txtDate", nullptr, "StartDate",
         "EndDate", false, true, [&] { return editorAdding("frmMilestones", shell::nav::ImplementMilestones); }},
        {"frmProgress", "ZORBEL_PROGRESS", "Description", "txtProgress", "txtProgressDate", nullptr, "ProgressDate",
         "ProgressDate", false, true,
         [&] {
             app().g_currentTaskID = task;
             app().g_currentActionID = action;
             return editorAdding("frmProgress", shell::nav::ImplementProgress);
         }},
        {"frmAddProject", "ZORBEL_PROJECTS", "Name", "txtName", "txtStartDate", "txtEndDate", "StartDate", "EndDate",
         false, false, [&] { return pageAdding("frmAddProject"); }, "btnNext"},
        {"frmAddDeliverables", "ZORBEL_DELIVERABLES", "Deliverable", "txtDeliverable", "txtStartDate", "txtEndDate",
         "StartDate", "EndDate", false, false, [&] { return pageAdding("frmAddDeliverables"); }},
    };
    const QString notADate = QStringLiteral("\"04/30/2024\" is not a date");
    const QString endBeforeStart = QStringLiteral("The End Date you have entered is before the Start Date");
    const struct {
        const char* what;
        const char* start;
        const char* end;
        const char* single; // typed into a record's one date box; nullptr: the case needs two boxes
        QString refusal;    // empty: saved
        QDateTime storedStart = {}, storedEnd = {}, storedSingle = {};
        bool outsideProject = false; // a day before its start, a day after its end
    } cases[] = {
        {"an end before its start", "05/04/2024", "01/04/2024", nullptr, endBeforeStart},
        {"a month-first date", "04/30/2024", "", "04/30/2024", notADate},
        {"ISO dates", "2024-04-02", "2024-04-12", "2024-04-02", {}, at(2024, 4, 2), at(2024, 4, 12), at(2024, 4, 2)},
        {"an end on its start's day, earlier in it", "", "01/03/2024", nullptr, {}, at(2024, 3, 1, 8, 0),
         at(2024, 3, 1)},
        {"an empty start on the project's first day", "", "", "", {}, at(2024, 3, 1, 8, 0), at(2024, 3, 2, 8, 0),
         at(2024, 3, 1, 8, 0)},
        {"the project's last day, later in it", "30/06/2024 17:00", "30/06/2024 17:00", "30/06/2024 17:00", {},
         at(2024, 6, 30, 17, 0), at(2024, 6, 30, 17, 0), at(2024, 6, 30, 17, 0)},
        {"a day outside the project", "29/02/2024", "01/07/2024", "01/07/2024", {}, at(2024, 2, 29), at(2024, 7, 1),
         at(2024, 7, 1), true},
    };

    int n = 0;
    for (const DatedEditor& e : editors) {
        for (const auto& c : cases) {
            const bool oneDate = e.endBox == nullptr;
            if (oneDate && !c.single)
                continue;
            SCOPED_TRACE(std::string(e.window) + ": " + c.what);
            ui::closeAllWindows();
            QApplication::processEvents();
            backToFixture();
            app().g_projectStart = projectStart;
            app().g_projectEnd = projectEnd;
            QWidget* w = e.beginAdding();
            ASSERT_NE(w, nullptr);
            const QString name = QStringLiteral("Dated %1").arg(++n);
            const QString start = QString::fromLatin1(oneDate ? c.single : c.start);
            const QString end = QString::fromLatin1(c.end);
            enter(w, e.textBox, name);
            type(w, e.startBox, start);
            if (!oneDate)
                type(w, e.endBox, end);
            boxes.clear();
            boxes.script({ui::vbNo, ui::vbNo});
            click(w, e.okButton);

            if (!c.refusal.isEmpty()) {
                EXPECT_EQ(boxes.count(), 1);
                EXPECT_EQ(boxes.empty() ? QString() : boxes.last().prompt, c.refusal);
                if (!boxes.empty() && c.refusal == endBeforeStart) {
                    EXPECT_EQ(boxes.last().title, QStringLiteral("Operation Cancelled"));
                    EXPECT_EQ(boxes.last().flags, ui::vbInformation);
                }
                // Still entering, with everything as typed; nothing stored.
                EXPECT_TRUE(stillEntering(e, w));
                EXPECT_EQ(child<QLineEdit>(w, e.startBox)->text(), start);
                if (!oneDate) {
                    EXPECT_EQ(child<QLineEdit>(w, e.endBox)->text(), end);
                }
                EXPECT_FALSE(storedDates(e, name));
                continue;
            }
            // A question only for a day outside the project, never for its own first or last day.
            const int questions = c.outsideProject ? (e.asksStart && !oneDate) + e.asksEnd : 0;
            EXPECT_EQ(boxes.count(), questions) << (boxes.empty() ? "" : boxes.last().prompt.toStdString());
            EXPECT_FALSE(stillEntering(e, w));
            const auto dates = storedDates(e, name);
            if (!dates) {
                ADD_FAILURE() << "not stored";
                continue;
            }
            EXPECT_EQ(dates->first, oneDate ? c.storedSingle : c.storedStart);
            EXPECT_EQ(dates->second, oneDate ? c.storedSingle : c.storedEnd);
        }
    }
}

} // namespace
} // namespace zorbel::test
