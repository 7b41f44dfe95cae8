// Parts made while the archive is written read back as the same parts held in memory would.
#include "xlsx/zip_package.h"

#include <zip.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "xlsx/error.h"

namespace morvane::xlsx {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// The entries of an archive in their order, with their bytes and whether they were stored.
Entries ReadEntries(const std::string& archive_bytes, std::vector<bool>* stored) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source =
      zip_source_buffer_create(archive_bytes.data(), archive_bytes.size(), 0, &error);
  zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
  EXPECT_NE(archive, nullptr);
  Entries entries;
  for (zip_int64_t i = 0; archive != nullptr && i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
    std::string bytes(stat.size, '\0');
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
    EXPECT_EQ(zip_fread(file, bytes.data(), bytes.size()), static_cast<zip_int64_t>(stat.size));
    zip_fclose(file);
    entries.emplace_back(stat.name, bytes);
    stored->push_back(stat.comp_method == ZIP_CM_STORE);
  }
  if (archive != nullptr) zip_discard(archive);
  return entries;
}

TEST(ZipPackageTest, MadePartsReadBackLikeHeldParts) {
  // A sheet that deflates beyond the reader's ratio is stored, so its maker runs twice.
  const std::string far_deflating(ZipPackage::kRatioCheckedFrom + 4096, 'x');
  const Entries parts = {{"[Content_Types].xml", "<Types/>"},
                         {"xl/worksheets/sheet1.xml", "<worksheet>1</worksheet>"},
                         {"xl/worksheets/sheet2.xml", far_deflating},
                         {"xl/workbook.xml", "<workbook/>"},
                         {"xl/worksheets/sheet3.xml", ""}};
  ZipPackage held;
  ZipPackage made;
  int makes = 0;
  for (const auto& [name, bytes] : parts) {
    held.Put(name, bytes);
    if (name.find("worksheets/") == std::string::npos) {
      made.Put(name, bytes);
    } else {
      made.PutMade(name, [&makes, bytes = bytes] {
        ++makes;
        return bytes;
      });
    }
  }
  std::vector<bool> held_stored, made_stored;
  const Entries expected = ReadEntries(held.ToBytes(), &held_stored);
  EXPECT_EQ(ReadEntries(made.ToBytes(), &made_stored), expected);
  EXPECT_EQ(made_stored, held_stored);
  EXPECT_EQ(held_stored, (std::vector<bool>{false, false, false, true, false}));
  EXPECT_EQ(makes, 6);  // each made part once per pass, and two passes
  EXPECT_EQ(made.Names(), held.Names());
}

TEST(ZipPackageTest, AFailingMakerFailsTheArchiveWithItsReason) {
  ZipPackage package;
  package.Put("[Content_Types].xml", "<Types/>");
  package.PutMade("xl/worksheets/sheet1.xml", []() -> std::string {
    throw Error("シート「表」が大きすぎるため保存できません");
  });
  try {
    package.ToBytes();
    FAIL() << "written";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "シート「表」が大きすぎるため保存できません");
  }
  package.Put("xl/worksheets/sheet1.xml", "<worksheet/>");  // a held part replaces the maker
  EXPECT_NO_THROW(package.ToBytes());
}

}  // namespace
}  // namespace morvane::xlsx
