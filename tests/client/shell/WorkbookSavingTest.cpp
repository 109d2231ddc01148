// Saving a workbook: where it goes, when a file is replaced, what a failed
// save offers, and how the file reaches the user.

#include "client/shell/WorkbookSaving.h"
#include "platform/ui/DesktopOpener.h"
#include "platform/ui/FileChooser.h"
#include "platform/ui/MessageBox.h"
#include "platform/xlsx/Workbook.h"
#include "tests/client/OutputFolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace zorbel::test {
namespace {

const QByteArray kOldContent("the user's old file");

// What stands in the output folder under the workbook's name beforehand.
enum class Before { Nothing, OldFile, Folder };

struct SaveCase {
    const char* name;
    Before before;
    std::vector<int> answers;                      // to the message boxes, in order
    std::vector<std::optional<QString>> choices;   // the chooser's answers, relative to the folder; nullopt cancels
    bool desktopOpens;
    bool saved;
    QString savedAs;                               // relative to the folder; empty when nothing was saved
    int boxes;
    int chooserRequests;
    QString danglingLink = {};                     // relative to the folder: a link to nothing stands there beforehand
};

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(WorkbookSaving, ReplacesOnlyAfterYesAndOffersSaveAsUntilSavedOrCancelled) {
    const QString title = QStringLiteral("01/02/2026 Report: Alpha");
    const QString fileName = QStringLiteral("01-02-2026 Report- Alpha.xlsx");
    const QString other = QStringLiteral("other.xlsx");
    const QString typedAsXls = QStringLiteral("01-02-2026 Report- Alpha.xls");
    const QString unreachable = QStringLiteral("missing/folder/x.xlsx");
    const QString link = QStringLiteral("link.xlsx");
    const SaveCase cases[] = {
        {"new file", Before::Nothing, {}, {}, true, true, fileName, 0, 0},
        {"replace after yes", Before::OldFile, {ui::vbYes}, {}, true, true, fileName, 1, 0},
        {"no keeps the old file, chooser cancelled", Before::OldFile, {ui::vbNo}, {std::nullopt}, true, false, {}, 1, 1},
        {"no, then saved elsewhere", Before::OldFile, {ui::vbNo}, {other}, true, true, other, 1, 1},
        {"a name typed without a suffix gets one", Before::OldFile, {ui::vbNo}, {QStringLiteral("other")}, true, true,
         other, 1, 1},
        {"another suffix gets .xlsx in its place", Before::OldFile, {ui::vbNo}, {QStringLiteral("other.xls")}, true,
         true, other, 1, 1},
        {"a dotted name keeps every part", Before::OldFile, {ui::vbNo}, {QStringLiteral("Acme Inc.Plan")}, true, true,
         QStringLiteral("Acme Inc.Plan.xlsx"), 1, 1},
        {"another suffix naming the old file asks again; No, then cancelled", Before::OldFile, {ui::vbNo, ui::vbNo},
         {typedAsXls, std::nullopt}, true, false, {}, 2, 2},
        {"another suffix naming the old file replaces it after Yes", Before::OldFile, {ui::vbNo, ui::vbYes},
         {typedAsXls}, true, true, fileName, 2, 1},
        {"failed save, failed again, then cancelled", Before::Folder, {ui::vbYes}, {unreachable, std::nullopt}, true,
         false, {}, 3, 2},
        {"failed save, then saved elsewhere", Before::Folder, {ui::vbYes}, {other}, true, true, other, 2, 1},
        {"saved but the desktop cannot open it", Before::Nothing, {}, {}, false, true, fileName, 1, 0},
        // The chooser stands in for the dialog, which asks about a file it finds at the name typed.
        {"the file at the name chosen is not asked about twice", Before::OldFile, {ui::vbNo}, {fileName}, true, true,
         fileName, 1, 1},
        {"a link to nothing at the folder's name is asked about; No keeps it", Before::Nothing, {ui::vbNo},
         {std::nullopt}, true, false, {}, 1, 1, fileName},
        {"a link to nothing at the folder's name is replaced after Yes", Before::Nothing, {ui::vbYes}, {}, true, true,
         fileName, 1, 0, fileName},
        {"a link to nothing at the name chosen is asked about; No keeps it", Before::OldFile, {ui::vbNo, ui::vbNo},
         {link, std::nullopt}, true, false, {}, 2, 2, link},
        {"a link to nothing at the name chosen is replaced after Yes", Before::OldFile, {ui::vbNo, ui::vbYes}, {link},
         true, true, link, 2, 1, link},
        {"a link to nothing at the name the suffix makes is asked about once", Before::OldFile, {ui::vbNo, ui::vbYes},
         {QStringLiteral("link")}, true, true, link, 2, 1, link},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        OutputFolder folder;
        const QString target = folder.path(fileName);
        if (c.before == Before::OldFile) {
            QFile old(target);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write(kOldContent);
        } else if (c.before == Before::Folder) {
            ASSERT_TRUE(QDir().mkpath(target)); // a file cannot be renamed over a folder
        }
        const QString linkPath = c.danglingLink.isEmpty() ? QString() : folder.path(c.danglingLink);
        const QString nowhere = folder.path(QStringLiteral("gone.xlsx"));
        if (!linkPath.isEmpty()) {
            ASSERT_TRUE(QFile::link(nowhere, linkPath));
        }
        ui::MessageBoxRecorder boxes;
        for (int answer : c.answers)
            boxes.script(answer);
        ui::FileChooserRecorder chooser;
        for (const auto& choice : c.choices) {
            if (choice)
                chooser.choose(folder.path(*choice));
            else
                chooser.cancel();
        }
        ui::DesktopOpenerRecorder opener;
        opener.answer(c.desktopOpens);

        xl::Workbook book(1);
        book.Worksheets(1).Cells(1, 1).setValue("saved");
        EXPECT_EQ(shell::saveWorkbook(book, title, QStringLiteral("XL Create Excel failed: ")), c.saved);

        EXPECT_EQ(boxes.count(), c.boxes);
        EXPECT_EQ(chooser.count(), c.chooserRequests);
        if (chooser.count() > 0) {
            EXPECT_EQ(chooser.requests().front().startFolder, QFileInfo(target).absolutePath());
        }
        for (const auto& box : boxes.boxes()) {
            if (box.prompt.startsWith(QLatin1String("XL Create Excel failed: "))) {
                // the reason names where it failed
                EXPECT_TRUE(box.prompt.contains(QFileInfo(target).absolutePath())) << box.prompt.toStdString();
            }
        }
        if (c.before == Before::OldFile && c.savedAs != fileName) {
            EXPECT_EQ(contentOf(target), kOldContent);
        }
        if (c.saved) {
            const QString savedPath = QFileInfo(folder.path(c.savedAs)).absoluteFilePath();
            EXPECT_TRUE(contentOf(savedPath).startsWith("PK")); // an .xlsx is a zip
            EXPECT_EQ(opener.paths(), QStringList{savedPath});
            if (!c.desktopOpens) {
                ASSERT_FALSE(boxes.empty());
                EXPECT_TRUE(boxes.last().prompt.contains(savedPath));
            }
        } else {
            EXPECT_EQ(opener.count(), 0);
        }
        if (!linkPath.isEmpty()) {
            const auto asked = std::find_if(boxes.boxes().begin(), boxes.boxes().end(), [&](const ui::RecordedBox& b) {
                return b.prompt.startsWith(QStringLiteral("The file %1 already exists.")
                                               .arg(QDir::toNativeSeparators(linkPath)));
            });
            EXPECT_NE(asked, boxes.boxes().end()) << "no question about the link";
            if (c.savedAs != c.danglingLink) {
                const QFileInfo kept(linkPath);
                EXPECT_TRUE(kept.isSymLink());
                EXPECT_EQ(kept.symLinkTarget(), nowhere);
                EXPECT_FALSE(QFileInfo::exists(nowhere));
            }
        }
        // Nothing half-written is left beside the files the user asked for.
        QStringList expected{fileName};
        if (!c.savedAs.isEmpty() && c.savedAs != fileName)
            expected << c.savedAs;
        expected.sort();
        EXPECT_EQ(folder.entries(), c.before == Before::Nothing && !c.saved ? QStringList() : expected);
    }
}

} // namespace
} // namespace zorbel::test
