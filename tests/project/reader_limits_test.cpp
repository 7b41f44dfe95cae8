// The reader on damaged and very large input: short quotes of bad fields, the file named in the
// reason, the earlier-version warning before the contents, value lines read in one go.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "project/new_project.h"
#include "project/project_reader.h"
#include "text/codec.h"

namespace morvane {
namespace {

const std::string kHeader =
    "\x01Velnorak\x02"
    "280\x02\r\n";
const std::string kSheet =
    "\x01"
    "ER\x02\r\nS\x02\r\n";

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

ProjectReadResult Read(TCatalogueStore& store, const std::string& bytes) {
  return ReadProjectBytes(store, bytes, EstimateTextWidth);
}

TEST(ReaderLimitsTest, ABadFieldIsQuotedWithAtMostFortyCharactersMarkedAsCut) {
  struct Case {
    std::string field;
    std::string quoted;
  };
  const std::string forty(40, '7');
  const Case cases[] = {
      {forty + "x", forty},  // 41 characters, cut
      {"x" + std::string(200000, '1'), "x" + std::string(39, '1')},
      // Double-byte characters count as one and are never split.
      {ToCp932(Repeat("あ", 41)), Repeat("あ", 40)},
  };
  for (const Case& c : cases) {
    TCatalogueStore store;
    ProjectReadResult result =
        Read(store, kHeader + "\x01" + "DATABASE_TYPE\x02\r\n" + c.field + "\x02\r\n" + kSheet);
    ASSERT_EQ(result.errors.size(), 2u);
    EXPECT_EQ(result.errors[1], "3行目: 「" + c.quoted + "…(以下省略)」は整数ではありません。");
  }
  TCatalogueStore store;
  ProjectReadResult whole =
      Read(store, kHeader + "\x01" + "DATABASE_TYPE\x02\r\n" + forty + "\x02\r\n" + kSheet);
  EXPECT_EQ(whole.errors.at(1), "3行目: 「" + forty + "」は整数ではありません。");
}

TEST(ReaderLimitsTest, ValueLinesKeepEveryFieldAndOnlyFields) {
  TCatalogueStore store;
  ProjectReadResult result = Read(store, kHeader +
                                             "\x01TABLE\x02"
                                             "2\x02\r\nO\x02T\x02N\x02\r\n"
                                             "\x01TABLE_VALUE\x02\r\na\x02\x02r\x01x\x02ignored\r\n"
                                             "\x01TABLE_VALUE\x02\r\nmore\x02\r\n"
                                             "\x01TABLE_COLUMN\x02\r\nno fields\r\n"
                                             "\x01TABLE_COLUMN\x02\r\n" +
                                             std::string(100000, '\x02') + "\r\n" + kSheet);
  ASSERT_TRUE(result.ok) << result.errors.back();
  const TTableRec& record = *store.Records(DataKind::Table).at(0);
  EXPECT_EQ(record.values, (TValueList{"a", "", "\rx", "more"}));
  ASSERT_EQ(record.columns.size(), 2u);
  EXPECT_TRUE(record.columns[0].values.empty());
  EXPECT_EQ(record.columns[1].values.size(), 100000u);
  EXPECT_EQ(record.columns[1].values[99999], "");
}

TEST(ReaderLimitsTest, TagLinesWithManyFieldsKeepTheirParameters) {
  TCatalogueStore store;
  ProjectReadResult result =
      Read(store, kHeader +
                      "\x01TABLE\x02"
                      "3\x02" +
                      std::string(100000, '\x02') + "\r\nO\x02T\x02N\x02\r\n" + kSheet);
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(store.Records(DataKind::Index).size(), 1u);
}

class RecordingProgress : public IProgress {
 public:
  std::vector<std::string> events;
  void Begin(const std::string&, int) override { events.push_back("begin"); }
  void Step(int) override {}
  void End() override { events.push_back("end"); }
};

class ReaderFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = (std::filesystem::temp_directory_path() /
             ("morvane-reader-" + std::to_string(::getpid()) + ".vnk"))
                .string();
  }
  void TearDown() override { std::filesystem::remove(path_); }
  void Write(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }

  std::string path_;
};

TEST_F(ReaderFileTest, TheEarlierVersionWarningComesBeforeTheRestIsRead) {
  Write(
      "\x01Velnorak\x02\r\n\x01"
      "DATABASE_TYPE\x02\r\nbad\x02\r\n" +
      kSheet);
  TCatalogueStore store;
  RecordingProgress progress;
  ProjectReadResult result = OpenProjectFile(
      store, path_, EstimateTextWidth, &progress, [&progress](const std::string& w) {
        progress.events.push_back(w == kMsgEarlierVersion ? "warning" : w);
      });
  EXPECT_EQ(progress.events, (std::vector<std::string>{"warning", "begin", "end"}));
  EXPECT_TRUE(result.warnings.empty());
  EXPECT_FALSE(result.ok);
}

TEST_F(ReaderFileTest, TheReasonOfAFailedOpenNamesTheFile) {
  struct Case {
    std::string bytes;
    std::string reason;
  };
  const Case cases[] = {
      {"just text\r\n", "プロジェクトファイルではありません。"},
      {kHeader + "\x01" + "DATABASE_TYPE\x02\r\n9\x02\r\n" + kSheet,
       "3行目: データベース種別「9」は不正です。"},
  };
  for (const Case& c : cases) {
    Write(c.bytes);
    TCatalogueStore store;
    ProjectReadResult result = OpenProjectFile(store, path_, EstimateTextWidth);
    EXPECT_EQ(result.errors,
              (std::vector<std::string>{std::string(kMsgReadFailed),
                                        "ファイル「" + path_ + "」\r\n" + c.reason}));
  }
}

}  // namespace
}  // namespace morvane
