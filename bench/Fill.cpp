#include "bench/Fill.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace zorbel::bench {
namespace {

QDateTime dayOf(int offset) {
    return QDateTime(QDate(2024, 1, 1).addDays(offset), QTime(0, 0));
}

// The parent of child number i, and the child's WBS among that parent's children.
struct Place {
    qint32 parent;
    qint16 wbs;
};
Place placeOf(int i, const std::vector<qint32>& parents) {
    const int n = static_cast<int>(parents.size());
    return {parents[static_cast<size_t>(i % n)], static_cast<qint16>(i / n + 1)};
}

void keep(std::vector<qint32>& ids, qint32 id, const char* what) {
    if (id <= 0)
        throw std::runtime_error(std::string("filling failed at ") + what);
    ids.push_back(id);
}

// Rows a fill writes per transaction: one commit per row would time the
// server's commit, not the business layer.
constexpr int kRowsPerTransaction = 1000;

// Runs addOne for i = 0..count-1 in transactions of kRowsPerTransaction rows.
template <typename AddOne>
void inTransactions(ZorbelClass& z, int count, AddOne addOne) {
    for (int first = 0; first < count; first += kRowsPerTransaction) {
        data::Transaction transaction(*z.connection());
        for (int i = first; i < std::min(count, first + kRowsPerTransaction); ++i)
            addOne(i);
        transaction.commit();
    }
}

void report(const char* what, int count, const QElapsedTimer& timer) {
    const double s = timer.nsecsElapsed() / 1e9;
    std::printf("  %-22s %8d in %7.2f s (%.0f rows/s)\n", what, count, s, s > 0 ? count / s : 0.0);
    std::fflush(stdout);
}

template <typename AddOne>
void level(ZorbelClass& z, const char* what, int count, std::vector<qint32>& ids, AddOne addOne) {
    QElapsedTimer timer;
    timer.start();
    ids.reserve(static_cast<size_t>(count));
    inTransactions(z, count, [&](int i) { keep(ids, addOne(i), what); });
    report(what, count, timer);
}

} // namespace

Organisation fill(ZorbelClass& z, const Options& o) {
    Organisation org;
    QElapsedTimer timer;
    timer.start();
    std::printf("fill through the business layer:\n");

    level(z, "projects", o.projects, org.projects, [&](int i) {
        return z.AddProject(QStringLiteral("Project %1").arg(i), QStringLiteral("PRJ-%1").arg(i),
                            QStringLiteral("Benchmark project %1").arg(i), 1 + i % 50, dayOf(i % 300),
                            dayOf(i % 300 + 200), static_cast<qint16>(1 + i % 6), static_cast<qint16>(1 + i % 100),
                            static_cast<qint16>(1 + i % 4));
    });
    if (o.milestones > 0)
        level(z, "milestones", o.milestones, org.milestones, [&](int i) {
            const Place p = placeOf(i, org.projects);
            return z.AddMilestone(p.parent, QStringLiteral("Milestone %1").arg(i), dayOf((i * 37) % 400),
                                  dayOf((i * 37) % 400 + 1), static_cast<qint16>(1 + i % 6), 1 + i % 20);
        });
    if (o.deliverables > 0)
        level(z, "deliverables", o.deliverables, org.deliverables, [&](int i) {
            const Place p = placeOf(i, org.projects);
            QString metric = QStringLiteral("Accepted by the sponsor, measure %1").arg(i);
            return z.AddDeliverable(p.parent, static_cast<qint16>(1 + i % 6),
                                    QStringLiteral("Deliverable %1 of the project's plan").arg(i), metric, 1 + i % 20,
                                    dayOf(i % 300), dayOf(i % 300 + 60), p.wbs, static_cast<qint16>(i % 2));
        });
    if (o.tasks > 0 && !org.deliverables.empty())
        level(z, "tasks", o.tasks, org.tasks, [&](int i) {
            const Place p = placeOf(i, org.deliverables);
            return z.AddTask(p.parent, static_cast<qint16>(1 + i % 6),
                             QStringLiteral("Task %1: prepare, review and agree the work").arg(i), 1 + i % 20,
                             dayOf(i % 300), dayOf(i % 300 + 10), i > 0 && i % 3 == 0 ? org.tasks.back() : 0, p.wbs);
        });
    if (o.actions > 0 && !org.tasks.empty())
        level(z, "actions", o.actions, org.actions, [&](int i) {
            const Place p = placeOf(i, org.tasks);
            return z.AddAction(p.parent, QStringLiteral("Action %1: call, write up and send").arg(i), dayOf(i % 300),
                               dayOf(i % 300 + 2), static_cast<qint16>(1 + i % 6), 1 + i % 20, p.wbs);
        });
    if (o.progress > 0 && !org.actions.empty())
        level(z, "progress entries", o.progress, org.progress, [&](int i) {
            const Place p = placeOf(i, org.actions);
            return z.AddProgress(p.parent, dayOf(i % 300 + 1), QStringLiteral("Progress %1: done as agreed").arg(i),
                                 1 + i % 20, p.wbs);
        });

    // The address list: the one long list of the breakdown's windows. AddContact
    // hands back no key, so the keys are read afterwards.
    if (o.contacts > 0) {
        QElapsedTimer contacts;
        contacts.start();
        inTransactions(z, o.contacts, [&](int i) {
            if (z.AddContact(QStringLiteral("First%1").arg(i % 97), QStringLiteral("Surname %1").arg((i * 7919) % o.contacts),
                             QStringLiteral("Mx"), QStringLiteral("person%1@example.org").arg(i),
                             QStringLiteral("Company %1").arg(i % 300), QStringLiteral("01632 %1").arg(i, 6, 10, QChar(u'0')),
                             QStringLiteral("07700 %1").arg(i, 6, 10, QChar(u'0'))) != 1)
                throw std::runtime_error("filling failed at contacts");
        });
        auto keys = z.connection()->query({QStringLiteral("SELECT UserID FROM ZORBEL_USER_TABLE ORDER BY UserID"), {}});
        for (int i = 0; i < keys->RecordCount(); ++i)
            org.contacts.push_back(keys->cell(i, 0).toInt());
        report("contacts", o.contacts, contacts);
    }

    // Rights rows come straight from the database: they only feed GetProjectsByAdmin here.
    data::Transaction rights(*z.connection());
    for (int account = 1; account <= o.accounts; ++account) {
        for (size_t p = 0; p < org.projects.size(); ++p) {
            z.connection()->execute(
                {QStringLiteral("INSERT INTO ZORBEL_ADMIN_TABLE (MultiUserID, ProjectID, ProjectName, "
                                "ProjectAdminLevel, TaskAdminLevel, ActionAdminLevel, ProgressAdminLevel, "
                                "IssueAdminLevel) VALUES (?,?,?,?,4,4,4,4)"),
                 {account, org.projects[p], QStringLiteral("Project %1").arg(p),
                  static_cast<int>(1 + (p + static_cast<size_t>(account)) % 4)}});
            ++org.rightsRows;
        }
    }
    rights.commit();
    org.seconds = timer.nsecsElapsed() / 1e9;
    return org;
}

} // namespace zorbel::bench
