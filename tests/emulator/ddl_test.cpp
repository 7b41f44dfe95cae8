// Schema changes sent through the driver and what the vendor catalogues then show.
#include <gtest/gtest.h>

#include <latch>
#include <thread>

#include "catalogue_fixture.h"

namespace morvane::emulator::test {
namespace {

constexpr const char* kBase = R"(
CREATE TABLE PARENT (ID NUMBER(5) NOT NULL, CODE VARCHAR2(10));
CREATE TABLE CHILD (ID NUMBER(5) NOT NULL, PARENT_ID NUMBER(5), NOTE VARCHAR2(20) DEFAULT 'none');
INSERT INTO PARENT VALUES (1, 'A');
INSERT INTO PARENT VALUES (2, 'B');
INSERT INTO PARENT VALUES (3, NULL);
)";

class DdlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = std::make_unique<FixtureDatabase>("ORA_DDL", "Morvane Oracle", "scott", "tiger", kBase);
  }
  bool Script(const std::string& sql, std::string* error = nullptr) {
    return db_->client->Script(sql, error);
  }
  std::vector<ResultRow> Rows(const std::string& sql) { return db_->client->Rows(sql); }
  std::unique_ptr<FixtureDatabase> db_;
};

TEST_F(DdlTest, AlterTableAddsKeysThatTheCatalogueShows) {
  ASSERT_TRUE(
      Script("ALTER TABLE PARENT ADD CONSTRAINT PK_PARENT PRIMARY KEY (ID);"
             "ALTER TABLE CHILD ADD (CONSTRAINT FK_CHILD_PARENT FOREIGN KEY (PARENT_ID) REFERENCES "
             "PARENT);"
             "ALTER TABLE CHILD ADD CREATED DATE"));
  ExpectRows({Row({"FK_CHILD_PARENT", "R", "CHILD", "PK_PARENT"}),
              Row({"PK_PARENT", "P", "PARENT", nullptr})},
             Rows("SELECT CONSTRAINT_NAME, CONSTRAINT_TYPE, TABLE_NAME, R_CONSTRAINT_NAME "
                  "FROM USER_CONSTRAINTS ORDER BY CONSTRAINT_NAME"));
  // The primary key makes its column NOT NULL and is enforced by a unique index.
  ExpectRows({Row({"PK_PARENT", "UNIQUE"})},
             Rows("SELECT INDEX_NAME, UNIQUENESS FROM USER_INDEXES"));
  ExpectRows({Row({"4", "CREATED", "DATE"})},
             Rows("SELECT COLUMN_ID, COLUMN_NAME, DATA_TYPE FROM USER_TAB_COLUMNS "
                  "WHERE TABLE_NAME = 'CHILD' AND COLUMN_ID = 4"));
  QueryResult duplicate = db_->client->Query("INSERT INTO PARENT VALUES (1, 'again')");
  EXPECT_EQ(SQL_ERROR, duplicate.exec_rc);
}

