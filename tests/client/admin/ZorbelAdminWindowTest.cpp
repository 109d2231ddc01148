#include "tests/client/admin/AdminTestSupport.h"

#include "client/admin/frmZorbelAdmin.h"

namespace zorbel::test {
namespace {

using admin::frmZorbelAdmin;

class ZorbelAdminWindowTest : public AdminWindowTest {
protected:
    void SetUp() override {
        AdminWindowTest::SetUp();
        const qint32 ann = addContact(QStringLiteral("Ann"), QStringLiteral("Archer"));
        alpha = addProject(QStringLiteral("Alpha"), ann, {}, {}, 2, 1);
        beta = addProject(QStringLiteral("Beta"), ann, {}, {}, 2, 2);
        user = addAccount(QStringLiteral("ann"), ann, 1);
        app().g_currentMultiUserID = user; // an administrator at work
    }
    frmZorbelAdmin* openAdmin() { return open<frmZorbelAdmin>(QStringLiteral("frmZorbelAdmin")); }
    QVariant rights(const char* column, const QString& where) {
        auto rs = db().query({QStringLiteral("SELECT ") + QLatin1String(column)
                                  + QStringLiteral(" FROM ZORBEL_ADMIN_TABLE WHERE ") + where,
                              {}});
        return rs->RecordCount() ? rs->Fields(0) : QVariant();
    }
    static int level(QWidget* w, const char* list) { return child<QComboBox>(w, list)->currentIndex(); }
    qint32 alpha = 0, beta = 0, user = 0;
};

TEST_F(ZorbelAdminWindowTest, RightsAreAddedOncePerProjectChangedAndDeleted) {
    auto* w = openAdmin();
    EXPECT_EQ(w->multiUserID(), user);
    EXPECT_EQ(grid(w, "FGProjects")->Rows(), 1);

    click(w, "btnAdd");
    EXPECT_TRUE(shown(w, "txtHelp"));
    EXPECT_FALSE(child(w, "ComboProjectAdmin")->isEnabled()); // until a project is picked
    pick(w, "ComboProjects", 1);
    EXPECT_TRUE(child(w, "ComboProjectAdmin")->isEnabled());
    pick(w, "ComboProjectAdmin", 3);
    pick(w, "ComboTaskAdmin", 2);
    click(w, "btnOK");
    const QString beta1 = QStringLiteral("ProjectID = %1").arg(beta);
    EXPECT_EQ(rights("ProjectName", beta1).toString(), QStringLiteral("Beta"));
    EXPECT_EQ(rights("ProjectAdminLevel", beta1).toInt(), 4);
    EXPECT_EQ(rights("TaskAdminLevel", beta1).toInt(), 3);
    EXPECT_EQ(rights("IssueAdminLevel", beta1).toInt(), 0); // no entry: None
    EXPECT_EQ(w->mode(), shell::kBrowse);

    click(w, "btnAdd");
    pick(w, "ComboProjects", 1);
    click(w, "btnOK");
    ASSERT_FALSE(boxes.empty()) << "rights added twice for one project";
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("This user already has Admin rights for this Project - use Edit"));
    EXPECT_EQ(w->mode(), shell::kAdd);
    click(w, "btnCancel");
    EXPECT_EQ(level(w, "ComboProjectAdmin"), 3);

    // The row added stays the one shown: two Edits without a click both change it.
    click(w, "btnAdd");
    pick(w, "ComboProjects", 0); // Alpha, listed after Beta's row
    click(w, "btnOK");
    for (const char* list : {"ComboTaskAdmin", "ComboIssueAdmin"}) {
        click(w, "btnEdit");
        pick(w, list, 0);
        click(w, "btnOK");
    }
    const QString alpha1 = QStringLiteral("ProjectID = %1").arg(alpha);
    EXPECT_EQ(rights("TaskAdminLevel", alpha1).toInt(), 1);
    EXPECT_EQ(rights("IssueAdminLevel", alpha1).toInt(), 1);
    EXPECT_EQ(rights("TaskAdminLevel", beta1).toInt(), 3);
    EXPECT_EQ(rights("IssueAdminLevel", beta1).toInt(), 0);
    EXPECT_EQ(count(QStringLiteral("ZORBEL_ADMIN_TABLE")), 2);

    click(w, "btnDelete");
    boxes.script(ui::vbYes);
    click(w, "btnOK");
    ASSERT_FALSE(boxes.empty()) << "a delete";
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Are you sure you want to delete Alpha Admin"));
    EXPECT_EQ(count(QStringLiteral("ZORBEL_ADMIN_TABLE")), 1);
    EXPECT_EQ(text(w, "txtProject"), QStringLiteral("Beta")); // the row in its place
}

TEST_F(ZorbelAdminWindowTest, AccountsWithoutRowsOrWithUnlistedProjectsNeverLoseOrBorrowAProject) {
    // A row whose project has gone, with a level no list has.
    const qint32 other = addAccount(QStringLiteral("bob"), 1);
    zorbel().AddUserAdmin(other, 999, QStringLiteral("Gone"), 99, 2, 0, 0, 0);
    app().g_editMode = shell::kAdd; // as another window left it
    auto* w = openAdmin();
    EXPECT_EQ(w->mode(), shell::kBrowse);
    EXPECT_EQ(w->adminID(), 0);
    for (auto button : {"btnEdit", "btnDelete"}) {
        click(w, button);
        EXPECT_EQ(w->mode(), shell::kBrowse) << button;
    }

    pickRow(w, "FG1", 2);
    EXPECT_EQ(text(w, "txtProject"), QStringLiteral("Gone"));
    EXPECT_EQ(level(w, "ComboProjectAdmin"), -1);
    EXPECT_EQ(level(w, "ComboTaskAdmin"), 1);
    click(w, "btnEdit");
    pick(w, "ComboIssueAdmin", 1);
    click(w, "btnOK");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(rights("ProjectID", QStringLiteral("MultiUserID = %1").arg(other)).toInt(), 999);
    EXPECT_EQ(rights("IssueAdminLevel", QStringLiteral("MultiUserID = %1").arg(other)).toInt(), 2);

    // The unlisted project stays with its row: an account picked next, without
    // rows, is neither given it by Add nor asked to delete a row it lacks.
    const std::pair<const char*, std::vector<QString>> switched[] = {
        {"btnAdd", {QStringLiteral("Select a User and a Project")}},
        {"btnDelete", {}},
    };
    for (const auto& [button, prompts] : switched) {
        pickRow(w, "FG1", 2);
        click(w, button);
        pickRow(w, "FG1", 1);
        boxes.clear();
        click(w, "btnOK"); // Yes to any question
        EXPECT_EQ(boxes.prompts(), prompts) << button;
        if (shown(w, "btnCancel"))
            click(w, "btnCancel");
    }
    EXPECT_EQ(count(QStringLiteral("ZORBEL_ADMIN_TABLE")), 1);
    boxes.clear();

    // Without any project there is nothing to give rights on.
    db().execute({QStringLiteral("DELETE FROM ZORBEL_PROJECTS"), {}});
    ui::closeWindow(QStringLiteral("frmZorbelAdmin"));
    w = openAdmin();
    click(w, "btnAdd");
    click(w, "btnOK");
    ASSERT_FALSE(boxes.empty()) << "OK without any project";
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Select a User and a Project"));
    EXPECT_EQ(count(QStringLiteral("ZORBEL_ADMIN_TABLE")), 1);
}

} // namespace
} // namespace zorbel::test
