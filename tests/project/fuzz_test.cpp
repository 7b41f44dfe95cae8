// Feeds the reader thousands of damaged project files. Whatever the damage, reading must end
// in either a complete document that saves and reopens to the same bytes, or a failure that
// leaves the store reset. Run under AddressSanitizer/UBSan in the core test build.
#include <gtest/gtest.h>

#include <random>

#include "project/project_reader.h"
#include "project/project_writer.h"
#include "sample_document.h"

namespace morvane {
namespace {

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size() - 1;
    lines.push_back(bytes.substr(start, end + 1 - start));
    start = end + 1;
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line;
  return bytes;
}

// One random change of the kinds a damaged or hand-edited file shows.
std::string Mutate(const std::string& original, std::mt19937& random) {
  static const std::string interesting[] = {"\x01",
                                            "\x02",
                                            "\r",
                                            "\n",
                                            "-",
                                            "0",
                                            "9",
                                            "2147483648",
                                            "-2147483649",
                                            "TRUE",
                                            "\x81",
                                            "",
                                            "\x01"
                                            "ER_LINE\x02",
                                            "\x01TABLE_VALUE\x02",
                                            "\x01"
                                            "ER_TABLE\x02",
                                            "Table1\x02"};
  std::string bytes = original;
  auto pick = [&random](size_t n) { return n == 0 ? 0 : static_cast<size_t>(random() % n); };
  const int changes = 1 + static_cast<int>(random() % 4);
  for (int c = 0; c < changes; ++c) {
    switch (random() % 7) {
      case 0:  // flip a byte
        if (!bytes.empty()) bytes[pick(bytes.size())] = static_cast<char>(random());
        break;
      case 1:  // insert a meaningful piece
        bytes.insert(pick(bytes.size() + 1), interesting[pick(std::size(interesting))]);
        break;
      case 2:  // delete a range
        if (!bytes.empty()) {
          const size_t at = pick(bytes.size());
          bytes.erase(at, pick(64) + 1);
        }
        break;
      case 3:  // truncate
        bytes.resize(pick(bytes.size() + 1));
        break;
      case 4: {  // duplicate a line
        std::vector<std::string> lines = SplitLines(bytes);
        if (!lines.empty())
          lines.insert(lines.begin() + pick(lines.size()), lines[pick(lines.size())]);
        bytes = Join(lines);
        break;
      }
      case 5: {  // swap two lines
        std::vector<std::string> lines = SplitLines(bytes);
        if (lines.size() > 1) std::swap(lines[pick(lines.size())], lines[pick(lines.size())]);
        bytes = Join(lines);
        break;
      }
      default: {  // drop a line
        std::vector<std::string> lines = SplitLines(bytes);
        if (!lines.empty()) lines.erase(lines.begin() + pick(lines.size()));
        bytes = Join(lines);
        break;
      }
    }
  }
  return bytes;
}

TEST(ProjectReaderFuzzTest, DamagedFilesNeverCrashOrHalfLoad) {
  TCatalogueStore sample;
  testing::BuildSampleDocument(sample);
  const std::string original = ProjectFileBytes(sample);
  std::mt19937 random(0x5EED);
  int loaded = 0;
  for (int iteration = 0; iteration < 20000; ++iteration) {
    const std::string damaged = Mutate(original, random);
    TCatalogueStore store;
    ProjectReadResult result = ReadProjectBytes(store, damaged, EstimateTextWidth);
    if (result.ok) {
      ++loaded;
      ASSERT_FALSE(store.er.sheets.empty());
      ASSERT_TRUE(ProductFromCode(ProductCode(store.product)));
      const std::string saved = ProjectFileBytes(store);
      TCatalogueStore again;
      ASSERT_TRUE(ReadProjectBytes(again, saved, EstimateTextWidth).ok) << iteration;
      ASSERT_EQ(ProjectFileBytes(again), saved) << iteration;
    } else {
      ASSERT_FALSE(result.errors.empty());
      ASSERT_EQ(result.errors[0], kMsgReadFailed);
      ASSERT_EQ(store.product, Product::None);
      ASSERT_TRUE(store.er.sheets.empty());
    }
  }
  // The mutations must leave a fair share of files readable, or the test checks little.
  EXPECT_GT(loaded, 1000);
}

}  // namespace
}  // namespace morvane
