#include "platform/ui/DesktopOpener.h"

#include "QtPrinters.h"

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
