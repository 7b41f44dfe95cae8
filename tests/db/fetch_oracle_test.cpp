// Fetching the catalogue of Oracle 8 and Oracle 7 through the emulator.
#include <gtest/gtest.h>

#include "fetch_fixture.h"
#include "model/data_kind.h"
#include "text/codec.h"

namespace morvane::db_test {
namespace {

constexpr const char* kSchema = R"(
CREATE TABLE DEPT (
  DEPT_ID NUMBER(4) NOT NULL,
  DEPT_NAME VARCHAR2(30) NOT NULL,
  CONSTRAINT PK_DEPT PRIMARY KEY (DEPT_ID)
);
CREATE TABLE EMP (
  EMP_ID NUMBER(10) NOT NULL,
  EMP_CODE CHAR(8) NOT NULL,
  EMP_NAME VARCHAR2(300),
  SALARY NUMBER(10,2),
  RATE NUMBER,
  HIRED DATE,
  NOTE LONG,
  DEPT_ID NUMBER(4),
  CONSTRAINT PK_EMP PRIMARY KEY (EMP_ID),
  CONSTRAINT UQ_EMP_CODE UNIQUE (EMP_CODE),
  CONSTRAINT FK_EMP_DEPT FOREIGN KEY (DEPT_ID) REFERENCES DEPT (DEPT_ID)
);
CREATE INDEX IX_EMP_NAME ON EMP (EMP_NAME, HIRED);
CREATE INDEX AX_EMP_DEPT ON EMP (DEPT_ID);
COMMENT ON TABLE EMP IS '社員';
COMMENT ON COLUMN EMP.EMP_NAME IS '氏名';
CREATE VIEW EMP_VIEW AS SELECT EMP_ID, EMP_NAME FROM EMP;
)";

class OracleFetchTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    database_ = new EmulatorDatabase("ORA_FETCH", "Morvane Oracle", "scott", "tiger", kSchema);
  }
  static void TearDownTestSuite() {
    delete database_;
    database_ = nullptr;
  }

  static EmulatorDatabase* database_;
};
EmulatorDatabase* OracleFetchTest::database_ = nullptr;

// Entries 0, 1, 8 (size), 9 (primary key), 10 (unique) and 11 (NOT NULL) of each column row.
Rows SizesAndMarks(const TTableRec& record) {
  Rows rows;
  for (const auto& row : ColumnRows(record)) {
    rows.push_back({row.at(0), row.at(1), row.at(8), row.at(9), row.at(10), row.at(11)});
  }
  return rows;
}

const Rows kEmpSizesAndMarks = {
    {"1", "EMP_ID", "6", "○", "○", "○"},  {"2", "EMP_CODE", "8", "", "○", "○"},
    {"3", "EMP_NAME", "300", "", "", ""}, {"4", "SALARY", "6", "", "", ""},
    {"5", "RATE", "22", "", "", ""},      {"6", "HIRED", "7", "", "", ""},
    {"7", "NOTE", "0", "", "", ""},       {"8", "DEPT_ID", "3", "", "", ""},
};

TEST_F(OracleFetchTest, Oracle8TableInformation) {
  ProgramSide program(Product::Oracle8);
  ASSERT_TRUE(program.Connect("ORA_FETCH", "scott", "tiger"));
  ASSERT_TRUE(program.Fetch(DataKind::Table));
  EXPECT_TRUE(program.TakeMessages().empty());

  // Views have no storage, so only the tables are listed.
  EXPECT_EQ(RecordNames(program.store, DataKind::Table), (std::vector<std::string>{"DEPT", "EMP"}));
  const TTableRec& dept = RecordNamed(program.store, DataKind::Table, "DEPT");
  EXPECT_EQ(dept.owner, "SCOTT");
  EXPECT_EQ(dept.type, "TABLE");
  // Total size 3 + 30, two columns of at most 250 bytes, none larger; the row count is left 0.
  EXPECT_EQ(Utf8(dept.values),
            (std::vector<std::string>{
                "SCOTT",      "DEPT",       "TABLE",   "33", "2", "0",   "0",     "USERS",
                "",           "",           "10",      "40", "1", "255", "65536", "65536",
                "1",          "2147483645", "50",      "1",  "1", "YES", "N",     "",
                "",           "",           "",        "",   "",  "",    "",      "         1",
                "         1", "    N",      "ENABLED", "",   "",  "NO",  "",      "N",
                "NO",         "DEFAULT",    ""}));
  EXPECT_EQ(ColumnRows(dept),
            (Rows{{"1", "DEPT_ID", "NUMBER", "", "4", "", "4", "", "3", "○", "○", "○", "", "",
                   "",  "",        "",       "", "",  "", "",  "", "",  "",  "",  "",  ""},
                  {"2", "DEPT_NAME", "VARCHAR2", "30", "", "", "30",      "",   "30",
                   "",  "",          "○",        "",   "", "", "",        "",   "",
                   "",  "",          "",         "",   "", "", "CHAR_CS", "30", ""}}));

  const TTableRec& emp = RecordNamed(program.store, DataKind::Table, "EMP");
  // 6 + 8 + 300 + 6 + 22 + 7 + 0 + 3; LONG has size 0 and counts as neither small nor large.
  EXPECT_EQ(Utf8(emp.values).at(3), "352");
  EXPECT_EQ(Utf8(emp.values).at(4), "6");
  EXPECT_EQ(Utf8(emp.values).at(5), "1");
  EXPECT_EQ(Utf8(emp.values).at(42), "社員");
  EXPECT_EQ(SizesAndMarks(emp), kEmpSizesAndMarks);
  EXPECT_EQ(ColumnRows(emp).at(2).at(26), "氏名");
}

