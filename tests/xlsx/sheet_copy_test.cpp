#include <gtest/gtest.h>

#include <algorithm>

#include "handmade_template.h"
#include "temp_dir.h"
#include "xlsx/error.h"
#include "xlsx/workbook.h"
#include "xlsx/zip_package.h"

namespace morvane::xlsx {
namespace {

bool HasNotice(const Workbook& book, std::string_view fragment) {
  return std::any_of(book.Notices().begin(), book.Notices().end(),
                     [&](const std::string& n) { return n.find(fragment) != std::string::npos; });
}

std::string Style(const Workbook& book, const Worksheet& sheet, const char* address) {
  const Cell* cell = sheet.data.Find(*ParseCellRef(address));
  return cell ? book.styles().Describe(cell->style) : "(none)";
}

class SheetCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteHandmadeTemplate(dir_.File("template.xlsx"));
    source_ = Workbook::Open(dir_.File("template.xlsx"));
    target_ = Workbook::Create(1);
  }

  // Copies the template three times after the last sheet, drops the blank first sheet, names
  // and fills the copies, then saves and reads the result back.
  std::unique_ptr<Workbook> BuildThreeCopies() {
    for (int i = 0; i < 3; ++i) {
      Worksheet& copy = target_->CopySheet(*source_, source_->Sheet(0), target_->SheetCount());
      if (i == 0) target_->Delete(target_->Sheet(0));
      target_->Rename(copy, "TABLE_" + std::to_string(i + 1));
      target_->SetCellText(copy, {1, 1}, "表" + std::to_string(i + 1));
      target_->SetCellText(copy, {5, 1}, "COL_" + std::to_string(i + 1));
      target_->SetCellText(copy, {5, 2}, "VARCHAR2");
      target_->SetCellText(copy, {5, 3}, "25");
      target_->SetCellText(copy, {5, 4}, "0012");
      target_->SetCellText(copy, {30, 2}, "beyond the template");
    }
    target_->Save(dir_.File("out.xlsx"));
    return Workbook::Open(dir_.File("out.xlsx"));
  }

  testing::TempDir dir_;
  std::unique_ptr<Workbook> source_;
  std::unique_ptr<Workbook> target_;
};

