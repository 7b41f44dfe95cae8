#include "excel/application.h"

#include <gtest/gtest.h>

#include "excel/excel_error.h"
#include "handmade_template.h"
#include "temp_dir.h"
#include "text/codec.h"

namespace morvane::excel {
namespace {

using xlsx::testing::TempDir;

TEST(ExcelApplicationTest, WithoutWorkbooksThereIsNoActiveSheet) {
  ExcelApplication app;
  EXPECT_THROW(app.ActiveWorkbook(), ExcelError);
  EXPECT_THROW(app.ActiveSheet(), ExcelError);
  EXPECT_EQ(app.Workbooks().Count(), 0);
}

TEST(ExcelApplicationTest, TheLastOpenedOrActivatedWorkbookIsActive) {
  TempDir dir;
  xlsx::testing::WriteHandmadeTemplate(dir.File("template.xlsx"));
  ExcelApplication app;
  Workbook& opened = app.Workbooks().Open(dir.File("template.xlsx"));
  EXPECT_EQ(opened.Name(), "template.xlsx");
  EXPECT_EQ(app.ActiveSheet().Name(), "Template");
  Workbook& added = app.Workbooks().Add();
  EXPECT_EQ(&app.ActiveWorkbook(), &added);
  EXPECT_EQ(added.Name(), "Book1");
  opened.Activate();
  EXPECT_EQ(&app.ActiveWorkbook(), &opened);
  // Opening the same file again only activates it.
  added.Activate();
  EXPECT_EQ(&app.Workbooks().Open(dir.File("template.xlsx")), &opened);
  EXPECT_EQ(app.Workbooks().Count(), 2);
  EXPECT_EQ(&app.Workbooks().Item("Book1"), &added);
  EXPECT_THROW(app.Workbooks().Item("Book9"), ExcelError);
  app.Workbooks().Close(opened);
  EXPECT_EQ(&app.ActiveWorkbook(), &added);
  EXPECT_THROW(app.Workbooks().Open(dir.File("missing.xlsx")), ExcelError);
}

TEST(ExcelApplicationTest, NewWorkbooksHoldSheetsInNewWorkbookSheets) {
  ExcelApplication app;
  EXPECT_EQ(app.SheetsInNewWorkbook(), 1);
  EXPECT_THROW(app.SetSheetsInNewWorkbook(0), ExcelError);
  EXPECT_THROW(app.SetSheetsInNewWorkbook(256), ExcelError);
  app.SetSheetsInNewWorkbook(3);
  Workbook& book = app.Workbooks().Add();
  EXPECT_EQ(book.Worksheets().Count(), 3);
  EXPECT_EQ(book.Worksheets().Item(3).Name(), "Sheet3");
  EXPECT_EQ(book.Worksheets().Item("sheet2").Name(), "Sheet2");
  EXPECT_THROW(book.Worksheets().Item(4), ExcelError);
  EXPECT_THROW(book.Worksheets().Item("nothing"), ExcelError);
  EXPECT_EQ(app.Workbooks().Add().Name(), "Book2");
  app.SetScreenUpdating(false);
  app.SetDisplayAlerts(false);
  EXPECT_FALSE(app.ScreenUpdating());
  EXPECT_FALSE(app.DisplayAlerts());
}

TEST(ExcelApplicationTest, RangeAddressesAreCheckedAgainstTheSheetLimits) {
  ExcelApplication app;
  Worksheet sheet = app.Workbooks().Add().ActiveSheet();
  EXPECT_NO_THROW(sheet.Range("A1").Value());
  EXPECT_NO_THROW(sheet.Range("XFD1048576").Value());
  EXPECT_EQ(sheet.Range("$C$7").Row(), 7);
  for (const char* bad : {"XFE1", "A1048577", "A0", "1", "", "A", "A1:B2"}) {
    EXPECT_THROW(sheet.Range(bad), ExcelError) << bad;
  }
  EXPECT_THROW(sheet.SpecialCells(2), ExcelError);
}

TEST(ExcelApplicationTest, ValuesCrossAsCp932AndReadBackUnchanged) {
  ExcelApplication app;
  Worksheet sheet = app.Workbooks().Add().ActiveSheet();
  const std::string mark = ToCp932("○");
  const std::string name = ToCp932("社員マスタ");
  sheet.Range("A1").SetValue(name);
  sheet.Range("B2").SetValue(mark);
  sheet.Range("C3").SetValue("00123");
  sheet.Range("D4").SetValue("1.50");
  sheet.Range("E5").SetValue("42");
  EXPECT_EQ(sheet.Range("A1").Value(), name);
  EXPECT_EQ(sheet.Range("B2").Value(), mark);
  EXPECT_EQ(sheet.Range("C3").Value(), "00123");
  EXPECT_EQ(sheet.Range("D4").Value(), "1.50");
  EXPECT_EQ(sheet.Range("E5").Value(), "42");
  EXPECT_EQ(sheet.SpecialCells(11).Row(), 5);
  sheet.Range("E5").SetValue("");
  EXPECT_EQ(sheet.Range("E5").Value(), "");
  EXPECT_THROW(sheet.Range("A2").SetValue("\x81"), ExcelError);  // a cut double-byte character
}

TEST(ExcelApplicationTest, SheetNamesFollowExcelRulesAndFailuresAreErrors) {
  ExcelApplication app;
  app.SetSheetsInNewWorkbook(2);
  Workbook& book = app.Workbooks().Add();
  Worksheet first = book.Worksheets().Item(1);
  first.SetName(ToCp932("顧客"));
  EXPECT_EQ(first.Name(), ToCp932("顧客"));
  Worksheet second = book.Worksheets().Item(2);
  EXPECT_THROW(second.SetName(ToCp932("顧客")), ExcelError);
  EXPECT_THROW(second.SetName("SHEET1X?"), ExcelError);
  EXPECT_THROW(second.SetName(std::string(32, 'N')), ExcelError);
  EXPECT_NO_THROW(second.SetName(std::string(31, 'N')));
  std::string kanji31;
  for (int i = 0; i < 31; ++i) kanji31 += ToCp932("表");
  EXPECT_THROW(first.SetName(kanji31 + ToCp932("表")), ExcelError);
  EXPECT_NO_THROW(first.SetName(kanji31));
  try {
    second.SetName(kanji31);
    FAIL();
  } catch (const ExcelError& e) {
    EXPECT_NE(std::string(e.what()).find("既に"), std::string::npos);
  }
}

TEST(ExcelApplicationTest, DeletedSheetsFailCleanly) {
  ExcelApplication app;
  app.SetSheetsInNewWorkbook(2);
  Workbook& book = app.Workbooks().Add();
  Worksheet first = book.Worksheets().Item(1);
  Range cell = first.Range("A1");
  first.Delete();
  EXPECT_EQ(book.Worksheets().Count(), 1);
  EXPECT_THROW(first.Name(), ExcelError);
  EXPECT_THROW(cell.Value(), ExcelError);
  EXPECT_THROW(book.Worksheets().Item(1).Delete(), ExcelError);  // the last one stays
}

}  // namespace
}  // namespace morvane::excel
