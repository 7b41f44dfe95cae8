// Failed statements, informational answers and cut values during a fetch.
#include <gtest/gtest.h>

#include "fetch_fixture.h"
#include "model/data_kind.h"
#include "text/codec.h"

namespace morvane::db_test {
namespace {

// 'A' and 150 times "あ": 301 bytes in CP932, so the 254-byte cut ends inside a character.
std::string LongComment() {
  std::string text = "A";
  for (int i = 0; i < 150; ++i) text += "あ";
  return text;
}

const std::string kOracleSchema = R"(
CREATE TABLE DEPT (DEPT_ID NUMBER(4) PRIMARY KEY, DEPT_NAME VARCHAR2(30));
CREATE TABLE EMP (EMP_ID NUMBER(10) PRIMARY KEY, EMP_CODE CHAR(8) UNIQUE, NOTE VARCHAR2(40));
COMMENT ON TABLE EMP IS ')" + LongComment() +
                                  R"(';
)";

const char* kRedBrickSchema = R"(
CREATE TABLE DEPT (DEPT_ID INTEGER NOT NULL, PRIMARY KEY (DEPT_ID));
CREATE TABLE EMP (EMP_ID INTEGER NOT NULL, DEPT_ID INTEGER, PRIMARY KEY (EMP_ID),
  FOREIGN KEY (DEPT_ID) REFERENCES DEPT (DEPT_ID));
)";

const char* kBroadbaseSchema = R"(
CREATE TABLE DEPT (DEPT_ID INTEGER NOT NULL, CONSTRAINT PK_DEPT PRIMARY KEY (DEPT_ID));
)";

// A program connected to `dsn` whose data kind already holds a record from an earlier fetch.
std::unique_ptr<ProgramSide> ConnectedWithOldRecords(Product product, const std::string& dsn,
                                                     DataKind data_kind,
                                                     const EmulatorDatabase& db) {
  auto program = std::make_unique<ProgramSide>(product);
  program->store.AddRecord(data_kind).name = "OLD";
  EXPECT_TRUE(program->Connect(dsn, db.uid(), db.pwd()));
  return program;
}

void ExpectFailedWith(ProgramSide& program, DataKind data_kind, const std::string& message) {
  EXPECT_FALSE(program.Fetch(data_kind));
  EXPECT_TRUE(program.store.Records(data_kind).empty());
  std::vector<std::string> messages = program.TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find(message), std::string::npos) << messages[0];
  EXPECT_EQ(program.progress.runs, program.progress.ended);
  EXPECT_EQ(program.status.busy_depth, 0);
}

// One database per suite: each suite points the driver manager at data sources of its own.
class OracleFaultTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    db_ = new EmulatorDatabase("ORA_FAULTS", "Morvane Oracle", "scott", "tiger", kOracleSchema);
    db_->AddDataSource("ORA_FAIL_COUNT", {{"FailPattern", "^SELECT COUNT"},
                                          {"FailMessage", "ORA-00942: count refused"}});
    db_->AddDataSource("ORA_FAIL_TABLES", {{"FailPattern", "USER_TAB_COMMENTS\\.TABLE_NAME,"},
                                           {"FailMessage", "ORA-01031: catalogue refused"}});
    db_->AddDataSource("ORA_FAIL_UNIQUE", {{"FailPattern", "UNIQUENESS = 'UNIQUE'"},
                                           {"FailMessage", "ORA-01031: unique refused"}});
    db_->AddDataSource("ORA_INFO_TABLES", {{"ExecInfoPattern", "USER_TAB_COMMENTS\\.TABLE_NAME,"},
                                           {"ExecInfoMessage", "statement truncated"}});
    db_->AddDataSource("ORA_INFO_COUNT", {{"ExecInfoPattern", "^SELECT COUNT"},
                                          {"ExecInfoMessage", "count approximate"}});
    db_->AddDataSource("ORA_BREAK_ROWS",
                       {{"FailAfterRows", "3"}, {"FailAfterRowsPattern", "TABLE_NAME,"}});
    db_->AddDataSource("ORA_BREAK_UNIQUE",
                       {{"FailAfterRows", "0"}, {"FailAfterRowsPattern", "UNIQUENESS = 'UNIQUE'"}});
  }
  static void TearDownTestSuite() {
    delete db_;
    db_ = nullptr;
  }
  static EmulatorDatabase* db_;
};
EmulatorDatabase* OracleFaultTest::db_ = nullptr;

class RedBrickFaultTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    db_ = new EmulatorDatabase("RB_FAULTS", "Morvane Red Brick", "sales", "sales", kRedBrickSchema);
    db_->AddDataSource("RB_FAIL_RELATIONS", {{"FailPattern", "RBW_RELATIONSHIPS"},
                                             {"FailMessage", "relations refused"}});
  }
  static void TearDownTestSuite() {
    delete db_;
    db_ = nullptr;
  }
  static EmulatorDatabase* db_;
};
EmulatorDatabase* RedBrickFaultTest::db_ = nullptr;

class BroadbaseFaultTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    db_ =
        new EmulatorDatabase("BB_FAULTS", "Morvane Broadbase", "sales", "sales", kBroadbaseSchema);
    db_->AddDataSource("BB_FAIL_KEYS",
                       {{"FailPattern", "INDEX_TYPE = 1$"}, {"FailMessage", "keys refused"}});
  }
  static void TearDownTestSuite() {
    delete db_;
    db_ = nullptr;
  }
  static EmulatorDatabase* db_;
};
EmulatorDatabase* BroadbaseFaultTest::db_ = nullptr;

TEST_F(OracleFaultTest, AFailedCountStatementStopsBeforeTheCatalogueStatement) {
  auto program = ConnectedWithOldRecords(Product::Oracle8, "ORA_FAIL_COUNT", DataKind::Index, *db_);
  ExpectFailedWith(*program, DataKind::Index, "count refused");
  // The progress bar never started: the catalogue statement was not run.
  EXPECT_EQ(program->progress.runs, 0);
}

TEST_F(OracleFaultTest, AFailedCatalogueStatementLeavesTheDataKindEmpty) {
  auto program =
      ConnectedWithOldRecords(Product::Oracle7, "ORA_FAIL_TABLES", DataKind::Table, *db_);
  program->store.AddRecord(DataKind::Index).name = "OTHER KIND";
  ExpectFailedWith(*program, DataKind::Table, "catalogue refused");
  EXPECT_EQ(program->store.Records(DataKind::Index).size(), 1u);
}

TEST_F(OracleFaultTest, AFailedMarkingPassEmptiesTheRecordsAlreadyRead) {
  auto program =
      ConnectedWithOldRecords(Product::Oracle8, "ORA_FAIL_UNIQUE", DataKind::Table, *db_);
  ExpectFailedWith(*program, DataKind::Table, "unique refused");
}

TEST_F(BroadbaseFaultTest, AFailedMarkingPassEmptiesTheRecordsAlreadyRead) {
  auto program = ConnectedWithOldRecords(Product::Broadbase, "BB_FAIL_KEYS", DataKind::Table, *db_);
  ExpectFailedWith(*program, DataKind::Table, "keys refused");

  auto healthy = ConnectedWithOldRecords(Product::Broadbase, "BB_FAULTS", DataKind::Table, *db_);
  ASSERT_TRUE(healthy->Fetch(DataKind::Table));
  EXPECT_EQ(ColumnRows(RecordNamed(healthy->store, DataKind::Table, "DEPT"))[0].at(5), "○");
}

TEST_F(RedBrickFaultTest, AFailedRelationshipPassEmptiesTheRelations) {
  auto program =
      ConnectedWithOldRecords(Product::RedBrick, "RB_FAIL_RELATIONS", DataKind::Table, *db_);
  program->store.relations.push_back({"OLD", {"RELATION"}});
  ExpectFailedWith(*program, DataKind::Table, "relations refused");
  EXPECT_TRUE(program->store.relations.empty());

  // The same fetch without the fault fills both.
  auto healthy = ConnectedWithOldRecords(Product::RedBrick, "RB_FAULTS", DataKind::Table, *db_);
  ASSERT_TRUE(healthy->Fetch(DataKind::Table));
  EXPECT_EQ(healthy->store.relations, (std::vector<TRelationRec>{{"EMP", {"DEPT"}}}));
}

TEST_F(OracleFaultTest, ASuccessWithInformationFromExecutionIsAFailure) {
  auto tables = ConnectedWithOldRecords(Product::Oracle8, "ORA_INFO_TABLES", DataKind::Table, *db_);
  ExpectFailedWith(*tables, DataKind::Table, "statement truncated");

  auto count =
      ConnectedWithOldRecords(Product::Oracle8, "ORA_INFO_COUNT", DataKind::TableIndex, *db_);
  ExpectFailedWith(*count, DataKind::TableIndex, "count approximate");
}

TEST_F(OracleFaultTest, RowsBrokenOffByAnErrorAreAFailureNotATruncatedList) {
  // The catalogue statement breaks off after three rows; a post-pass statement before its first.
  for (const char* dsn : {"ORA_BREAK_ROWS", "ORA_BREAK_UNIQUE"}) {
    SCOPED_TRACE(dsn);
    auto program = ConnectedWithOldRecords(Product::Oracle8, dsn, DataKind::Table, *db_);
    ExpectFailedWith(*program, DataKind::Table, "connection to the server was lost");
  }
}

TEST_F(OracleFaultTest, ALongValueIsCutOnACharacterBoundaryAndItsRowKept) {
  auto program = ConnectedWithOldRecords(Product::Oracle8, "ORA_FAULTS", DataKind::Table, *db_);
  ASSERT_TRUE(program->Fetch(DataKind::Table));
  EXPECT_TRUE(program->TakeMessages().empty());
  const TTableRec& emp = RecordNamed(program->store, DataKind::Table, "EMP");
  // 1 + 126 * 2 = 253 bytes: the lead byte of the 127th character is not kept.
  std::string comment = "A";
  for (int i = 0; i < 126; ++i) comment += "あ";
  EXPECT_EQ(ToUtf8(emp.values[42]), comment);
  EXPECT_EQ(emp.values[42].size(), 253u);
  EXPECT_EQ(ColumnRows(emp).size(), 3u);
  EXPECT_EQ(ColumnRows(emp)[2].at(1), "NOTE");
}

}  // namespace
}  // namespace morvane::db_test
