#include "client/reports/ProjectReport.h"

#include "client/reports/ReportLevels.h"
#include "client/shell/AppState.h"
#include "client/shell/Dates.h"
#include "client/shell/WorkbookSaving.h"
#include "platform/ui/MessageBox.h"
#include "platform/xlsx/Application.h"
#include "platform/xlsx/Constants.h"
#include "platform/xlsx/Error.h"

#include <QElapsedTimer>

namespace zorbel::reports {

using shell::state;

namespace {

const QString kCreatePrefix = QStringLiteral("XL Create Excel failed: ");

// Thrown when a sheet has no row left; ends that sheet, not the report.
struct SheetFull {};

// SheetsInNewWorkbook belongs to the whole program: whatever a run does with
// it, the next workbook of any writer starts from the value found.
class KeptSheetsSetting {
public:
    KeptSheetsSetting() : m_kept(xl::Application::SheetsInNewWorkbook()) {}
    ~KeptSheetsSetting() { xl::Application::setSheetsInNewWorkbook(m_kept); }
    KeptSheetsSetting(const KeptSheetsSetting&) = delete;
    KeptSheetsSetting& operator=(const KeptSheetsSetting&) = delete;

private:
    int m_kept;
};

const LevelSpec kLevels[] = {
    {QStringLiteral("deliverables"), QStringLiteral("Deliverable"), QStringLiteral("StartDate"),
     QStringLiteral("EndDate"), 37, QStringLiteral("XL Load Timeline(Deliverables) failed: "),
     QStringLiteral("XL Create Detail Sheet failed: ")},
    {QStringLiteral("tasks"), QStringLiteral("Description"), QStringLiteral("StartDate"), QStringLiteral("EndDate"),
     33, QStringLiteral("XL Load Timeline(Tasks) failed: "), QStringLiteral("XL Load Task detail failed: ")},
    {QStringLiteral("actions"), QStringLiteral("Description"), QStringLiteral("StartDate"), QStringLiteral("EndDate"),
     37, QStringLiteral("XL Load Timeline(Actions) failed: "), QStringLiteral("XL Load Action detail failed: ")},
    {QStringLiteral("progress entries"), QStringLiteral("Description"), QStringLiteral("ProgressDate"),
     QStringLiteral("ProgressDate"), 34, QStringLiteral("XL Load Timeline(Progress) failed: "),
     QStringLiteral("XL Load Progress detail failed: ")},
};

std::optional<qint64> idOf(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    bool ok = false;
    const qint64 id = value.toLongLong(&ok);
    return ok ? std::optional<qint64>(id) : std::nullopt;
}

// The row of a look-up list whose id (column 0) is `id`; none for no id.
const std::vector<QVariant>* rowWithID(const data::Recordset& list, const QVariant& id) {
    const auto wanted = idOf(id);
    if (!wanted)
        return nullptr;
    for (int i = 0; i < list.RecordCount(); ++i)
        if (idOf(list.row(i)[0]) == wanted)
            return &list.row(i);
    return nullptr;
}

} // namespace

const LevelSpec& levelSpec(ProjectReport::Level level) {
    return kLevels[level];
}

ProjectReport::ProjectReport(ReportRequest request, data::RecordsetPtr contacts, data::RecordsetPtr statusList)
    : m_request(std::move(request)),
      m_Contacts(std::move(contacts)),
      m_StatusList(std::move(statusList)),
      m_excelDates(state().g_excelDateFormat),
      m_ProjectWBS(m_request.projectWBS) {}

const ProjectReport::SheetWriter& ProjectReport::writerOf(const QString& sheetName) {
    static const SheetWriter writers[] = {
        {"Project Info", &ProjectReport::WriteProjectInfoSheet, "XL Create Info Sheet failed: "},
        {"Milestones", &ProjectReport::WriteMilestonesSheet, "XL Create Milestones failed: "},
        {"Deliverables", &ProjectReport::WriteDeliverablesSheet, "XL Create Deliverables failed: "},
        {"Risks", &ProjectReport::WriteRisksSheet, "XL Create Excel failed: "},
        {"Detail", &ProjectReport::WriteDetailSheet, "XL Create Detail Sheet failed: "},
        {"Timeline", &ProjectReport::WriteTimelineSheet, "XL Load Timeline failed: "},
    };
    for (const SheetWriter& w : writers)
        if (sheetName == QLatin1String(w.name))
            return w;
    return writers[0];
}

void ProjectReport::runWriter(const SheetWriter& writer) {
    const QString prefix = QString::fromLatin1(writer.prefix);
    try {
        (this->*writer.write)();
    } catch (const SheetFull&) {
        ui::MsgBox(prefix + QStringLiteral("The \"%1\" sheet is full: a sheet ends at row %2, "
                                           "and what did not fit there is left out.")
                                .arg(QLatin1String(writer.name))
                                .arg(xl::kMaxRows),
                   ui::vbOKOnly);
    } catch (const xl::Error& e) {
        ui::MsgBox(prefix + e.description(), ui::vbOKOnly);
    }
}

xl::Workbook& ProjectReport::FillWorkbook(xl::Application& app) {
    state().g_rsTeam = fetch([&](ZorbelClass& z) { return z.GetProjectTeam(m_request.projectID); });
    app.setVisible(true);

    const QStringList names = reportSheetNames(m_request.sheets);
    xl::Workbook* book = nullptr;
    {
        KeptSheetsSetting kept;
        xl::Application::setSheetsInNewWorkbook(int(names.size()));
        book = &app.Workbooks().Add();
    }
    for (int i = 0; i < names.size(); ++i)
        book->Sheets(i + 1).setName(names[i]);

    for (const QString& name : names) {
        m_Sheet = &book->Sheets(name);
        m_Sheet->Select();
        runWriter(writerOf(name));
    }

    m_Sheet = &book->Sheets(names.front());
    m_Sheet->Select();
    m_Sheet->Range(QStringLiteral("A2:A2")).Select();
    return *book;
}

void ProjectReport::CreateWorkbook() {
    xl::Application app;
    try {
        xl::Workbook& book = FillWorkbook(app);
        shell::saveWorkbook(book, m_request.projectName, kCreatePrefix);
    } catch (const xl::Error& e) {
        ui::MsgBox(kCreatePrefix + e.description(), ui::vbOKOnly);
    }
}

// ---- Look-ups

QString ProjectReport::LookupUserFullName(const QVariant& teamID) {
    const data::RecordsetPtr& team = state().g_rsTeam;
    if (!team) {
        reportMissingLookUp(QStringLiteral("project team"));
        return {};
    }
    const int name = team->FieldIndex(QStringLiteral("FullName"));
    const auto* row = rowWithID(*team, teamID);
    return row && name >= 0 ? (*row)[name].toString() : QString();
}

QString ProjectReport::LookupContactName(const QVariant& userID) {
    if (!m_Contacts) {
        reportMissingLookUp(QStringLiteral("contact"));
        return {};
    }
    const int first = m_Contacts->FieldIndex(QStringLiteral("FirstName"));
    const int sur = m_Contacts->FieldIndex(QStringLiteral("SurName"));
    const auto* row = rowWithID(*m_Contacts, userID);
    if (!row || first < 0 || sur < 0)
        return {};
    return (*row)[first].toString() + QLatin1Char(' ') + (*row)[sur].toString();
}

QString ProjectReport::LookupStatusText(const QVariant& statusID) {
    if (!m_StatusList) {
        reportMissingLookUp(QStringLiteral("status"));
        return {};
    }
    // Status n is the list's n-th row, whatever its id.
    const auto position = idOf(statusID);
    if (!position || *position < 1 || *position > m_StatusList->RecordCount() || m_StatusList->FieldCount() < 2)
        return {};
    return m_StatusList->row(int(*position - 1))[1].toString();
}

void ProjectReport::reportMissingLookUp(const QString& what) {
    if (m_reportedMissing.contains(what))
        return;
    m_reportedMissing.insert(what);
    ui::MsgBox(kCreatePrefix + QStringLiteral("the %1 list could not be read, so the report leaves its names empty")
                                   .arg(what),
               ui::vbOKOnly);
}

// ---- The walk

data::RecordsetPtr ProjectReport::loadChildren(Level level, qint32 parentID, const QString& prefix) {
    auto& s = state();
    const QString what = QStringLiteral("the list of ") + levelSpec(level).listName;
    switch (level) {
    case Deliverable:
        return s.g_rsDeliverables = listOf(prefix, what, [&](ZorbelClass& z) { return z.GetDeliverables(parentID); });
    case Task:
        return s.g_rsTasks = listOf(prefix, what, [&](ZorbelClass& z) { return z.GetTasks(parentID); });
    case Action:
        return s.g_rsActions = listOf(prefix, what, [&](ZorbelClass& z) { return z.GetActions(parentID); });
    default:
        return s.g_rsProgress = listOf(prefix, what, [&](ZorbelClass& z) { return z.GetProgress(parentID); });
    }
}

void ProjectReport::makeCurrent(Level level, const data::Recordset& record) {
    // The name and dates move with the id: a window opened after the report
    // must never show one record's name while it works on another's id.
    auto& s = state();
    const LevelSpec& spec = levelSpec(level);
    const qint32 id = record.Fields(0).toInt();
    const QString name = record.Fields(spec.nameField).toString();
    const QDateTime start = shell::dateOf(record.Fields(spec.startField)).value_or(QDateTime());
    const QDateTime end = shell::dateOf(record.Fields(spec.endField)).value_or(QDateTime());
    switch (level) {
    case Deliverable:
        s.g_currentDeliverableID = id;
        s.g_currentDeliverableName = name;
        s.g_deliverableStart = start;
        s.g_deliverableEnd = end;
        s.g_taskRow = s.g_actionRow = s.g_progressRow = 0;
        break;
    case Task:
        s.g_currentTaskID = id;
        s.g_currentTaskName = name;
        s.g_taskStart = start;
        s.g_taskEnd = end;
        s.g_actionRow = s.g_progressRow = 0;
        break;
    case Action:
        s.g_currentActionID = id;
        s.g_currentActionName = name;
        s.g_actionStart = start;
        s.g_actionEnd = end;
        s.g_progressRow = 0;
        break;
    default:
        s.g_currentProgressID = id;
        break;
    }
}

QString ProjectReport::keepWBS(Level level, const data::Recordset& record) {
    m_levelWBS[level] = wbsText(record.Fields(QStringLiteral("WBS")));
    switch (level) {
    case Deliverable: return wbsChain({m_ProjectWBS, m_levelWBS[Deliverable]});
    case Task: return wbsChain({m_ProjectWBS, m_levelWBS[Deliverable], m_levelWBS[Task]});
    case Action: return wbsChain({m_ProjectWBS, m_levelWBS[Deliverable], m_levelWBS[Task], m_levelWBS[Action]});
    default:
        return wbsChain(
            {m_ProjectWBS, m_levelWBS[Deliverable], m_levelWBS[Task], m_levelWBS[Action], m_levelWBS[Progress]});
    }
}

// ---- Helpers

data::RecordsetPtr ProjectReport::fetch(const std::function<data::RecordsetPtr(ZorbelClass&)>& call) {
    ZorbelClass* zorbel = state().g_zorbel.get();
    if (!zorbel)
        return nullptr;
    QElapsedTimer timer;
    timer.start();
    data::RecordsetPtr list = call(*zorbel);
    ++m_calls.count;
    m_calls.nanoseconds += timer.nsecsElapsed();
    return list;
}

data::RecordsetPtr ProjectReport::listOf(const QString& prefix, const QString& what,
                                         const std::function<data::RecordsetPtr(ZorbelClass&)>& call) {
    if (data::RecordsetPtr list = fetch(call))
        return list;
    ui::MsgBox(prefix + what + QStringLiteral(" could not be read"), ui::vbOKOnly);
    return std::make_shared<data::Recordset>(QStringList{}, std::vector<std::vector<QVariant>>{});
}

void ProjectReport::step(const QString& prefix, const std::function<void()>& work) {
    try {
        work();
    } catch (const xl::Error& e) {
        ui::MsgBox(prefix + e.description(), ui::vbOKOnly);
    }
}

int ProjectReport::nextRow(int row, int by) const {
    if (row > xl::kMaxRows - by)
        throw SheetFull{};
    return row + by;
}

void ProjectReport::putValue(int row, int column, const QVariant& value) {
    if (!value.isNull())
        m_Sheet->Cells(row, column).setValue(value);
}

void ProjectReport::putDate(int row, int column, const QVariant& value) {
    const QString text = formatDate(value);
    if (!text.isEmpty())
        m_Sheet->Cells(row, column).setValue(text);
}

void ProjectReport::putText(int row, int column, const QString& text) {
    if (!text.isEmpty())
        m_Sheet->Cells(row, column).setValue(text);
}

QString ProjectReport::formatDate(const QVariant& value) const {
    const auto date = shell::dateOf(value);
    return date ? m_excelDates.format(*date) : QString();
}

} // namespace zorbel::reports
