#include "tests/client/risks/RiskTestSupport.h"

#include <QScrollBar>

namespace zorbel::test {
namespace {

class RiskDialogTest : public RiskTest {};

TEST_F(RiskDialogTest, AddSavesUnderTheProjectOrTheTaskWithItsLevelFlag) {
    const struct {
        int nav;
        const char* caption;
        int projectRisk;
    } levels[] = {{shell::nav::AnalyseProjectRisks, "Add Risk to Project: Bridge", 1},
                  {shell::nav::ImplementTaskRisks, "Add Risk to Task: Pour concrete", 0}};
    for (const auto& l : levels) {
        SCOPED_TRACE(l.caption);
        auto* reg = openRegister(l.nav);
        withDialog(reg, "btnAdd", [&](QWidget& d) {
            EXPECT_EQ(d.windowTitle(), QString::fromLatin1(l.caption));
            EXPECT_FALSE(shown(&d, "btnEscalate"));
            score(d, QStringLiteral("5"), QStringLiteral(".5"));
            EXPECT_EQ(scoreShown(d), QStringLiteral("2.5"));
            EXPECT_EQ(lamp(d), QColor(64, 192, 0));
            // Refused while typing, and no longer scored when the other bar moves.
            type(&d, "txtProbabilityValue", QStringLiteral("abc"));
            child<QScrollBar>(&d, "VSImpact")->setValue(40);
            EXPECT_EQ(child<QLineEdit>(&d, "txtImpactValue")->text(), QStringLiteral("6"));
            EXPECT_EQ(scoreShown(d), QStringLiteral("0.0"));
            EXPECT_EQ(lamp(d), QColor(64, 192, 0));
            type(&d, "txtProbabilityValue", QStringLiteral("0.75"));
            pick(d, "ComboOwner", 2);
            pick(d, "ComboRiskType", 3);
            describe(d, QStringLiteral("Flood"));
            click(&d, "btnOK");
        });
        EXPECT_EQ(boxes.prompts(), std::vector<QString>{QStringLiteral("Probability must be in the range 0 to 1")});
        boxes.clear();
        const qint32 id = lastID(QStringLiteral("ZORBEL_RISKS"), QStringLiteral("RiskID"));
        EXPECT_EQ(risk(id, "TaskID").toInt(), l.projectRisk ? project : task);
        EXPECT_EQ(risk(id, "ProjectRisk").toInt(), l.projectRisk);
        EXPECT_EQ(risk(id, "OwnerID").toInt(), bobMember);
        EXPECT_EQ(risk(id, "RiskType").toInt(), 3);
        EXPECT_EQ(risk(id, "RiskLevel").toDouble(), 6.0);
        EXPECT_EQ(risk(id, "Probability").toDouble(), 0.75);
        // The register shows it at once.
        ASSERT_EQ(grid(reg, "FG1")->Rows(), 2);
        EXPECT_EQ(grid(reg, "FG1")->TextMatrix(1, 1), QStringLiteral("4.5"));
    }
}

TEST_F(RiskDialogTest, OKRefusesAnyBoxOutOfRangeAndKeepsTheDialogOpen) {
    auto* reg = openRegister(shell::nav::ImplementProjectRisks);
    const struct {
        const char* level;
        const char* probability;
        const char* message; // nullptr: saved
    } entries[] = {
        {"11", "0.5", "Risk Value must be in the range 0 to 10"},
        {".", "0.5", "Risk Value must be in the range 0 to 10"},
        {"12", "2", "Risk Value must be in the range 0 to 10"}, // the first failing box speaks
        {"10", "1.01", "Probability must be in the range 0 to 1"},
        {"10", "", nullptr},
    };
    withDialog(reg, "btnAdd", [&](QWidget& d) {
        for (const auto& e : entries) {
            SCOPED_TRACE(e.level);
            score(d, QString::fromLatin1(e.level), QString::fromLatin1(e.probability));
            boxes.clear();
            click(&d, "btnOK");
            EXPECT_EQ(d.isVisible(), e.message != nullptr);
            if (e.message) {
                EXPECT_EQ(boxes.prompts(), std::vector<QString>{QString::fromLatin1(e.message)});
            }
        }
    });
    ASSERT_EQ(count(QStringLiteral("ZORBEL_RISKS")), 1);
    const qint32 id = lastID(QStringLiteral("ZORBEL_RISKS"), QStringLiteral("RiskID"));
    EXPECT_EQ(risk(id, "RiskLevel").toDouble(), 10.0);
    EXPECT_EQ(risk(id, "Probability").toDouble(), 0.0);
    // No owner and no type picked (the owner rule is off): both stored as -1.
    EXPECT_EQ(risk(id, "OwnerID").toInt(), -1);
    EXPECT_EQ(risk(id, "RiskType").toInt(), -1);
}

TEST_F(RiskDialogTest, EscalateChecksAsksAndRewritesTheRiskUnderTheProject) {
    const qint32 id = addRisk(QStringLiteral("Late cement"), 4, 0.5, 0, 0);
    auto* reg = openRegister(shell::nav::AnalyseTaskRisks);
    withDialog(reg, "btnEdit", [&](QWidget& d) {
        EXPECT_TRUE(shown(&d, "btnEscalate"));
        EXPECT_EQ(scoreShown(d), QStringLiteral("2."));
        type(&d, "txtImpactValue", QStringLiteral("11"));
        boxes.clear();
        click(&d, "btnEscalate"); // refused before any question
        EXPECT_EQ(boxes.prompts(), std::vector<QString>{QStringLiteral("Risk Value must be in the range 0 to 10")});
        type(&d, "txtImpactValue", QStringLiteral("6"));
        boxes.script(ui::vbNo);
        click(&d, "btnEscalate");
        ASSERT_GE(boxes.count(), 2) << "an escalation asked about";
        EXPECT_EQ(boxes.last().prompt, QStringLiteral("Are you sure you want to escalate this to Project Level?"));
        EXPECT_EQ(boxes.last().flags, ui::vbYesNo);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(risk(id, "ProjectRisk").toInt(), 0);
        boxes.script(ui::vbYes);
        click(&d, "btnEscalate");
    });
    EXPECT_EQ(risk(id, "TaskID").toInt(), project);
    EXPECT_EQ(risk(id, "ProjectRisk").toInt(), 1);
    EXPECT_EQ(risk(id, "RiskLevel").toDouble(), 6.0);
    EXPECT_EQ(app().g_editMode, shell::kEdit);
    EXPECT_EQ(count(QStringLiteral("ZORBEL_RISKS")), 1);
    // Gone from the task's register.
    EXPECT_EQ(grid(reg, "FG1")->Rows(), 1);
    EXPECT_FALSE(shown(reg, "btnEdit"));
}

TEST_F(RiskDialogTest, EscalateNeedsTheRightToAddProjectRisks) {
    // Task level Edit lets the user edit a task's risk; the project level decides its escalation.
    app().g_taskAdminLevel = 3;
    const struct {
        qint16 rightsOn, projectLevel;
        bool escalated;
    } cases[] = {{0, 0, true}, {1, 3, false}, {1, 4, true}};
    for (const auto& c : cases) {
        app().g_cfgProjectAdmin = c.rightsOn;
        app().g_projectAdminLevel = c.projectLevel;
        db().execute({QStringLiteral("DELETE FROM ZORBEL_RISKS"), {}});
        const qint32 id = addRisk(QStringLiteral("Late cement"), 4, 0.5, 0, 0);
        boxes.clear();
        withDialog(openRegister(shell::nav::AnalyseTaskRisks), "btnEdit", [&](QWidget& d) {
            boxes.script(c.escalated ? ui::vbYes : ui::vbOK);
            click(&d, "btnEscalate");
            if (!c.escalated)
                click(&d, "btnCancel");
        });
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().title, c.escalated ? QString() : QStringLiteral("Operation Cancelled"));
        EXPECT_EQ(risk(id, "ProjectRisk").toInt(), c.escalated ? 1 : 0) << c.projectLevel;
        EXPECT_EQ(risk(id, "TaskID").toInt(), c.escalated ? project : task);
    }
}

TEST_F(RiskDialogTest, OwnerRuleNeedsTheUserAsTheOwnerEnteredAndStored) {
    app().g_cfgOwnerAdmin = 1;
    const qint32 bobs = addRisk(QStringLiteral("Bob's"), 2, 0.5, bobMember);
    const struct {
        const char* button;
        int ownerEntry; // 0 none, 1 Ann, 2 Bob
        bool saved;
        const char* level = "1";
    } cases[] = {{"btnAdd", 0, false}, {"btnAdd", 2, false}, {"btnAdd", 1, true},
                 {"btnEdit", 1, false}, // naming herself does not hand Ann Bob's risk
                 {"btnEdit", 2, false, "11"}}; // refused for the owner before any box is judged
    auto* reg = openRegister(shell::nav::ImplementProjectRisks);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button + std::to_string(c.ownerEntry));
        const int before = count(QStringLiteral("ZORBEL_RISKS"));
        // Bob's risk sorts first; after Ann's add it is still the selected first row (2 x 0.5 > 0).
        withDialog(reg, c.button, [&](QWidget& d) {
            score(d, QString::fromLatin1(c.level), QStringLiteral("0.1"));
            pick(d, "ComboOwner", c.ownerEntry);
            boxes.clear();
            click(&d, "btnOK");
            EXPECT_FALSE(d.isVisible());
        });
        ASSERT_EQ(boxes.count(), c.saved ? 0 : 1);
        if (!c.saved) {
            EXPECT_EQ(boxes.last().prompt,
                      QStringLiteral("You do not have the rights to make changes to this Deliverable"));
            EXPECT_EQ(boxes.last().flags, ui::vbInformation);
            EXPECT_EQ(boxes.last().title, QStringLiteral("Operation Cancelled"));
        }
        EXPECT_EQ(count(QStringLiteral("ZORBEL_RISKS")), before + (c.saved ? 1 : 0)); // only an add saves here
    }
    EXPECT_EQ(risk(bobs, "OwnerID").toInt(), bobMember);
    EXPECT_EQ(risk(bobs, "RiskLevel").toDouble(), 2.0);
}

