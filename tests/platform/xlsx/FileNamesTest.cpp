#include "platform/xlsx/Error.h"
#include "platform/xlsx/FileNames.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorbel::xl;

TEST(XlsxFileNames, TitlesBecomeNamesThatCanStandInAFolder)
{
    const std::pair<QString, QString> cases[] = {
        {"08/12/2026 Issue Log for Alpha", "08-12-2026 Issue Log for Alpha.xlsx"},
        {"Bridge Works", "Bridge Works.xlsx"},
        {"a\\b:c*d?e\"f<g>h|i", "a-b-c-d-e-f-g-h-i.xlsx"},
        {"tab\there\x7f", "tab-here-.xlsx"},
        {".hidden", "hidden.xlsx"},
        {" ..  . Alpha", "Alpha.xlsx"},
        {"Alpha.v2.", "Alpha.v2..xlsx"},
        {"", "Workbook.xlsx"},
        {"...", "Workbook.xlsx"},
        // Nothing invisible changes how the name reads in a file manager.
        {QString::fromUtf16(u"invoice\u202Eslx.exe"), "invoiceslx.exe.xlsx"},
        {QString::fromUtf16(u"\u200FAlpha\u2066 \u200Bplan\u2069\uFEFF"), "Alpha plan.xlsx"},
        {QString::fromUtf16(u"line\u2028next\u0085end\uFFFE"), "line-next-end-.xlsx"},
        {QString("half ") + QChar(0xD800) + "pair", "half -pair.xlsx"},
        {QString::fromUtf16(u"tag \U000E0041 emoji \U0001F600"), QString::fromUtf16(u"tag  emoji \U0001F600.xlsx")},
    };
    for (const auto& [title, name] : cases)
        EXPECT_EQ(workbookFileName(title), name) << title.toStdString();

    const QString longName = workbookFileName(QString(200, u'é') + QStringLiteral("😀"));
    EXPECT_LE(longName.toUtf8().size(), 255);
    EXPECT_TRUE(longName.endsWith(".xlsx"));
    EXPECT_FALSE(longName.chopped(5).back().isHighSurrogate());
}

// A name chosen in the Save-As chooser always ends up an .xlsx file.
TEST(XlsxFileNames, ChosenPathsGetTheWorkbookSuffix)
{
    const std::pair<QString, QString> cases[] = {
        {"/d/book.xlsx", "/d/book.xlsx"},
        {"/d/book.XLSX", "/d/book.XLSX"},
        {"/d/book.xls", "/d/book.xlsx"},
        {"/d/book.ods", "/d/book.xlsx"},
        {"/d/book.XLSM", "/d/book.xlsx"},
        {"/d/table.Csv", "/d/table.xlsx"},
        {"/d/Acme Inc.Plan", "/d/Acme Inc.Plan.xlsx"},
        {"/d/Budget v2.final", "/d/Budget v2.final.xlsx"},
        {"/d/notes.txt", "/d/notes.txt.xlsx"},
        {"/d/book", "/d/book.xlsx"},
        {"/d/minutes 12.03.2026", "/d/minutes 12.03.2026.xlsx"},
        {"/d/Q1 plan.final version", "/d/Q1 plan.final version.xlsx"},
        {"/d.old/.xls", "/d.old/.xls.xlsx"},
    };
    for (const auto& [chosen, saved] : cases)
        EXPECT_EQ(withWorkbookSuffix(chosen), saved) << chosen.toStdString();
}

TEST(XlsxFileNames, TheOutputFolderIsTheOverrideElseDocumentsElseHomeAndIsCreated)
{
    const QString cwd = QDir::currentPath();
    struct Case {
        QString overrideDir, documents, home, expected;
    };
    const Case cases[] = {
        {"/tmp/out", "/home/u/Documents", "/home/u", "/tmp/out"},
        {"", "/home/u/Documents", "/home/u", "/home/u/Documents"},
        {"", "", "/home/u", "/home/u"},
        {"reports/", "/home/u/Documents", "/home/u", cwd + "/reports"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(outputFolderFor(c.overrideDir, c.documents, c.home), c.expected) << c.overrideDir.toStdString();

    QTemporaryDir scratch;
    const QString wanted = scratch.filePath("new/reports");
    qputenv("ZORBEL_OUTPUT_DIR", wanted.toLocal8Bit());
    EXPECT_EQ(outputFolder(), wanted);
    EXPECT_TRUE(QDir(wanted).exists());

    QFile blocker(scratch.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    qputenv("ZORBEL_OUTPUT_DIR", scratch.filePath("file/reports").toLocal8Bit());
    EXPECT_THROW(outputFolder(), Error);
    qunsetenv("ZORBEL_OUTPUT_DIR");
}
