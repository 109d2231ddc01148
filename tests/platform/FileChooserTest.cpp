#include "platform/ui/FileChooser.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace zorbel::ui;

TEST(FileChooser, RecorderAnswersFromItsScriptThenCancels)
{
    FileChooserRecorder outer;
    FileChooserRecorder chooser;
    chooser.choose("/srv/docs/Plan v2.docx");
    chooser.cancel();
    EXPECT_EQ(chooseFileToOpen("Link a document", "/srv/docs", "Documents (*.doc *.docx)"), "/srv/docs/Plan v2.docx");
    EXPECT_EQ(chooseFileToSave("Save the report", "/home/me"), "");
    EXPECT_EQ(chooseFileToOpen("Again"), ""); // nobody there to choose
    EXPECT_EQ(chooser.pendingAnswers(), 0);

    ASSERT_EQ(chooser.count(), 3);
    const FileRequest &first = chooser.requests()[0];
    EXPECT_EQ(first.kind, FileRequest::Open);
    EXPECT_EQ(first.title, "Link a document");
    EXPECT_EQ(first.startFolder, "/srv/docs");
    EXPECT_EQ(first.filters, "Documents (*.doc *.docx)");
    EXPECT_EQ(chooser.requests()[1].kind, FileRequest::Save);
    EXPECT_EQ(chooser.requests()[1].chosen, "");
    EXPECT_EQ(outer.count(), 0);
}

TEST(FileChooser, RealDialogAsksWhatTheCallerAskedAndGivesTheFullPath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath("Risk log.xlsx"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    for (bool accept : {true, false}) {
        QString title, folder;
        QStringList filters;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptSave;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            title = dialog->windowTitle();
            folder = dialog->directory().absolutePath();
            filters = dialog->nameFilters();
            mode = dialog->acceptMode();
            if (accept) {
                dialog->selectFile(file.fileName());
                static_cast<QDialog *>(dialog)->accept(); // as the Open button does
            } else {
                dialog->reject();
            }
        });
        const QString chosen = chooseFileToOpen("Open a workbook", dir.path(), "Workbooks (*.xlsx);;All files (*)");
        EXPECT_EQ(chosen, accept ? QFileInfo(file).absoluteFilePath() : QString());
        EXPECT_EQ(title, "Open a workbook");
        EXPECT_EQ(folder, QDir(dir.path()).absolutePath());
        EXPECT_EQ(filters, (QStringList{"Workbooks (*.xlsx)", "All files (*)"}));
        EXPECT_EQ(mode, QFileDialog::AcceptOpen);
    }
}
