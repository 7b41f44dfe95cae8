// The generated demo data sources: listed with their driver's family word, reachable with
// their accounts, and answering the catalogue statements of their product.
#include <gtest/gtest.h>

#include "catalogue_fixture.h"
#include "catalogue_statements.h"

#include <map>
#include <set>

namespace morvane::emulator::test {
namespace {

std::vector<std::pair<std::string, std::string>> ListDataSources() {
  SQLHENV env = SQL_NULL_HENV;
  SQLAllocEnv(&env);
  std::vector<std::pair<std::string, std::string>> sources;
  SQLCHAR name[1024], description[1024];
  SQLSMALLINT name_length = 0, description_length = 0;
  SQLUSMALLINT direction = SQL_FETCH_FIRST;
  while (SQL_SUCCEEDED(SQLDataSources(env, direction, name, 1023, &name_length, description, 1023,
                                      &description_length))) {
    sources.push_back({reinterpret_cast<char*>(name), reinterpret_cast<char*>(description)});
    direction = SQL_FETCH_NEXT;
  }
  SQLFreeEnv(env);
  return sources;
}

TEST(DemoDataSourcesTest, DriverDescriptionsCarryTheProductWords) {
  std::map<std::string, std::string> by_name;
  for (const auto& [name, description] : ListDataSources()) by_name[name] = description;
  EXPECT_NE(std::string::npos, by_name["MorvaneRedBrick"].find("Red Brick"))
      << by_name["MorvaneRedBrick"];
  EXPECT_NE(std::string::npos, by_name["MorvaneOracle8"].find("Oracle"));
  EXPECT_NE(std::string::npos, by_name["MorvaneOracle7"].find("Oracle"));
  EXPECT_NE(std::string::npos, by_name["MorvaneBroadbase"].find("Broadbase"));
  EXPECT_EQ(std::string::npos, by_name["MorvaneRedBrick"].find("Oracle"));
}

struct DemoCase {
  const char* dsn;
  const char* uid;
  const char* pwd;
  std::string statement;
  size_t min_tables;
};

void PrintTo(const DemoCase& c, std::ostream* os) { *os << c.dsn; }

class DemoDatabaseTest : public ::testing::TestWithParam<DemoCase> {};

TEST_P(DemoDatabaseTest, TableInformationCoversTheBusinessSchema) {
  const DemoCase& c = GetParam();
  OdbcClient client;
  ASSERT_EQ(SQL_SUCCESS, client.Connect(c.dsn, c.uid, c.pwd)) << client.ConnectionError();
  std::vector<ResultRow> rows = client.Rows(c.statement);
  std::set<std::string> tables;
  bool japanese_comment = false;
  for (const ResultRow& r : rows) {
    if (r[0] != "SYSTEM") tables.insert(*r[1]);
    for (const Value& v : r) japanese_comment = japanese_comment || (v && *v == "受注");
  }
  EXPECT_GE(tables.size(), c.min_tables);
  EXPECT_TRUE(tables.count("ORDER_DETAILS"));
  EXPECT_TRUE(japanese_comment);
}

INSTANTIATE_TEST_SUITE_P(
    AllProducts, DemoDatabaseTest,
    ::testing::Values(DemoCase{"MorvaneOracle8", "scott", "tiger",
                               std::string("SELECT 'SCOTT") + kOracle8Tables, 27},
                      DemoCase{"MorvaneOracle7", "SCOTT", "tiger",
                               std::string("SELECT 'SCOTT") + kOracle7Tables, 27},
                      DemoCase{"MorvaneRedBrick", "sales", "sales", kRedBrickTables, 30},
                      DemoCase{"MorvaneBroadbase", "sales", "sales", kBroadbaseTables, 30}));

}  // namespace
}  // namespace morvane::emulator::test
