// zorbel_bench: fills a database with a large organisation through the
// business layer, then times every member of the project breakdown against
// the same statement run through the engine's own C interface.
//
// The direct statements below repeat the members' texts; a "ROWS DIFFER" mark
// on a line says that the two no longer run the same query.

#include "bench/BenchDataSource.h"
#include "bench/Direct.h"
#include "bench/Fill.h"
#include "bench/Options.h"
#include "bench/Timing.h"
#include "business/Schema.h"
#include "business/ZorbelClass.h"

#include <QCoreApplication>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <vector>

using namespace zorbel;
using namespace zorbel::bench;

namespace {

const QString kProjects = QStringLiteral(
    "SELECT ProjectID, Name, Reference, Description, OwnerID, StartDate, EndDate, StatusID, WBS, State "
    "FROM ZORBEL_PROJECTS");
const QString kMilestones = QStringLiteral(
    "SELECT MilestoneID, ProjectID, Description, StartDate, EndDate, StatusID, OwnerID From ZORBEL_MILESTONES");
const QString kDeliverables =
    QStringLiteral("SELECT DeliverableID, ProjectID, StatusID, Deliverable, Metric, OwnerID, StartDate, EndDate, "
                   "WBS, CSF From ZORBEL_DELIVERABLES");
const QString kTasks = QStringLiteral(
    "SELECT TaskID, DeliverableID, StatusID, Description, OwnerID, StartDate, EndDate, Dependency, WBS "
    "From ZORBEL_TASKS");
const QString kActions = QStringLiteral(
    "SELECT ActionID, TaskID, Description, StartDate, EndDate, StatusID, OwnerID, WBS From ZORBEL_ACTIONS");
const QString kProgress =
    QStringLiteral("SELECT ProgressID, ActionID, ProgressDate, Description, OwnerID, WBS From ZORBEL_PROGRESS");
const QString kContacts = QStringLiteral(
    "SELECT UserID, SurName, FirstName, Title, email, Company, Telephone, Mobile FROM ZORBEL_USER_TABLE");
const QString kProjectsByAdmin = QStringLiteral(
    "SELECT ZORBEL_PROJECTS.ProjectID, ZORBEL_PROJECTS.Name, ZORBEL_PROJECTS.Reference, "
    "ZORBEL_PROJECTS.Description, ZORBEL_PROJECTS.OwnerID, ZORBEL_PROJECTS.StartDate, "
    "ZORBEL_PROJECTS.EndDate, ZORBEL_PROJECTS.StatusID, ZORBEL_PROJECTS.WBS, "
    "ZORBEL_PROJECTS.State, ZORBEL_ADMIN_TABLE.MultiUserID, ZORBEL_ADMIN_TABLE.ProjectAdminLevel"
    " FROM ZORBEL_PROJECTS INNER JOIN ZORBEL_ADMIN_TABLE ON ZORBEL_PROJECTS.ProjectID = "
    "ZORBEL_ADMIN_TABLE.ProjectID"
    " WHERE (((ZORBEL_ADMIN_TABLE.MultiUserID)= ?) AND ((ZORBEL_ADMIN_TABLE.ProjectAdminLevel)>1))"
    " AND (State = ?) ORDER BY WBS NULLS FIRST, ZORBEL_PROJECTS.ProjectID, ZORBEL_ADMIN_TABLE.AdminID");

QDateTime dayOf(int offset) {
    return QDateTime(QDate(2025, 1, 1).addDays(offset), QTime(0, 0));
}

struct GetCase {
    QString member;
    std::function<data::RecordsetPtr(int k)> ours;
    QString sql;
    std::function<QVariantList(int k)> values;
};

struct WriteFamily {
    QString kind;
    std::function<qint32(int k)> add;
    QString insertSql;
    std::function<QVariantList(int k)> insertValues;
    std::function<qint32(qint32 id, int k)> update;
    QString updateSql;
    std::function<QVariantList(qint32 id, int k)> updateValues;
    std::function<qint32(qint32 id)> remove;
    QString deleteSql;
};

class Bench {
public:
    Bench(Direct* direct, int calls) : m_direct(direct), m_calls(calls) {}

