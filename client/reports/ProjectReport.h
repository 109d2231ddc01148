#pragma once
// The project report: the workbook that the report dialog writes for one
// project. "Project Info" and "Detail" always, "Milestones", "Deliverables",
// "Risks" and a day-by-day "Timeline" as the dialog's boxes ask, in that
// order, saved under the project's name and opened for the user.
//
// One ProjectReport is one run. It holds what the sheet writers share: the
// sheet being written (m_Sheet), the running row (m_Row), the WBS numbers of
// the levels being walked, the timeline's window and the Detail sheet's
// header-repeat flags, and the look-ups that turn ids into names. Each sheet
// writer lives in a file of its own and writes into m_Sheet; the Timeline and
// Detail walks make each deliverable, task, action and progress entry
// current (with its name and dates) and load the shared lists as they go, so
// afterwards the program's current selection is the last record visited.
//
// Failures: a writer shows its prefix followed by what went wrong and goes on
// with its next record; a list the business layer could not give counts as
// empty after one message; a missing look-up list is reported once per run
// and its names stay empty. A sheet that reaches the last row a sheet holds
// stops there with one message, never writing over a row, and the report
// goes on with its next sheet.

#include "client/reports/ReportRules.h"
#include "platform/data/Recordset.h"
#include "platform/ui/DateText.h"

#include <QDate>
#include <QSet>
#include <QString>
#include <array>
#include <functional>

namespace zorbel {
class ZorbelClass;
}
namespace zorbel::xl {
class Application;
class Range;
class Workbook;
class Worksheet;
} // namespace zorbel::xl

namespace zorbel::reports {

// What the report dialog asks for.
struct ReportRequest {
    qint32 projectID = 0;
    QString projectName;
    QString projectWBS;      // first element of every WBS chain
    bool team = true;        // the team block of the Project Info sheet
    SheetChoice sheets;
    QDate windowFirst;       // the timeline's first and last day
    QDate windowLast;
};

// Where a run spent its time in the business layer.
struct BusinessCalls {
    int count = 0;
    qint64 nanoseconds = 0;
};

class ProjectReport {
public:
    // contacts and statusList are the dialog's look-up lists, loaded when it opened.
    ProjectReport(ReportRequest request, data::RecordsetPtr contacts, data::RecordsetPtr statusList);
    ProjectReport(const ProjectReport&) = delete;
    ProjectReport& operator=(const ProjectReport&) = delete;

    // Writes the workbook, saves it and opens it for the user.
    void CreateWorkbook();
    // Writes the workbook into app without saving it; it opens on "Project
    // Info" with A2 selected. The program-wide SheetsInNewWorkbook is the
    // same afterwards as before, whatever failed.
    xl::Workbook& FillWorkbook(xl::Application& app);

    const BusinessCalls& businessCalls() const { return m_calls; }

    // The name of a project-team member (g_rsTeam) by TeamID, of a contact by
    // UserID ("First Surname"), and the status text at a position of the
    // status list (status n is its n-th row). Empty when there is none.
    QString LookupUserFullName(const QVariant& teamID);
    QString LookupContactName(const QVariant& userID);
    QString LookupStatusText(const QVariant& statusID);

    // The levels of a project's breakdown, as the walks go down them.
    enum Level { Deliverable, Task, Action, Progress, kLevels };

private:
    using Writer = void (ProjectReport::*)();
    struct SheetWriter {
        const char* name;
        Writer write;
        const char* prefix;
    };
    static const SheetWriter& writerOf(const QString& sheetName);
    void runWriter(const SheetWriter& writer);

    // Project Info
    void WriteProjectInfoSheet();
    void writeTeamBlock();
    // Milestones
    void WriteMilestonesSheet();
    // Deliverables
    void WriteDeliverablesSheet();
    void WriteDeliverableRows();
    // Risks
    void WriteRisksSheet();
    int WriteRiskHeader(int row, const QString& title);
    int WriteRiskRow(int row, data::Recordset& risks, const QString& label);
    // Detail (its column layout, deliverable header and row serve the Deliverables sheet too)
    void WriteDetailSheet();
    void applyDetailColumns();
    int WriteDetailLevel(Level level, qint32 parentID, int row);
    int writeDetailHeader(Level level, int row);
    int WriteDeliverableHeader(int row) { return writeDetailHeader(Deliverable, row); }
    void writeDeliverableRow(int row, const data::Recordset& deliverable, const QString& chain);
    void writeDetailRow(Level level, int row, const data::Recordset& record, qint32 deliverableID);
    // Timeline
    void WriteTimelineSheet();
    void WriteTimelineHeader();
    int WriteTimelineLevel(Level level, qint32 parentID, int row);
    void drawBar(int row, int colorIndex);

    // The walk shared by Timeline and Detail: a level's children of one
    // parent, loaded into the level's shared list, and a record made current.
    data::RecordsetPtr loadChildren(Level level, qint32 parentID, const QString& prefix);
    void makeCurrent(Level level, const data::Recordset& record);
    // The record's WBS kept for its children's chains, and its own chain.
    QString keepWBS(Level level, const data::Recordset& record);

    // Business calls go through here, to be counted and timed.
    data::RecordsetPtr fetch(const std::function<data::RecordsetPtr(ZorbelClass&)>& call);
    // A list the walk needs: empty, after one message, when it could not be read.
    data::RecordsetPtr listOf(const QString& prefix, const QString& what,
                              const std::function<data::RecordsetPtr(ZorbelClass&)>& call);
    // Tells once per run that a look-up list is missing.
    void reportMissingLookUp(const QString& what);

    // Runs one step of a writer: a failure of the spreadsheet layer is shown
    // after the prefix, and the writer goes on with its next step.
    void step(const QString& prefix, const std::function<void()>& work);
    // The row below `row` (or `by` rows below); a full sheet ends the sheet.
    int nextRow(int row, int by = 1) const;

    // Writes a database value, a formatted date or a text, only when there is one.
    void putValue(int row, int column, const QVariant& value);
    void putDate(int row, int column, const QVariant& value);
    void putText(int row, int column, const QString& text);
    QString formatDate(const QVariant& value) const;

    ReportRequest m_request;
    data::RecordsetPtr m_Contacts;
    data::RecordsetPtr m_StatusList;
    data::RecordsetPtr m_riskTypes;  // the Risks sheet's type names
    ui::DateFormatter m_excelDates;
    BusinessCalls m_calls;
    QSet<QString> m_reportedMissing;

    xl::Worksheet* m_Sheet = nullptr;
    int m_Row = 0;
    QString m_ProjectWBS;
    // The WBS of the record being written at each level (empty for none).
    std::array<QString, kLevels> m_levelWBS;
    // Detail: once a record of a level has had children, the level's header
    // is written again before each later record under the same parent.
    std::array<bool, kLevels> m_repeatHeader{};
    TimelineSpan m_Span;
};

} // namespace zorbel::reports
