// morvane-cli sql and count, run in-process against the emulator.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/cli/count_command.h"
#include "app/cli/sql_command.h"
#include "db/row_count.h"
#include "free_sql_fixture.h"
#include "model/data_kind.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "text/codec.h"

namespace morvane::db_test {
namespace {

class SqlCountCommandTest : public ProductDatabaseTest {
 protected:
  void SetUp() override {
    ProductDatabaseTest::SetUp();
    unsetenv("MORVANE_PWD");
    path_ = testing::TempDir() + "/sql_count_command_" + std::to_string(getpid()) + ".vnk";
    // A saved project with the table information fetched.
    auto program = Connected();
    ASSERT_TRUE(program->Fetch(DataKind::Table));
    ASSERT_TRUE(SaveProjectFile(program->store, path_).ok);
  }
  void TearDown() override { std::remove(path_.c_str()); }

  std::vector<std::string> Login() const {
    if (!pwd_file_.empty()) return {"--dsn", dsn_, "--uid", db_->uid(), "--pwd-file", pwd_file_};
    return {"--dsn", dsn_, "--uid", db_->uid(), "--pwd", db_->pwd()};
  }
  int Sql(std::vector<std::string> args) { return Command(RunSqlCommand, std::move(args)); }
  int Count(std::vector<std::string> args) { return Command(RunCountCommand, std::move(args)); }
  int Command(int (*run)(const std::vector<std::string>&, std::ostream&, std::ostream&),
              std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    std::vector<std::string> all = {path_};
    for (const std::string& arg : Login()) all.push_back(arg);
    all.insert(all.end(), args.begin(), args.end());
    return run(all, out_, err_);
  }
  std::string FileBytes() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  TCatalogueStore Reopened() const {
    TCatalogueStore store;
    EXPECT_TRUE(OpenProjectFile(store, path_, EstimateTextWidth).ok);
    return store;
  }

