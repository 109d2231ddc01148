#include "tests/client/admin/DocumentTestSupport.h"

#include "client/admin/DocumentLinks.h"
#include "platform/ui/DesktopOpener.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <unistd.h>

namespace zorbel::test {
namespace {

class DocumentRegisterTest : public DocumentTest {
protected:
    QWidget* openRegister() { return open<QWidget>(QStringLiteral("frmDocument")); }
    static QString selected(QWidget* w) { return child<QPlainTextEdit>(w, "txtSelectedDocument")->toPlainText(); }
    QString makeFile(const QString& name, QFileDevice::Permissions permissions = QFileDevice::ReadOwner) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.setPermissions(permissions);
        return file.fileName();
    }
    // Delete asks nothing and Open launches nothing.
    void expectNothingToActOn(QWidget* w) {
        boxes.clear();
        const int launched = opened.count();
        click(w, "btnDelete");
        click(w, "btnOpen");
        EXPECT_EQ(boxes.prompts(),
                  std::vector<QString>{QStringLiteral("Document Open Failed - check Link : no document is selected")});
        EXPECT_EQ(opened.count(), launched);
    }
    QTemporaryDir folder;
    ui::DesktopOpenerRecorder opened;
};

TEST(DocumentLinks, SplitAtTheLastSlashOrElseTheLastBackslash) {
    const QStringList cases[] = {
        {"/srv/plans/plan.odt", "/srv/plans", "plan.odt"}, {"/plan.odt", "", "plan.odt"},
        {"C:\\Docs\\plan.doc", "C:\\Docs", "plan.doc"},    {"/srv/a\\b.txt", "/srv", "a\\b.txt"},
        {"plan.odt"}, {"/srv/share/"},
    };
    for (const QStringList& c : cases) {
        const auto parts = admin::splitLink(c[0]);
        const QStringList split = parts ? QStringList{c[0], parts->location, parts->name} : QStringList{c[0]};
        EXPECT_EQ(split, c);
    }
}

TEST(DocumentLinks, WhatTheDesktopWouldRunIsRefusedByItsNameOrItsContent) {
    QFile self(QCoreApplication::applicationFilePath()); // an ELF program: its header is enough
    ASSERT_TRUE(self.open(QIODevice::ReadOnly));
    const QByteArray elf = self.read(64);
    const QByteArray zip("PK\x03\x04\x14\x00\x00\x00", 8);
    const QByteArray ole("\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1", 8);
    const QByteArray entry("[Desktop Entry]\nType=Application\nExec=xterm\n");
    const QByteArray script("#!/bin/sh\nrm -rf ~\n");
    const struct {
        const char* name;
        QByteArray content;
        bool refused;
        QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    } samples[] = {
        {"notes.txt", "hello\n", false},         {"plan.odt", zip, false},
        {"sheet.xlsx", zip, false},                {"old.doc", ole, false},
        {"report.pdf", "%PDF-1.4\n", false},       {"photo.png", "\x89PNG\r\n\x1a\n", false},
        {"launcher.desktop", entry, true},         {"readme.txt", entry, true},
        {"tool.jar", zip, true},                   {"setup.exe", "MZ\x90\x00\x03", true},
        {"setup.msi", ole, true},                  {"invoice.pdf", "MZ\x90\x00\x03", true},
        {"run.bat", "echo off\n", true},          {"tidy.ps1", "Remove-Item C:\\\n", true},
        {"program", elf, true},                    {"holiday.jpg", elf, true},
        {"install.sh", script, true},              {"todo.txt", script, true},
        {"convert.py", "import os\n", true},
        {"run.sh", "echo\n", true, QFileDevice::ReadOwner | QFileDevice::ExeOwner},
    };
    QTemporaryDir folder;
    for (const auto& s : samples) {
        QFile file(folder.filePath(QString::fromLatin1(s.name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(s.content);
        file.close();
        file.setPermissions(s.permissions);
        const QString refusal = admin::openRefusal(file.fileName());
        EXPECT_EQ(refusal, s.refused ? file.fileName() + QStringLiteral(" is a program and is not opened") : QString())
            << s.name;
    }

    // A file its user cannot read is not handed over either (root reads everything).
    if (::geteuid() != 0) {
        QFile secret(folder.filePath(QStringLiteral("secret.txt")));
        ASSERT_TRUE(secret.open(QIODevice::WriteOnly));
        secret.close();
        secret.setPermissions(QFileDevice::WriteOwner);
        EXPECT_EQ(admin::openRefusal(secret.fileName()), secret.fileName() + QStringLiteral(" cannot be read"));
    }
}

TEST_F(DocumentRegisterTest, ListsTheProjectsDocumentsByNameWithTypeAndOwnerNames) {
    addDocument(QStringLiteral("/srv"), QStringLiteral("zeta.txt"), 3, bobTeam);
    addDocument(QStringLiteral("/srv"), QStringLiteral("alpha.txt"), 99, 9999); // type and owner unknown
    auto* w = openRegister();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Documents for Bridge"));
    auto* g = grid(w, "FG1");
    ASSERT_EQ(g->Rows(), 3);
    const QStringList rows[] = {{"", "Document", "Date", "Type", "Owner"},
                                {"/srv/alpha.txt", "alpha.txt", "02/04/2024", "-1", "-1"},
                                {"/srv/zeta.txt", "zeta.txt", "02/04/2024", "Report", "Bob Baker"}};
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ((QStringList{g->TextMatrix(r, 8), g->TextMatrix(r, 3), g->TextMatrix(r, 6), g->TextMatrix(r, 9),
                               g->TextMatrix(r, 10)}),
                  rows[r]);
    EXPECT_EQ(selected(w), QStringLiteral("alpha.txt"));
    pickRow(w, "FG1", 2, 3);
    EXPECT_EQ(selected(w), QStringLiteral("zeta.txt"));

    // A cancelled Add still reads the list again.
    addDocument(QStringLiteral("/srv"), QStringLiteral("beta.txt"));
    ui::ModalHook cancel([](QWidget& dialog) { click(&dialog, "btnCancel"); });
    click(w, "btnAdd");
    EXPECT_EQ(cancel.count(), 1);
    EXPECT_EQ(g->Rows(), 4);
    EXPECT_EQ(selected(w), QStringLiteral("zeta.txt")); // still the document shown, now on row 3
}

TEST_F(DocumentRegisterTest, OpenHandsOnlyAnExistingPlainFileByItsFullPathToTheDesktop) {
    const QString plain = makeFile(QStringLiteral("notes 1.txt"));
    const QString program = makeFile(QStringLiteral("run.sh"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QDir(folder.path()).mkdir(QStringLiteral("sub"));
    const QString in = folder.path();
    const struct {
        QString folder, name;
        bool desktopOpens;
        QString refusal; // the reason shown; empty when the file is handed on
    } cases[] = {
        {in, QStringLiteral("notes 1.txt"), true, {}},
        {in, QStringLiteral("gone.txt"), true, in + "/gone.txt does not exist"},
        {in, QStringLiteral("run.sh"), true, program + " is a program and is not opened"},
        {in, QStringLiteral("sub"), true, in + "/sub is not a file"},
        {QStringLiteral("relative"), QStringLiteral("notes.txt"), true, "\"relative/notes.txt\" is not a full path"},
        {in, QStringLiteral("notes 1.txt"), false, "the desktop could not open " + plain},
    };
    auto* w = openRegister();
    for (const auto& c : cases) {
        db().execute({QStringLiteral("DELETE FROM ZORBEL_DOCUMENTS"), {}});
        addDocument(c.folder, c.name);
        click(w, "btnRefresh");
        boxes.clear();
        opened.answer(c.desktopOpens);
        const int before = opened.count();
        click(w, "btnOpen");
        const bool handedOn = c.refusal.isEmpty() || !c.desktopOpens;
        EXPECT_EQ(opened.count(), before + (handedOn ? 1 : 0)) << c.name.toStdString();
        EXPECT_EQ(opened.paths().value(before), handedOn ? plain : QString());
        EXPECT_EQ(boxes.prompts(), c.refusal.isEmpty() ? std::vector<QString>{}
                                                       : std::vector<QString>{"Document Open Failed - check Link : "
                                                                              + c.refusal});
    }
}

TEST_F(DocumentRegisterTest, DeleteRemovesOnlyTheEntryAndLeavesNothingSelected) {
    const QString file = makeFile(QStringLiteral("plan.odt"));
    addDocument(folder.path(), QStringLiteral("plan.odt"));
    auto* w = openRegister();
    boxes.script({ui::vbNo, ui::vbYes});
    click(w, "btnDelete");
    EXPECT_EQ(count(QStringLiteral("ZORBEL_DOCUMENTS")), 1);
    click(w, "btnDelete");
    EXPECT_EQ(boxes.prompts(), std::vector<QString>(2, QStringLiteral("Are You sure you want to delete plan.odt")));
    EXPECT_EQ(count(QStringLiteral("ZORBEL_DOCUMENTS")), 0);
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(selected(w), QStringLiteral("No Documents Found - click Add to Add new one"));

    expectNothingToActOn(w);
    EXPECT_EQ(opened.count(), 0);
}

TEST_F(DocumentRegisterTest, AFailedReadLeavesNothingForDeleteOrOpenToActOn) {
    makeFile(QStringLiteral("plan.odt"));
    addDocument(folder.path(), QStringLiteral("plan.odt"));
    auto* w = openRegister();
    ASSERT_EQ(selected(w), QStringLiteral("plan.odt"));

    db().execute({QStringLiteral("ALTER TABLE ZORBEL_DOCUMENTS RENAME TO ZORBEL_DOCUMENTS_AWAY"), {}});
    click(w, "btnRefresh");
    db().execute({QStringLiteral("ALTER TABLE ZORBEL_DOCUMENTS_AWAY RENAME TO ZORBEL_DOCUMENTS"), {}});
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.last().prompt, QStringLiteral("Get Documents Failed in frmDocument"));

    // Still stored, but no longer listed: neither button may reach it.
    expectNothingToActOn(w);
    EXPECT_EQ(count(QStringLiteral("ZORBEL_DOCUMENTS")), 1);
}

} // namespace
} // namespace zorbel::test