TEST_F(RiskDialogTest, OwnerIsThePickedMemberEvenWhenTwoShareAName) {
    const qint32 twin = addMember(ann, QStringLiteral("Bob Baker")); // listed after the first Bob Baker
    const qint32 id = addRisk(QStringLiteral("Twins"), 2, 0.5, twin);
    auto* reg = openRegister(shell::nav::ImplementProjectRisks);
    for (const int entry : {3, 2}) {
        SCOPED_TRACE(entry);
        withDialog(reg, "btnEdit", [&](QWidget& d) {
            // Shown by the stored member, not by the first of that name.
            EXPECT_EQ(child<QComboBox>(&d, "ComboOwner")->currentIndex(), 3);
            pick(d, "ComboOwner", entry);
            click(&d, "btnOK");
        });
        EXPECT_EQ(risk(id, "OwnerID").toInt(), entry == 3 ? twin : bobMember);
    }
}

TEST_F(RiskDialogTest, AFailedSaveReportsAndKeepsTheEntries) {
    const qint32 id = addRisk(QStringLiteral("Vanishing"), 3, 0.5);
    auto* reg = openRegister(shell::nav::ImplementProjectRisks);
    withDialog(reg, "btnEdit", [&](QWidget& d) {
        zorbel().DeleteRisk(id); // someone else deleted it meanwhile
        describe(d, QStringLiteral("Still here"));
        click(&d, "btnOK");
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().prompt, QStringLiteral("Update Risk Failed"));
        EXPECT_EQ(boxes.last().flags, ui::vbExclamation);
        EXPECT_EQ(boxes.last().title, QStringLiteral("Update Failure)"));
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(child<QPlainTextEdit>(&d, "txtDescription")->toPlainText(), QStringLiteral("Still here"));
        click(&d, "btnCancel");
    });
    EXPECT_EQ(count(QStringLiteral("ZORBEL_RISKS")), 0);
    EXPECT_EQ(grid(reg, "FG1")->Rows(), 1);
    EXPECT_EQ(app().g_currentRiskID, 0);

    // A new risk whose statement fails is reported the same way.
    withDialog(reg, "btnAdd", [&](QWidget& d) {
        db().execute({QStringLiteral("DROP TABLE ZORBEL_RISKS"), {}});
        describe(d, QStringLiteral("Unsaved"));
        boxes.clear();
        click(&d, "btnOK");
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes.last().prompt, QStringLiteral("Add Risk Failed"));
        EXPECT_TRUE(d.isVisible());
        click(&d, "btnCancel");
    });
}

} // namespace
} // namespace zorbel::test
