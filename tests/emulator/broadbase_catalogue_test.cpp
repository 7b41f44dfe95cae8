// The Broadbase catalogue, count and post-pass statements against a small schema.
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
  CONSTRAINT PK_DEPT PRIMARY KEY (DEPT_ID)
);
CREATE TABLE EMP (
  EMP_ID INTEGER NOT NULL,
  EMP_CODE CHAR(8) NOT NULL,
  EMP_NAME VARCHAR(40),
  SALARY DECIMAL(10,2),
  BONUS NUMERIC(7),
  HIRED DATE,
  UPDATED TIMESTAMP,
  DOC XMLTYPE,
  DEPT_ID INTEGER,
  CONSTRAINT PK_EMP PRIMARY KEY (EMP_ID),
  CONSTRAINT UQ_EMP_CODE UNIQUE (EMP_CODE),
  CONSTRAINT FK_EMP_DEPT FOREIGN KEY (DEPT_ID) REFERENCES DEPT (DEPT_ID)
);
CREATE INDEX IX_EMP_NAME ON EMP (EMP_NAME, HIRED);
COMMENT ON TABLE EMP IS '社員';
COMMENT ON COLUMN EMP.EMP_NAME IS '氏名';
CREATE VIEW EMP_VIEW AS SELECT EMP_ID, EMP_NAME FROM EMP;
)";

constexpr const char* kCreated = "2001-04-01 09:30:00";

// Table-level values: the storage blocks follow from the object id.
ResultRow TableLevel(const char* name, const char* type, const char* id, const char* columns,
                     const char* indexes, const char* blocks[3], const char* comment) {
  bool table = std::string(type) == "TABLE";
  return Row({"SALES",
              name,
              type,
              "0",
              "0",
              id,
              "SALES",
              kCreated,
              kCreated,
              columns,
              "0",
              nullptr,
              table ? "USER_DATA" : nullptr,
              table ? "USER_INDEX" : nullptr,
              "SALES",
              id,
              indexes,
              "1",
              blocks[0],
              blocks[1],
              blocks[2],
              "ROW",
              "0",
              "1",
              "0",
              "0",
              "0",
              kCreated,
              "0",
              comment});
}

ResultRow ColumnLevel(const char* ordinal, const char* name, const char* type, const char* q1,
                      const char* q2, const char* not_null, const char* object_id,
                      const char* source, const char* remarks) {
  return Row({ordinal, name,     type, q1,        q2,      nullptr,  nullptr,
              nullptr, not_null, "0",  object_id, "SALES", kCreated, kCreated,
              source,  "0",      "0",  "0",       "0",     remarks});
}

class BroadbaseCatalogueTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    db_ = new FixtureDatabase("BB_FIXTURE", "Morvane Broadbase", "sales", "sales", kSchema);
  }
  static void TearDownTestSuite() {
    delete db_;
    db_ = nullptr;
  }
  static std::vector<ResultRow> Run(const std::string& sql) { return db_->client->Rows(sql); }
  static FixtureDatabase* db_;
};
FixtureDatabase* BroadbaseCatalogueTest::db_ = nullptr;

std::vector<ResultRow> UserRows(const std::vector<ResultRow>& rows) {
  std::vector<ResultRow> user;
  for (const ResultRow& r : rows) {
    if (r[0] == "SALES") user.push_back(r);
  }
  return user;
}

TEST_F(BroadbaseCatalogueTest, CountStatementsCountTablesAndIndexes) {
  ExpectRows({Row({"8"})}, Run(kBroadbaseTablesCount));
  ExpectRows({Row({"4"})}, Run(kBroadbaseIndexesCount));
}

TEST_F(BroadbaseCatalogueTest, TableInformationTurnsCodesIntoWords) {
  const char* n = nullptr;
  const char* dept_blocks[3] = {"9608", "9609", "9610"};
  const char* emp_blocks[3] = {"9616", "9617", "9618"};
  const char* view_blocks[3] = {n, n, n};
  ResultRow dept = TableLevel("DEPT", "TABLE", "30001", "2", "1", dept_blocks, n);
  ResultRow emp = TableLevel("EMP", "TABLE", "30002", "9", "3", emp_blocks, "社員");
  ResultRow view = TableLevel("EMP_VIEW", "VIEW", "30003", "2", "0", view_blocks, n);
  std::vector<ResultRow> expected = {
      Concat(dept, ColumnLevel("1", "DEPT_ID", "INTEGER", "10", n, "○", "30001", n, n)),
      Concat(dept, ColumnLevel("2", "DEPT_NAME", "VARCHAR", "30", n, "○", "30001", n, n)),
      Concat(emp, ColumnLevel("1", "EMP_ID", "INTEGER", "10", n, "○", "30002", n, n)),
      Concat(emp, ColumnLevel("2", "EMP_CODE", "CHAR", "8", n, "○", "30002", n, n)),
      Concat(emp, ColumnLevel("3", "EMP_NAME", "VARCHAR", "40", n, n, "30002", n, "氏名")),
      Concat(emp, ColumnLevel("4", "SALARY", "DECIMAL", "10", "2", n, "30002", n, n)),
      Concat(emp, ColumnLevel("5", "BONUS", "NUMERIC", "7", n, n, "30002", n, n)),
      Concat(emp, ColumnLevel("6", "HIRED", "DATE", n, n, n, "30002", n, n)),
      Concat(emp, ColumnLevel("7", "UPDATED", "TIMESTAMP", n, n, n, "30002", n, n)),
      Concat(emp, ColumnLevel("8", "DOC", "UNKNOWN", n, n, n, "30002", n, n)),
      Concat(emp, ColumnLevel("9", "DEPT_ID", "INTEGER", "10", n, n, "30002", n, n)),
      Concat(view, ColumnLevel("1", "EMP_ID", "INTEGER", "10", n, n, "30003", "EMP_ID", n)),
      Concat(view, ColumnLevel("2", "EMP_NAME", "VARCHAR", "40", n, n, "30003", "EMP_NAME", n)),
  };
  std::vector<ResultRow> rows = Run(kBroadbaseTables);
  ExpectRows(expected, UserRows(rows));
  ASSERT_GT(rows.size(), expected.size());
  for (size_t i = expected.size(); i < rows.size(); ++i) {
    EXPECT_EQ(rows[i][0], "SYSTEM");
    EXPECT_EQ(rows[i][2], "SYSTEM TABLE");
  }
}

