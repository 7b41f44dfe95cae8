// Workbooks whose archives hold more than a workbook needs: parts nothing refers to are not
// inflated, and a part that inflates beyond the limits is refused with a clear reason.
#include <zip.h>

#include <gtest/gtest.h>

#include <string>

#include "temp_dir.h"
#include "xlsx/error.h"
#include "xlsx/workbook.h"

namespace morvane::xlsx {
namespace {

using testing::TempDir;

// Adds (or replaces) an entry of the archive at `path`.
void PutEntry(const std::string& path, const std::string& name, const std::string& bytes) {
  int code = 0;
  zip_t* archive = zip_open(path.c_str(), 0, &code);
  ASSERT_NE(archive, nullptr);
  zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
  ASSERT_GE(zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE), 0);
  ASSERT_EQ(zip_close(archive), 0);
}

class ZipLimitsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = dir.File("book.xlsx");
    std::unique_ptr<Workbook> book = Workbook::Create(1);
    book->SetCellText(book->Sheet(0), {1, 1}, "kept");
    book->Save(path);
  }
  TempDir dir;
  std::string path;
  const std::string zeros = std::string(32u << 20, '\0');
};

TEST_F(ZipLimitsTest, PartsNothingRefersToAreNotRead) {
  PutEntry(path, "junk/zeros.bin", zeros);
  std::unique_ptr<Workbook> book = Workbook::Open(path);
  EXPECT_EQ(book->CellText(book->Sheet(0), {1, 1}), "kept");
  // Saving again leaves the unread part out.
  book->Save(dir.File("again.xlsx"));
  int code = 0;
  zip_t* archive = zip_open(dir.File("again.xlsx").c_str(), ZIP_RDONLY, &code);
  ASSERT_NE(archive, nullptr);
  EXPECT_LT(zip_name_locate(archive, "junk/zeros.bin", 0), 0);
  EXPECT_GE(zip_name_locate(archive, "xl/worksheets/sheet1.xml", 0), 0);
  zip_discard(archive);
}

TEST_F(ZipLimitsTest, APartInflatingFarBeyondItsSizeIsRefused) {
  PutEntry(path, "xl/worksheets/sheet1.xml", zeros);
  try {
    Workbook::Open(path);
    FAIL() << "opened";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("xl/worksheets/sheet1.xml"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("大きすぎる"), std::string::npos);
  }
}

TEST_F(ZipLimitsTest, ADamagedArchiveIsRefused) {
  std::string bytes = "PK\x03\x04 not really a workbook";
  EXPECT_THROW(Workbook::FromBytes(bytes), Error);
}

}  // namespace
}  // namespace morvane::xlsx
