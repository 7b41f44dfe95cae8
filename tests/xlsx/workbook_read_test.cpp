#include <gtest/gtest.h>
#include <sys/resource.h>

#include <fstream>
#include <iterator>

#include "handmade_template.h"
#include "temp_dir.h"
#include "xlsx/error.h"
#include "xlsx/workbook.h"
#include "xlsx/zip_package.h"

namespace morvane::xlsx {
namespace {

class WorkbookReadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.File("template.xlsx");
    testing::WriteHandmadeTemplate(path_);
    book_ = Workbook::Open(path_);
  }
  std::string Text(const char* address) {
    return book_->CellText(book_->Sheet(0), *ParseCellRef(address));
  }

  testing::TempDir dir_;
  std::string path_;
  std::unique_ptr<Workbook> book_;
};

TEST_F(WorkbookReadTest, SheetsInTabOrderWithTheActiveOne) {
  ASSERT_EQ(book_->SheetCount(), 2u);
  EXPECT_EQ(book_->Sheet(0).name, "Template");
  EXPECT_EQ(book_->Sheet(1).name, "Lists");
  EXPECT_EQ(book_->ActiveIndex(), 0u);
  EXPECT_EQ(book_->FindSheet("LISTS"), &book_->Sheet(1));
}

TEST_F(WorkbookReadTest, ValuesReadAsTextLikeExcelValue) {
  EXPECT_EQ(Text("A1"), "テーブル名");
  EXPECT_EQ(Text("A2"), "1.5");  // a number, whatever its format shows
  EXPECT_EQ(Text("B2"), "3");    // the cached result of a formula
  EXPECT_EQ(Text("C2"), "x");    // a formula's text result
  EXPECT_EQ(Text("A3"), "TRUE");
  EXPECT_EQ(Text("B3"), "#N/A");
  EXPECT_EQ(Text("C3"), "2000/01/01");  // a date-formatted number
  EXPECT_EQ(Text("D3"), "太字混在");    // rich text joined, phonetic guide left out
  EXPECT_EQ(Text("B1"), "");            // formatted but empty
  EXPECT_EQ(Text("Z99"), "");           // never used
  EXPECT_EQ(book_->CellText(book_->Sheet(1), {2, 1}), "y");  // an inline string
}

TEST_F(WorkbookReadTest, LastUsedRowCountsFormattedCellsAndMerges) {
  EXPECT_EQ(book_->Sheet(0).LastUsedRow(), 20u);
  EXPECT_EQ(book_->Sheet(1).LastUsedRow(), 3u);
  auto fresh = Workbook::Create(1);
  EXPECT_EQ(fresh->Sheet(0).LastUsedRow(), 1u);  // an empty sheet's last cell is A1
}

TEST_F(WorkbookReadTest, SavingWithoutChangesKeepsValuesAndDropsTheStaleCalcChain) {
  std::string copy = dir_.File("resaved.xlsx");
  book_->Save(copy);
  ZipPackage package = ZipPackage::ReadFile(copy);
  EXPECT_FALSE(package.Has("xl/calcChain.xml"));
  EXPECT_EQ(package.Get("xl/media/image1.png"), testing::TemplatePicture());
  EXPECT_EQ(package.Get("[Content_Types].xml").find("calcChain"), std::string::npos);
  auto reread = Workbook::Open(copy);
  EXPECT_EQ(reread->CellText(reread->Sheet(0), {3, 4}), "太字混在");
  EXPECT_EQ(reread->Sheet(0).local_names.size(), 2u);
}

TEST(WorkbookOpenTest, ReportsFilesThatAreNotWorkbooks) {
  testing::TempDir dir;
  EXPECT_THROW(Workbook::Open(dir.File("missing.xlsx")), Error);
  std::string not_zip = dir.File("text.xlsx");
  FILE* f = fopen(not_zip.c_str(), "w");
  fputs("hello", f);
  fclose(f);
  EXPECT_THROW(Workbook::Open(not_zip), Error);
  ZipPackage empty;
  empty.Put("readme.txt", "x");
  empty.WriteFile(dir.File("empty.xlsx"));
  EXPECT_THROW(Workbook::Open(dir.File("empty.xlsx")), Error);
}

long PeakMemoryKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Every damaged copy of a workbook either opens and saves again or is refused with an
// xlsx::Error; nothing else may escape.
void ExpectOpensOrIsRefused(const std::string& bytes, const std::string& save_path) {
  try {
    auto book = Workbook::FromBytes(bytes);
    for (size_t i = 0; i < book->SheetCount(); ++i) {
      for (const Row& row : book->Sheet(i).data.rows()) {
        for (const Cell& cell : row.cells) book->CellText(book->Sheet(i), {row.index, cell.col});
      }
    }
    book->Save(save_path);
  } catch (const Error&) {
  }
}

TEST(WorkbookOpenTest, DamagedArchivesAreRefusedWithAnError) {
  testing::TempDir dir;
  std::string path = dir.File("template.xlsx");
  testing::WriteHandmadeTemplate(path);
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 100u);
  std::string out = dir.File("out.xlsx");
  for (size_t length = 0; length < bytes.size(); length += 97) {
    SCOPED_TRACE("cut at " + std::to_string(length));
    ExpectOpensOrIsRefused(bytes.substr(0, length), out);
  }
  // Central directory entries that claim a huge uncompressed size are refused without
  // reserving that much memory.
  long peak_before = PeakMemoryKb();
  for (size_t at = bytes.find("PK\x01\x02"); at != std::string::npos;
       at = bytes.find("PK\x01\x02", at + 4)) {
    SCOPED_TRACE("entry at " + std::to_string(at));
    std::string damaged = bytes;
    damaged.replace(at + 24, 4, "\xf0\xff\xff\x7f");
    ExpectOpensOrIsRefused(damaged, out);
  }
  EXPECT_LT(PeakMemoryKb() - peak_before, 256 * 1024);
  for (size_t at = 0; at < bytes.size(); at += 7) {
    for (char value : {'\0', '\xff'}) {
      SCOPED_TRACE("byte " + std::to_string(at));
      std::string damaged = bytes;
      damaged[at] = value;
      ExpectOpensOrIsRefused(damaged, out);
    }
  }
}

TEST(WorkbookOpenTest, AWorkbookWithEveryTabHiddenShowsItsActiveSheet) {
  testing::TempDir dir;
  std::string path = dir.File("hidden.xlsx");
  testing::WriteHandmadeTemplate(path);
  ZipPackage package = ZipPackage::ReadFile(path);
  std::string workbook = package.Get("xl/workbook.xml");
  for (size_t at = workbook.find("<sheet "); at != std::string::npos;
       at = workbook.find("<sheet ", at + 1)) {
    workbook.insert(at + 7, "state=\"hidden\" ");
  }
  package.Put("xl/workbook.xml", workbook);
  package.WriteFile(path);

  auto book = Workbook::Open(path);
  ASSERT_EQ(book->Sheet(book->ActiveIndex()).state, SheetState::kVisible);
  book->Delete(book->Sheet(1 - book->ActiveIndex()));
  book->Save(dir.File("out.xlsx"));
  EXPECT_EQ(Workbook::Open(dir.File("out.xlsx"))->SheetCount(), 1u);
}

}  // namespace
}  // namespace morvane::xlsx
