// Where `excel --out` writes: through a symbolic link to the file it names, into a FIFO that
// stays a FIFO, never over a write-protected file; and what it says only once the file is there.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/excel_command.h"
#include "project/new_project.h"
#include "project/project_writer.h"
#include "temp_dir.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;
using xlsx::testing::TempDir;

std::string ReadAll(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// An Oracle 8 project with one table, or none.
std::string WriteProject(const TempDir& dir, bool with_table) {
  TCatalogueStore store;
  NewProject(store, Product::Oracle8, EstimateTextWidth);
  if (with_table) {
    TTableRec& record = store.AddRecord(DataKind::Table);
    record.name = "EMP";
    record.values = TValueList(std::vector<std::string>{"SCOTT", "EMP", "TABLE"});
  }
  std::string path = dir.File(with_table ? "p.vnk" : "empty.vnk");
  EXPECT_TRUE(SaveProjectFile(store, path).ok);
  return path;
}

// An Oracle 8 project of many tables of many columns, whose workbook takes a while to write.
std::string WriteLargeProject(const TempDir& dir, int tables, int columns) {
  TCatalogueStore store;
  NewProject(store, Product::Oracle8, EstimateTextWidth);
  const size_t column_values = store.Items(DataKind::Table, kItemLevelColumn).size();
  for (int t = 0; t < tables; ++t) {
    TTableRec& record = store.AddRecord(DataKind::Table);
    record.name = "T" + std::to_string(t);
    record.values = TValueList(std::vector<std::string>{"SCOTT", record.name, "TABLE"});
    for (int c = 0; c < columns; ++c) {
      std::vector<std::string> row(column_values);
      row[0] = std::to_string(c + 1);
      row[1] = record.name + "_COLUMN_" + std::to_string(c * 7919 % 100003);
      row[2] = "NUMBER";
      record.columns.push_back({TValueList(row)});
    }
  }
  std::string path = dir.File("large.vnk");
  EXPECT_TRUE(SaveProjectFile(store, path).ok);
  return path;
}

int Excel(const std::vector<std::string>& args, std::string* err = nullptr) {
  std::ostringstream out, errors;
  const int code = RunExcelCommand(args, out, errors);
  if (err != nullptr) *err = errors.str();
  return code;
}

bool IsWorkbook(const std::string& bytes) { return bytes.rfind("PK\x03\x04", 0) == 0; }

struct TargetCase {
  const char* name;
  std::function<void(const TempDir&, const std::string& out)> make;
  int code;
  std::function<void(const TempDir&, const std::string& out, const std::string& err)> check;
};

TEST(ExcelOutputTargetTest, TheThingAtThePathIsTreatedAsTheProjectWriterTreatsIt) {
  const TargetCase cases[] = {
      {"symbolic link",
       [](const TempDir& dir, const std::string& out) {
         std::ofstream(dir.File("real.xlsx")) << "old";
         fs::create_symlink(dir.File("real.xlsx"), out);
       },
       0,
       [](const TempDir& dir, const std::string& out, const std::string&) {
         EXPECT_TRUE(fs::is_symlink(out));
         EXPECT_TRUE(IsWorkbook(ReadAll(dir.File("real.xlsx"))));
       }},
      {"write-protected file",
       [](const TempDir&, const std::string& out) {
         std::ofstream(out) << "old";
         fs::permissions(out, fs::perms::owner_read | fs::perms::group_read);
       },
       1,
       [](const TempDir&, const std::string& out, const std::string& err) {
         EXPECT_EQ(ReadAll(out), "old");
         EXPECT_EQ(fs::status(out).permissions(), fs::perms::owner_read | fs::perms::group_read);
         EXPECT_NE(err.find("ファイル「" + out + "」に保存できませんでした。"), std::string::npos)
             << err;
         EXPECT_EQ(err.find("終了しました"), std::string::npos) << err;
       }},
      {"folder that does not exist", [](const TempDir&, const std::string&) {}, 1,
       [](const TempDir&, const std::string&, const std::string& err) {
         EXPECT_NE(err.find("ファイルまたはフォルダがありません"), std::string::npos) << err;
         EXPECT_EQ(err.find("終了しました"), std::string::npos) << err;
       }},
  };
  for (const TargetCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string project = WriteProject(dir, true);
    const std::string out = c.code == 1 && std::string(c.name).find("folder") != std::string::npos
                                ? dir.File("missing/out.xlsx")
                                : dir.File("out.xlsx");
    c.make(dir, out);
    std::string err;
    EXPECT_EQ(Excel({project, "--kind", "2", "--all-tables", "--out", out}, &err), c.code) << err;
    c.check(dir, out, err);
    for (const auto& entry : fs::directory_iterator(dir.path())) {
      EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos);
      EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos);
    }
  }
}

TEST(ExcelOutputTargetTest, AFifoGetsTheWorkbookAndStaysAFifo) {
  TempDir dir;
  const std::string project = WriteProject(dir, true);
  const std::string fifo = dir.File("pipe.xlsx");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::future<std::string> read = std::async(std::launch::async, [&] { return ReadAll(fifo); });
  std::string err;
  EXPECT_EQ(Excel({project, "--kind", "2", "--all-tables", "--out", fifo}, &err), 0) << err;
  EXPECT_TRUE(IsWorkbook(read.get()));
  EXPECT_TRUE(fs::is_fifo(fifo));
}

// Waits until a file whose name holds `part` is made in the watched folder; false after a
// minute without one.
bool WaitForCreated(int watch, const std::string& part) {
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    pollfd ready{watch, POLLIN, 0};
    if (::poll(&ready, 1, 60000) <= 0) return false;
    const ssize_t n = ::read(watch, buffer, sizeof buffer);
    for (ssize_t at = 0; at < n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if (event->len > 0 && std::string(event->name).find(part) != std::string::npos) return true;
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
}

// `excel --out` stopped by SIGTERM once it has begun writing: the book at the path is the old
// one or the whole new one, never a part, and no temporary file is left beside it.
TEST(ExcelOutputTargetTest, SigtermWhileWritingLeavesTheOldBookAndNoTemporaryFile) {
  TempDir dir;
  const std::string project = WriteLargeProject(dir, 300, 60);
  const std::string out = dir.File("book.xlsx");
  int stopped_part_way = 0;
  for (int attempt = 0; attempt < 5 && stopped_part_way == 0; ++attempt) {
    std::ofstream(out, std::ios::trunc) << "old book";
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(::inotify_add_watch(watch, dir.path().c_str(), IN_CREATE), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(Excel({project, "--kind", "2", "--all-tables", "--out", out}));
    const bool writing = WaitForCreated(watch, ".tmp");
    ::kill(child, SIGTERM);
    ::close(watch);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(writing) << "no temporary file was made";
    const std::string book = ReadAll(out);
    if (WIFSIGNALED(status) && book == "old book") ++stopped_part_way;
    EXPECT_TRUE(book == "old book" || IsWorkbook(book)) << book.substr(0, 40);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"book.xlsx", "large.vnk"}));
  }
  EXPECT_EQ(stopped_part_way, 1) << "the program always finished before the signal came";
}

TEST(ExcelOutputTargetTest, NoTablesToWriteIsAFailure) {
  TempDir dir;
  const std::string project = WriteProject(dir, false);
  const std::string out = dir.File("out.xlsx");
  std::string err;
  EXPECT_EQ(Excel({project, "--kind", "2", "--all-tables", "--out", out}, &err), 1);
  EXPECT_NE(err.find("出力するテーブルがありません"), std::string::npos) << err;
  EXPECT_FALSE(fs::exists(out));
}

}  // namespace
}  // namespace morvane
