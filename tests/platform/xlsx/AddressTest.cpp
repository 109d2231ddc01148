#include "platform/xlsx/Address.h"
#include "platform/xlsx/SheetName.h"
#include "platform/xlsx/TextEscape.h"

#include <gtest/gtest.h>

using namespace zorbel::xl;

TEST(XlsxAddress, ReadsEveryFormTheWritersUseAndRefusesTheRest)
{
    struct Case {
        const char* text;
        std::optional<Reference> expected;
    };
    const Case cases[] = {
        {"A1", Reference{AreaKind::Cells, {1, 1, 1, 1}}},
        {"$b$2", Reference{AreaKind::Cells, {2, 2, 2, 2}}},
        {"J12:D12", Reference{AreaKind::Cells, {12, 4, 12, 10}}},
        {"XFD1048576", Reference{AreaKind::Cells, {1048576, 16384, 1048576, 16384}}},
        {"A:J", Reference{AreaKind::Columns, {1, 1, 1048576, 10}}},
        {"$E:$G", Reference{AreaKind::Columns, {1, 5, 1048576, 7}}},
        {"2:1", Reference{AreaKind::Rows, {1, 1, 2, 16384}}},
        {"A0", std::nullopt},
        {"XFE1", std::nullopt},
        {"A1048577", std::nullopt},
        {"B", std::nullopt},
        {"7", std::nullopt},
        {"A1:C", std::nullopt},
        {"StartCell", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseAddress(QString::fromUtf8(c.text)), c.expected) << c.text;

    EXPECT_EQ(parseR1C1("=R5C3"), (Area{5, 3, 5, 3}));
    EXPECT_EQ(parseR1C1("R5C9:R5C3"), (Area{5, 3, 5, 9}));
    EXPECT_EQ(parseR1C1("=R0C3"), std::nullopt);
    EXPECT_EQ(parseR1C1("=R5C16385"), std::nullopt);
    EXPECT_EQ(parseR1C1("=R[1]C3"), std::nullopt);
    EXPECT_EQ(absoluteAddress({2, 2, 2, 10}), "$B$2:$J$2");
    EXPECT_EQ(columnLetters(16384), "XFD");
}

TEST(XlsxAddress, SheetAndDefinedNamesFollowTheSpreadsheetRules)
{
    const QStringList others{"Sheet1", "Risks"};
    // Counted as spreadsheet programs count: two units, one character.
    const QString face = QString::fromUtf16(u"\U0001F600");
    struct Case {
        QString name;
        bool allowed;
    };
    const Case sheetNames[] = {
        {"Project Info", true}, {"Bob's issues", true}, {"Ärger & Co!", true}, {QString(31, u'x'), true},
        {"", false}, {QString(32, u'x'), false}, {"a/b", false}, {"a:b", false}, {"a[1]", false},
        {"what?", false}, {"star*", false}, {"back\\slash", false}, {"'quoted", false}, {"quoted'", false},
        {"history", false}, {"RISKS", false}, {"tab\there", false},
        {QString(29, u'x') + face, true}, {QString(30, u'x') + face, false},
    };
    for (const Case& c : sheetNames)
        EXPECT_EQ(sheetNameProblem(c.name, others).isEmpty(), c.allowed) << c.name.toStdString();

    // Only case is ignored when names are held apart.
    EXPECT_TRUE(sameSheetName("Sheet4", "sheet4"));
    EXPECT_TRUE(sameSheetName(QString::fromUtf16(u"\u00C4rger"), QString::fromUtf16(u"\u00E4RGER")));
    EXPECT_FALSE(sameSheetName("Sheet4", "Sheet 4"));
    EXPECT_FALSE(sameSheetName("Sheet4", "Sheet4 "));

    // A text a sheet cannot take names it as near as the rules allow.
    const std::pair<QString, QString> mended[] = {
        {"Project Info", "Project Info"},
        {"Site/North: [A]*?", "Site-North- -A---"},
        {QString("tab\there") + QChar(0x7F), "tab-here-"},
        {"Structural and civil engineering reviews", "Structural and civil engineerin"},
        {"'quoted'", "-quoted-"},
        {QString(30, u'x') + "'z", QString(30, u'x') + "-"},
        {QString(30, u'x') + face, QString(30, u'x')},
        {"", "-"},
        {"history", "history (2)"},
        {"risks", "risks (2)"},
        {QString(40, u'r') + "/", QString(27, u'r') + " (2)"},
        {QString::fromUtf16(u"Site\uFFFE"), QString::fromUtf16(u"Site\uFFFD")},
    };
    const QStringList taken = others + QStringList{QString(31, u'r')};
    for (const auto& [wanted, name] : mended) {
        EXPECT_EQ(sheetNameFor(wanted, taken), name) << wanted.toStdString();
        EXPECT_EQ(sheetNameProblem(name, taken), QString()) << name.toStdString();
    }

    // A list of sheets: a name a sheet can take stays its own (the first of
    // names alike but for case), and only the others are mended, into names
    // none of the rest has, whatever the sheets were called before.
    const QStringList wanted{"A*B", "A-B", "A-B (2)", "Sheet4", "Site", "SITE", "history", ""};
    EXPECT_EQ(sheetNamesFor(wanted),
              (QStringList{"A-B (3)", "A-B", "A-B (2)", "Sheet4", "Site", "SITE (2)", "history (2)", "-"}));

    const Case definedNames[] = {
        {"StartCell", true}, {"_x", true}, {"\\path", true}, {"Bar.End_2", true},
        {"A1", false}, {"xfd9", false}, {"R1C1", false}, {"R", false}, {"c", false}, {"R12", false},
        {"1st", false}, {"has space", false}, {"a-b", false}, {"", false}, {QString(256, u'n'), false},
    };
    for (const Case& c : definedNames)
        EXPECT_EQ(definedNameProblem(c.name).isEmpty(), c.allowed) << c.name.toStdString();
}

TEST(XlsxAddress, TextsAreEscapedOnceForTheFileAndOtherTextIsLeftAlone)
{
    const QChar high(0xD83D), low(0xDE00);
    const std::pair<QString, QString> cases[] = {
        {"plain text", "plain text"},
        {"_x0041_", "_x005F_x0041_"},
        {"a_X00ff_b", "a_x005F_X00ff_b"},
        {"_x005F_x0041_", "_x005F_x005F_x005F_x0041_"},
        {"_x004_", "_x004_"},
        {"_x00G1_", "_x00G1_"},
        {"snake_case_x", "snake_case_x"},
        {QString("a") + QChar(0) + "b", "a_x0000_b"},
        {"tab\tline\nreturn\r\x1f", "tab\tline\nreturn\r\x1f"}, // the writer escapes these itself
        {QString::fromUtf16(u"a\uFFFEb\uFFFF"), QString::fromUtf16(u"a\uFFFDb\uFFFD")},
        {QString("pair ") + high + low, QString("pair ") + high + low},
        {QString("lone ") + high + "x" + low, QString::fromUtf16(u"lone \uFFFDx\uFFFD")},
    };
    for (const auto& [text, escaped] : cases)
        EXPECT_EQ(escapeCellText(text), escaped) << text.toStdString();

    // Names keep their control characters for the rules to refuse.
    EXPECT_EQ(xmlSafeText(QString::fromUtf16(u"Risks\uFFFE\t") + high), QString::fromUtf16(u"Risks\uFFFD\t\uFFFD"));
    EXPECT_EQ(xmlSafeText(QString("ok ") + high + low), QString("ok ") + high + low);
}
