// Fetching the catalogue of Broadbase through the emulator.
#include <gtest/gtest.h>

#include "fetch_fixture.h"
#include "model/data_kind.h"
#include "text/codec.h"

namespace morvane::db_test {
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
  BRANCH SMALLINT NOT NULL,
  SALARY DECIMAL(10,2),
  HIRED DATE,
  DOC XMLTYPE,
  DEPT_ID INTEGER,
  CONSTRAINT PK_EMP PRIMARY KEY (BRANCH, EMP_ID),
  CONSTRAINT UQ_EMP_CODE UNIQUE (EMP_CODE),
  CONSTRAINT FK_EMP_DEPT FOREIGN KEY (DEPT_ID) REFERENCES DEPT (DEPT_ID)
);
CREATE INDEX IX_EMP_HIRED ON EMP (HIRED, SALARY);
COMMENT ON TABLE EMP IS '社員';
)";

class BroadbaseFetchTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    database_ = new EmulatorDatabase("BB_FETCH", "Morvane Broadbase", "sales", "sales", kSchema);
  }
  static void TearDownTestSuite() {
    delete database_;
    database_ = nullptr;
  }

  static EmulatorDatabase* database_;
};
EmulatorDatabase* BroadbaseFetchTest::database_ = nullptr;

// Entries 0 to 8 of each column row: ordinal, name, type, precision, scale, primary-key mark,
// key position, unique mark, NOT NULL mark.
Rows LeadingEntries(const TTableRec& record) {
  Rows rows;
  for (auto row : ColumnRows(record)) {
    row.resize(9);
    rows.push_back(row);
  }
  return rows;
}

TEST_F(BroadbaseFetchTest, TableInformationWithKeyAndUniqueMarks) {
  ProgramSide program(Product::Broadbase);
  program.store.relations.push_back({"KEPT", {"AS IS"}});
  ASSERT_TRUE(program.Connect("BB_FETCH", "sales", "sales"));
  ASSERT_TRUE(program.Fetch(DataKind::Table));
  EXPECT_TRUE(program.TakeMessages().empty());

  std::vector<std::string> names = RecordNames(program.store, DataKind::Table);
  ASSERT_GE(names.size(), 2u);
  EXPECT_EQ(names[0], "DEPT");
  EXPECT_EQ(names[1], "EMP");
  const TTableRec& dept = RecordNamed(program.store, DataKind::Table, "DEPT");
  // No sizes are computed for Broadbase: value 3 is the row count, left 0.
  EXPECT_EQ(Utf8(dept.values), (std::vector<std::string>{"SALES",
                                                         "DEPT",
                                                         "TABLE",
                                                         "0",
                                                         "0",
                                                         "30001",
                                                         "SALES",
                                                         "2001-04-01 09:30:00",
                                                         "2001-04-01 09:30:00",
                                                         "2",
                                                         "0",
                                                         "",
                                                         "USER_DATA",
                                                         "USER_INDEX",
                                                         "SALES",
                                                         "30001",
                                                         "1",
                                                         "1",
                                                         "9608",
                                                         "9609",
                                                         "9610",
                                                         "ROW",
                                                         "0",
                                                         "1",
                                                         "0",
                                                         "0",
                                                         "0",
                                                         "2001-04-01 09:30:00",
                                                         "0",
                                                         ""}));
  EXPECT_EQ(ColumnRows(dept).at(0), (std::vector<std::string>{"1",
                                                              "DEPT_ID",
                                                              "INTEGER",
                                                              "10",
                                                              "",
                                                              "○",
                                                              "1",
                                                              "",
                                                              "○",
                                                              "0",
                                                              "30001",
                                                              "SALES",
                                                              "2001-04-01 09:30:00",
                                                              "2001-04-01 09:30:00",
                                                              "",
                                                              "0",
                                                              "0",
                                                              "0",
                                                              "0",
                                                              ""}));

  // Key positions follow the key, not the column order; a primary key is not marked unique.
  const TTableRec& emp = RecordNamed(program.store, DataKind::Table, "EMP");
  EXPECT_EQ(Utf8(emp.values).at(29), "社員");
  EXPECT_EQ(LeadingEntries(emp), (Rows{{"1", "EMP_ID", "INTEGER", "10", "", "○", "2", "", "○"},
                                       {"2", "EMP_CODE", "CHAR", "8", "", "", "", "○", "○"},
                                       {"3", "BRANCH", "SMALLINT", "5", "", "○", "1", "", "○"},
                                       {"4", "SALARY", "DECIMAL", "10", "2", "", "", "", ""},
                                       {"5", "HIRED", "DATE", "", "", "", "", "", ""},
                                       {"6", "DOC", "UNKNOWN", "", "", "", "", "", ""},
                                       {"7", "DEPT_ID", "INTEGER", "10", "", "", "", "", ""}}));
  EXPECT_EQ(program.store.relations, (std::vector<TRelationRec>{{"KEPT", {"AS IS"}}}));
}

