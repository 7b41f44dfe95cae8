// The program's fetch against what the emulator takes from the servers rather than from the
// program: Shift-JIS order of names, Oracle 7's own data dictionary, Red Brick's storage sizes.
#include <gtest/gtest.h>

#include <numeric>
#include <set>

#include "db/column_size.h"
#include "fetch_fixture.h"
#include "model/data_kind.h"

namespace morvane::db_test {
namespace {

// In Shift-JIS byte order; UTF-8 would put 社 before 顧.
const std::vector<std::string> kNamesInCp932Order = {"ZETA", "あかり", "アカリ",
                                                     "顧客", "社員",   "ｶﾅ表"};

std::string TablesNamed(const char* number_type) {
  std::string script;
  for (const char* name : {"社員", "ｶﾅ表", "ZETA", "アカリ", "顧客", "あかり"}) {
    script += std::string("CREATE TABLE ") + name + " (ID " + number_type + " NOT NULL);\n";
  }
  return script;
}

TEST(FetchServerRulesTest, TableRecordsArriveInShiftJisOrderForEveryProduct) {
  struct Case {
    Product product;
    const char* driver;
    const char* dialect;
    const char* account;
    const char* number_type;
  };
  const Case cases[] = {
      {Product::RedBrick, "Morvane Red Brick", "RedBrick", "sales", "INTEGER"},
      {Product::Oracle8, "Morvane Oracle", "Oracle", "scott", "NUMBER(4)"},
      {Product::Oracle7, "Morvane Oracle", "Oracle7", "scott", "NUMBER(4)"},
      {Product::Broadbase, "Morvane Broadbase", "Broadbase", "sales", "INTEGER"},
  };
  const std::set<std::string> wanted(kNamesInCp932Order.begin(), kNamesInCp932Order.end());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dialect);
    std::string dsn = std::string("ORDER_") + c.dialect;
    EmulatorDatabase database(dsn, c.driver, c.account, c.account, TablesNamed(c.number_type));
    database.AddDataSource(dsn + "_AS", {{"Dialect", c.dialect}});
    ProgramSide program(c.product);
    ASSERT_TRUE(program.Connect(dsn + "_AS", c.account, c.account));
    ASSERT_TRUE(program.Fetch(DataKind::Table));
    std::vector<std::string> names;
    for (const std::string& name : RecordNames(program.store, DataKind::Table)) {
      if (wanted.count(name)) names.push_back(name);
    }
    EXPECT_EQ(names, kNamesInCp932Order);
  }
}

TEST(FetchServerRulesTest, OracleFetchesAgainstOracle7sOwnDictionary) {
  EmulatorDatabase database("ORA_SEVEN", "Morvane Oracle", "scott", "tiger",
                            "CREATE TABLE DEPT (DEPT_ID NUMBER(4) PRIMARY KEY);");
  database.AddDataSource("ORA_SEVEN_7", {{"Dialect", "Oracle7"}});
  ProgramSide oracle7(Product::Oracle7);
  ASSERT_TRUE(oracle7.Connect("ORA_SEVEN_7", "scott", "tiger"));
  for (DataKind kind : {DataKind::Table, DataKind::Index, DataKind::TableIndex}) {
    EXPECT_TRUE(oracle7.Fetch(kind)) << DataKindCode(kind);
    EXPECT_EQ(oracle7.TakeMessages(), std::vector<std::string>{});
  }
  // The Oracle 8 statements name columns Oracle 7 does not have.
  ProgramSide program(Product::Oracle8);
  ASSERT_TRUE(program.Connect("ORA_SEVEN_7", "scott", "tiger"));
  EXPECT_FALSE(program.Fetch(DataKind::Table));
  std::vector<std::string> messages = program.TakeMessages();
  ASSERT_FALSE(messages.empty());
  EXPECT_NE(messages.back().find("ORA-00904: invalid column name"), std::string::npos)
      << messages.back();
}

// One column of every Red Brick type, DECIMAL at every precision the server takes.
std::string EveryRedBrickType() {
  std::string columns =
      "C_CHAR CHAR(10), C_VARCHAR VARCHAR(255), C_INTEGER INTEGER, C_SMALLINT SMALLINT, "
      "C_TINYINT TINYINT, C_REAL REAL, C_FLOAT FLOAT, C_DOUBLE DOUBLE PRECISION, C_DATE DATE, "
      "C_TIME TIME, C_TIME3 TIME(3), C_TIMESTAMP TIMESTAMP, C_TIMESTAMP6 TIMESTAMP(6)";
  for (int precision = 1; precision <= 38; ++precision) {
    columns += ", D" + std::to_string(precision) + " DECIMAL(" + std::to_string(precision) + "," +
               std::to_string(precision / 2) + ")";
    columns += ", N" + std::to_string(precision) + " NUMERIC(" + std::to_string(precision) + ")";
  }
  return "CREATE TABLE EVERY_TYPE (" + columns + ");";
}

TEST(FetchServerRulesTest, RedBrickSizesFromTheCatalogueAgreeWithTheProgramsRules) {
  EmulatorDatabase database("RB_SIZES", "Morvane Red Brick", "sales", "sales", EveryRedBrickType());
  ProgramSide program(Product::RedBrick);
  ASSERT_TRUE(program.Connect("RB_SIZES", "sales", "sales"));
  ASSERT_TRUE(program.Fetch(DataKind::Table));
  const TTableRec& table = RecordNamed(program.store, DataKind::Table, "EVERY_TYPE");
  Rows rows = ColumnRows(table);
  ASSERT_EQ(rows.size(), 13u + 2 * 38u);
  long total = 0;
  for (const std::vector<std::string>& row : rows) {
    // Entries: 2 type, 6 length or precision, 7 precision or scale, 8 the catalogue's LENGTH.
    EXPECT_EQ(row.at(8), ColumnByteSize(Product::RedBrick, row.at(2), row.at(6), row.at(7)))
        << row.at(1) << " " << row.at(2) << "(" << row.at(6) << "," << row.at(7) << ")";
    total += std::stol(row.at(8));
  }
  EXPECT_EQ(Utf8(table.values).at(3), std::to_string(total));
}

}  // namespace
}  // namespace morvane::db_test
