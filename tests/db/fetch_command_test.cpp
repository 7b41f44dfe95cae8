// morvane-cli fetch, run in-process against the emulator.
#include "app/cli/fetch_command.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "fetch_fixture.h"
#include "model/data_kind.h"
#include "project/project_reader.h"

namespace morvane::db_test {
namespace {

class FetchCommandTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    database_ = new EmulatorDatabase("ORA_CLI", "Morvane Oracle", "scott", "tiger", R"(
      CREATE TABLE DEPT (DEPT_ID NUMBER(4) PRIMARY KEY, DEPT_NAME VARCHAR2(30));
      CREATE TABLE EMP (EMP_ID NUMBER(10) PRIMARY KEY, DEPT_ID NUMBER(4));
      CREATE INDEX IX_EMP_DEPT ON EMP (DEPT_ID);
    )");
    database_->AddDataSource("ORA_CLI_BROKEN", {{"FailPattern", "USER_INDEXES"},
                                                {"FailMessage", "ORA-00942: no index view"}});
    database_->AddDataSource("ORA_CLI_LOST", {{"FailAfterRows", "1"}});
  }
  static void TearDownTestSuite() {
    delete database_;
    database_ = nullptr;
  }
  void SetUp() override {
    out_path_ = testing::TempDir() + "/fetch_command_test_" + std::to_string(getpid()) + ".vnk";
    std::remove(out_path_.c_str());
    unsetenv("MORVANE_PWD");
  }

  int Run(const std::vector<std::string>& args) {
    out_.str("");
    err_.str("");
    return RunFetchCommand(args, out_, err_);
  }

  static EmulatorDatabase* database_;
  std::string out_path_;
  std::ostringstream out_;
  std::ostringstream err_;
};
EmulatorDatabase* FetchCommandTest::database_ = nullptr;

TEST_F(FetchCommandTest, FetchesEachKindIntoASavedProject) {
  ASSERT_EQ(Run({"--dsn", "ORA_CLI", "--uid", "scott", "--pwd", "tiger", "--product", "oracle8",
                 "--kinds", "2,3,4", "--out", out_path_}),
            0)
      << err_.str();
  EXPECT_EQ(out_.str(), "テーブル情報: 2\nインデックス情報: 3\nテーブル・インデックス情報: 2\n");

  TCatalogueStore store;
  ProjectReadResult read = OpenProjectFile(store, out_path_, EstimateTextWidth);
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(store.product, Product::Oracle8);
  EXPECT_EQ(store.Records(DataKind::Table).size(), 2u);
  EXPECT_EQ(store.Records(DataKind::Index).size(), 3u);
  EXPECT_EQ(store.Records(DataKind::TableIndex).size(), 2u);
  EXPECT_EQ(store.Records(DataKind::Table)[0]->owner, "SCOTT");
  // The column items of table-index information were built by the fetch and saved with it:
  // column name, type and one per index of EMP (its key and IX_EMP_DEPT).
  EXPECT_EQ(store.Items(DataKind::TableIndex, kItemLevelColumn).size(), 4u);
}

TEST_F(FetchCommandTest, ThePasswordMayComeFromTheEnvironment) {
  setenv("MORVANE_PWD", "tiger", 1);
  EXPECT_EQ(Run({"--dsn", "ORA_CLI", "--uid", "scott", "--product", "oracle7", "--kinds", "3",
                 "--out", out_path_}),
            0)
      << err_.str();
  unsetenv("MORVANE_PWD");
}

TEST_F(FetchCommandTest, ODBCFailuresPrintTheDriversMessageAndSaveNothing) {
  EXPECT_EQ(Run({"--dsn", "ORA_CLI", "--uid", "scott", "--pwd", "lion", "--product", "oracle8",
                 "--kinds", "2", "--out", out_path_}),
            1);
  EXPECT_NE(err_.str().find("ORA-01017"), std::string::npos) << err_.str();

  EXPECT_EQ(Run({"--dsn", "ORA_CLI_BROKEN", "--uid", "scott", "--pwd", "tiger", "--product",
                 "oracle8", "--kinds", "2,3", "--out", out_path_}),
            1);
  EXPECT_NE(err_.str().find("ORA-00942: no index view"), std::string::npos) << err_.str();
  EXPECT_FALSE(std::ifstream(out_path_).good());
}

TEST_F(FetchCommandTest, RowsBrokenOffByTheServerFailTheCommand) {
  EXPECT_EQ(Run({"--dsn", "ORA_CLI_LOST", "--uid", "scott", "--pwd", "tiger", "--product",
                 "oracle8", "--kinds", "2", "--out", out_path_}),
            1);
  EXPECT_NE(err_.str().find("connection to the server was lost"), std::string::npos) << err_.str();
  EXPECT_EQ(out_.str(), "");
  EXPECT_FALSE(std::ifstream(out_path_).good());
}

TEST_F(FetchCommandTest, ThePasswordMayComeFromAFileOnlyItsOwnerReads) {
  const std::string secret = out_path_ + ".pwd";
  std::ofstream(secret) << "tiger\r\nsecond line\n";
  const std::vector<std::string> args = {"--dsn",      "ORA_CLI", "--uid",     "scott",
                                         "--pwd-file", secret,    "--product", "oracle8",
                                         "--kinds",    "3",       "--out",     out_path_};
  ASSERT_EQ(chmod(secret.c_str(), 0600), 0);
  EXPECT_EQ(Run(args), 0) << err_.str();

  ASSERT_EQ(chmod(secret.c_str(), 0640), 0);
  EXPECT_EQ(Run(args), 2);
  EXPECT_NE(err_.str().find("他のユーザーが読めます"), std::string::npos) << err_.str();

  std::remove(secret.c_str());
  EXPECT_EQ(Run(args), 2);
  EXPECT_NE(err_.str().find(secret), std::string::npos) << err_.str();
}

TEST_F(FetchCommandTest, TheUsageRecommendsTheEnvironmentOrAPasswordFile) {
  EXPECT_EQ(Run({}), 2);
  EXPECT_NE(err_.str().find("MORVANE_PWD"), std::string::npos);
  EXPECT_NE(err_.str().find("--pwd-file"), std::string::npos);
}

TEST_F(FetchCommandTest, BadArgumentsAreRefusedWithUsage) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"--dsn", "ORA_CLI", "--product", "oracle9", "--kinds", "2", "--out", "x.vnk"},
      {"--dsn", "ORA_CLI", "--product", "oracle8", "--kinds", "1,2", "--out", "x.vnk"},
      {"--dsn", "ORA_CLI", "--product", "oracle8", "--kinds", "2,2", "--out", "x.vnk"},
      {"--dsn", "ORA_CLI", "--product", "oracle8", "--kinds", "2"},
      {"--dsn", "ORA_CLI", "--product", "oracle8", "--kinds", "2", "--out"},
      {"--dsn", "ORA_CLI", "--verbose", "yes"},
      {"--dsn", "ORA_CLI", "--pwd", "a", "--pwd", "b", "--product", "oracle8", "--kinds", "2",
       "--out", "x.vnk"},
  };
  for (const auto& args : bad) {
    EXPECT_EQ(Run(args), 2) << testing::PrintToString(args);
    EXPECT_NE(err_.str().find("使い方"), std::string::npos);
  }
}

}  // namespace
}  // namespace morvane::db_test