    void get(const GetCase& c) {
        Line line{c.member, m_calls};
        // one call each first, so neither side pays for a cold cache
        c.ours(0);
        if (m_direct)
            m_direct->query(c.sql, c.values(0));
        timeInTurns(line, [&](int k) -> qint64 {
            auto rs = c.ours(k);
            return rs ? rs->RecordCount() : 0;
        }, directQuery(c));
        printLine(line);
        worstGet.note(line);
        if (line.oursRows >= kLongList * static_cast<qint64>(line.calls))
            worstLongList.note(line);
    }

    // The member, then every cell of its list made into a value, as a window
    // loading a grid does; the direct side reads every cell in any case.
    void getAndRead(const GetCase& c) {
        Line line{c.member + QStringLiteral(" read"), m_calls};
        qint64 valid = 0;
        timeInTurns(line, [&](int k) -> qint64 {
            auto rs = c.ours(k);
            for (int row = 0; rs && row < rs->RecordCount(); ++row)
                for (int col = 0; col < rs->FieldCount(); ++col)
                    valid += rs->cell(row, col).isValid();
            return rs ? rs->RecordCount() : 0;
        }, directQuery(c));
        printLine(line);
    }

    void write(const WriteFamily& f, const std::function<void(const std::vector<qint32>&, const std::vector<qint64>&)>&
                                         between = {}) {
        std::vector<qint32> ours;
        std::vector<qint64> direct;
        Line add{QStringLiteral("Add") + f.kind, m_calls};
        timeInTurns(add, [&](int k) -> qint64 {
            ours.push_back(f.add(k));
            return ours.back() > 0 ? 1 : 0;
        }, whenDirect([&](int k) -> qint64 {
            direct.push_back(m_direct->insert(f.insertSql, f.insertValues(k), f.kind + QStringLiteral("ID")));
            return direct.back() > 0 ? 1 : 0;
        }));
        printLine(add);

        Line update{QStringLiteral("Update") + f.kind, m_calls};
        timeInTurns(update, [&](int k) -> qint64 { return f.update(ours[k], k); }, whenDirect([&](int k) -> qint64 {
            return m_direct->execute(f.updateSql, f.updateValues(static_cast<qint32>(direct[k]), k));
        }));
        printLine(update);

        if (between)
            between(ours, direct);

        Line remove{QStringLiteral("Delete") + f.kind, m_calls};
        timeInTurns(remove, [&](int k) -> qint64 { return f.remove(ours[k]); }, whenDirect([&](int k) -> qint64 {
            return m_direct->execute(f.deleteSql, {static_cast<qint32>(direct[k])});
        }));
        printLine(remove);
        for (const Line* line : {&add, &update, &remove})
            worstWrite.note(*line);
    }

    // The direct side of a line, or nothing when there is no direct interface.
    std::function<qint64(int)> whenDirect(std::function<qint64(int)> call) const {
        return m_direct ? std::move(call) : std::function<qint64(int)>();
    }

    void printWorst() const {
        std::printf("\n");
        for (const Worst* worst : {&worstGet, &worstLongList, &worstWrite})
            worst->print();
    }

    // A list this long or longer counts as a long list.
    static constexpr qint64 kLongList = 1000;
    Worst worstGet{"Get"};
    Worst worstLongList{"long list"};
    Worst worstWrite{"Add, Update, Delete"};

    int calls() const { return m_calls; }
    Direct* direct() const { return m_direct; }

private:
    std::function<qint64(int)> directQuery(const GetCase& c) const {
        return whenDirect([this, &c](int k) -> qint64 { return m_direct->query(c.sql, c.values(k)); });
    }