TEST_F(SheetCopyTest, CopiesKeepValuesInPlaceAndStylesIntact) {
  std::unique_ptr<Workbook> out = BuildThreeCopies();
  ASSERT_EQ(out->SheetCount(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    const Worksheet& sheet = out->Sheet(i);
    std::string n = std::to_string(i + 1);
    EXPECT_EQ(sheet.name, "TABLE_" + n);
    EXPECT_EQ(out->CellText(sheet, {1, 1}), "表" + n);
    EXPECT_EQ(out->CellText(sheet, {5, 1}), "COL_" + n);
    EXPECT_EQ(out->CellText(sheet, {5, 3}), "25");
    EXPECT_EQ(out->CellText(sheet, {5, 4}), "0012");  // a text-formatted cell keeps zeros
    EXPECT_EQ(out->CellText(sheet, {30, 2}), "beyond the template");
    EXPECT_EQ(out->CellText(sheet, {3, 3}), "2000/01/01");
    EXPECT_EQ(out->CellText(sheet, {3, 4}), "太字混在");
    for (const char* address : {"A1", "A2", "B2", "C3", "D2", "A4", "A5", "D5", "D20"}) {
      EXPECT_EQ(Style(*out, sheet, address), Style(*source_, source_->Sheet(0), address))
          << sheet.name << " " << address;
    }
    // A cell written below the template takes its column's format.
    EXPECT_EQ(Style(*out, sheet, "B30"), Style(*source_, source_->Sheet(0), "B5"));
  }
  EXPECT_EQ(out->ActiveIndex(), 2u);
}

TEST_F(SheetCopyTest, CopiesKeepLayoutPrintSettingsAndPicture) {
  std::unique_ptr<Workbook> out = BuildThreeCopies();
  ZipPackage package = ZipPackage::ReadFile(dir_.File("out.xlsx"));
  for (size_t i = 0; i < 3; ++i) {
    const Worksheet& sheet = out->Sheet(i);
    pugi::xml_node root = sheet.doc.document_element();
    EXPECT_STREQ(root.child("mergeCells").child("mergeCell").attribute("ref").value(), "A1:D1");
    EXPECT_STREQ(root.child("cols").child("col").attribute("width").value(), "20.625");
    EXPECT_STREQ(root.child("pageSetup").attribute("orientation").value(), "landscape");
    EXPECT_STREQ(root.child("headerFooter").child("oddHeader").text().get(), "&Cテーブル定義書");
    EXPECT_TRUE(root.child("conditionalFormatting"));
    EXPECT_FALSE(root.child("sheetPr").attribute("codeName"));
    // Print area and titles follow the copy and its new name.
    ASSERT_EQ(sheet.local_names.size(), 2u);
    EXPECT_EQ(sheet.local_names[0].formula, "'" + sheet.name + "'!$A$1:$D$20");
    EXPECT_EQ(sheet.local_names[1].formula, "'" + sheet.name + "'!$4:$4");
    // The picture comes along; all copies share one stored image.
    ASSERT_TRUE(sheet.drawing);
    const Relationship* image = sheet.drawing->rels().FirstOfKind("image");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(package.Get(image->target), testing::TemplatePicture());
    EXPECT_EQ(image->target, out->Sheet(0).drawing->rels().FirstOfKind("image")->target);
    const Relationship* printer = sheet.rels.FirstOfKind("printerSettings");
    ASSERT_NE(printer, nullptr);
    EXPECT_TRUE(package.Has(printer->target));
  }
  // Only the active sheet's tab is selected.
  EXPECT_FALSE(out->Sheet(0)
                   .doc.document_element()
                   .child("sheetViews")
                   .child("sheetView")
                   .attribute("tabSelected"));
}

TEST_F(SheetCopyTest, WhatReachesOtherSheetsIsLeftOutAndNotedOnce) {
  BuildThreeCopies();
  // The validation list pointing at the template's other sheet cannot come along.
  const Worksheet& copy = target_->Sheet(0);
  pugi::xml_node validations = copy.doc.document_element().child("dataValidations");
  ASSERT_TRUE(validations);
  EXPECT_EQ(std::distance(validations.children("dataValidation").begin(),
                          validations.children("dataValidation").end()),
            1);
  EXPECT_STREQ(validations.attribute("count").value(), "1");
  // A formula naming the other sheet keeps its last value; one on the sheet itself stays.
  EXPECT_TRUE(copy.data.Find({2, 3})->formula().empty());
  EXPECT_EQ(target_->CellText(copy, {2, 3}), "x");
  EXPECT_FALSE(copy.data.Find({2, 2})->formula().empty());
  EXPECT_TRUE(HasNotice(*target_, "入力規則"));
  EXPECT_TRUE(HasNotice(*target_, "数式"));
  std::vector<std::string> notices = target_->Notices();
  std::sort(notices.begin(), notices.end());
  EXPECT_EQ(std::unique(notices.begin(), notices.end()), notices.end());
}

TEST_F(SheetCopyTest, CopyInsideOneWorkbookGetsANumberedName) {
  Worksheet& first = source_->CopySheet(*source_, source_->Sheet(0), 1);
  EXPECT_EQ(first.name, "Template (2)");
  Worksheet& second = source_->CopySheet(*source_, source_->Sheet(0), 2);
  EXPECT_EQ(second.name, "Template (3)");
  EXPECT_EQ(source_->ActiveIndex(), 2u);
  // Inside one workbook formulas naming other sheets stay as they are.
  EXPECT_FALSE(first.data.Find({2, 3})->formula().empty());
  std::string long_name(31, 'L');
  source_->Rename(source_->Sheet(0), long_name);
  EXPECT_EQ(source_->CopySheet(*source_, source_->Sheet(0), 1).name, std::string(27, 'L') + " (2)");
}

TEST_F(SheetCopyTest, StylesOfASecondTemplateWorkbookAreMergedIn) {
  // The target takes the first template's styles; a different workbook's sheet must then be
  // mapped onto them without changing either look.
  target_->CopySheet(*source_, source_->Sheet(0), 1);
  auto other = Workbook::Create(1);
  other->CopySheet(*source_, source_->Sheet(0), 1);
  other->Save(dir_.File("other.xlsx"));
  auto reread_other = Workbook::Open(dir_.File("other.xlsx"));
  Worksheet& mixed = target_->CopySheet(*reread_other, reread_other->Sheet(1), 2);
  EXPECT_EQ(mixed.name, "Template (2)");
  for (const char* address : {"A1", "A2", "C3", "D5"}) {
    EXPECT_EQ(Style(*target_, mixed, address), Style(*source_, source_->Sheet(0), address));
  }
  EXPECT_EQ(target_->CellText(mixed, {3, 4}), "太字混在");
}

TEST_F(SheetCopyTest, RenameFollowsExcelRules) {
  auto book = Workbook::Create(3);
  EXPECT_THROW(book->Rename(book->Sheet(0), "sheet2"), Error);  // taken, ignoring case
  EXPECT_THROW(book->Rename(book->Sheet(0), "ＳＨＥＥＴ２"), Error);
  EXPECT_THROW(book->Rename(book->Sheet(0), "a/b"), Error);
  EXPECT_THROW(book->Rename(book->Sheet(0), std::string(32, 'x')), Error);
  EXPECT_THROW(book->Rename(book->Sheet(0), ""), Error);
  book->Rename(book->Sheet(0), "SHEET1");  // its own name in other letters is fine
  EXPECT_EQ(book->Sheet(0).name, "SHEET1");
  try {
    book->Rename(book->Sheet(1), "sheet3");
    FAIL();
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("sheet3"), std::string::npos);
  }
}