TEST_F(DdlTest, ConnectionsThatFindTheCatalogueStaleAtOnceAllGetTheirRows) {
  ASSERT_TRUE(Script("CREATE TABLE EXTRA (A NUMBER(3))"));
  constexpr int kClients = 4;
  std::vector<QueryResult> results(kClients);
  std::latch start(kClients);
  std::vector<std::thread> threads;
  for (int i = 0; i < kClients; ++i) {
    threads.emplace_back([&results, &start, i] {
      OdbcClient client;
      bool connected = client.Connect("ORA_DDL", "scott", "tiger") == SQL_SUCCESS;
      start.arrive_and_wait();
      if (!connected) return;
      results[i] = client.Query("SELECT TABLE_NAME FROM USER_TABLES ORDER BY TABLE_NAME");
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (const QueryResult& result : results) {
    EXPECT_EQ(SQL_SUCCESS, result.exec_rc) << result.error;
    ExpectRows({Row({"CHILD"}), Row({"EXTRA"}), Row({"PARENT"})}, result.rows);
  }
}

TEST_F(DdlTest, ReferencedTablesNeedCascadeToBeDropped) {
  ASSERT_TRUE(
      Script("ALTER TABLE PARENT ADD PRIMARY KEY (ID);"
             "ALTER TABLE CHILD ADD FOREIGN KEY (PARENT_ID) REFERENCES PARENT (ID)"));
  std::string error;
  EXPECT_FALSE(Script("DROP TABLE PARENT", &error));
  EXPECT_NE(std::string::npos, error.find("referenced by foreign keys")) << error;
  ASSERT_TRUE(Script("DROP TABLE PARENT CASCADE CONSTRAINTS", &error)) << error;
  ExpectRows({Row({"0"})}, Rows("SELECT COUNT(*) FROM USER_CONSTRAINTS"));
  ExpectRows({Row({"CHILD"})}, Rows("SELECT TABLE_NAME FROM USER_TABLES"));
}

TEST_F(DdlTest, IndexesEnforcingKeysCannotBeDroppedOthersCan) {
  ASSERT_TRUE(
      Script("ALTER TABLE PARENT ADD CONSTRAINT PK_PARENT PRIMARY KEY (ID);"
             "CREATE UNIQUE INDEX UX_PARENT_CODE ON PARENT (CODE)"));
  std::string error;
  EXPECT_FALSE(Script("DROP INDEX PK_PARENT", &error));
  EXPECT_NE(std::string::npos, error.find("enforcement")) << error;
  ASSERT_TRUE(Script("DROP INDEX UX_PARENT_CODE", &error)) << error;
  ExpectRows({Row({"PK_PARENT"})}, Rows("SELECT INDEX_NAME FROM USER_INDEXES"));
  EXPECT_TRUE(Script("INSERT INTO PARENT VALUES (4, 'A')"));  // the unique index is gone
}

TEST_F(DdlTest, CommentsCanBeReplacedAndRemoved) {
  ASSERT_TRUE(
      Script("COMMENT ON TABLE PARENT IS '親';COMMENT ON TABLE PARENT IS '親テーブル';"
             "COMMENT ON COLUMN CHILD.NOTE IS '備考';COMMENT ON COLUMN CHILD.NOTE IS ''"));
  ExpectRows({Row({"CHILD", nullptr}), Row({"PARENT", "親テーブル"})},
             Rows("SELECT TABLE_NAME, COMMENTS FROM USER_TAB_COMMENTS ORDER BY TABLE_NAME"));
  ExpectRows({Row({nullptr})},
             Rows("SELECT COMMENTS FROM USER_COL_COMMENTS WHERE COLUMN_NAME = 'NOTE'"));
}

TEST_F(DdlTest, ViewsCanBeReplacedButNotOverATable) {
  ASSERT_TRUE(
      Script("CREATE VIEW V_PARENT AS SELECT ID FROM PARENT;"
             "CREATE OR REPLACE VIEW V_PARENT AS SELECT ID, code AS parent_code FROM PARENT"));
  ExpectRows(
      {Row({"ID", "NUMBER"}), Row({"PARENT_CODE", "VARCHAR2"})},
      Rows("SELECT COLUMN_NAME, DATA_TYPE FROM USER_TAB_COLUMNS WHERE TABLE_NAME = 'V_PARENT' "
           "ORDER BY COLUMN_ID"));
  ExpectRows({Row({"A"})}, Rows("SELECT PARENT_CODE FROM V_PARENT WHERE ID = 1"));
  EXPECT_FALSE(Script("CREATE OR REPLACE VIEW PARENT AS SELECT 1 X FROM DUAL"));
  EXPECT_FALSE(Script("CREATE TABLE CHILD (X NUMBER)"));
}

TEST_F(DdlTest, AnalyzeFillsTheStatisticsColumns) {
  ExpectRows({Row({nullptr, nullptr})},
             Rows("SELECT TO_CHAR(NUM_ROWS), TO_CHAR(LAST_ANALYZED, 'YYYY-MM-DD HH24:MI:SS') "
                  "FROM USER_TABLES WHERE TABLE_NAME = 'PARENT'"));
  ASSERT_TRUE(Script("ANALYZE TABLE PARENT COMPUTE STATISTICS"));
  ExpectRows({Row({"3", "2001-04-01 09:30:00", "3"})},
             Rows("SELECT TO_CHAR(NUM_ROWS), TO_CHAR(LAST_ANALYZED, 'YYYY-MM-DD HH24:MI:SS'), "
                  "TO_CHAR(SAMPLE_SIZE) FROM USER_TABLES WHERE TABLE_NAME = 'PARENT'"));
  ExpectRows({Row({"CODE", "2", "1", ".5"}), Row({"ID", "3", "0", ".333333333333333"})},
             Rows("SELECT COLUMN_NAME, TO_CHAR(NUM_DISTINCT), TO_CHAR(NUM_NULLS), TO_CHAR(DENSITY) "
                  "FROM USER_TAB_COLUMNS WHERE TABLE_NAME = 'PARENT' ORDER BY COLUMN_NAME"));
  ASSERT_TRUE(Script("ANALYZE TABLE PARENT DELETE STATISTICS"));
  ExpectRows({Row({nullptr})},
             Rows("SELECT NUM_ROWS FROM USER_TABLES WHERE TABLE_NAME = 'PARENT'"));
}

TEST_F(DdlTest, UnknownTypesAndColumnsAreRefused) {
  std::string error;
  EXPECT_FALSE(Script("CREATE TABLE BAD (X WIBBLE(3))", &error));
  EXPECT_NE(std::string::npos, error.find("invalid datatype WIBBLE")) << error;
  EXPECT_FALSE(Script("CREATE INDEX IX_BAD ON PARENT (NO_SUCH)", &error));
  EXPECT_NE(std::string::npos, error.find("ORA-00904")) << error;
  ExpectRows({Row({"2"})}, Rows("SELECT COUNT(*) FROM USER_TABLES"));
}

}  // namespace
}  // namespace morvane::emulator::test