  std::string path_;
  std::string pwd_file_;  // when set, the password comes from this file
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_P(SqlCountCommandTest, SqlRunsTheQueryIntoTheProjectAndKeepsItsText) {
  ASSERT_EQ(Sql({"--query", "SELECT ID, NAME\nFROM ITEMS ORDER BY ID\n", "--max-rows", "3"}), 0)
      << err_.str();
  EXPECT_EQ(out_.str(), "SQL入力: 3\n");
  EXPECT_EQ(err_.str(), "最大レコード数を超えました。\n");
  TCatalogueStore store = Reopened();
  ASSERT_EQ(store.Records(DataKind::Sql).size(), 1u);
  EXPECT_EQ(store.Records(DataKind::Sql)[0]->columns.size(), 3u);
  EXPECT_EQ(store.Items(DataKind::Sql, kItemLevelColumn).size(), 2u);
  EXPECT_EQ(store.sqlText, (std::vector<std::string>{"SELECT ID, NAME", "FROM ITEMS ORDER BY ID"}));
  EXPECT_EQ(store.sqlMaxRow, "3");
}

TEST_P(SqlCountCommandTest, ThePasswordFileMustBeKeptFromOtherUsers) {
  pwd_file_ = path_ + ".pwd";
  std::ofstream(pwd_file_) << db_->pwd() << "\n";
  ASSERT_EQ(chmod(pwd_file_.c_str(), 0644), 0);
  EXPECT_EQ(Count({"--all-tables"}), 1);
  EXPECT_NE(err_.str().find(pwd_file_), std::string::npos) << err_.str();
  ASSERT_EQ(chmod(pwd_file_.c_str(), 0600), 0);
  EXPECT_EQ(Count({"--all-tables"}), 0) << err_.str();
  std::remove(pwd_file_.c_str());
}

TEST_P(SqlCountCommandTest, SqlReadsTheQueryFromAFileAndTheLimitFromTheProject) {
  const std::string query_path = path_ + ".sql";
  std::ofstream(query_path) << "select NAME from ITEMS where NAME = '四'\n";
  ASSERT_EQ(Sql({"--query-file", query_path}), 0) << err_.str();
  std::remove(query_path.c_str());
  EXPECT_EQ(err_.str(), "");
  TCatalogueStore store = Reopened();
  ASSERT_EQ(store.Records(DataKind::Sql).size(), 1u);
  EXPECT_EQ(ToUtf8(store.Records(DataKind::Sql)[0]->columns.at(0).values[0]), "四");
  EXPECT_EQ(store.sqlMaxRow, "1000");
}

TEST_P(SqlCountCommandTest, RefusedOrFailingQueriesChangeNothing) {
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    const char* message;
  };
  const Case cases[] = {
      {{"--query", "WITH X AS (SELECT 1 FROM DUAL) SELECT * FROM X"},
       1,
       "SELECT 文のみ指定できます。"},
      {{"--query", "SELECT 1 FROM DUAL", "--max-rows", "0"}, 1, "最大レコード数は 1 ～ 10000"},
      {{"--query", "SELECT 1 FROM DUAL", "--max-rows", "10001"}, 1, "最大レコード数は 1 ～ 10000"},
      {{"--query", "SELECT 1 FROM DUAL", "--max-rows", "many"}, 1, "最大レコード数は 1 ～ 10000"},
      {{"--query", "SELECT NO_SUCH_COLUMN FROM ITEMS"}, 1, "NO_SUCH_COLUMN"},
      {{"--max-rows", "10"}, 2, "--query か --query-file"},
      {{"--query", "SELECT 1 FROM DUAL", "--rows", "10"}, 2, "--rows"},
  };
  const std::string before = FileBytes();
  for (const Case& c : cases) {
    EXPECT_EQ(Sql(c.args), c.exit_code) << c.args[0] << " " << c.args[1];
    EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
    EXPECT_EQ(FileBytes(), before) << c.args[1];
  }
}

TEST_P(SqlCountCommandTest, CountStoresTheCountsOfTheNamedTables) {
  ASSERT_EQ(Count({"--tables", "ITEMS,SCOTT.DEPT"}), 0) << err_.str();
  EXPECT_EQ(out_.str(), "SCOTT.ITEMS: 5\nSCOTT.DEPT: 2\n");
  TCatalogueStore store = Reopened();
  const size_t entry = *CountValueIndex(Product::Oracle8);
  EXPECT_EQ(RecordNamed(store, DataKind::Table, "ITEMS").values.ValueOr(entry), "5");
  EXPECT_EQ(RecordNamed(store, DataKind::Table, "DEPT").values.ValueOr(entry), "2");

  ASSERT_EQ(Count({"--all-tables"}), 0) << err_.str();
  EXPECT_EQ(RecordNamed(Reopened(), DataKind::Table, "EMP").values.ValueOr(entry), "1");
}

TEST_P(SqlCountCommandTest, CountRefusesUnknownNamesAndReportsFailingTables) {
  const std::string before = FileBytes();
  EXPECT_EQ(Count({"--tables", "ITEMS,GHOST"}), 2);
  EXPECT_NE(err_.str().find("GHOST"), std::string::npos) << err_.str();
  EXPECT_EQ(FileBytes(), before);
  EXPECT_EQ(Count({"--tables", "ITEMS", "--all-tables"}), 2);
  EXPECT_EQ(FileBytes(), before);

  // A table that has gone since the fetch: its error, -1, and the others still counted.
  db_->Script("DROP TABLE EMP;");
  EXPECT_EQ(Count({"--all-tables"}), 1);
  EXPECT_FALSE(err_.str().empty());
  TCatalogueStore store = Reopened();
  const size_t entry = *CountValueIndex(Product::Oracle8);
  EXPECT_EQ(RecordNamed(store, DataKind::Table, "EMP").values.ValueOr(entry), "-1");
  EXPECT_EQ(RecordNamed(store, DataKind::Table, "ITEMS").values.ValueOr(entry), "5");
}

INSTANTIATE_TEST_SUITE_P(Oracle8, SqlCountCommandTest, testing::Values(AllProductDatabases()[1]),
                         ProductTestName);

}  // namespace
}  // namespace morvane::db_test