TEST_F(SheetCopyTest, DeleteKeepsOneVisibleSheetAndMovesTheActiveTab) {
  auto book = Workbook::Create(3);
  book->Activate(2);
  book->Delete(book->Sheet(2));
  EXPECT_EQ(book->ActiveIndex(), 1u);
  book->Delete(book->Sheet(0));
  EXPECT_EQ(book->SheetCount(), 1u);
  EXPECT_EQ(book->Sheet(0).name, "Sheet2");
  EXPECT_THROW(book->Delete(book->Sheet(0)), Error);
}

TEST_F(SheetCopyTest, DeletingASheetTurnsNamesThatPointAtItIntoErrors) {
  source_->Sheet(0).local_names.push_back({"Codes", "Lists!$A$1:$A$3", ""});
  source_->Delete(source_->Sheet(1));
  ASSERT_EQ(source_->global_names().size(), 1u);
  EXPECT_EQ(source_->global_names()[0].formula, "#REF!");
  ASSERT_EQ(source_->Sheet(0).local_names.size(), 3u);
  EXPECT_EQ(source_->Sheet(0).local_names[0].formula, "Template!$A$1:$D$20");
  EXPECT_EQ(source_->Sheet(0).local_names[2].formula, "#REF!");
  EXPECT_TRUE(source_->Sheet(0).data.Find({2, 3})->formula().empty());
  EXPECT_EQ(source_->CellText(source_->Sheet(0), {2, 3}), "x");
}

TEST_F(SheetCopyTest, RenamingRewritesReferencesToTheSheet) {
  source_->Rename(source_->Sheet(1), "Codes");
  EXPECT_EQ(source_->global_names()[0].formula, "'Codes'!$A$1:$A$3");
  EXPECT_NE(source_->Sheet(0).data.Find({2, 3})->formula().find("'Codes'!A1"), std::string::npos);
  EXPECT_EQ(source_->Sheet(0).local_names[0].formula, "Template!$A$1:$D$20");
}

// A rename remembers which sheets each name's formula names; names edited, added or removed
// between renames are seen as they are now.
TEST_F(SheetCopyTest, RenamesSeeNamesAsTheyAreNow) {
  Worksheet& main = source_->Sheet(0);
  std::vector<DefinedName>& names = main.local_names;
  names.push_back({"Lookup", "Lists!$C$1", ""});
  source_->Rename(source_->Sheet(1), "Codes");
  source_->Rename(main, "Main");
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0].formula, "'Main'!$A$1:$D$20");
  EXPECT_EQ(names[2].formula, "'Codes'!$C$1");

  names[2].formula = "ｍａｉｎ!$B$2";  // the same sheet in other letters
  names.erase(names.begin());
  names.push_back({"Kinds", "Codes!$A$1", ""});
  source_->Rename(main, "Top");
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0].formula, "'Top'!$4:$4");
  EXPECT_EQ(names[1].formula, "'Top'!$B$2");
  EXPECT_EQ(names[2].formula, "Codes!$A$1");
  EXPECT_EQ(source_->global_names()[0].formula, "'Codes'!$A$1:$A$3");
}

}  // namespace
}  // namespace morvane::xlsx
