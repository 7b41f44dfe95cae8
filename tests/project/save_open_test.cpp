#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "project/new_project.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "sample_document.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

class SaveOpenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("morvane-save-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  size_t FileCount() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }

  fs::path dir_;
};

TEST_F(SaveOpenTest, SaveWritesTheBytesAndOpenReadsThemBack) {
  TCatalogueStore store;
  testing::BuildSampleDocument(store);
  store.modified = true;
  const std::string path = (dir_ / "sample.vnk").string();
  ProjectWriteResult saved = SaveProjectFile(store, path);
  ASSERT_TRUE(saved.ok) << saved.error;
  EXPECT_EQ(store.fileName, path);
  EXPECT_FALSE(store.modified);
  EXPECT_EQ(Contents(path), ProjectFileBytes(store));
  EXPECT_EQ(FileCount(), 1u);  // no temporary file left behind

  TCatalogueStore reopened;
  ProjectReadResult read = OpenProjectFile(reopened, path, EstimateTextWidth);
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(reopened.fileName, path);
  EXPECT_EQ(ProjectFileBytes(reopened), Contents(path));
}

TEST_F(SaveOpenTest, FailedSaveKeepsThePreviousFileAndTheDocumentState) {
  TCatalogueStore store;
  NewProject(store, Product::RedBrick, EstimateTextWidth);
  const std::string path = (dir_ / "keep.vnk").string();
  ASSERT_TRUE(SaveProjectFile(store, path).ok);
  const std::string before = Contents(path);

  // A large document on a "disk" that takes only 8 KiB per file.
  testing::BuildSampleDocument(store);
  for (int i = 0; i < 2000; ++i) store.AddRecord(DataKind::Table).name = "T" + std::to_string(i);
  store.fileName = "/elsewhere.vnk";
  store.modified = true;
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 8192;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  ProjectWriteResult result = SaveProjectFile(store, path);
  ::setrlimit(RLIMIT_FSIZE, &saved);

  EXPECT_FALSE(result.ok);
  EXPECT_NE(result.error.find("に保存できませんでした。"), std::string::npos) << result.error;
  EXPECT_EQ(Contents(path), before);
  EXPECT_EQ(FileCount(), 1u);
  EXPECT_EQ(store.fileName, "/elsewhere.vnk");
  EXPECT_TRUE(store.modified);
}

TEST_F(SaveOpenTest, SaveIntoAMissingFolderFails) {
  TCatalogueStore store;
  NewProject(store, Product::Oracle7, EstimateTextWidth);
  ProjectWriteResult result = SaveProjectFile(store, (dir_ / "no" / "such.vnk").string());
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.error.empty());
}

TEST_F(SaveOpenTest, SavingOverASymbolicLinkKeepsTheLink) {
  TCatalogueStore store;
  NewProject(store, Product::Oracle7, EstimateTextWidth);
  const fs::path real = dir_ / "real.vnk";
  const fs::path link = dir_ / "link.vnk";
  std::ofstream(real) << "old";
  fs::create_symlink(real, link);
  ASSERT_TRUE(SaveProjectFile(store, link.string()).ok);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Contents(real), ProjectFileBytes(store));
}

TEST_F(SaveOpenTest, OpenFailuresLeaveNoFileNameToSaveOver) {
  TCatalogueStore store;
  NewProject(store, Product::Oracle8, EstimateTextWidth);
  ProjectReadResult missing =
      OpenProjectFile(store, (dir_ / "missing.vnk").string(), EstimateTextWidth);
  EXPECT_FALSE(missing.ok);
  ASSERT_EQ(missing.errors.size(), 1u);
  EXPECT_NE(missing.errors[0].find("を開けませんでした。"), std::string::npos);
  EXPECT_EQ(store.product, Product::None);

  const fs::path broken = dir_ / "broken.vnk";
  std::ofstream(broken, std::ios::binary) << "\x01Velnorak\x02"
                                             "280\x02\r\n\x01TABLE_VALUE\x02\r\nx\x02\r\n";
  store.fileName = "x";
  ProjectReadResult failed = OpenProjectFile(store, broken.string(), EstimateTextWidth);
  EXPECT_FALSE(failed.ok);
  EXPECT_TRUE(store.fileName.empty());
  EXPECT_EQ(store.product, Product::None);

  ProjectReadResult folder = OpenProjectFile(store, dir_.string(), EstimateTextWidth);
  EXPECT_FALSE(folder.ok);
  EXPECT_FALSE(folder.errors.empty());
}

}  // namespace
}  // namespace morvane
