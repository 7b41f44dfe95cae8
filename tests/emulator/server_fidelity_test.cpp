// Where the emulator answers as the servers do although SQLite alone would not: Oracle 7's
// data dictionary beside Oracle 8's on one database, and text compared as Shift-JIS bytes.
#include <gtest/gtest.h>

#include "catalogue_fixture.h"
#include "catalogue_statements.h"

namespace morvane::emulator::test {
namespace {

class Oracle7DictionaryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    db_ = new FixtureDatabase("ORA_DICT", "Morvane Oracle", "scott", "tiger", R"(
      CREATE TABLE DEPT (DEPT_ID NUMBER(4) PRIMARY KEY, DEPT_NAME VARCHAR2(30) NOT NULL);
      CREATE INDEX DEPT_NAME_IX ON DEPT (DEPT_NAME);
    )");
    db_->sources->Add("ORA7_DICT", {{"Driver", "Morvane Oracle"},
                                    {"Dialect", "Oracle7"},
                                    {"Database", db_->sources->dir() + "/ORA_DICT.db"},
                                    {"UID", "scott"},
                                    {"PWD", "tiger"}});
  }
  static void TearDownTestSuite() {
    delete db_;
    db_ = nullptr;
  }
  static inline FixtureDatabase* db_ = nullptr;
};

TEST_F(Oracle7DictionaryTest, Oracle8StatementsFailOnOracle7AndOracle7StatementsRunOnBoth) {
  struct Case {
    std::string statement;
    const char* oracle7_error;  // nullptr: runs on Oracle 7 too
  };
  const std::string owner = "SELECT 'SCOTT";
  const char* kNoColumn = "ORA-00904: invalid column name";
  const char* kNoView = "ORA-00942: table or view does not exist";
  const Case cases[] = {
      {owner + kOracle8Tables, kNoColumn},
      {owner + kOracle8Indexes, kNoColumn},
      {owner + kOracle8TableIndexes, kNoColumn},
      {"SELECT VALIDATED FROM USER_CONSTRAINTS", kNoColumn},
      {"SELECT DATA_OBJECT_ID FROM USER_OBJECTS", kNoColumn},
      {"SELECT TABLE_NAME, PARTITION_COUNT FROM USER_PART_TABLES", kNoView},
      {"SELECT COUNT(*) FROM USER_NESTED_TABLES", kNoView},
      {"SELECT COUNT(*) FROM SYS.USER_TAB_PARTITIONS", kNoView},
      {owner + kOracle7Tables, nullptr},
      {owner + kOracle7Indexes, nullptr},
      {owner + kOracle7TableIndexes, nullptr},
      {kOraclePrimaryKeys, nullptr},
      {kOracleUniqueColumns, nullptr},
  };
  OdbcClient oracle7;
  ASSERT_EQ(SQL_SUCCESS, oracle7.Connect("ORA7_DICT", "scott", "tiger"))
      << oracle7.ConnectionError();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.statement.substr(0, 80));
    QueryResult on7 = oracle7.Query(c.statement);
    QueryResult on8 = db_->client->Query(c.statement);
    EXPECT_EQ(SQL_SUCCESS, on8.exec_rc) << on8.error;
    if (c.oracle7_error) {
      EXPECT_EQ(SQL_ERROR, on7.exec_rc);
      EXPECT_NE(std::string::npos, on7.error.find(c.oracle7_error)) << on7.error;
    } else {
      EXPECT_EQ(SQL_SUCCESS, on7.exec_rc) << on7.error;
      EXPECT_EQ(on8.rows.size(), on7.rows.size());
      EXPECT_FALSE(on7.rows.empty());
    }
  }
}

TEST_F(Oracle7DictionaryTest, Oracle7ReportsItsOwnVersionAndItsViewsCannotBeChanged) {
  OdbcClient oracle7;
  ASSERT_EQ(SQL_SUCCESS, oracle7.Connect("ORA7_DICT", "scott", "tiger"));
  char version[32] = {};
  SQLSMALLINT length = 0;
  ASSERT_EQ(SQL_SUCCESS, SQLGetInfo(oracle7.dbc(), SQL_DBMS_VER, version, sizeof version, &length));
  EXPECT_EQ(0, std::string(version).rfind("07.", 0)) << version;
  QueryResult change = oracle7.Query("DELETE FROM USER_TABLES");
  EXPECT_NE(std::string::npos, change.error.find("ORA-01031: insufficient privileges"))
      << change.error;
}

