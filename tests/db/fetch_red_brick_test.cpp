// Fetching the catalogue of Red Brick through the emulator.
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
  PRIMARY KEY (DEPT_ID)
);
CREATE TABLE SHOP (
  SHOP_ID SMALLINT NOT NULL,
  REGION CHAR(2) NOT NULL,
  PRIMARY KEY (SHOP_ID, REGION)
);
CREATE TABLE EMP (
  EMP_ID INTEGER NOT NULL,
  EMP_CODE CHAR(8) NOT NULL UNIQUE,
  SALARY DECIMAL(10,2),
  HIRED DATE,
  UPDATED TIMESTAMP(3),
  DEPT_ID INTEGER,
  SHOP_ID SMALLINT,
  REGION CHAR(2),
  PRIMARY KEY (EMP_ID),
  FOREIGN KEY (DEPT_ID) REFERENCES DEPT (DEPT_ID),
  FOREIGN KEY (SHOP_ID, REGION) REFERENCES SHOP (SHOP_ID, REGION)
);
CREATE TABLE VISIT (
  VISIT_ID INTEGER NOT NULL,
  SHOP_ID SMALLINT,
  REGION CHAR(2),
  PRIMARY KEY (VISIT_ID),
  FOREIGN KEY (SHOP_ID, REGION) REFERENCES SHOP (SHOP_ID, REGION)
);
CREATE STAR INDEX EMP_STAR ON EMP (DEPT_ID);
COMMENT ON TABLE EMP IS '社員';
)";

class RedBrickFetchTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    database_ = new EmulatorDatabase("RB_FETCH", "Morvane Red Brick", "sales", "sales", kSchema);
  }
  static void TearDownTestSuite() {
    delete database_;
    database_ = nullptr;
  }

  static EmulatorDatabase* database_;
};
EmulatorDatabase* RedBrickFetchTest::database_ = nullptr;

// Entries 0 to 12 of each column row: sequence, name, type, length, precision, scale, the
// length or precision and scale the sizes use, size, NOT NULL, unique and primary-key marks and
// the key position.
Rows LeadingEntries(const TTableRec& record) {
  Rows rows;
  for (auto row : ColumnRows(record)) {
    row.resize(13);
    rows.push_back(row);
  }
  return rows;
}

TEST_F(RedBrickFetchTest, TableInformationWithSizesMarksAndRelations) {
  ProgramSide program(Product::RedBrick);
  program.store.relations.push_back({"STALE", {"OLD"}});
  ASSERT_TRUE(program.Connect("RB_FETCH", "sales", "sales"));
  ASSERT_TRUE(program.Fetch(DataKind::Table));
  EXPECT_TRUE(program.TakeMessages().empty());

  // Ordered by creator, type and name: the user's tables, then the system tables.
  EXPECT_EQ(
      RecordNames(program.store, DataKind::Table),
      (std::vector<std::string>{"DEPT", "EMP", "SHOP", "VISIT", "RBW_COLUMNS", "RBW_INDEXCOLUMNS",
                                "RBW_INDEXES", "RBW_RELATIONSHIPS", "RBW_TABLES"}));
  const TTableRec& dept = RecordNamed(program.store, DataKind::Table, "DEPT");
  EXPECT_EQ(dept.owner, "SALES");
  // The total size is the sum of the catalogue lengths, 4 + 30.
  EXPECT_EQ(Utf8(dept.values), (std::vector<std::string>{"SALES", "DEPT", "TABLE", "34", "0",
                                                         "30001", "2001-04-01 09:30:00", "1",
                                                         "100000", "8000000", "", "Y", "N", ""}));
  EXPECT_EQ(ColumnRows(dept), (Rows{{"1", "DEPT_ID", "INTEGER", "", "", "", "", "", "4", "○", "",
                                     "○", "1", "30001", "", "0", "", "DATA"},
                                    {"2", "DEPT_NAME", "VARCHAR", "30", "", "", "30", "", "30", "○",
                                     "", "", "", "30001", "", "0", "", "DATA"}}));

  const TTableRec& emp = RecordNamed(program.store, DataKind::Table, "EMP");
  EXPECT_EQ(Utf8(emp.values).at(3), "36");
  EXPECT_EQ(Utf8(emp.values).at(13), "社員");
  EXPECT_EQ(LeadingEntries(emp),
            (Rows{{"1", "EMP_ID", "INTEGER", "", "", "", "", "", "4", "○", "", "○", "1"},
                  {"2", "EMP_CODE", "CHAR", "8", "", "", "8", "", "8", "○", "○", "", ""},
                  {"3", "SALARY", "DECIMAL", "", "10", "2", "10", "2", "5", "", "", "", ""},
                  {"4", "HIRED", "DATE", "", "", "", "", "", "3", "", "", "", ""},
                  {"5", "UPDATED", "TIMESTAMP", "", "3", "", "", "3", "8", "", "", "", ""},
                  {"6", "DEPT_ID", "INTEGER", "", "", "", "", "", "4", "", "", "", ""},
                  {"7", "SHOP_ID", "SMALLINT", "", "", "", "", "", "2", "", "", "", ""},
                  {"8", "REGION", "CHAR", "2", "", "", "2", "", "2", "", "", "", ""}}));
  // A composite key numbers its columns.
  const TTableRec& shop = RecordNamed(program.store, DataKind::Table, "SHOP");
  EXPECT_EQ(ColumnRows(shop).at(1).at(11), "○");
  EXPECT_EQ(ColumnRows(shop).at(1).at(12), "2");

  // The relation list is rebuilt: one relation per table holding foreign keys.
  EXPECT_EQ(program.store.relations,
            (std::vector<TRelationRec>{{"EMP", {"DEPT", "SHOP"}}, {"VISIT", {"SHOP"}}}));
}