TEST_F(BroadbaseCatalogueTest, IndexInformationNamesTypesFilesAndColumns) {
  auto index = [](const char* name, const char* type, const char* table, const char* id,
                  const char* object, const char* columns, const char* ordinals, const char* root,
                  const char* ordinal, const char* column) {
    return Row({"SALES",  name,    type,         table,
                id,       object,  "SALES",      kCreated,
                kCreated, "1",     columns,      "3",
                ordinals, "VALID", "USER_INDEX", "/bbdata/morvane/user_index.bbd",
                "8",      root,    nullptr,      ordinal,
                column});
  };
  ExpectRows(
      {index("IX_EMP_NAME", "NORMAL", "EMP", "3", "3000203", "2", "3,6", "9619", "1", "EMP_NAME"),
       index("IX_EMP_NAME", "NORMAL", "EMP", "3", "3000203", "2", "3,6", "9619", "2", "HIRED"),
       index("PK_DEPT", "PRIMARY", "DEPT", "1", "3000101", "1", "1", "9609", "1", "DEPT_ID"),
       index("PK_EMP", "PRIMARY", "EMP", "1", "3000201", "1", "1", "9617", "1", "EMP_ID"),
       index("UQ_EMP_CODE", "UNIQUE", "EMP", "2", "3000202", "1", "2", "9618", "1", "EMP_CODE")},
      Run(kBroadbaseIndexes));
}

TEST_F(BroadbaseCatalogueTest, TableIndexInformationJoinsIndexesToTheirColumns) {
  const char* n = nullptr;
  auto r = [](const char* table, const char* type, const char* column, const char* data_type,
              const char* index, const char* index_type, const char* position) {
    return Row({"SALES", table, type, "0", column, data_type, index, index_type, position});
  };
  ExpectRows({r("DEPT", "TABLE", "DEPT_ID", "INTEGER", "PK_DEPT", "PRIMARY", "1"),
              r("DEPT", "TABLE", "DEPT_NAME", "VARCHAR", n, n, n),
              r("EMP", "TABLE", "EMP_ID", "INTEGER", "PK_EMP", "PRIMARY", "1"),
              r("EMP", "TABLE", "EMP_CODE", "CHAR", "UQ_EMP_CODE", "UNIQUE", "1"),
              r("EMP", "TABLE", "EMP_NAME", "VARCHAR", "IX_EMP_NAME", "NORMAL", "1"),
              r("EMP", "TABLE", "SALARY", "DECIMAL", n, n, n),
              r("EMP", "TABLE", "BONUS", "NUMERIC", n, n, n),
              r("EMP", "TABLE", "HIRED", "DATE", "IX_EMP_NAME", "NORMAL", "2"),
              r("EMP", "TABLE", "UPDATED", "TIMESTAMP", n, n, n),
              r("EMP", "TABLE", "DOC", "UNKNOWN", n, n, n),
              r("EMP", "TABLE", "DEPT_ID", "INTEGER", n, n, n),
              r("EMP_VIEW", "VIEW", "EMP_ID", "INTEGER", n, n, n),
              r("EMP_VIEW", "VIEW", "EMP_NAME", "VARCHAR", n, n, n)},
             UserRows(Run(kBroadbaseTableIndexes)));
}

TEST_F(BroadbaseCatalogueTest, PostPassesListKeyColumnsByNumber) {
  std::vector<ResultRow> keys = Run(kBroadbasePrimaryKeys);
  std::sort(keys.begin(), keys.end());
  ExpectRows({Row({"SALES", "DEPT", "1", "1"}), Row({"SALES", "EMP", "1", "1"})}, keys);
  ExpectRows({Row({"SALES", "EMP", "2"})}, Run(kBroadbaseUniqueColumns));
}

}  // namespace
}  // namespace morvane::emulator::test