// Names in Shift-JIS byte order: ASCII, hiragana, katakana, level-1 kanji by reading (顧 0x8CDA
// before 社 0x8ED0), half-width katakana (0xB6). UTF-8 puts 社 before 顧 and keeps the rest.
const std::vector<std::string> kNamesInCp932Order = {"ZETA", "あかり", "アカリ",
                                                     "顧客", "社員",   "ｶﾅ表"};

std::string Tables(const char* number_type) {
  std::string script;
  for (const char* name : {"社員", "ｶﾅ表", "ZETA", "アカリ", "顧客", "あかり"}) {
    script += std::string("CREATE TABLE ") + name + " (ID " + number_type + " NOT NULL);\n";
  }
  return script;
}

struct OrderCase {
  const char* dsn;
  const char* driver;
  const char* uid;
  const char* number_type;
  std::string statement;
  const char* owner;  // the user's tables' owner (system tables are left out)
};

void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.dsn; }

class Cp932OrderTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(Cp932OrderTest, TableNamesComeBackInShiftJisOrder) {
  const OrderCase& c = GetParam();
  FixtureDatabase db(c.dsn, c.driver, c.uid, c.uid, Tables(c.number_type));
  std::vector<std::string> names;
  for (const ResultRow& row : db.client->Rows(c.statement)) {
    if (row[0] != c.owner) continue;
    if (names.empty() || names.back() != *row[1]) names.push_back(*row[1]);
  }
  EXPECT_EQ(kNamesInCp932Order, names);
}

INSTANTIATE_TEST_SUITE_P(
    EveryDialect, Cp932OrderTest,
    ::testing::Values(
        OrderCase{"ORA_ORDER", "Morvane Oracle", "scott", "NUMBER(4)",
                  std::string("SELECT 'SCOTT") + kOracle8Tables, "SCOTT"},
        OrderCase{"RB_ORDER", "Morvane Red Brick", "sales", "INTEGER", kRedBrickTables, "SALES"},
        OrderCase{"BB_ORDER", "Morvane Broadbase", "sales", "INTEGER", kBroadbaseTables, "SALES"}));

TEST(Cp932CompareTest, ComparisonsMinMaxAndDistinctFollowShiftJisOrder) {
  FixtureDatabase db("ORA_CMP", "Morvane Oracle", "scott", "tiger", Tables("NUMBER(4)") + R"(
    CREATE TABLE WORDS (W VARCHAR2(20));
    INSERT INTO WORDS VALUES ('社員');
    INSERT INTO WORDS VALUES ('顧客');
    INSERT INTO WORDS VALUES ('社員');
    INSERT INTO WORDS VALUES ('ｶﾅ');
  )");
  ExpectRows({Row({"あかり", "ｶﾅ表"})},
             db.client->Rows("SELECT MIN(TABLE_NAME), MAX(TABLE_NAME) FROM USER_TABLES "
                             "WHERE TABLE_NAME > 'ZZ'"));
  ExpectRows({Row({"社員"}), Row({"ｶﾅ表"})},
             db.client->Rows("SELECT TABLE_NAME FROM USER_TABLES WHERE TABLE_NAME > '顧客' "
                             "ORDER BY TABLE_NAME"));
  // The user's own tables compare the same way.
  ExpectRows({Row({"顧客"}), Row({"社員"}), Row({"ｶﾅ"})},
             db.client->Rows("SELECT DISTINCT W FROM WORDS ORDER BY W"));
  ExpectRows({Row({"2"})}, db.client->Rows("SELECT COUNT(*) FROM WORDS WHERE W < 'ｶﾅ' AND "
                                           "W > '顧客'"));
}

}  // namespace
}  // namespace morvane::emulator::test
