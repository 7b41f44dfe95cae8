// Saving where a new file must not or cannot replace the target: FIFOs, device nodes, files with
// other hard links, folders the user may not write to; and a save stopped by a signal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>

#include "project/new_project.h"
#include "project/project_writer.h"
#include "sample_document.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

class SaveInPlaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("morvane-inplace-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    testing::BuildSampleDocument(store_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }

  static std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
  TCatalogueStore store_;
};

// What a writer puts into the FIFO at `path`, read until it closes. Gives up after a few
// seconds without blocking for ever, so a save that never opens the FIFO fails the test cleanly.
std::string ReadFifo(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return "cannot open";
  std::string text;
  bool writer_seen = false;
  for (int waited = 0; waited < 5000;) {
    pollfd ready{fd, POLLIN, 0};
    if (::poll(&ready, 1, 10) <= 0) {
      waited += 10;
      continue;
    }
    char buffer[4096];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got > 0) {
      writer_seen = true;
      text.append(buffer, static_cast<size_t>(got));
    } else if (got == 0 && writer_seen) {
      break;
    } else {
      ::usleep(10000);
      waited += 10;
    }
  }
  ::close(fd);
  return text;
}

TEST_F(SaveInPlaceTest, AFifoGetsTheBytesAndStaysAFifoAlsoThroughALink) {
  const fs::path fifo = dir_ / "pipe.vnk";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink(fifo, dir_ / "link.vnk");
  for (const fs::path& path : {fifo, dir_ / "link.vnk"}) {
    SCOPED_TRACE(path.string());
    std::future<std::string> reader =
        std::async(std::launch::async, [&fifo] { return ReadFifo(fifo); });
    ProjectWriteResult saved = SaveProjectFile(store_, path.string());
    ASSERT_TRUE(saved.ok) << saved.error;
    EXPECT_EQ(reader.get(), ProjectFileBytes(store_));
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));
    EXPECT_EQ(Names(), (std::vector<std::string>{"link.vnk", "pipe.vnk"}));
  }
}

TEST_F(SaveInPlaceTest, ADeviceNodeIsWrittenNotReplaced) {
  // A null device of the test's own, which only root may make.
  const fs::path device = dir_ / "null.vnk";
  if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
    GTEST_SKIP() << "cannot make a device node here";
  }
  fs::create_symlink(device, dir_ / "link.vnk");
  ProjectWriteResult saved = SaveProjectFile(store_, (dir_ / "link.vnk").string());
  ASSERT_TRUE(saved.ok) << saved.error;
  EXPECT_TRUE(fs::is_character_file(fs::symlink_status(device)));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir_ / "link.vnk")));
}

TEST_F(SaveInPlaceTest, AFileWithOtherHardLinksStaysOneFileForAllItsNames) {
  const fs::path file = dir_ / "project.vnk";
  const fs::path other = dir_ / "other-name.vnk";
  std::ofstream(file) << std::string(100000, 'x');  // longer than the new content
  fs::create_hard_link(file, other);
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);

  ProjectWriteResult saved = SaveProjectFile(store_, file.string());
  ASSERT_TRUE(saved.ok) << saved.error;
  EXPECT_EQ(fs::hard_link_count(file), 2u);
  EXPECT_EQ(Contents(other), ProjectFileBytes(store_));
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::mask,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Names(), (std::vector<std::string>{"other-name.vnk", "project.vnk"}));
}

// Saves as an ordinary user into a folder that user may not write to, holding a file the user
// may write. Run as root, the save runs in a child process that has become user nobody.
TEST_F(SaveInPlaceTest, AWritableFileInAReadOnlyFolderIsSavedInPlace) {
  const fs::path folder = dir_ / "shared";
  const fs::path file = folder / "project.vnk";
  fs::create_directory(folder);
  std::ofstream(file) << "old";
  const bool root = ::geteuid() == 0;
  constexpr uid_t kNobody = 65534;
  if (root) {
    ASSERT_EQ(::chown(file.c_str(), kNobody, kNobody), 0);
    fs::permissions(dir_, fs::perms::owner_all | fs::perms::others_exec | fs::perms::group_exec);
  }
  ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
  std::string expected = ProjectFileBytes(store_);

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (root && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(3);
    // The folder really refuses new files for this user.
    if (::open((folder / "probe").c_str(), O_WRONLY | O_CREAT, 0600) >= 0) ::_exit(4);
    ::_exit(SaveProjectFile(store_, file.string()).ok ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 4) GTEST_SKIP() << "this user may write into any folder";
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Contents(file), expected);
  fs::permissions(folder, fs::perms::owner_all);
  EXPECT_EQ(fs::hard_link_count(file), 1u);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);
}

// Stops a save with the signal once its temporary file exists.
class SignalOnBegin : public IProgress {
 public:
  explicit SignalOnBegin(int signal) : signal_(signal) {}
  void Begin(const std::string&, int) override { ::raise(signal_); }
  void Step(int) override {}
  void End() override {}

 private:
  int signal_;
};

TEST_F(SaveInPlaceTest, ASaveStoppedBySigintOrSigtermLeavesNoTemporaryFile) {
  const fs::path file = dir_ / "project.vnk";
  std::ofstream(file) << "old";
  for (int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::signal(signal, SIG_DFL);
      SignalOnBegin progress(signal);
      SaveProjectFile(store_, file.string(), &progress);
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), signal);
    EXPECT_EQ(Names(), (std::vector<std::string>{"project.vnk"}));
    EXPECT_EQ(Contents(file), "old");
  }
}

TEST_F(SaveInPlaceTest, TheProgramsOwnSignalHandlersAreBackAfterASave) {
  static int caught;
  caught = 0;
  struct sigaction mine {};
  mine.sa_handler = [](int) { ++caught; };
  struct sigaction before {};
  ASSERT_EQ(::sigaction(SIGTERM, &mine, &before), 0);
  ASSERT_TRUE(SaveProjectFile(store_, (dir_ / "p.vnk").string()).ok);
  ::raise(SIGTERM);
  ::sigaction(SIGTERM, &before, nullptr);
  EXPECT_EQ(caught, 1);
}

}  // namespace
}  // namespace morvane
