// The Red Brick catalogue, count and relationship statements against a small schema.
#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue_fixture.h"
#include "catalogue_statements.h"

namespace morvane::emulator::test {
namespace {

constexpr const char* kSchema = R"(
CREATE TABLE DEPT (
  DEPT_ID INTEGER NOT NULL,
  DEPT_NAME VARCHAR(30) NOT NULL,
  PRIMARY KEY (DEPT_ID)
);
CREATE TABLE EMP (
  EMP_ID INTEGER NOT NULL,
  EMP_CODE CHAR(8) NOT NULL UNIQUE,
  EMP_NAME VARCHAR(40),
  SALARY DECIMAL(10,2) DEFAULT 0,
  BONUS DECIMAL(7),
  HIRED DATE,
  CLOCK_IN TIME,
  UPDATED TIMESTAMP(3),
  DEPT_ID INTEGER,
  PRIMARY KEY (EMP_ID),
  FOREIGN KEY (DEPT_ID) REFERENCES DEPT (DEPT_ID)
);
CREATE STAR INDEX EMP_STAR ON EMP (DEPT_ID);
COMMENT ON TABLE EMP IS '社員';
COMMENT ON COLUMN EMP.EMP_NAME IS '氏名';
CREATE VIEW EMP_VIEW AS SELECT EMP_ID, EMP_NAME FROM EMP;
)";

constexpr const char* kCreated = "2001-04-01 09:30:00";
const std::vector<std::string> kSystemTables = {"RBW_COLUMNS", "RBW_INDEXCOLUMNS", "RBW_INDEXES",
                                                "RBW_RELATIONSHIPS", "RBW_TABLES"};

ResultRow TableLevel(const char* name, const char* type, const char* id, const char* comment) {
  bool table = std::string(type) == "TABLE";
  return Row({"SALES", name, type, "0", "0", id, kCreated, table ? "1" : nullptr,
              table ? "100000" : nullptr, table ? "8000000" : nullptr, nullptr, "Y", "N", comment});
}

// SEQ, NAME, TYPE, LENGTH, PRECISION, SCALE, LENGTH2, SCALE2, SIZE, NOT NULL, UNIQUE,
// PRIMARY KEY, PRIMARY NO; then TID, DEFAULTVALUE, SEGSEQ, COMMENT, USAGE.
ResultRow ColumnLevel(std::initializer_list<const char*> first13, const char* tid,
                      const char* default_value, const char* comment) {
  return Concat(Row(first13), Row({tid, default_value, "0", comment, "DATA"}));
}

std::vector<ResultRow> ExpectedUserTableRows() {
  ResultRow dept = TableLevel("DEPT", "TABLE", "30001", nullptr);
  ResultRow emp = TableLevel("EMP", "TABLE", "30002", "社員");
  ResultRow view = TableLevel("EMP_VIEW", "VIEW", "30003", nullptr);
  const char* n = nullptr;
  return {
      Concat(dept, ColumnLevel({"1", "DEPT_ID", "INTEGER", n, n, n, n, n, "4", "○", n, "○", "1"},
                               "30001", n, n)),
      Concat(dept,
             ColumnLevel({"2", "DEPT_NAME", "VARCHAR", "30", n, n, "30", n, "30", "○", n, n, n},
                         "30001", n, n)),
      Concat(emp, ColumnLevel({"1", "EMP_ID", "INTEGER", n, n, n, n, n, "4", "○", n, "○", "1"},
                              "30002", n, n)),
      Concat(emp, ColumnLevel({"2", "EMP_CODE", "CHAR", "8", n, n, "8", n, "8", "○", "○", n, n},
                              "30002", n, n)),
      Concat(emp, ColumnLevel({"3", "EMP_NAME", "VARCHAR", "40", n, n, "40", n, "40", n, n, n, n},
                              "30002", n, "氏名")),
      Concat(emp, ColumnLevel({"4", "SALARY", "DECIMAL", n, "10", "2", "10", "2", "5", n, n, n, n},
                              "30002", "0", n)),
      Concat(emp, ColumnLevel({"5", "BONUS", "DECIMAL", n, "7", n, "7", n, "4", n, n, n, n},
                              "30002", n, n)),
      Concat(emp,
             ColumnLevel({"6", "HIRED", "DATE", n, n, n, n, n, "3", n, n, n, n}, "30002", n, n)),
      Concat(emp,
             ColumnLevel({"7", "CLOCK_IN", "TIME", n, n, n, n, n, "3", n, n, n, n}, "30002", n, n)),
      Concat(emp, ColumnLevel({"8", "UPDATED", "TIMESTAMP", n, "3", n, n, "3", "8", n, n, n, n},
                              "30002", n, n)),
      Concat(emp, ColumnLevel({"9", "DEPT_ID", "INTEGER", n, n, n, n, n, "4", n, n, n, n}, "30002",
                              n, n)),
      Concat(view, ColumnLevel({"1", "EMP_ID", "INTEGER", n, n, n, n, n, "4", n, n, n, n}, "30003",
                               n, n)),
      Concat(view, ColumnLevel({"2", "EMP_NAME", "VARCHAR", "40", n, n, "40", n, "40", n, n, n, n},
                               "30003", n, n)),
  };
}

class RedBrickCatalogueTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    db_ = new FixtureDatabase("RB_FIXTURE", "Morvane Red Brick", "sales", "sales", kSchema);
  }
  static void TearDownTestSuite() {
    delete db_;
    db_ = nullptr;
  }
  static std::vector<ResultRow> Run(const std::string& sql) { return db_->client->Rows(sql); }
  static FixtureDatabase* db_;
};
FixtureDatabase* RedBrickCatalogueTest::db_ = nullptr;

