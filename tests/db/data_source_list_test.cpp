// Listing data sources through unixODBC, from ini files written for this test alone (the
// drivers they name are never loaded by a listing).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "db/db_connection.h"
#include "model/data_kind.h"

namespace morvane {
namespace {

class DataSourceListTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "dsn_listing";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "odbcinst.ini") << "[Morvane Oracle Emulator]\n"
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

  ScriptedPrompt prompt_;
};

TEST_F(DataSourceListTest, OracleProjectsListDriversNamingOracleWithThatCapitalisation) {
  std::vector<std::string> expected = {"A_ORA", "D_ORA_SUFFIX"};
  EXPECT_EQ(ListDataSources(kProductOracle8, prompt_), expected);
  EXPECT_EQ(ListDataSources(kProductOracle7, prompt_), expected);
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(DataSourceListTest, EachProductListsOnlyItsOwnWord) {
  EXPECT_EQ(ListDataSources(kProductRedBrick, prompt_), std::vector<std::string>{"C_RB"});
  EXPECT_EQ(ListDataSources(kProductBroadbase, prompt_), std::vector<std::string>{"F_BROAD"});
}

TEST_F(DataSourceListTest, NoProductListsNothing) {
  EXPECT_TRUE(ListDataSources(kProductNone, prompt_).empty());
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST(DataSourceFilterWordTest, WordsPerProduct) {
  EXPECT_EQ(DataSourceFilterWord(kProductRedBrick), "Red Brick");
  EXPECT_EQ(DataSourceFilterWord(kProductOracle8), "Oracle");
  EXPECT_EQ(DataSourceFilterWord(kProductOracle7), "Oracle");
  EXPECT_EQ(DataSourceFilterWord(kProductBroadbase), "Broadbase");
  EXPECT_EQ(DataSourceFilterWord(kProductNone), "");
}

}  // namespace
}  // namespace morvane
