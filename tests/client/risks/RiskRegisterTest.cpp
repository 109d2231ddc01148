#include "tests/client/risks/RiskTestSupport.h"

#include "client/shell/frmNavigate.h"

namespace zorbel::test {
namespace {

class RiskRegisterTest : public RiskTest {};

TEST_F(RiskRegisterTest, ListsInTheChosenOrderWithColouredScores) {
    addRisk(QStringLiteral("Wind"), 2, 1, bobMember);
    addRisk(QStringLiteral("Rust"), 8, 0.5);
    addRisk(QStringLiteral("Strike"), 10, 0.1, 9999); // owner no longer in the team
    const qint32 blank = addRisk(QStringLiteral("Unscored"), 1, 1);
    db().execute({QStringLiteral("UPDATE ZORBEL_RISKS SET Probability = NULL, OwnerID = NULL, RiskType = NULL "
                             "WHERE RiskID = ?"),
              {blank}});
    addRisk(QStringLiteral("Task's own"), 9, 1, 0, 0);
    auto* reg = openRegister(shell::nav::AnalyseProjectRisks);
    EXPECT_EQ(reg->windowTitle(), QStringLiteral("Project Risks for Bridge"));
    auto* g = grid(reg, "FG1");
    ASSERT_EQ(g->Rows(), 5);
    const struct {
        const char* description;
        const char* value;
        QColor colour;
        const char* owner;
    } expected[] = {
        {"Rust", "4.", QColor(102, 154, 0), "Ann Archer"},
        {"Wind", "2.", QColor(51, 205, 0), "Bob Baker"},
        {"Strike", "1.", QColor(26, 230, 0), "-1"},
        {"Unscored", "", QColor(), ""},
    };
    // Where an unscored risk sorts is the engine's business; the scored ones keep their order.
    const int offset = g->TextMatrix(1, 4) == QLatin1String("Unscored") ? 1 : 0;
    for (int i = 0; i < 4; ++i) {
        const auto& e = expected[i];
        const int row = i < 3 ? i + 1 + offset : (offset ? 1 : 4);
        SCOPED_TRACE(e.description);
        EXPECT_EQ(g->TextMatrix(row, 4), QString::fromLatin1(e.description));
        EXPECT_EQ(g->TextMatrix(row, 1), QString::fromLatin1(e.value));
        EXPECT_EQ(g->CellBackColor(row, 1), e.colour);
        EXPECT_EQ(g->TextMatrix(row, 12), QString::fromLatin1(e.owner));
    }
    EXPECT_EQ(g->TextMatrix(1 + offset, 13), QStringLiteral("Technical"));
    EXPECT_EQ(app().g_currentRiskID, g->TextMatrix(1, 0).toInt());

    // Owner orders by the team rows' ids, not by the names shown.
    child<QComboBox>(reg, "ComboSort")->setCurrentIndex(2);
    QStringList byOwner;
    for (int row = 1; row < g->Rows(); ++row)
        if (!g->TextMatrix(row, 7).isEmpty())
            byOwner << g->TextMatrix(row, 4);
    EXPECT_EQ(byOwner, (QStringList{QStringLiteral("Rust"), QStringLiteral("Wind"), QStringLiteral("Strike")}));
}

TEST_F(RiskRegisterTest, EditingTwiceKeepsTheFirstChange) {
    const qint32 id = addRisk(QStringLiteral("Rust"), 8, 0.5);
    addRisk(QStringLiteral("Wind"), 1, 0.5);
    auto* reg = openRegister(shell::nav::ImplementProjectRisks);
    withDialog(reg, "btnEdit", [](QWidget& d) {
        EXPECT_EQ(child<QPlainTextEdit>(&d, "txtNote")->toPlainText(), QStringLiteral("note"));
        EXPECT_EQ(child<QComboBox>(&d, "ComboOwner")->currentText(), QStringLiteral("Ann Archer"));
        describe(d, QStringLiteral("Rust on the deck"));
        click(&d, "btnOK");
    });
    withDialog(reg, "btnEdit", [](QWidget& d) {
        EXPECT_EQ(child<QPlainTextEdit>(&d, "txtDescription")->toPlainText(), QStringLiteral("Rust on the deck"));
        type(&d, "txtImpactValue", QStringLiteral("9"));
        click(&d, "btnOK");
    });
    EXPECT_EQ(count(QStringLiteral("ZORBEL_RISKS")), 2);
    EXPECT_EQ(risk(id, "Description").toString(), QStringLiteral("Rust on the deck"));
    EXPECT_EQ(risk(id, "RiskLevel").toDouble(), 9.0);
    EXPECT_EQ(risk(id, "RiskNote").toString(), QStringLiteral("note"));
    EXPECT_EQ(grid(reg, "FG1")->TextMatrix(1, 1), QStringLiteral("4.5"));
}

TEST_F(RiskRegisterTest, DeleteAsksThenReadsTheListAgain) {
    addRisk(QStringLiteral("Rust"), 8, 0.5);
    const qint32 wind = addRisk(QStringLiteral("Wind"), 1, 0.5);
    auto* reg = openRegister(shell::nav::ImplementProjectRisks);
    boxes.script(ui::vbNo);
    click(reg, "btnDelete");
    ASSERT_FALSE(boxes.empty()) << "a delete";
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Do you want to delete Rust"));
    EXPECT_EQ(count(QStringLiteral("ZORBEL_RISKS")), 2);
    for (int left : {1, 0}) {
        boxes.script(ui::vbYes);
        click(reg, "btnDelete");
        EXPECT_EQ(count(QStringLiteral("ZORBEL_RISKS")), left);
        EXPECT_EQ(grid(reg, "FG1")->Rows(), left + 1);
    }
    EXPECT_EQ(risk(wind, "Description"), QVariant());
    EXPECT_FALSE(shown(reg, "btnEdit"));
    EXPECT_FALSE(shown(reg, "btnDelete"));
    EXPECT_EQ(app().g_currentRiskID, 0);
    EXPECT_TRUE(child<QPlainTextEdit>(reg, "txtRisk")->toPlainText().isEmpty());
}

TEST_F(RiskRegisterTest, AfterAnotherProjectIsPickedATaskOfTheFirstIsNeitherListedNorChanged) {
    const qint32 crack = addRisk(QStringLiteral("Crack"), 5, 0.5, 0, 0);
    const qint32 tunnel = addProject(QStringLiteral("Tunnel"), bob, at(2024, 1, 1), at(2024, 12, 31), 2, 2);
    zorbel().AddTeamMember(bob, tunnel, QStringLiteral("Bob Baker"), QStringLiteral("Bob"), QStringLiteral("Baker"));
    const auto pickProject = [](const QString& name) {
        pickRowShowing(ui::window(QStringLiteral("frmProjects")), "FGProjects", 2, name);
    };

    // Bridge's task made current through its editors, then Tunnel picked.
    app().g_navTool = shell::nav::AfterLogIn;
    ASSERT_TRUE(ui::showWindow(QStringLiteral("frmNavigate")));
    auto* nav = ui::windowAs<shell::frmNavigate>(QStringLiteral("frmNavigate"));
    nav->OpenNavigationItem(QString::number(shell::nav::ImplementProjects));
    pickProject(QStringLiteral("Bridge"));
    nav->OpenNavigationItem(QString::number(shell::nav::ImplementDeliverables));
    nav->OpenNavigationItem(QString::number(shell::nav::ImplementTasks));
    ASSERT_EQ(app().g_currentTaskID, task);
    nav->OpenNavigationItem(QString::number(shell::nav::ImplementProjects));
    pickProject(QStringLiteral("Tunnel"));
    ASSERT_EQ(app().g_currentProjectID, tunnel);
    nav->OpenNavigationItem(QString::number(shell::nav::ImplementTaskRisks));
    auto* reg = ui::windowAs<risks::frmRisks>(QStringLiteral("frmRisks"));
    ASSERT_NE(reg, nullptr);
    EXPECT_EQ(reg->windowTitle(), QStringLiteral("Task Risks for "));
    EXPECT_EQ(grid(reg, "FG1")->Rows(), 1);

    boxes.clear();
    boxes.script({ui::vbYes, ui::vbYes});
    {
        ui::ModalHook hook([](QWidget& d) { click(&d, "btnOK"); });
        click(reg, "btnAdd");
        reg->btnEdit_Click();
        reg->btnDelete_Click();
        EXPECT_EQ(hook.count(), 0);
    }
    // The dialog itself, shown at that level, escalates and saves nothing either.
    app().g_editMode = shell::kEdit;
    app().g_currentRiskID = crack;
    {
        ui::ModalHook hook([](QWidget& d) {
            click(&d, "btnEscalate");
            click(&d, "btnOK");
        });
        ASSERT_TRUE(ui::showModal(QStringLiteral("frmAddRisk")));
        EXPECT_EQ(hook.count(), 1);
    }
    EXPECT_TRUE(boxes.empty()) << boxes.last().prompt.toStdString();
    EXPECT_EQ(count(QStringLiteral("ZORBEL_RISKS")), 1);
    EXPECT_EQ((std::vector<int>{risk(crack, "TaskID").toInt(), risk(crack, "ProjectRisk").toInt(),
                                risk(crack, "OwnerID").toInt()}),
              (std::vector<int>{task, 0, annMember}));
}

} // namespace
} // namespace zorbel::test