TEST_F(BroadbaseFetchTest, IndexInformation) {
  ProgramSide program(Product::Broadbase);
  ASSERT_TRUE(program.Connect("BB_FETCH", "sales", "sales"));
  ASSERT_TRUE(program.Fetch(DataKind::Index));
  EXPECT_EQ(RecordNames(program.store, DataKind::Index),
            (std::vector<std::string>{"IX_EMP_HIRED", "PK_DEPT", "PK_EMP", "UQ_EMP_CODE"}));
  const TTableRec& pk = RecordNamed(program.store, DataKind::Index, "PK_EMP");
  EXPECT_EQ(pk.type, "PRIMARY");
  EXPECT_EQ(Utf8(pk.values),
            (std::vector<std::string>{"SALES", "PK_EMP", "PRIMARY", "EMP", "1", "3000201", "SALES",
                                      "2001-04-01 09:30:00", "2001-04-01 09:30:00", "1", "2", "3",
                                      "3,1", "VALID", "USER_INDEX",
                                      "/bbdata/morvane/user_index.bbd", "8", "9617", ""}));
  EXPECT_EQ(ColumnRows(pk), (Rows{{"1", "BRANCH"}, {"2", "EMP_ID"}}));
}

TEST_F(BroadbaseFetchTest, TableIndexInformation) {
  ProgramSide program(Product::Broadbase);
  ASSERT_TRUE(program.Connect("BB_FETCH", "sales", "sales"));
  ASSERT_TRUE(program.Fetch(DataKind::TableIndex));
  const TTableRec& emp = RecordNamed(program.store, DataKind::TableIndex, "EMP");
  EXPECT_EQ(Utf8(emp.values), (std::vector<std::string>{"SALES", "EMP", "TABLE", "3"}));
  EXPECT_EQ(ColumnRows(emp), (Rows{{"", "", "IX_EMP_HIRED", "PK_EMP", "UQ_EMP_CODE"},
                                   {"", "", "NORMAL", "PRIMARY", "UNIQUE"},
                                   {"EMP_ID", "INTEGER", "", "2", ""},
                                   {"EMP_CODE", "CHAR", "", "", "1"},
                                   {"BRANCH", "SMALLINT", "", "1", ""},
                                   {"SALARY", "DECIMAL", "2", "", ""},
                                   {"HIRED", "DATE", "1", "", ""},
                                   {"DOC", "UNKNOWN", "", "", ""},
                                   {"DEPT_ID", "INTEGER", "", "", ""}}));
  EXPECT_EQ(ColumnRows(RecordNamed(program.store, DataKind::TableIndex, "DEPT")),
            (Rows{{"", "", "PK_DEPT", "", ""},
                  {"", "", "PRIMARY", "", ""},
                  {"DEPT_ID", "INTEGER", "1", "", ""},
                  {"DEPT_NAME", "VARCHAR", "", "", ""}}));
}

}  // namespace
}  // namespace morvane::db_test