TEST_F(OracleFetchTest, Oracle7TableInformation) {
  ProgramSide program(Product::Oracle7);
  ASSERT_TRUE(program.Connect("ORA_FETCH", "scott", "tiger"));
  ASSERT_TRUE(program.Fetch(DataKind::Table));

  const TTableRec& dept = RecordNamed(program.store, DataKind::Table, "DEPT");
  EXPECT_EQ(
      Utf8(dept.values),
      (std::vector<std::string>{"SCOTT",      "DEPT",  "TABLE",      "33", "2", "0",   "0",
                                "USERS",      "",      "10",         "40", "1", "255", "65536",
                                "65536",      "1",     "2147483645", "50", "1", "1",   "N",
                                "",           "",      "",           "",   "",  "",    "         1",
                                "         1", "    N", "ENABLED",    ""}));
  EXPECT_EQ(
      ColumnRows(dept).at(0),
      (std::vector<std::string>{"1", "DEPT_ID", "NUMBER", "", "4", "", "4", "", "3", "○", "○", "○",
                                "",  "",        "",       "", "",  "", "",  "", "",  "",  ""}));
  const TTableRec& emp = RecordNamed(program.store, DataKind::Table, "EMP");
  EXPECT_EQ(Utf8(emp.values).at(3), "352");
  EXPECT_EQ(Utf8(emp.values).at(31), "社員");
  EXPECT_EQ(SizesAndMarks(emp), kEmpSizesAndMarks);
}

TEST_F(OracleFetchTest, IndexInformation) {
  const std::vector<std::string> names = {"AX_EMP_DEPT", "IX_EMP_NAME", "PK_DEPT", "PK_EMP",
                                          "UQ_EMP_CODE"};
  ProgramSide oracle8(Product::Oracle8);
  ASSERT_TRUE(oracle8.Connect("ORA_FETCH", "scott", "tiger"));
  ASSERT_TRUE(oracle8.Fetch(DataKind::Index));
  EXPECT_EQ(RecordNames(oracle8.store, DataKind::Index), names);
  const TTableRec& ix = RecordNamed(oracle8.store, DataKind::Index, "IX_EMP_NAME");
  EXPECT_EQ(Utf8(ix.values), (std::vector<std::string>{"SCOTT",     "IX_EMP_NAME",
                                                       "NORMAL",    "SCOTT",
                                                       "EMP",       "TABLE",
                                                       "NONUNIQUE", "INDX",
                                                       "2",         "255",
                                                       "65536",     "65536",
                                                       "1",         "2147483645",
                                                       "50",        "",
                                                       "",          "1",
                                                       "1",         "10",
                                                       "YES",       "",
                                                       "",          "",
                                                       "",          "",
                                                       "",          "VALID",
                                                       "",          "",
                                                       "",          "1",
                                                       "1",         "NO",
                                                       "N",         "N",
                                                       "DEFAULT"}));
  EXPECT_EQ(ColumnRows(ix), (Rows{{"1", "EMP_NAME", "300"}, {"2", "HIRED", "7"}}));

  ProgramSide oracle7(Product::Oracle7);
  ASSERT_TRUE(oracle7.Connect("ORA_FETCH", "scott", "tiger"));
  ASSERT_TRUE(oracle7.Fetch(DataKind::Index));
  EXPECT_EQ(RecordNames(oracle7.store, DataKind::Index), names);
  for (const auto& record : oracle7.store.Records(DataKind::Index)) {
    EXPECT_EQ(record->type, "NORMAL");
    EXPECT_EQ(record->values.size(), 25u);
  }
  EXPECT_EQ(ColumnRows(RecordNamed(oracle7.store, DataKind::Index, "PK_EMP")),
            (Rows{{"1", "EMP_ID", "22"}}));
}