    Direct* m_direct;
    int m_calls;
};

// The k-th of `calls` ids spread evenly over a list.
qint32 spread(const std::vector<qint32>& ids, int k, int calls) {
    if (ids.empty())
        return 0;
    return ids[static_cast<size_t>(k) * ids.size() / static_cast<size_t>(calls)];
}

int run(const Options& o) {
    BenchDataSource source(o);
    std::printf("engine: %s\n", qPrintable(source.describe()));

    int failures = 0;
    ZorbelClass z([&](const QString& text, int, const QString&) {
        if (++failures <= 5)
            std::fprintf(stderr, "message box: %s\n", qPrintable(text));
        return 1;
    });
    z.ConnectDSN(source.connectionString());
    schema::ensure(*z.connection()); // the database is always a fresh one

    const Organisation org = fill(z, o);
    const size_t total = org.projects.size() + org.milestones.size() + org.deliverables.size() + org.tasks.size()
                         + org.actions.size() + org.progress.size();
    std::printf("fill: %zu rows through the business layer and %d rights rows in %.1f s (%.0f rows/s)\n", total,
                org.rightsRows, org.seconds, org.seconds > 0 ? total / org.seconds : 0.0);
    std::printf("peak memory after fill: %.1f MiB\n", peakMemoryMiB());
    // Statistics for the planner, and on PostgreSQL the clean-up the server would
    // otherwise start by itself in the middle of the first timings.
    if (z.connection()->engine() == data::Engine::PostgreSQL) {
        z.connection()->execute({QStringLiteral("VACUUM ANALYZE"), {}});
        z.connection()->execute({QStringLiteral("CHECKPOINT"), {}});
    } else {
        z.connection()->execute({QStringLiteral("ANALYZE"), {}});
    }

    std::unique_ptr<Direct> direct;
    if (o.engine == QStringLiteral("sqlite")) {
        direct = openSqlite(source.directTarget());
        std::printf("direct: sqlite3 C interface on the same file\n");
    } else {
        direct = openPostgres(source.directTarget());
        std::printf("direct: libpq on the same database\n");
    }

    const int n = o.repeat;
    Bench bench(direct.get(), n);
    auto pick = [n](const std::vector<qint32>& ids, int k) { return spread(ids, k, n); };
    const qint16 states = 4;

    printHeader(direct != nullptr);
    const std::vector<GetCase> gets = {
        {"GetProjectStates", [&](int) { return z.GetProjectStates(); },
         "SELECT ProjectStateID, State From ZORBEL_PROJECT_STATE ORDER BY ProjectStateID", [](int) { return QVariantList{}; }},
        {"GetProjectStatus", [&](int) { return z.GetProjectStatus(); },
         "SELECT StatusID, Status, Description, Colour From ZORBEL_STATUS ORDER BY StatusID",
         [](int) { return QVariantList{}; }},
        {"GetProjects", [&](int k) { return z.GetProjects(static_cast<qint16>(1 + k % states)); },
         kProjects + " WHERE State = ? ORDER BY WBS NULLS FIRST, ProjectID ",
         [&](int k) { return QVariantList{1 + k % states}; }},
        {"GetProjects(id)", [&](int k) { return z.GetProjects(1, pick(org.projects, k)); },
         kProjects + " WHERE ProjectID = ?", [&](int k) { return QVariantList{pick(org.projects, k)}; }},
        {"GetProjectsByAdmin",
         [&](int k) { return z.GetProjectsByAdmin(static_cast<qint16>(1 + k % states), 1 + k % std::max(1, o.accounts)); },
         kProjectsByAdmin, [&](int k) { return QVariantList{1 + k % std::max(1, o.accounts), 1 + k % states}; }},
        {"GetAllProjects", [&](int) { return z.GetAllProjects(); }, kProjects + " ORDER BY WBS NULLS FIRST, ProjectID",
         [](int) { return QVariantList{}; }},
        {"GetMilestones", [&](int k) { return z.GetMilestones(pick(org.projects, k)); },
         kMilestones + " WHERE (ProjectID = ?) ORDER BY StartDate NULLS FIRST, MilestoneID",
         [&](int k) { return QVariantList{pick(org.projects, k)}; }},
        {"GetMilestones(id)", [&](int k) { return z.GetMilestones(0, pick(org.milestones, k)); },
         kMilestones + " WHERE (MilestoneID = ?)", [&](int k) { return QVariantList{pick(org.milestones, k)}; }},
        {"GetDeliverables", [&](int k) { return z.GetDeliverables(pick(org.projects, k)); },
         kDeliverables + " Where (ProjectID = ?) ORDER BY WBS NULLS FIRST, DeliverableID",
         [&](int k) { return QVariantList{pick(org.projects, k)}; }},
        {"GetDeliverables(id)", [&](int k) { return z.GetDeliverables(0, pick(org.deliverables, k)); },
         kDeliverables + " Where DeliverableID = ?", [&](int k) { return QVariantList{pick(org.deliverables, k)}; }},
        {"GetTasks", [&](int k) { return z.GetTasks(pick(org.deliverables, k)); },
         kTasks + " WHERE DeliverableID = ? ORDER BY WBS NULLS FIRST, TaskID",
         [&](int k) { return QVariantList{pick(org.deliverables, k)}; }},
        {"GetTasks(id)", [&](int k) { return z.GetTasks(0, pick(org.tasks, k)); }, kTasks + " WHERE TaskID = ?",
         [&](int k) { return QVariantList{pick(org.tasks, k)}; }},
        {"GetActions", [&](int k) { return z.GetActions(pick(org.tasks, k)); },
         kActions + " WHERE TaskID = ? ORDER BY WBS NULLS FIRST, ActionID",
         [&](int k) { return QVariantList{pick(org.tasks, k)}; }},
        {"GetActions(id)", [&](int k) { return z.GetActions(0, pick(org.actions, k)); },
         kActions + " WHERE ActionID = ?", [&](int k) { return QVariantList{pick(org.actions, k)}; }},
        {"GetProgress", [&](int k) { return z.GetProgress(pick(org.actions, k)); },
         kProgress + " WHERE ActionID = ? ORDER BY WBS NULLS FIRST, ProgressID",
         [&](int k) { return QVariantList{pick(org.actions, k)}; }},
        {"GetProgress(id)", [&](int k) { return z.GetProgress(0, pick(org.progress, k)); },
         kProgress + " WHERE ProgressID = ?", [&](int k) { return QVariantList{pick(org.progress, k)}; }},
        {"GetContacts", [&](int) { return z.GetContacts(0); }, kContacts + " ORDER BY SurName, UserID",
         [](int) { return QVariantList{}; }},
        {"GetContacts(id)", [&](int k) { return z.GetContacts(1, pick(org.contacts, k)); },
         kContacts + " WHERE UserID = ?", [&](int k) { return QVariantList{pick(org.contacts, k)}; }},
    };
    for (const GetCase& c : gets)
        bench.get(c);
    std::printf("\nwith every cell read (what a window loading its grid pays; not in the worst figures):\n");
    for (const GetCase& c : gets) {
        if (c.member == QStringLiteral("GetAllProjects") || c.member == QStringLiteral("GetContacts"))
            bench.getAndRead(c);
    }
    std::printf("\n");

    const QString text = QStringLiteral("Benchmark record written and rewritten");
    const std::vector<WriteFamily> writes = {
        {"Project",
         [&](int k) { return z.AddProject(text, "B", "B", 1, dayOf(k), dayOf(k + 9), 3, 500, 1); },
         "INSERT INTO ZORBEL_PROJECTS ( Name, Reference, Description, OwnerID, StartDate, EndDate, StatusID, WBS, "
         "State ) VALUES (?,?,?,?,?,?,?,?,?)",
         [&](int k) { return QVariantList{text, "B", "B", 1, dayOf(k), dayOf(k + 9), 3, 500, 1}; },
         [&](qint32 id, int k) { return z.UpdateProject(id, text, "C", "C", 2, dayOf(k), dayOf(k + 5), 4, 501, 2); },
         "UPDATE ZORBEL_PROJECTS SET Name = ?,Reference = ?,Description = ?,OwnerID = ?,StartDate = ?,EndDate = ?,"
         "StatusID = ?,WBS = ?,State = ? WHERE ProjectID = ?",
         [&](qint32 id, int k) { return QVariantList{text, "C", "C", 2, dayOf(k), dayOf(k + 5), 4, 501, 2, id}; },
         [&](qint32 id) { return z.DeleteProject(id); }, "DELETE FROM ZORBEL_PROJECTS  WHERE ProjectID = ?"},
        {"Milestone",
         [&](int k) { return z.AddMilestone(pick(org.projects, k), text, dayOf(k), dayOf(k + 1), 3, 2); },
         "INSERT INTO ZORBEL_MILESTONES ( ProjectID, Description, StartDate, EndDate, StatusID, OwnerID ) "
         "VALUES (?,?,?,?,?,?)",
         [&](int k) { return QVariantList{pick(org.projects, k), text, dayOf(k), dayOf(k + 1), 3, 2}; },
         [&](qint32 id, int k) { return z.UpdateMilestone(id, pick(org.projects, k), text, dayOf(k), dayOf(k + 2), 4, 3); },
         "UPDATE ZORBEL_MILESTONES SET ProjectID = ?,Description = ?,StartDate = ?,EndDate = ?,StatusID = ?,"
         "OwnerID = ? WHERE MilestoneID = ?",
         [&](qint32 id, int k) { return QVariantList{pick(org.projects, k), text, dayOf(k), dayOf(k + 2), 4, 3, id}; },
         [&](qint32 id) { return z.DeleteMilestone(id); }, "DELETE FROM ZORBEL_MILESTONES  WHERE MilestoneID = ?"},
        {"Deliverable",
         [&](int k) {
             QString metric = text;
             return z.AddDeliverable(pick(org.projects, k), 3, text, metric, 2, dayOf(k), dayOf(k + 30), 900, 1);
         },
         "INSERT INTO ZORBEL_DELIVERABLES ( ProjectID, StatusID, Deliverable, Metric, OwnerID, StartDate, EndDate, "
         "WBS, CSF ) VALUES (?,?,?,?,?,?,?,?,?)",
         [&](int k) { return QVariantList{pick(org.projects, k), 3, text, text, 2, dayOf(k), dayOf(k + 30), 900, 1}; },
         [&](qint32 id, int k) {
             return z.UpdateDeliverable(id, pick(org.projects, k), 4, text, text, 3, dayOf(k), dayOf(k + 31), 901, 0);
         },
         "UPDATE ZORBEL_DELIVERABLES SET ProjectID = ?,StatusID = ?,Deliverable = ?,Metric = ?,OwnerID = ?,"
         "StartDate = ?,EndDate = ?,WBS = ?,CSF = ? WHERE DeliverableID = ?",
         [&](qint32 id, int k) {
             return QVariantList{pick(org.projects, k), 4, text, text, 3, dayOf(k), dayOf(k + 31), 901, 0, id};
         },
         [&](qint32 id) { return z.DeleteDeliverable(id); }, "DELETE FROM ZORBEL_DELIVERABLES  WHERE DeliverableID = ?"},
        {"Task",
         [&](int k) { return z.AddTask(pick(org.deliverables, k), 3, text, 2, dayOf(k), dayOf(k + 4), 0, 900); },
         "INSERT INTO ZORBEL_TASKS ( DeliverableID, StatusID, Description, OwnerID, StartDate, EndDate, Dependency, "
         "WBS ) VALUES (?,?,?,?,?,?,?,?)",
         [&](int k) { return QVariantList{pick(org.deliverables, k), 3, text, 2, dayOf(k), dayOf(k + 4), 0, 900}; },
         [&](qint32 id, int k) {
             return z.UpdateTask(id, pick(org.deliverables, k), 4, text, 3, dayOf(k), dayOf(k + 5), 1, 901);
         },
         "UPDATE ZORBEL_TASKS SET DeliverableID = ?,StatusID = ?,Description = ?,OwnerID = ?,StartDate = ?,"
         "EndDate = ?,Dependency = ?,WBS = ? WHERE TaskID = ?",
         [&](qint32 id, int k) {
             return QVariantList{pick(org.deliverables, k), 4, text, 3, dayOf(k), dayOf(k + 5), 1, 901, id};
         },
         [&](qint32 id) { return z.DeleteTask(id); }, "DELETE FROM ZORBEL_TASKS  WHERE TaskID = ?"},
        {"Action",
         [&](int k) { return z.AddAction(pick(org.tasks, k), text, dayOf(k), dayOf(k + 1), 3, 2, 900); },
         "INSERT INTO ZORBEL_ACTIONS ( TaskID, StatusID, Description, OwnerID, StartDate, EndDate, WBS ) "
         "VALUES (?,?,?,?,?,?,?)",
         [&](int k) { return QVariantList{pick(org.tasks, k), 3, text, 2, dayOf(k), dayOf(k + 1), 900}; },
         [&](qint32 id, int k) { return z.UpdateAction(id, pick(org.tasks, k), text, dayOf(k), dayOf(k + 2), 4, 3, 901); },
         "UPDATE ZORBEL_ACTIONS SET TaskID = ?,StatusID = ?,Description = ?,OwnerID = ?,StartDate = ?,EndDate = ?,"
         "WBS = ? WHERE ActionID = ?",
         [&](qint32 id, int k) { return QVariantList{pick(org.tasks, k), 4, text, 3, dayOf(k), dayOf(k + 2), 901, id}; },
         [&](qint32 id) { return z.DeleteAction(id); }, "DELETE FROM ZORBEL_ACTIONS  WHERE ActionID = ?"},
        {"Progress",
         [&](int k) { return z.AddProgress(pick(org.actions, k), dayOf(k), text, 2, 900); },
         "INSERT INTO ZORBEL_PROGRESS ( ActionID, Description, OwnerID, ProgressDate, WBS ) VALUES (?,?,?,?,?)",
         [&](int k) { return QVariantList{pick(org.actions, k), text, 2, dayOf(k), 900}; },
         [&](qint32 id, int k) { return z.UpdateProgress(id, pick(org.actions, k), dayOf(k + 1), text, 3, 901); },
         "UPDATE ZORBEL_PROGRESS SET ActionID = ?,Description = ?,OwnerID = ?,ProgressDate = ?,WBS = ? "
         "WHERE ProgressID = ?",
         [&](qint32 id, int k) { return QVariantList{pick(org.actions, k), text, 3, dayOf(k + 1), 901, id}; },
         [&](qint32 id) { return z.DeleteProgress(id); }, "DELETE FROM ZORBEL_PROGRESS  WHERE ProgressID = ?"},
    };
    for (const WriteFamily& f : writes) {
        if (f.kind != QStringLiteral("Project")) {
            bench.write(f);
            continue;
        }
        bench.write(f, [&](const std::vector<qint32>& ours, const std::vector<qint64>& theirs) {
            Line line{QStringLiteral("UpdateProjectDates"), n};
            timeInTurns(line, [&](int k) -> qint64 {
                return z.UpdateProjectDates(ours[k], dayOf(k + 1), dayOf(k + 8));
            }, bench.whenDirect([&](int k) -> qint64 {
                return direct->execute(
                    QStringLiteral("UPDATE ZORBEL_PROJECTS SET StartDate = ?,EndDate = ? WHERE ProjectID = ?"),
                    {dayOf(k + 1), dayOf(k + 8), static_cast<qint32>(theirs[k])});
            }));
            printLine(line);
            bench.worstWrite.note(line);
        });
    }
    if (direct)
        bench.printWorst();

    std::printf("\npeak memory: %.1f MiB\n", peakMemoryMiB());
    if (failures > 0) {
        std::printf("%d member failures were reported (first ones on stderr)\n", failures);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const auto options = parseOptions(argc, argv);
    if (!options)
        return 2;
    try {
        return run(*options);
    } catch (const data::Error& e) {
        std::fprintf(stderr, "database error %d: %s\n", e.number(), qPrintable(e.description()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
    return 1;
}
