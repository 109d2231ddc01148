#include "platform/xlsx/Application.h"
#include "platform/xlsx/Error.h"

#include <QDate>

#include "../QtPrinters.h"

#include <cmath>
#include <functional>

#include <gtest/gtest.h>

using namespace zorbel::xl;

namespace {
// Every test starts from the program's default and leaves it so.
class XlsxModel : public ::testing::Test {
protected:
    void SetUp() override { Application::setSheetsInNewWorkbook(3); }
    void TearDown() override { Application::setSheetsInNewWorkbook(3); }

    Application app;
};
} // namespace

TEST_F(XlsxModel, SheetsInNewWorkbookIsOneSettingWithoutAnUpperCap)
{
    EXPECT_EQ(app.SheetsInNewWorkbook(), 3);
    Application other;
    other.setSheetsInNewWorkbook(300);
    EXPECT_EQ(app.SheetsInNewWorkbook(), 300);
    Workbook& wb = app.Workbooks().Add();
    EXPECT_EQ(wb.Count(), 300);
    EXPECT_EQ(wb.Worksheets(300).Name(), "Sheet300");
    EXPECT_THROW(app.setSheetsInNewWorkbook(0), Error);
    EXPECT_EQ(app.SheetsInNewWorkbook(), 300);
}

TEST_F(XlsxModel, NewCellsStartFromTheirRowElseTheirColumnAndWholeColumnsAndRowsReachExistingCells)
{
    Worksheet& ws = app.Workbooks().Add().Worksheets(1);
    ws.Cells(5, 2).setValue("written before");
    ws.Columns("B:C").setHorizontalAlignment(xlLeft);
    ws.Columns("B:B").setNumberFormat("@");
    ws.Rows("2:2").Font().setColorIndex(2);
    ws.Range("B2:D2").Interior().setColorIndex(41);
    ws.Cells(2, 5).setValue("row only");
    ws.Cells(7, 3).setValue("column only");

    struct Case {
        int row, column;
        int horizontal, fontColour, fill;
        QString numberFormat;
    };
    const Case cases[] = {
        {5, 2, xlLeft, xlColorIndexAutomatic, xlColorIndexNone, "@"},  // existing cell took both column changes
        {2, 2, xlLeft, 2, 41, "@"},      // crossing of formatted row and columns keeps all three
        {2, 4, xlGeneral, 2, 41, "General"},
        {2, 5, xlGeneral, 2, xlColorIndexNone, "General"},  // new cell in a formatted row
        {7, 3, xlLeft, xlColorIndexAutomatic, xlColorIndexNone, "General"},
        {9, 9, xlGeneral, xlColorIndexAutomatic, xlColorIndexNone, "General"},
    };
    for (const Case& c : cases) {
        const CellFormat f = ws.Cells(c.row, c.column).format();
        EXPECT_EQ(f.horizontalAlignment, c.horizontal) << c.row << "," << c.column;
        EXPECT_EQ(f.fontColorIndex, c.fontColour) << c.row << "," << c.column;
        EXPECT_EQ(f.interiorColorIndex, c.fill) << c.row << "," << c.column;
        EXPECT_EQ(f.numberFormat, c.numberFormat) << c.row << "," << c.column;
    }
    // Superscript and subscript exclude each other; other properties stay.
    Range cell = ws.Range("F6");
    cell.Font().setBold(true);
    cell.Font().setSuperscript(true);
    cell.Font().setSubscript(true);
    EXPECT_TRUE(cell.format().bold);
    EXPECT_TRUE(cell.format().subscript);
    EXPECT_FALSE(cell.format().superscript);
}

TEST_F(XlsxModel, ValuesReadBackAsTheyWereWrittenAndTextStaysText)
{
    Worksheet& ws = app.Workbooks().Add().Worksheets(1);
    ws.Columns("B:B").setNumberFormat("@");
    struct Case {
        const char* address;
        QVariant written;
        QVariant readBack;
    };
    const Case cases[] = {
        {"A1", QString("=SUM(A2:A3)"), QString("=SUM(A2:A3)")},
        {"A2", QString("0012"), QString("0012")},
        {"A3", QString("1.10"), QString("1.10")},
        {"A4", 2.5, 2.5},
        {"A5", qint64(7), 7.0},
        {"A6", true, true},
        {"A7", QVariant(), QVariant()},
        {"A8", QString(""), QVariant()},
        {"B1", 1.2, QString("1.2")},  // a text-formatted cell keeps numbers as text
        {"B2", qint16(3), QString("3")},
    };
    for (const Case& c : cases) {
        ws.Range(c.address).setValue(c.written);
        EXPECT_EQ(ws.Range(c.address).Value(), c.readBack) << c.address;
    }
    // The risks sheet multiplies two cells it wrote.
    ws.Cells(3, 9).setValue(4);
    ws.Cells(3, 10).setValue(0.35);
    EXPECT_DOUBLE_EQ(ws.Cells(3, 9).Value().toDouble() * ws.Cells(3, 10).Value().toDouble(), 1.4);
    // Emptying a cell keeps its format.
    ws.Range("C1").Font().setBold(true);
    ws.Range("C1").setValue("x");
    ws.Range("C1").setValue(QVariant());
    EXPECT_FALSE(ws.Range("C1").Value().isValid());
    EXPECT_TRUE(ws.Range("C1").format().bold);
}

