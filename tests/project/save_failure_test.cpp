// Saves that fail part way leave the old project byte for byte, and two writers of one project
// never lose each other's changes: the second waits for the first's lock and gives up with a
// message, and a project changed since it was read is not overwritten.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "project/project_lock.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "sample_document.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

class SaveFailureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("morvane-savefail-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = (dir_ / "p.vnk").string();
    testing::BuildSampleDocument(store_);
    ASSERT_TRUE(SaveProjectFile(store_, path_).ok);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  // A bigger document than the one saved.
  void Grow() {
    for (int i = 0; i < 200; ++i) {
      TTableRec& record = store_.AddRecord(DataKind::Table);
      record.name = "GROWN_TABLE_" + std::to_string(i);
    }
  }

  fs::path dir_;
  std::string path_;
  TCatalogueStore store_;
};

// The file is written in place (it has another hard link) under a file-size limit a little
// above its old size: the save fails, and the file is what it was.
TEST_F(SaveFailureTest, AFailedWriteInPlaceLeavesTheOldBytes) {
  const std::string before = Contents(path_);
  fs::create_hard_link(path_, dir_ / "other-name.vnk");
  Grow();
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlim_t limit = before.size() + 100;
    const struct rlimit fsize { limit, limit };
    ::setrlimit(RLIMIT_FSIZE, &fsize);
    const ProjectWriteResult result = SaveProjectFile(store_, path_);
    const bool named = result.error.find(path_) != std::string::npos &&
                       result.error.find("ファイルの大きさの制限") != std::string::npos;
    ::_exit(result.ok ? 1 : named ? 0 : 2);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: saved, 2: the message names no file or reason";
  EXPECT_EQ(Contents(path_), before);
  EXPECT_EQ(fs::hard_link_count(path_), 2u);
}

TEST_F(SaveFailureTest, ASecondWriterWaitsThenGivesUpNamingTheProject) {
  ProjectLock first;
  ASSERT_FALSE(first.Lock(path_));
  ProjectLock second;
  const auto start = std::chrono::steady_clock::now();
  const std::optional<std::string> refused = second.Lock(path_, std::chrono::milliseconds(300));
  const auto waited = std::chrono::steady_clock::now() - start;
  ASSERT_TRUE(refused);
  EXPECT_NE(refused->find("プロジェクト「" + path_ + "」は他のプログラムが使用中"),
            std::string::npos);
  EXPECT_GE(waited, std::chrono::milliseconds(300));
  first.Unlock();
  EXPECT_FALSE(second.Lock(path_, std::chrono::milliseconds(300)));
}

// Another writer's save replaces the file: the lock follows the name to the new file.
TEST_F(SaveFailureTest, TheLockFollowsAProjectReplacedBySaving) {
  ProjectLock first;
  ASSERT_FALSE(first.Lock(path_));
  TCatalogueStore other;
  testing::BuildSampleDocument(other);
  ASSERT_TRUE(SaveProjectFile(other, path_).ok);  // a new file under the name
  ProjectLock second;
  EXPECT_FALSE(second.Lock(path_, std::chrono::milliseconds(100)));
  ProjectLock third;
  EXPECT_TRUE(third.Lock(path_, std::chrono::milliseconds(100)));
}

TEST_F(SaveFailureTest, AProjectChangedSinceItWasReadIsNotOverwritten) {
  TCatalogueStore first, second;
  ASSERT_TRUE(OpenProjectFile(first, path_, EstimateTextWidth).ok);
  ASSERT_TRUE(OpenProjectFile(second, path_, EstimateTextWidth).ok);
  first.AddRecord(DataKind::Table).name = "FIRST";
  ASSERT_TRUE(SaveProjectFile(first, path_).ok);
  const std::string saved = Contents(path_);
  second.AddRecord(DataKind::Table).name = "SECOND";
  const ProjectWriteResult refused = SaveProjectFile(second, path_);
  EXPECT_FALSE(refused.ok);
  EXPECT_NE(refused.error.find("プロジェクト「" + path_ + "」は読み込んだ後に"), std::string::npos)
      << refused.error;
  EXPECT_EQ(Contents(path_), saved);
  // The first writer goes on saving its own file.
  first.AddRecord(DataKind::Table).name = "FIRST_AGAIN";
  EXPECT_TRUE(SaveProjectFile(first, path_).ok);
}

}  // namespace
}  // namespace morvane