TEST_F(RedBrickFetchTest, IndexInformationLeavesTheRelationsAlone) {
  ProgramSide program(Product::RedBrick);
  program.store.relations.push_back({"KEPT", {"AS IS"}});
  ASSERT_TRUE(program.Connect("RB_FETCH", "sales", "sales"));
  ASSERT_TRUE(program.Fetch(DataKind::Index));
  EXPECT_EQ(RecordNames(program.store, DataKind::Index),
            (std::vector<std::string>{"DEPT_PK", "EMP_PK", "EMP_UK1", "SHOP_PK", "VISIT_PK",
                                      "EMP_STAR"}));
  const TTableRec& star = RecordNamed(program.store, DataKind::Index, "EMP_STAR");
  EXPECT_EQ(Utf8(star.values),
            (std::vector<std::string>{"SALES", "EMP_STAR", "STAR", "EMP", "DEPT_ID",
                                      "2001-04-01 09:30:00", "100", "Y", "N", "ONLINE", ""}));
  EXPECT_EQ(ColumnRows(star), (Rows{{"1", "DEPT_ID", "EMP_FK1"}}));
  EXPECT_EQ(ColumnRows(RecordNamed(program.store, DataKind::Index, "SHOP_PK")),
            (Rows{{"1", "SHOP_ID", ""}, {"2", "REGION", ""}}));
  EXPECT_EQ(program.store.relations, (std::vector<TRelationRec>{{"KEPT", {"AS IS"}}}));
}

TEST_F(RedBrickFetchTest, TableIndexInformation) {
  ProgramSide program(Product::RedBrick);
  ASSERT_TRUE(program.Connect("RB_FETCH", "sales", "sales"));
  ASSERT_TRUE(program.Fetch(DataKind::TableIndex));
  const TTableRec& emp = RecordNamed(program.store, DataKind::TableIndex, "EMP");
  EXPECT_EQ(Utf8(emp.values), (std::vector<std::string>{"SALES", "EMP", "TABLE", "3"}));
  EXPECT_EQ(ColumnRows(emp), (Rows{{"", "", "EMP_PK", "EMP_STAR", "EMP_UK1"},
                                   {"", "", "BTREE", "STAR", "BTREE"},
                                   {"EMP_ID", "INTEGER", "1", "", ""},
                                   {"EMP_CODE", "CHAR", "", "", "1"},
                                   {"SALARY", "DECIMAL", "", "", ""},
                                   {"HIRED", "DATE", "", "", ""},
                                   {"UPDATED", "TIMESTAMP", "", "", ""},
                                   {"DEPT_ID", "INTEGER", "", "1", ""},
                                   {"SHOP_ID", "SMALLINT", "", "", ""},
                                   {"REGION", "CHAR", "", "", ""}}));
  EXPECT_EQ(ColumnRows(RecordNamed(program.store, DataKind::TableIndex, "SHOP")),
            (Rows{{"", "", "SHOP_PK", "", ""},
                  {"", "", "BTREE", "", ""},
                  {"SHOP_ID", "SMALLINT", "1", "", ""},
                  {"REGION", "CHAR", "2", "", ""}}));
  const TTableRec& system = RecordNamed(program.store, DataKind::TableIndex, "RBW_TABLES");
  EXPECT_EQ(system.type, "SYSTEM TABLE");
  EXPECT_EQ(Utf8(system.values).at(3), "0");
  EXPECT_EQ(program.store.Items(DataKind::TableIndex, kItemLevelColumn).size(), 5u);
}

}  // namespace
}  // namespace morvane::db_test
