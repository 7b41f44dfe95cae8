// The workbooks open in the program as the workbook window keeps them: attaching, which
// workbooks still need saving, the preview of a sheet, and text that CP932 cannot hold.
#include "excel/workbook_session.h"

#include <gtest/gtest.h>

#include "excel/excel_error.h"
#include "excel/sheet_preview.h"
#include "handmade_template.h"
#include "temp_dir.h"
#include "text/codec.h"
#include "xlsx/workbook.h"

namespace morvane::excel {
namespace {

using xlsx::testing::TempDir;

TEST(LossyCodecTest, CharactersCp932LacksBecomeOneQuestionMarkEach) {
  struct Case {
    std::string utf8;
    std::string cp932;
  } cases[] = {
      {"", ""},
      {"EMP_NO", "EMP_NO"},
      {"社員①—", ToCp932("社員①—")},
      {"A🙂B", "A?B"},             // four-byte character
      {"𠮷野家", ToCp932("?野家")},  // outside the BMP, next to kanji CP932 has
      {"café", "caf?"},              // Latin letters CP932 lacks
      {"🙂🙂", "??"},
      {"x\xff"
       "y",
       "x?y"},            // a byte that is not UTF-8
      {"\xe8\xa1", "?"},  // a character cut short at the end
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToCp932Lossy(c.utf8), c.cp932) << c.utf8;
}

// A workbook whose file, sheet and cell hold characters outside CP932.
std::string WriteForeignWorkbook(const TempDir& dir) {
  auto engine = xlsx::Workbook::Create(2);
  engine->Rename(engine->Sheet(0), "表🙂");
  engine->SetCellText(engine->Sheet(0), {1, 1}, "A𠮷B");
  engine->SetCellText(engine->Sheet(0), {2, 1}, "社員");
  std::string path = dir.File("ブック🙂.xlsx");
  engine->Save(path);
  return path;
}

TEST(ForeignTextTest, NamesAndValuesReadWithQuestionMarksAndStillFindTheirSheet) {
  TempDir dir;
  WorkbookSession session;
  Workbook& book = session.Open(WriteForeignWorkbook(dir));
  EXPECT_EQ(book.Name(), ToCp932("ブック?.xlsx"));
  Worksheet sheet = session.Application().ActiveSheet();
  EXPECT_EQ(sheet.Name(), ToCp932("表?"));
  EXPECT_EQ(sheet.Range("A1").Value(), "A?B");
  EXPECT_EQ(sheet.Range("A2").Value(), ToCp932("社員"));
  // The names as read lead back to their workbook and sheet, as the import looks them up.
  EXPECT_TRUE(book.Worksheets().Item(sheet.Name()).SameSheet(sheet));
  EXPECT_EQ(&session.Application().Workbooks().Item(book.Name()), &book);
  EXPECT_THROW(book.Worksheets().Item(ToCp932("表")), ExcelError);
  // Writing such text is still refused rather than corrupted.
  EXPECT_THROW(sheet.Range("B1").SetValue("\xff"), ExcelError);
  SheetPreview preview = ReadPreview(sheet, 10, 10);
  EXPECT_EQ(preview.Value(1, 1), "A?B");
}

TEST(WorkbookSessionTest, OnlyWorkbooksTheProgramMadeAndNeverSavedNeedSaving) {
  TempDir dir;
  xlsx::testing::WriteHandmadeTemplate(dir.File("template.xlsx"));
  WorkbookSession session;
  Workbook& opened = session.Open(dir.File("template.xlsx"));
  Workbook& bundled = session.OpenDefaultTemplate();
  Workbook& output = session.Application().Workbooks().Add();
  EXPECT_FALSE(session.IsUnsavedOutput(opened));
  EXPECT_FALSE(session.IsUnsavedOutput(bundled));
  EXPECT_TRUE(session.IsUnsavedOutput(output));
  EXPECT_EQ(session.UnsavedOutputs(), std::vector<Workbook*>{&output});
  EXPECT_EQ(session.Books(), (std::vector<Workbook*>{&opened, &bundled, &output}));

  // Excel refuses to save over the file of another open workbook.
  EXPECT_THROW(session.SaveAs(output, dir.File("template.xlsx")), ExcelError);
  EXPECT_TRUE(session.IsUnsavedOutput(output));
  session.SaveAs(output, dir.File("out.xlsx"));
  EXPECT_FALSE(session.IsUnsavedOutput(output));
  EXPECT_EQ(output.Name(), "out.xlsx");
  EXPECT_THROW(session.Save(session.Application().Workbooks().Add()), ExcelError);

  session.Close(bundled);
  // A new workbook made where the closed template was is an output, not the template.
  Workbook& another = session.Application().Workbooks().Add();
  EXPECT_TRUE(session.IsUnsavedOutput(another));
}

// A host that counts how often the window would have been refreshed.
class CountingHost : public IExcelHost {
 public:
  ExcelApplication& Application() override { return session.Application(); }
  bool LetUserOpenWorkbook() override { return false; }
  void Refresh() override { ++refreshes; }
  WorkbookSession session;
  int refreshes = 0;
};

TEST(ExcelHostTest, AttachFailsWithoutWorkbooksAndActiveSheetFollowsTheUser) {
  CountingHost host;
  EXPECT_THROW(host.Attach(), ExcelError);
  EXPECT_THROW(host.ActiveSheet(), ExcelError);
  EXPECT_THROW(host.ActiveWorkbook(), ExcelError);

  Workbook& bundled = host.session.OpenDefaultTemplate();
  EXPECT_EQ(&host.Attach(), &host.session.Application());
  EXPECT_EQ(host.ActiveSheet().Name(), ToCp932("テーブル定義"));
  host.Application().SetSheetsInNewWorkbook(2);
  Workbook& added = host.AddWorkbook();
  EXPECT_EQ(host.refreshes, 1);
  EXPECT_EQ(&host.ActiveWorkbook(), &added);
  EXPECT_EQ(added.Worksheets().Count(), 2);
  added.Worksheets().Item(2).Activate();
  EXPECT_EQ(host.ActiveSheet().Name(), "Sheet2");
  bundled.Activate();
  EXPECT_EQ(host.ActiveSheet().Name(), ToCp932("テーブル定義"));
}

TEST(SheetPreviewTest, ALargeSheetIsCutToTheLimits) {
  WorkbookSession session;
  session.OpenDefaultTemplate();
  SheetPreview cut = ReadPreview(session.Application().ActiveSheet(), 3, 2);
  EXPECT_TRUE(cut.cut);
  EXPECT_EQ(cut.rows, 3u);
  EXPECT_EQ(cut.columns, 2u);
  EXPECT_EQ(cut.Value(1, 1), ToCp932("テーブル定義書"));
  EXPECT_EQ(cut.widths, (std::vector<double>{5.5, 26}));
}

TEST(SheetPreviewTest, EmptySheetsDefaultWidthsAndHiddenColumns) {
  TempDir dir;
  auto engine = xlsx::Workbook::Create(1);
  engine->SetCellText(engine->Sheet(0), {1, 3}, "x");
  pugi::xml_node cols = engine->Sheet(0).EnsureElement("cols");
  pugi::xml_node col = cols.append_child("col");
  col.append_attribute("min") = 2;
  col.append_attribute("max") = 2;
  col.append_attribute("width") = 12.5;
  col.append_attribute("hidden") = 1;
  engine->Save(dir.File("hidden.xlsx"));

  WorkbookSession session;
  session.Open(dir.File("hidden.xlsx"));
  SheetPreview preview = ReadPreview(session.Application().ActiveSheet(), 100, 100);
  EXPECT_EQ(preview.columns, 3u);
  EXPECT_EQ(preview.hidden, (std::vector<bool>{false, true, false}));
  EXPECT_DOUBLE_EQ(preview.widths[1], 12.5);
  EXPECT_EQ(preview.Value(1, 3), "x");

  Workbook& empty = session.Application().Workbooks().Add();
  SheetPreview blank = ReadPreview(empty.ActiveSheet(), 100, 100);
  EXPECT_EQ(blank.rows, 1u);
  EXPECT_EQ(blank.columns, 1u);
  EXPECT_EQ(blank.Value(1, 1), "");
  // Excel's default: 8 digits and padding, 64 pixels at a 7-pixel digit.
  EXPECT_EQ(ColumnWidthPixels(blank.widths[0], 7), 64);
  EXPECT_EQ(ColumnWidthPixels(6.625, 7), 46);
  EXPECT_EQ(ColumnWidthPixels(0, 7), 0);
}

}  // namespace
}  // namespace morvane::excel
