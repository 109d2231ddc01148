// "Add/Edit Issue", driven from the issue log: the status it needs, the dates
// it reads, the owner it takes, and what it does when a save is refused.

#include "platform/ui/Clock.h"
#include "tests/client/risks/IssueTestSupport.h"

namespace zorbel::test {
namespace {

class IssueDialogTest : public IssueTest {};

TEST_F(IssueDialogTest, OkNeedsAListedStatus) {
    auto* log = openLog();
    const struct {
        int index;         // -1: nothing picked
        const char* typed; // typed over the pick, when not null
        qint16 saved;      // the stored status; 0 when refused
    } cases[] = {{-1, nullptr, 0}, {-1, "Pending", 0}, {-1, "Closed", 1}, {3, nullptr, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : std::to_string(c.index));
        boxes.clear();
        db().execute({QStringLiteral("DELETE FROM ZORBEL_ISSUE_LOG"), {}});
        onDialog = [&](QWidget& d) {
            combo(&d, "ComboStatus")->setCurrentIndex(c.index);
            if (c.typed)
                combo(&d, "ComboStatus")->setEditText(QString::fromLatin1(c.typed));
            click(&d, "btnOK");
            EXPECT_EQ(ui::isLoaded(QStringLiteral("frmAddIssue")), c.saved == 0);
        };
        click(log, "btnAdd");
        EXPECT_EQ(app().g_dialogCancelled, c.saved == 0);
        EXPECT_EQ(boxes.prompts(), c.saved ? std::vector<QString>{} : std::vector<QString>{"Select the Issue Status"});
        ASSERT_EQ(count(QStringLiteral("ZORBEL_ISSUE_LOG")), c.saved ? 1 : 0);
        if (c.saved) {
            const qint32 id = lastID(QStringLiteral("ZORBEL_ISSUE_LOG"), QStringLiteral("IssueID"));
            EXPECT_EQ(issue(id, "StatusID").toInt(), c.saved);
            EXPECT_EQ(issue(id, "OwnerID").toInt(), -1); // other empty picks stay allowed
        }
    }
}

TEST_F(IssueDialogTest, ADayFirstDateIsReadAsTypedAndAnUntouchedOneKeepsItsTime) {
    const ui::ClockOverride clock(at(2024, 6, 1, 9, 30));
    const qint32 id = addIssue(build, QStringLiteral("R"), at(2024, 4, 2, 14, 45), 2);
    auto* log = openLog();
    const struct {
        const char* typed; // nullptr: the box left as shown
        QDateTime stored;  // invalid: refused
    } cases[] = {
        {nullptr, at(2024, 4, 2, 14, 45)},
        {"31/02/2024", QDateTime()},
        {"05/04/2024", at(2024, 4, 5)},
        {"", at(2024, 6, 1, 9, 30)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : "untouched");
        const QDateTime before = storedDate(QStringLiteral("ZORBEL_ISSUE_LOG"), QStringLiteral("IssueDate"),
                                            QStringLiteral("IssueID"), id);
        boxes.clear();
        onDialog = [&](QWidget& d) {
            EXPECT_EQ(child<QLineEdit>(&d, "txtIssueDate")->text(), before.toString(QStringLiteral("dd/MM/yyyy")));
            write(&d, "txtIssue", QStringLiteral("Touched"));
            if (c.typed)
                type(&d, "txtIssueDate", QString::fromLatin1(c.typed));
            click(&d, "btnOK");
            EXPECT_EQ(ui::isLoaded(QStringLiteral("frmAddIssue")), !c.stored.isValid());
        };
        click(log, "btnEdit");
        const QDateTime after = storedDate(QStringLiteral("ZORBEL_ISSUE_LOG"), QStringLiteral("IssueDate"),
                                           QStringLiteral("IssueID"), id);
        EXPECT_EQ(after, c.stored.isValid() ? c.stored : before);
        EXPECT_EQ(boxes.prompts(),
                  c.stored.isValid() ? std::vector<QString>{} : std::vector<QString>{"Invalid Issue Date"});
    }
}

TEST_F(IssueDialogTest, OwnerIsThePickedMemberEvenWhenTwoShareAName) {
    const qint32 bob = addContact(QStringLiteral("Bob"), QStringLiteral("Archer"));
    zorbel().AddTeamMember(bob, project, QStringLiteral("Ann Archer"), QStringLiteral("Bob"), QStringLiteral("Archer"));
    const qint32 second = lastID(QStringLiteral("ZORBEL_TEAM_TABLE"), QStringLiteral("TeamID"));
    const qint32 id = addIssue(build, QStringLiteral("R"), at(2024, 4, 2), 2, QStringLiteral("Issue"), second);
    auto* log = openLog();
    for (const int pick : {1, 0}) {
        SCOPED_TRACE(pick);
        onDialog = [&](QWidget& d) {
            // Shown by the stored member, not by the first of that name.
            EXPECT_EQ(combo(&d, "ComboOwner")->currentIndex(), 1);
            combo(&d, "ComboOwner")->setCurrentIndex(pick);
            click(&d, "btnOK");
        };
        click(log, "btnEdit");
        EXPECT_EQ(issue(id, "OwnerID").toInt(), pick == 1 ? second : annMember);
    }
}

TEST_F(IssueDialogTest, ARefusedSaveKeepsTheDialogOpenWithItsEntries) {
    const qint32 id = addIssue(build, QStringLiteral("R"), at(2024, 4, 2), 2);
    auto* log = openLog();
    onDialog = [&](QWidget& d) {
        zorbel().DeleteIssue(id); // someone else deletes it meanwhile
        write(&d, "txtIssue", QStringLiteral("Mine"));
        click(&d, "btnOK");
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().prompt, QStringLiteral("Update Issue Failed"));
        EXPECT_EQ(boxes.last().title, QStringLiteral("Update Failure)"));
        EXPECT_TRUE(ui::isLoaded(QStringLiteral("frmAddIssue")));
        EXPECT_EQ(child<QPlainTextEdit>(&d, "txtIssue")->toPlainText(), QStringLiteral("Mine"));
        EXPECT_TRUE(app().g_dialogCancelled);
    };
    click(log, "btnEdit");
    EXPECT_TRUE(app().g_dialogCancelled);
    EXPECT_EQ(count(QStringLiteral("ZORBEL_ISSUE_LOG")), 0);
}

} // namespace
} // namespace zorbel::test
