// What the driver manager answers without any driver: the data-source listing and failed
// connects, from ini files written for this test alone (the drivers they name do not exist).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "db/db_connection.h"
#include "model/data_kind.h"
#include "recorders.h"


namespace morvane {
namespace {

class DriverManagerTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::filesystem::path dir =
        std::filesystem::path(testing::TempDir()) / ("dsn_listing_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    trace_file_ = (dir / "trace.log").string();
    // The driver manager's trace shows the arguments every call was given.
    std::ofstream(dir / "odbcinst.ini") << "[ODBC]\nTrace = Yes\nTraceFile = " << trace_file_
                                        << "\n"
                                           "[Morvane Oracle Emulator]\n"
                                           "Driver = /nonexistent/oracle.so\n"
                                           "[lower oracle driver]\n"
                                           "Driver = /nonexistent/lower.so\n"
                                           "[Red Brick Warehouse]\n"
                                           "Driver = /nonexistent/redbrick.so\n";
    // Names in alphabetical order, the order the driver manager gives them back.
    std::ofstream(dir / "user_odbc.ini") << "[A_ORA]\nDriver = Morvane Oracle Emulator\n"
                                            "[B_LOWER]\nDriver = lower oracle driver\n"
                                            "[C_RB]\nDriver = Red Brick Warehouse\n"
                                            "[D_ORA_SUFFIX]\nDriver = NotOracle\n"
                                            "[E_REDBRICK]\nDriver = RedBrick\n"
                                            "[F_BROAD]\nDriver = Broadbase 4\n";
    std::ofstream(dir / "odbc.ini") << "";  // no system data sources
    setenv("ODBCSYSINI", dir.c_str(), 1);
    setenv("ODBCINI", (dir / "user_odbc.ini").c_str(), 1);
  }

  // The part of the driver manager's trace written since the last call.
  static std::string NewTrace() {
    std::ifstream in(trace_file_);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string fresh = all.substr(std::min(trace_read_, all.size()));
    trace_read_ = all.size();
    return fresh;
  }

  static std::string trace_file_;
  static size_t trace_read_;
  ScriptedPrompt prompt_;
};
std::string DriverManagerTest::trace_file_;
size_t DriverManagerTest::trace_read_ = 0;

TEST_F(DriverManagerTest, OracleProjectsListDriversNamingOracleWithThatCapitalisation) {
  std::vector<std::string> expected = {"A_ORA", "D_ORA_SUFFIX"};
  EXPECT_EQ(ListDataSources(Product::Oracle8, prompt_), expected);
  EXPECT_EQ(ListDataSources(Product::Oracle7, prompt_), expected);
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(DriverManagerTest, EachProductListsOnlyItsOwnWord) {
  EXPECT_EQ(ListDataSources(Product::RedBrick, prompt_), std::vector<std::string>{"C_RB"});
  EXPECT_EQ(ListDataSources(Product::Broadbase, prompt_), std::vector<std::string>{"F_BROAD"});
}

TEST_F(DriverManagerTest, OdbcProjectsListEveryDataSource) {
  EXPECT_EQ(ListDataSources(Product::Odbc, prompt_),
            (std::vector<std::string>{"A_ORA", "B_LOWER", "C_RB", "D_ORA_SUFFIX", "E_REDBRICK",
                                      "F_BROAD"}));
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(DriverManagerTest, NoProductListsNothing) {
  EXPECT_TRUE(ListDataSources(Product::None, prompt_).empty());
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(DriverManagerTest, AFailedConnectShowsTheDiagnosticAndFreesTheHandles) {
  TDbConnection connection;
  RecordingStatusBar status;
  EXPECT_FALSE(connection.Connect(Product::Oracle8, "A_ORA", "scott", "tiger", prompt_, status));
  EXPECT_FALSE(connection.Connected);
  EXPECT_FALSE(connection.Env);
  EXPECT_FALSE(connection.Dbc);
  // The driver library cannot be loaded: the driver manager's own message is shown.
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].kind, PromptKind::kError);
  EXPECT_NE(prompt_.shown[0].text.find("/nonexistent/oracle.so"), std::string::npos);
  // "接続中", then "未接続" again.
  EXPECT_EQ(status.connection_texts,
            (std::vector<std::string>{"\x90\xDA\x91\xB1\x92\x86", "\x96\xA2\x90\xDA\x91\xB1"}));
  EXPECT_EQ(status.busy_depth, 0);
  // The owner literal is the upper-cased user name even when the connect failed.
  EXPECT_EQ(connection.OwnerName, "SCOTT");
}

TEST_F(DriverManagerTest, EmptyUserAndPasswordAreSentAsNullPointers) {
  TDbConnection connection;
  RecordingStatusBar status;
  NewTrace();
  EXPECT_FALSE(connection.Connect(Product::Oracle8, "A_ORA", "", "", prompt_, status));
  std::string trace = NewTrace();
  EXPECT_NE(trace.find("User Name = [NULL]"), std::string::npos) << trace;
  EXPECT_NE(trace.find("Authentication = [NULL]"), std::string::npos) << trace;

  EXPECT_FALSE(connection.Connect(Product::Oracle8, "A_ORA", "scott", "", prompt_, status));
  trace = NewTrace();
  EXPECT_NE(trace.find("User Name = [scott]"), std::string::npos) << trace;
  EXPECT_NE(trace.find("Authentication = [NULL]"), std::string::npos) << trace;
}

TEST_F(DriverManagerTest, ConnectingWithoutADataSourceIsAnInternalError) {
  TDbConnection connection;
  RecordingStatusBar status;
  EXPECT_FALSE(connection.Connect(Product::RedBrick, "", "u", "p", prompt_, status));
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text, "\x93\xE0\x95\x94\x83G\x83\x89\x81[");  // 内部エラー
  // Not an Oracle project: the owner name stays as it was.
  EXPECT_EQ(connection.OwnerName, "");
}

TEST_F(DriverManagerTest, DisconnectingWhileNotConnectedChangesNothing) {
  TDbConnection connection;
  RecordingStatusBar status;
  connection.Disconnect(status);
  EXPECT_TRUE(status.connection_texts.empty());
  EXPECT_EQ(status.busy_depth, 0);
}

TEST(DataSourceFilterWordTest, WordsPerProduct) {
  EXPECT_EQ(DataSourceFilterWord(Product::RedBrick), "Red Brick");
  EXPECT_EQ(DataSourceFilterWord(Product::Oracle8), "Oracle");
  EXPECT_EQ(DataSourceFilterWord(Product::Oracle7), "Oracle");
  EXPECT_EQ(DataSourceFilterWord(Product::Broadbase), "Broadbase");
  EXPECT_EQ(DataSourceFilterWord(Product::None), "");
}

}  // namespace
}  // namespace morvane
