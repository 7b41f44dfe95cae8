// Every morvane-cli command run through the program itself, one after another in one folder, on
// the emulator's demo data source MorvaneOracle8: the usage errors, the failures and one success
// of each, with their exit codes, their messages and the files they write.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "temp_dir.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

struct CliCase {
  const char* what;
  std::string command_line;  // after the program's name, run by sh in the case folder
  int exit_code;
  std::string expected;  // in standard output or standard error
  const char* writes = nullptr;
};

const std::string kLogin = " --dsn MorvaneOracle8 --uid scott";
// Where the table output of the bundled template puts the table's name and its columns.
const std::string kLayout =
    " --table-name-cell B1 --first-item-row 6 --name-column B --type-column C";

std::vector<CliCase> Cases() {
  std::vector<CliCase> cases = {
      {"no command", "", 2, "使い方:"},
      {"unknown command", "frobnicate x.vnk", 2, "使い方:"},
      {"new", "new oracle8 new.vnk", 0, "", "new.vnk"},
      {"new: unknown product", "new db2 x.vnk", 2, "「db2」は使えません"},
      {"resave", "resave new.vnk again.vnk", 0, "", "again.vnk"},
      {"info", "info again.vnk", 0, "データベース: Oracle 8"},
      {"info: missing file", "info missing.vnk", 1, "を開けませんでした。"},
      {"fetch: no data source", "fetch --product oracle8 --kinds 2 --out demo.vnk", 2,
       "--dsn を指定してください。"},
      {"fetch: an empty schema name",
       "fetch" + kLogin + " --product odbc --kinds 2 --schemas sales,,hr --out demo.vnk", 2,
       "スキーマ「sales,,hr」は使えません"},
      {"fetch: schemas, one comma ending the list, for a product without schemas",
       "fetch" + kLogin + " --product oracle8 --kinds 2 --schemas sales, --out demo.vnk", 2,
       "--schemas は汎用 ODBC (--product odbc) でだけ使えます。"},
      {"fetch: wrong password",
       "fetch" + kLogin + " --pwd lion --product oracle8 --kinds 2 --out demo.vnk", 1, "ORA-01017"},
      {"fetch", "fetch" + kLogin + " --product oracle8 --kinds 2,3,4 --out demo.vnk", 0,
       "テーブル情報: 31", "demo.vnk"},
      {"sql: no query", "sql demo.vnk" + kLogin, 2, "--query か --query-file"},
      {"sql: not a select", "sql demo.vnk" + kLogin + " --query 'DELETE FROM ORDERS'", 1,
       "SELECT 文のみ指定できます。"},
      {"sql", "sql demo.vnk" + kLogin + " --query 'SELECT COUNT(*) FROM ORDER_DETAILS'", 0,
       "SQL入力: 1"},
      {"count: no tables", "count demo.vnk" + kLogin, 2, "--tables か --all-tables"},
      {"count", "count demo.vnk" + kLogin + " --tables ORDER_DETAILS", 0, "SCOTT.ORDER_DETAILS: 3"},
      {"excel: no output", "excel demo.vnk --kind 2 --all-tables", 2, "--out を指定してください。"},
      {"excel", "excel demo.vnk --kind 2 --tables ORDERS,CUSTOMERS --out tables.xlsx", 0,
       "tables.xlsx: 2 シート", "tables.xlsx"},
      {"er-place: unknown table",
       "er-place demo.vnk --sheet 受注 --table NOPE@20,70 --out demo.vnk", 2,
       "テーブル「NOPE」がありません。"},
      {"er-place",
       "er-place demo.vnk --sheet 受注 --table ORDERS@20,70,200,170 --table CUSTOMERS@300,70 "
       "--line ORDERS:CUSTOMERS --out demo.vnk",
       0, "受注: 2 テーブル, 1 線"},
      {"import: no workbook", "import demo.vnk --all-sheets", 2, "--workbook が指定されていません"},
      {"import", "import demo.vnk --workbook tables.xlsx --all-sheets" + kLayout, 0,
       "Excelファイルをインポートしました。"},
      {"import again, no terminal to ask",
       "import demo.vnk --workbook tables.xlsx --all-sheets" + kLayout, 2,
       "「CUSTOMERS」は既にあります。"},
      {"import again, overwriting",
       "import demo.vnk --workbook tables.xlsx --sheets ORDERS --overwrite yes", 0,
       "Excelファイルをインポートしました。"},
      {"excel of the imported tables", "excel demo.vnk --kind 1 --all-tables --out again.xlsx", 0,
       "again.xlsx: 2 シート", "again.xlsx"},
      {"info after everything", "info demo.vnk", 0, "「受注」"},
  };
#ifdef MORVANE_CLI_HAS_ER_IMAGE
  cases.push_back(
      {"er-image: unknown sheet", "er-image demo.vnk --sheet 無い --out er.svg", 1, "「無い」"});
  cases.push_back({"er-image: no output", "er-image demo.vnk --sheet 受注", 2, "--out"});
  cases.push_back({"er-image", "er-image demo.vnk --sheet 受注 --out er.svg", 0, "", "er.svg"});
#endif
  return cases;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(CliBinaryTest, EveryCommandsUsageErrorsFailuresAndSuccess) {
  xlsx::testing::TempDir dir;
  for (const CliCase& c : Cases()) {
    SCOPED_TRACE(c.what);
    // No terminal: standard input is not one, as in scripts.
    const std::string command = "cd '" + dir.path().string() + "' && MORVANE_PWD=tiger '" +
                                MORVANE_CLI + "' " + c.command_line +
                                " > out.txt 2> err.txt < /dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << command;
    const std::string output = ReadFile(dir.path() / "out.txt") + ReadFile(dir.path() / "err.txt");
    EXPECT_EQ(WEXITSTATUS(status), c.exit_code) << c.command_line << "\n" << output;
    EXPECT_NE(output.find(c.expected), std::string::npos) << c.expected << " not in\n" << output;
    if (c.writes) {
      EXPECT_GT(fs::file_size(dir.path() / c.writes), 0u) << c.writes;
    }
  }
}

// Every command that writes a project, run while another program holds the project's lock: each
// waits for it, then gives up naming the project, and the project keeps its bytes. They wait at
// the same time, so the whole table costs one wait.
TEST(CliBinaryTest, EveryCommandThatWritesAProjectWaitsForItsLockThenGivesUp) {
  const std::vector<std::pair<const char*, std::string>> writers = {
      {"new", "new oracle8 demo.vnk"},
      {"resave", "resave demo.vnk demo.vnk"},
      {"resave into it", "resave other.vnk demo.vnk"},
      {"fetch", "fetch" + kLogin + " --product oracle8 --kinds 2 --out demo.vnk"},
      {"format", "format demo.vnk --preset standard"},
      {"format into it", "format other.vnk --preset standard --out demo.vnk"},
      {"sql", "sql demo.vnk" + kLogin + " --query 'SELECT COUNT(*) FROM ORDER_DETAILS'"},
      {"count", "count demo.vnk" + kLogin + " --tables ORDER_DETAILS"},
      {"import", "import demo.vnk --workbook tables.xlsx --all-sheets" + kLayout},
      {"er-place", "er-place other.vnk --sheet 受注 --table ORDERS@20,70 --out demo.vnk"},
  };
  xlsx::testing::TempDir dir;
  const std::string cli = "MORVANE_PWD=tiger '" + std::string(MORVANE_CLI) + "' ";
  std::string script = "cd '" + dir.path().string() + "' && " + cli + "fetch" + kLogin +
                       " --product oracle8 --kinds 2 --out demo.vnk >/dev/null && cp demo.vnk "
                       "other.vnk && " +
                       cli + "excel demo.vnk --kind 2 --tables ORDERS --out tables.xlsx >/dev/null";
  ASSERT_EQ(std::system(script.c_str()), 0);
  const fs::path project = dir.path() / "demo.vnk";
  const std::string before = ReadFile(project);
  const int held = ::open(project.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  script = "cd '" + dir.path().string() + "'";
  for (size_t i = 0; i < writers.size(); ++i) {
    const std::string n = std::to_string(i);
    script += "\n(" + cli + writers[i].second + " > out" + n +
              ".txt 2>&1 < /dev/null; echo $? > rc" + n + ".txt) &";
  }
  script += "\nwait";
  ASSERT_EQ(std::system(script.c_str()), 0);
  ::close(held);
  for (size_t i = 0; i < writers.size(); ++i) {
    SCOPED_TRACE(writers[i].first);
    const std::string n = std::to_string(i);
    const std::string output = ReadFile(dir.path() / ("out" + n + ".txt"));
    EXPECT_EQ(ReadFile(dir.path() / ("rc" + n + ".txt")), "1\n") << output;
    EXPECT_NE(output.find("プロジェクト「demo.vnk」は他のプログラムが使用中です。"),
              std::string::npos)
        << output;
  }
  EXPECT_TRUE(ReadFile(project) == before) << "the project changed";
}

}  // namespace
}  // namespace morvane
