#include "tests/client/admin/DocumentTestSupport.h"

#include "client/admin/DocumentLinks.h"
#include "client/admin/frmDocument.h"
#include "platform/ui/DesktopOpener.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

namespace zorbel::test {
namespace {

using admin::frmDocument;

class DocumentRegisterTest : public DocumentTest {
protected:
    frmDocument* openRegister() { return open<frmDocument>(QStringLiteral("frmDocument")); }
    static QString selected(QWidget* w) { return child<QPlainTextEdit>(w, "txtSelectedDocument")->toPlainText(); }
    // A file of the temporary folder, made with the permissions given.
    QString makeFile(const QString& name, QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        file.setPermissions(permissions);
        return path;
    }
    QTemporaryDir folder;
    ui::DesktopOpenerRecorder opened;
};

TEST(DocumentLinks, SplitAtTheLastSlashOrElseTheLastBackslash) {
    const struct {
        const char* path;
        const char* location; // nullptr: no split
        const char* name;
    } cases[] = {
        {"/srv/share/plans/plan.odt", "/srv/share/plans", "plan.odt"},
        {"/plan.odt", "", "plan.odt"},
        {"C:\\Docs\\2024\\plan.doc", "C:\\Docs\\2024", "plan.doc"},
        {"/srv/a\\b.txt", "/srv", "a\\b.txt"}, // a backslash is a character of a Linux file name
        {"plan.odt", nullptr, nullptr},
        {"/srv/share/", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        const auto parts = admin::splitLink(QString::fromLatin1(c.path));
        ASSERT_EQ(parts.has_value(), c.location != nullptr) << c.path;
        if (parts) {
            EXPECT_EQ(parts->location, QString::fromLatin1(c.location)) << c.path;
            EXPECT_EQ(parts->name, QString::fromLatin1(c.name)) << c.path;
        }
    }
}

TEST_F(DocumentRegisterTest, ListsTheProjectsDocumentsByNameWithTypeAndOwnerNames) {
    addDocument(QStringLiteral("/srv"), QStringLiteral("zeta.txt"), 3, bobTeam);
    addDocument(QStringLiteral("/srv"), QStringLiteral("alpha.txt"), 99, 9999); // type and owner unknown
    const qint32 other = addProject(QStringLiteral("Other"), ann, at(2024, 1, 1), at(2024, 2, 1));
    zorbel().AddDocument(1, 0, QStringLiteral("theirs.txt"), QStringLiteral("/srv"), {}, at(2024, 1, 1), other,
                         QStringLiteral("/srv/theirs.txt"));
    auto* w = openRegister();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Documents for Bridge"));
    auto* g = grid(w, "FG1");
    ASSERT_EQ(g->Rows(), 3);
    ASSERT_EQ(g->Cols(), 11);
    const struct {
        int col;
        const char* header;
        const char* first;
        const char* second;
    } columns[] = {
        {3, "Document", "alpha.txt", "zeta.txt"}, {6, "Date", "02/04/2024", "02/04/2024"},
        {9, "Type", "-1", "Report"},              {10, "Owner", "-1", "Bob Baker"},
        {8, "", "/srv/alpha.txt", "/srv/zeta.txt"},
    };
    for (const auto& c : columns) {
        EXPECT_EQ(g->TextArray(c.col), QString::fromLatin1(c.header)) << c.col;
        EXPECT_EQ(g->TextMatrix(1, c.col), QString::fromLatin1(c.first)) << c.col;
        EXPECT_EQ(g->TextMatrix(2, c.col), QString::fromLatin1(c.second)) << c.col;
    }
    for (int hidden : {0, 1, 2, 4, 5, 7, 8})
        EXPECT_EQ(g->ColWidth(hidden), 0) << hidden;
    EXPECT_EQ(selected(w), QStringLiteral("alpha.txt"));
    pickRow(w, "FG1", 2, 3);
    EXPECT_EQ(selected(w), QStringLiteral("zeta.txt"));

    // A cancelled Add still reads the list again.
    addDocument(QStringLiteral("/srv"), QStringLiteral("beta.txt"));
    {
        ui::ModalHook cancel([](QWidget& dialog) { click(&dialog, "btnCancel"); });
        click(w, "btnAdd");
        EXPECT_EQ(cancel.shown(), QStringList{QStringLiteral("frmAddDocument")});
    }
    EXPECT_EQ(g->Rows(), 4);
}

TEST_F(DocumentRegisterTest, OpenHandsOnlyAnExistingPlainFileByItsFullPathToTheDesktop) {
    ASSERT_TRUE(folder.isValid());
    const QString plain = makeFile(QStringLiteral("notes 1.txt"));
    const QString program = makeFile(QStringLiteral("run.sh"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QDir(folder.path()).mkdir(QStringLiteral("sub"));
    const struct {
        QString folder;
        QString name;
        bool desktopOpens;
        QString refusal; // the reason shown; empty when the file is handed on
    } cases[] = {
        {folder.path(), QStringLiteral("notes 1.txt"), true, {}},
        {folder.path(), QStringLiteral("gone.txt"), true, folder.filePath(QStringLiteral("gone.txt")) + " does not exist"},
        {folder.path(), QStringLiteral("run.sh"), true, program + " is a program and is not opened"},
        {folder.path(), QStringLiteral("sub"), true, folder.filePath(QStringLiteral("sub")) + " is not a file"},
        {QStringLiteral("relative"), QStringLiteral("notes.txt"), true, "\"relative/notes.txt\" is not a full path"},
        {folder.path(), QStringLiteral("notes 1.txt"), false, "the desktop could not open " + plain},
    };
    auto* w = openRegister();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        db().execute({QStringLiteral("DELETE FROM ZORBEL_DOCUMENTS"), {}});
        addDocument(c.folder, c.name);
        click(w, "btnRefresh");
        boxes.clear();
        opened.answer(c.desktopOpens);
        const int before = opened.count();
        click(w, "btnOpen");
        if (c.refusal.isEmpty()) {
            EXPECT_TRUE(boxes.empty());
            ASSERT_EQ(opened.count(), before + 1);
            EXPECT_EQ(opened.paths().last(), plain);
        } else {
            ASSERT_EQ(boxes.count(), 1);
            EXPECT_EQ(boxes.last().prompt, QStringLiteral("Document Open Failed - check Link : ") + c.refusal);
            EXPECT_EQ(opened.count(), before + (c.desktopOpens ? 0 : 1));
        }
    }
}

TEST_F(DocumentRegisterTest, DeleteRemovesOnlyTheEntryAndLeavesNothingSelected) {
    ASSERT_TRUE(folder.isValid());
    const QString file = makeFile(QStringLiteral("plan.odt"));
    const qint32 id = addDocument(folder.path(), QStringLiteral("plan.odt"));
    auto* w = openRegister();

    boxes.script(ui::vbNo);
    click(w, "btnDelete");
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Are You sure you want to delete plan.odt"));
    EXPECT_EQ(boxes.last().flags, ui::vbYesNo);
    EXPECT_EQ(document(id, "Name").toString(), QStringLiteral("plan.odt"));

    boxes.script(ui::vbYes);
    click(w, "btnDelete");
    EXPECT_EQ(count(QStringLiteral("ZORBEL_DOCUMENTS")), 0);
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(grid(w, "FG1")->Rows(), 1);
    EXPECT_EQ(selected(w), QStringLiteral("No Documents Found - click Add to Add new one"));

    // Nothing listed: Delete asks nothing and Open launches nothing.
    boxes.clear();
    click(w, "btnDelete");
    EXPECT_TRUE(boxes.empty());
    click(w, "btnOpen");
    EXPECT_EQ(boxes.prompts(), std::vector<QString>{QStringLiteral("Document Open Failed - check Link : no document is selected")});
    EXPECT_EQ(opened.count(), 0);
}

TEST_F(DocumentRegisterTest, AddAndDeleteFollowTheProjectRightsLevel) {
    app().g_cfgProjectAdmin = 1;
    for (qint16 level : {3, 4}) {
        app().g_projectAdminLevel = level;
        auto* w = openRegister();
        for (const char* b : {"btnAdd", "btnDelete"})
            EXPECT_EQ(status(w, b), level > 3 ? 0 : 2) << level << b;
        for (const char* b : {"btnOpen", "btnRefresh"})
            EXPECT_EQ(status(w, b), 0) << level << b;
        ui::closeWindow(QStringLiteral("frmDocument"));
        QApplication::processEvents();
    }
}

} // namespace
} // namespace zorbel::test
