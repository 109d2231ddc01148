#include "platform/ui/DesktopOpener.h"

#include "QtPrinters.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorbel::ui;

TEST(DesktopOpener, RecorderKeepsThePathsWholeAndAnswersAsToldWithoutLaunching)
{
    DesktopOpenerRecorder opener;
    const QString odd = "/srv/docs/Plan; rm -rf ~ & \"v2\" $(x).docx";
    EXPECT_TRUE(openWithDesktop(odd));
    opener.answer(false);
    EXPECT_FALSE(openWithDesktop("/srv/docs/report.xlsx"));
    EXPECT_EQ(opener.paths(), (QStringList{odd, "/srv/docs/report.xlsx"}));
    {
        DesktopOpenerRecorder inner;
        EXPECT_TRUE(openWithDesktop("inner"));
    }
    EXPECT_EQ(opener.count(), 2);
}

// A missing file is a failure the caller can report, not a launch that
// seems to work: these calls reach the real layer and start nothing.
TEST(DesktopOpener, AFileThatIsNotThereIsNotOpened)
{
    EXPECT_FALSE(openWithDesktop(""));
    EXPECT_FALSE(openWithDesktop("/nonexistent/zorbel/Plan.docx"));
}

// The real layer with a stand-in for the desktop's opener on a PATH of its
// own: the opener's exit status decides, and the path reaches it whole.
TEST(DesktopOpener, TheOpenersExitStatusSaysWhetherTheFileWasOpened)
{
    QTemporaryDir bin;
    QTemporaryDir files;
    const QString file = files.filePath("Plan; rm -rf ~ & \"v2\" $(x).xlsx");
    QFile(file).open(QIODevice::WriteOnly);
    const QString handedOver = bin.filePath("handed-over");
    struct Case {
        const char* what;
        const char* script; // nullptr: no opener on the PATH
        bool opened;
    };
    const Case cases[] = {
        {"opened", "exit 0", true},
        {"no program for the type", "exit 3", false},
        {"the opener is killed", "kill -9 $$", false},
        {"the program runs in the opener, past the wait", "exec /bin/sleep 5", true},
        {"no opener installed", nullptr, false},
    };
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(handedOver);
        QFile opener(bin.filePath("xdg-open"));
        opener.remove();
        if (c.script) {
            ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
            opener.write("#!/bin/sh\nprintf '%s' \"$1\" > '" + QFile::encodeName(handedOver) + "'\n" + c.script + "\n");
            opener.close();
            opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        EXPECT_EQ(openWithDesktop(file), c.opened);
        if (c.script) {
            QFile got(handedOver);
            ASSERT_TRUE(got.open(QIODevice::ReadOnly));
            EXPECT_EQ(QFile::decodeName(got.readAll()), file);
        }
    }
    qputenv("PATH", savedPath);
}
