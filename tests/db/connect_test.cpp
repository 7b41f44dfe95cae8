// Connecting to and disconnecting from the emulator's data sources.
#include <gtest/gtest.h>

#include <algorithm>

#include "fetch_fixture.h"
#include "model/data_kind.h"
#include "text/codec.h"

namespace morvane::db_test {
namespace {

class ConnectTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    database_ = new EmulatorDatabase("ORA_CONNECT", "Morvane Oracle", "scott", "tiger",
                                     "CREATE TABLE T (A NUMBER(3) PRIMARY KEY);");
    database_->AddDataSource("ORA_CONNECT_INFO", {{"ConnectInfo", "password will expire soon"}});
  }
  static void TearDownTestSuite() {
    delete database_;
    database_ = nullptr;
  }

  static EmulatorDatabase* database_;
};
EmulatorDatabase* ConnectTest::database_ = nullptr;

TEST_F(ConnectTest, ConnectAndDisconnectShowTheirStateInTheStatusBar) {
  ProgramSide program(Product::Oracle8);
  ASSERT_TRUE(program.Connect("ORA_CONNECT", "scott", "tiger"));
  EXPECT_TRUE(program.connection.Connected);
  EXPECT_TRUE(program.connection.Env);
  EXPECT_TRUE(program.connection.Dbc);
  EXPECT_EQ(program.status.connection_texts,
            (std::vector<std::string>{ToCp932("接続中"), "ORA_CONNECT"}));

  program.connection.Disconnect(program.status);
  EXPECT_FALSE(program.connection.Connected);
  EXPECT_FALSE(program.connection.Env);
  EXPECT_FALSE(program.connection.Dbc);
  EXPECT_EQ(program.status.connection_texts,
            (std::vector<std::string>{ToCp932("接続中"), "ORA_CONNECT", ToCp932("切断中"),
                                      ToCp932("未接続")}));
  EXPECT_EQ(program.status.busy_depth, 0);
  // The owner name outlives the connection.
  EXPECT_EQ(program.connection.OwnerName, "SCOTT");
  EXPECT_TRUE(program.TakeMessages().empty());
}

TEST_F(ConnectTest, TheEmulatorsDataSourcesAreListedByTheirDriversWord) {
  ScriptedPrompt prompt;
  std::vector<std::string> oracle = ListDataSources(Product::Oracle8, prompt);
  EXPECT_NE(std::find(oracle.begin(), oracle.end(), "ORA_CONNECT"), oracle.end());
  EXPECT_NE(std::find(oracle.begin(), oracle.end(), "MorvaneOracle7"), oracle.end());
  EXPECT_EQ(std::find(oracle.begin(), oracle.end(), "MorvaneRedBrick"), oracle.end());
  EXPECT_EQ(ListDataSources(Product::RedBrick, prompt),
            std::vector<std::string>{"MorvaneRedBrick"});
  EXPECT_EQ(ListDataSources(Product::Broadbase, prompt),
            std::vector<std::string>{"MorvaneBroadbase"});
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ConnectTest, AWrongPasswordShowsTheServersMessage) {
  ProgramSide program(Product::Oracle8);
  EXPECT_FALSE(program.Connect("ORA_CONNECT", "scott", "lion"));
  EXPECT_FALSE(program.connection.Connected);
  EXPECT_FALSE(program.connection.Env);
  std::vector<std::string> messages = program.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("ORA-01017"), std::string::npos) << messages[0];
  EXPECT_EQ(program.status.connection_texts.back(), ToCp932("未接続"));
}

TEST_F(ConnectTest, WithoutUserAndPasswordTheDataSourcesAccountIsUsed) {
  ProgramSide program(Product::Oracle7);
  ASSERT_TRUE(program.Connect("ORA_CONNECT", "", ""));
  EXPECT_TRUE(program.TakeMessages().empty());
  EXPECT_EQ(program.connection.OwnerName, "");
}

TEST_F(ConnectTest, ASuccessWithInformationIsAFailedConnect) {
  ProgramSide program(Product::RedBrick);
  EXPECT_FALSE(program.Connect("ORA_CONNECT_INFO", "scott", "tiger"));
  EXPECT_FALSE(program.connection.Connected);
  EXPECT_FALSE(program.connection.Env);
  EXPECT_FALSE(program.connection.Dbc);
  std::vector<std::string> messages = program.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("password will expire soon"), std::string::npos) << messages[0];
  EXPECT_EQ(program.status.connection_texts.back(), ToCp932("未接続"));
}

TEST_F(ConnectTest, ASecondConnectionAfterAFailureWorks) {
  ProgramSide program(Product::Oracle8);
  EXPECT_FALSE(program.Connect("ORA_CONNECT", "scott", "lion"));
  EXPECT_TRUE(program.Connect("ORA_CONNECT", "scott", "tiger"));
  EXPECT_EQ(program.TakeMessages().size(), 1u);
  // Connecting again while connected replaces the connection.
  EXPECT_TRUE(program.Connect("ORA_CONNECT", "scott", "tiger"));
  EXPECT_TRUE(program.Fetch(DataKind::Table));
  EXPECT_TRUE(program.TakeMessages().empty());
}

TEST_F(ConnectTest, FetchingWithoutAConnectionTouchesNothing) {
  ProgramSide program(Product::Oracle8);
  program.store.AddRecord(DataKind::Table).name = "KEPT";
  EXPECT_FALSE(program.Fetch(DataKind::Table));
  EXPECT_EQ(program.store.Records(DataKind::Table).size(), 1u);
  EXPECT_EQ(program.TakeMessages(), (std::vector<std::string>{"内部エラー"}));

  // Data kinds without catalogue statements are never cleared by a fetch either.
  ASSERT_TRUE(program.Connect("ORA_CONNECT", "scott", "tiger"));
  program.store.AddRecord(DataKind::Excel).name = "SHEET";
  EXPECT_FALSE(program.Fetch(DataKind::Excel));
  EXPECT_EQ(program.store.Records(DataKind::Excel).size(), 1u);
}

}  // namespace
}  // namespace morvane::db_test