TEST_F(OracleFetchTest, TableIndexInformation) {
  for (Product product : {Product::Oracle8, Product::Oracle7}) {
    SCOPED_TRACE(ProductName(product));
    ProgramSide program(product);
    ASSERT_TRUE(program.Connect("ORA_FETCH", "scott", "tiger"));
    ASSERT_TRUE(program.Fetch(DataKind::TableIndex));
    EXPECT_EQ(RecordNames(program.store, DataKind::TableIndex),
              (std::vector<std::string>{"DEPT", "EMP", "EMP_VIEW"}));

    // Indexes in name order, whatever order their columns came in.
    const TTableRec& emp = RecordNamed(program.store, DataKind::TableIndex, "EMP");
    EXPECT_EQ(Utf8(emp.values), (std::vector<std::string>{"SCOTT", "EMP", "TABLE", "4"}));
    EXPECT_EQ(ColumnRows(emp),
              (Rows{{"", "", "AX_EMP_DEPT", "IX_EMP_NAME", "PK_EMP", "UQ_EMP_CODE"},
                    {"", "", "NORMAL", "NORMAL", "NORMAL", "NORMAL"},
                    {"EMP_ID", "NUMBER", "", "", "1", ""},
                    {"EMP_CODE", "CHAR", "", "", "", "1"},
                    {"EMP_NAME", "VARCHAR2", "", "1", "", ""},
                    {"SALARY", "NUMBER", "", "", "", ""},
                    {"RATE", "NUMBER", "", "", "", ""},
                    {"HIRED", "DATE", "", "2", "", ""},
                    {"NOTE", "LONG", "", "", "", ""},
                    {"DEPT_ID", "NUMBER", "1", "", "", ""}}));
    // Fewer indexes than the widest table: the rows are padded with empty entries.
    const TTableRec& dept = RecordNamed(program.store, DataKind::TableIndex, "DEPT");
    EXPECT_EQ(Utf8(dept.values), (std::vector<std::string>{"SCOTT", "DEPT", "TABLE", "1"}));
    EXPECT_EQ(ColumnRows(dept), (Rows{{"", "", "PK_DEPT", "", "", ""},
                                      {"", "", "NORMAL", "", "", ""},
                                      {"DEPT_ID", "NUMBER", "1", "", "", ""},
                                      {"DEPT_NAME", "VARCHAR2", "", "", "", ""}}));
    const TTableRec& view = RecordNamed(program.store, DataKind::TableIndex, "EMP_VIEW");
    EXPECT_EQ(view.type, "VIEW");
    EXPECT_EQ(Utf8(view.values).at(3), "0");
    EXPECT_EQ(ColumnRows(view).at(2),
              (std::vector<std::string>{"EMP_ID", "NUMBER", "", "", "", ""}));

    std::vector<std::string> item_names;
    for (const TItemDef& item : program.store.Items(DataKind::TableIndex, kItemLevelColumn)) {
      item_names.push_back(item.name);
    }
    EXPECT_EQ(item_names,
              (std::vector<std::string>{"COLUMN NAME", "COLUMN TYPE", "1", "2", "3", "4"}));
  }
}

TEST_F(OracleFetchTest, TheOwnerIsTheUserNameInUpperCase) {
  ProgramSide program(Product::Oracle8);
  ASSERT_TRUE(program.Connect("ORA_FETCH", "Scott", "tiger"));
  EXPECT_EQ(program.connection.OwnerName, "SCOTT");
  ASSERT_TRUE(program.Fetch(DataKind::Index));
  for (const auto& record : program.store.Records(DataKind::Index))
    EXPECT_EQ(record->owner, "SCOTT");
}

TEST_F(OracleFetchTest, ReportsProgressAndStatusAndReplacesOnlyItsOwnDataKind) {
  ProgramSide program(Product::Oracle8);
  ASSERT_TRUE(program.Connect("ORA_FETCH", "scott", "tiger"));
  ASSERT_TRUE(program.Fetch(DataKind::Index));
  ASSERT_TRUE(program.Fetch(DataKind::Table));
  // The count statement counts the view as well: the bar's maximum is 3 for 2 records.
  EXPECT_EQ(program.progress.activity, "データ取得");
  EXPECT_EQ(program.progress.total, 3);
  EXPECT_EQ(program.progress.steps, (std::vector<int>{1, 2}));
  EXPECT_EQ(program.progress.ended, 2);
  EXPECT_EQ(program.status.activity_texts.back(), ToCp932("データ取得"));
  EXPECT_EQ(program.status.busy_depth, 0);

  // A second fetch replaces the records instead of adding to them; index information stays.
  ASSERT_TRUE(program.Fetch(DataKind::Table));
  EXPECT_EQ(program.store.Records(DataKind::Table).size(), 2u);
  EXPECT_EQ(program.store.Records(DataKind::Index).size(), 5u);
  EXPECT_TRUE(program.store.relations.empty());
}

}  // namespace
}  // namespace morvane::db_test
