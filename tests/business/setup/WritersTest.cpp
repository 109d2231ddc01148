// Eight colleagues saving at once on the embedded data source that the
// set-up registers: every write is kept, none refused for a locked file.

#include "DataSource.h"

#include "business/Schema.h"
#include "business/ZorbelClass.h"
#include "tests/support/PrivateIni.h"

#include <QFileInfo>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

using namespace zorbel;

TEST(EightWriters, NoWriteIsRefusedOnTheDataSourceTheSetUpRegisters) {
    constexpr int kWriters = 8;
    constexpr int kRounds = 1000;
    test::PrivateIni ini; // the set-up registers its data source here
    ASSERT_TRUE(setup::registerSqliteDataSource(QStringLiteral("ZorbelWriters"),
                                                ini.path(QStringLiteral("data/zorbel5.db"))));

    // One business object and connection each, as on eight desks; each saves
    // a row and reads a list, often enough that a rollback journal with a 5 s
    // busy timeout refuses a few writes in nearly every run.
    std::vector<std::vector<QString>> messages(kWriters);
    std::vector<std::unique_ptr<ZorbelClass>> desks;
    for (int w = 0; w < kWriters; ++w) {
        desks.push_back(std::make_unique<ZorbelClass>([&messages, w](const QString& text, int, const QString&) {
            messages[static_cast<size_t>(w)].push_back(text);
            return 1;
        }));
        desks.back()->ConnectDSN(QStringLiteral("Data Source=ZorbelWriters;User ID=;Mode=ReadWrite"));
    }
    ASSERT_TRUE(schema::ensure(*desks.front()->connection()));

    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&desk = *desks[static_cast<size_t>(w)], w] {
            for (int round = 1; round <= kRounds; ++round) {
                desk.AddTeamMember(round, w + 1, QStringLiteral("Full"), QStringLiteral("First"),
                                   QStringLiteral("Writer %1").arg(w));
                desk.GetProjectStatus();
            }
        });
    }
    for (std::thread& writer : writers)
        writer.join();
    // the journal holds the same data as the file, and is as private
    const QFileInfo journal(ini.path(QStringLiteral("data/zorbel5.db-wal")));
    ASSERT_TRUE(journal.exists());
    EXPECT_EQ(journal.permissions() & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
              QFile::Permissions());

    for (int w = 0; w < kWriters; ++w) {
        const auto& seen = messages[static_cast<size_t>(w)];
        EXPECT_TRUE(seen.empty()) << "writer " << w << ": " << seen.size() << " refused, first: "
                                  << seen.front().toStdString();
        const RecordsetPtr team = desks.front()->GetProjectTeam(w + 1);
        ASSERT_NE(team, nullptr);
        EXPECT_EQ(team->RecordCount(), kRounds) << "writer " << w;
    }
}