TEST_F(XlsxModel, NamesAreRedefinedInPlaceAndRangesReachThem)
{
    Worksheet& ws = app.Workbooks().Add().Worksheets(1);
    for (int row = 3; row <= 50; ++row) {
        ws.Names().Add("StartCell", QStringLiteral("=R%1C3").arg(row));
        ws.Names().Add("EndCell", QStringLiteral("=R%1C%2").arg(row).arg(row + 2));
        ws.Range("StartCell", "EndCell").Interior().setColorIndex(37);
    }
    EXPECT_EQ(ws.Names().Count(), 2);
    EXPECT_EQ(ws.Range("startcell", "ENDCELL").Address(), "$C$50:$AZ$50");
    EXPECT_EQ(ws.Cells(10, 12).format().interiorColorIndex, 37);
    EXPECT_FALSE(ws.Cells(10, 12).Value().isValid());  // a formatted blank
    EXPECT_EQ(ws.Cells(10, 13).format().interiorColorIndex, xlColorIndexNone);
}

TEST_F(XlsxModel, RefusedOperationsRaiseWithADescriptionAndChangeNothing)
{
    Workbook& wb = app.Workbooks().Add();
    Worksheet& ws = wb.Worksheets(1);
    wb.Worksheets(2).setName("Risks");
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"row 0", [&] { ws.Cells(0, 1); }},
        {"column beyond XFD", [&] { ws.Cells(1, 16385); }},
        {"bad address", [&] { ws.Range("ZZZZ1"); }},
        {"unknown name", [&] { ws.Range("StartCell"); }},
        {"bad column address", [&] { ws.Columns("1:2"); }},
        {"bad row address", [&] { ws.Rows("A:B"); }},
        {"merge", [&] { ws.Range("A1:B1").setMergeCells(true); }},
        {"add indent", [&] { ws.Range("A1").setAddIndent(true); }},
        {"fill outside the palette", [&] { ws.Range("A1").Interior().setColorIndex(57); }},
        {"font colour outside the palette", [&] { ws.Range("A1").Font().setColorIndex(0); }},
        {"orientation", [&] { ws.Range("A1").setOrientation(91); }},
        {"alignment", [&] { ws.Range("A1").setHorizontalAlignment(-4160); }},
        {"width", [&] { ws.Columns("A:A").setColumnWidth(256); }},
        {"height on columns", [&] { ws.Columns("A:A").setRowHeight(20); }},
        {"value into columns", [&] { ws.Columns("A:A").setValue("x"); }},
        {"date value", [&] { ws.Range("A1").setValue(QVariant(QDate(2026, 12, 8))); }},
        {"not a number", [&] { ws.Range("A1").setValue(std::nan("")); }},
        {"text too long", [&] { ws.Range("A1").setValue(QString(32768, u'x')); }},
        {"reserved sheet name", [&] { ws.setName("History"); }},
        {"duplicate sheet name", [&] { ws.setName("risks"); }},
        {"a name twice in one renaming", [&] { wb.renameSheets({"Plan", "PLAN"}); }},
        {"a name a sheet not renamed keeps", [&] { wb.renameSheets({"Sheet3"}); }},
        {"sheet beyond the count", [&] { wb.Worksheets(4); }},
        {"unknown sheet", [&] { wb.Sheets("Timeline"); }},
        {"name like a cell", [&] { ws.Names().Add("A1", "=R1C1"); }},
        {"reference not R1C1", [&] { ws.Names().Add("StartCell", "=A1"); }},
        {"huge range", [&] { ws.Range("A1:XFD1048576").Font().setBold(true); }},
    };
    for (const auto& [what, operation] : cases) {
        try {
            operation();
            ADD_FAILURE() << what << ": no error";
        } catch (const Error& e) {
            EXPECT_FALSE(e.description().isEmpty()) << what;
        }
    }
    EXPECT_EQ(ws.Name(), "Sheet1");  // a refused name keeps the one the sheet had
    wb.renameSheets({"Sheet2", "Sheet1"});  // a name given up in the same renaming is free
    EXPECT_EQ(wb.Worksheets(2).Name() + wb.Worksheets(1).Name() + wb.Worksheets(3).Name(), "Sheet1Sheet2Sheet3");
    EXPECT_FALSE(ws.Range("A1").Value().isValid());
    EXPECT_EQ(ws.Range("A1").format(), CellFormat{});
}