// Rows of the user's schema come first (creator SALES sorts before SYSTEM); the rest belong to
// the system tables.
std::vector<ResultRow> SplitUserRows(std::vector<ResultRow>& rows) {
  auto first_system =
      std::find_if(rows.begin(), rows.end(), [](const ResultRow& r) { return r[0] == "SYSTEM"; });
  std::vector<ResultRow> user(rows.begin(), first_system);
  rows.erase(rows.begin(), first_system);
  return user;
}

TEST_F(RedBrickCatalogueTest, CountStatementsIncludeTheSystemTables) {
  ExpectRows({Row({"8"})}, Run(kRedBrickTablesCount));
  ExpectRows({Row({"4"})}, Run(kRedBrickIndexesCount));
}

TEST_F(RedBrickCatalogueTest, TableInformationCarriesSizesAndMarks) {
  std::vector<ResultRow> rows = Run(kRedBrickTables);
  ExpectRows(ExpectedUserTableRows(), SplitUserRows(rows));
  std::vector<std::string> system_tables;
  for (const ResultRow& r : rows) {
    EXPECT_EQ(r[2], "SYSTEM TABLE");
    if (system_tables.empty() || system_tables.back() != *r[1]) system_tables.push_back(*r[1]);
  }
  EXPECT_EQ(kSystemTables, system_tables);
}

TEST_F(RedBrickCatalogueTest, IndexInformationIsOrderedByTypeThenName) {
  auto index = [](const char* name, const char* table, const char* type, const char* column,
                  const char* fk) {
    return Concat(
        Row({"SALES", name, type, table, column, kCreated, "100", "Y", "N", "ONLINE", nullptr}),
        Row({"1", column, fk}));
  };
  ExpectRows({index("DEPT_PK", "DEPT", "BTREE", "DEPT_ID", nullptr),
              index("EMP_PK", "EMP", "BTREE", "EMP_ID", nullptr),
              index("EMP_UK1", "EMP", "BTREE", "EMP_CODE", nullptr),
              index("EMP_STAR", "EMP", "STAR", "DEPT_ID", "EMP_FK1")},
             Run(kRedBrickIndexes));
}

TEST_F(RedBrickCatalogueTest, TableIndexInformationPairsEveryColumnWithEveryIndexOfItsTable) {
  std::vector<ResultRow> rows = Run(kRedBrickTableIndexes);
  std::vector<ResultRow> user = SplitUserRows(rows);
  const char* n = nullptr;
  auto r = [](const char* table, const char* type, const char* column, const char* data_type,
              const char* index, const char* index_type, const char* position) {
    return Row({"SALES", table, type, "0", column, data_type, index, index_type, position});
  };
  std::vector<ResultRow> expected = {
      r("DEPT", "TABLE", "DEPT_ID", "INTEGER", "DEPT_PK", "BTREE", "1"),
      r("DEPT", "TABLE", "DEPT_NAME", "VARCHAR", "DEPT_PK", "BTREE", n)};
  const char* emp_columns[][2] = {
      {"EMP_ID", "INTEGER"}, {"EMP_CODE", "CHAR"},     {"EMP_NAME", "VARCHAR"},
      {"SALARY", "DECIMAL"}, {"BONUS", "DECIMAL"},     {"HIRED", "DATE"},
      {"CLOCK_IN", "TIME"},  {"UPDATED", "TIMESTAMP"}, {"DEPT_ID", "INTEGER"}};
  for (const auto& c : emp_columns) {
    std::string column = c[0];
    expected.push_back(
        r("EMP", "TABLE", c[0], c[1], "EMP_PK", "BTREE", column == "EMP_ID" ? "1" : n));
    expected.push_back(
        r("EMP", "TABLE", c[0], c[1], "EMP_UK1", "BTREE", column == "EMP_CODE" ? "1" : n));
    expected.push_back(
        r("EMP", "TABLE", c[0], c[1], "EMP_STAR", "STAR", column == "DEPT_ID" ? "1" : n));
  }
  expected.push_back(r("EMP_VIEW", "VIEW", "EMP_ID", "INTEGER", n, n, n));
  expected.push_back(r("EMP_VIEW", "VIEW", "EMP_NAME", "VARCHAR", n, n, n));
  // Rows of one column come in no particular order; the columns follow their sequence.
  std::vector<std::string> column_order;
  for (const ResultRow& row : user) {
    std::string key = *row[1] + "." + *row[4];
    if (column_order.empty() || column_order.back() != key) column_order.push_back(key);
  }
  EXPECT_EQ(2u + 9u + 2u, column_order.size());
  std::sort(expected.begin(), expected.end());
  std::sort(user.begin(), user.end());
  ExpectRows(expected, user);
  for (const ResultRow& row : rows)
    EXPECT_EQ(row[6], std::nullopt) << "system tables have no indexes";
}

TEST_F(RedBrickCatalogueTest, RelationshipsComeFromForeignKeys) {
  ExpectRows({Row({"EMP", "DEPT"})}, Run(kRedBrickRelationships));
}

TEST_F(RedBrickCatalogueTest, ExplainAnswersWithThePlanAsText) {
  QueryResult r = db_->client->Query("EXPLAIN SELECT * FROM EMP WHERE EMP_ID = 1");
  ASSERT_EQ(SQL_SUCCESS, r.exec_rc) << r.error;
  ASSERT_GE(r.rows.size(), 2u);
  EXPECT_EQ(std::vector<std::string>{"EXPLANATION"}, r.names);
  EXPECT_EQ("EXECUTION PLAN", r.rows[0][0]);
  EXPECT_NE(std::string::npos, r.rows[1][0]->find("EMP"));
}

}  // namespace
}  // namespace morvane::emulator::test
