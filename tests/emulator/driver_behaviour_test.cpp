// How the driver behaves towards a client: accounts, CP932 text, truncation, diagnostics,
// transactions and the fault options of a data source.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "catalogue_fixture.h"

namespace morvane::emulator::test {
namespace {

constexpr const char* kSchema = R"(
CREATE TABLE NUMS (N NUMBER(3) PRIMARY KEY, LABEL VARCHAR2(300));
INSERT INTO NUMS VALUES (1, 'one');
INSERT INTO NUMS VALUES (2, '二番目の行です');
INSERT INTO NUMS VALUES (3, 'three');
INSERT INTO NUMS VALUES (4, 'four');
INSERT INTO NUMS VALUES (5, 'five');
)";

class DriverBehaviourTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ =
        std::make_unique<FixtureDatabase>("ORA_BASE", "Morvane Oracle", "scott", "tiger", kSchema);
    database_ = db_->sources->dir() + "/ORA_BASE.db";
  }
  // Another data source on the same database, with extra options.
  void AddSource(const std::string& name, std::map<std::string, std::string> options,
                 const std::string& driver = "Morvane Oracle") {
    options["Driver"] = driver;
    options["Database"] = database_;
    options.emplace("UID", "scott");
    options.emplace("PWD", "tiger");
    db_->sources->Add(name, options);
  }
  std::unique_ptr<FixtureDatabase> db_;
  std::string database_;
};

TEST_F(DriverBehaviourTest, WrongPasswordIsRefusedWithTheServersMessage) {
  OdbcClient client;
  EXPECT_EQ(SQL_ERROR, client.Connect("ORA_BASE", "scott", "lion"));
  std::string error = client.ConnectionError();
  EXPECT_EQ(0u, error.find("28000 ")) << error;
  EXPECT_NE(std::string::npos, error.find("ORA-01017: invalid username/password; logon denied"))
      << error;
}

TEST_F(DriverBehaviourTest, UserNameIsCaseInsensitiveAndEmptyCredentialsTakeTheDataSources) {
  OdbcClient upper;
  EXPECT_EQ(SQL_SUCCESS, upper.Connect("ORA_BASE", "SCOTT", "tiger"));
  OdbcClient none;
  EXPECT_EQ(SQL_SUCCESS, none.Connect("ORA_BASE", "", ""));
}

TEST_F(DriverBehaviourTest, RedBrickWordsItsLoginFailureItsOwnWay) {
  AddSource("RB_SAME", {{"UID", "sales"}, {"PWD", "sales"}}, "Morvane Red Brick");
  OdbcClient client;
  EXPECT_EQ(SQL_ERROR, client.Connect("RB_SAME", "sales", "wrong"));
  EXPECT_NE(std::string::npos, client.ConnectionError().find("Invalid user name or password"));
}

TEST_F(DriverBehaviourTest, MissingDatabaseFailsUnlessCreationIsAsked) {
  db_->sources->Add("GONE",
                    {{"Driver", "Morvane Oracle"}, {"Database", db_->sources->dir() + "/none.db"}});
  OdbcClient client;
  EXPECT_EQ(SQL_ERROR, client.Connect("GONE", "", ""));
  EXPECT_NE(std::string::npos, client.ConnectionError().find("ORA-12154"));
}

TEST_F(DriverBehaviourTest, ALostCatalogueFileIsBuiltAgain) {
  std::remove((database_ + ".catalogue").c_str());
  OdbcClient client;
  ASSERT_EQ(SQL_SUCCESS, client.Connect("ORA_BASE", "scott", "tiger")) << client.ConnectionError();
  ExpectRows({Row({"NUMS", "N"})},
             client.Rows("SELECT TABLE_NAME, COLUMN_NAME FROM USER_CONS_COLUMNS"));
}

TEST_F(DriverBehaviourTest, LongValuesAreCutWithWarning01004AndTheFullLength) {
  QueryResult r = db_->client->Query("SELECT LABEL FROM NUMS WHERE N = 2", 10);
  ASSERT_EQ(SQL_SUCCESS, r.exec_rc);
  ASSERT_EQ(1u, r.rows.size());
  EXPECT_EQ(std::vector<std::string>{"01004"}, r.fetch_sqlstates);
  EXPECT_EQ(14, r.last_indicators[0]);  // seven double-byte characters in CP932
  // Nine bytes fit: four characters and the first byte of the fifth, as a byte-oriented
  // driver cuts them.
  EXPECT_EQ(ToCp932("二番目の行").substr(0, 9), *r.raw_rows[0][0]);
}

TEST_F(DriverBehaviourTest, TextTravelsAsCp932) {
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  SQLAllocStmt(db_->client->dbc(), &stmt);
  std::string sql = ToCp932("SELECT DECODE(N, 1, '○', NULL) FROM NUMS WHERE N = 1");
  ASSERT_EQ(SQL_SUCCESS, SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(sql.data()), SQL_NTS));
  ASSERT_EQ(SQL_SUCCESS, SQLFetch(stmt));
  char value[8] = {0};
  SQLLEN length = 0;
  ASSERT_EQ(SQL_SUCCESS, SQLGetData(stmt, 1, SQL_C_CHAR, value, sizeof value, &length));
  EXPECT_EQ(2, length);
  EXPECT_EQ(0, std::memcmp(value, "\x81\x9B", 3));
  SQLFreeStmt(stmt, SQL_DROP);
}

TEST_F(DriverBehaviourTest, GetDataHandsOutALongValueInPieces) {
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  SQLAllocStmt(db_->client->dbc(), &stmt);
  std::string sql = "SELECT LABEL, N FROM NUMS WHERE N = 3";
  ASSERT_EQ(SQL_SUCCESS, SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(sql.data()), SQL_NTS));
  ASSERT_EQ(SQL_SUCCESS, SQLFetch(stmt));
  char piece[4];
  SQLLEN length = 0;
  EXPECT_EQ(SQL_SUCCESS_WITH_INFO, SQLGetData(stmt, 1, SQL_C_CHAR, piece, sizeof piece, &length));
  EXPECT_STREQ("thr", piece);
  EXPECT_EQ(5, length);
  EXPECT_EQ(SQL_SUCCESS, SQLGetData(stmt, 1, SQL_C_CHAR, piece, sizeof piece, &length));
  EXPECT_STREQ("ee", piece);
  EXPECT_EQ(SQL_NO_DATA, SQLGetData(stmt, 1, SQL_C_CHAR, piece, sizeof piece, &length));
  SQLINTEGER number = 0;
  EXPECT_EQ(SQL_SUCCESS, SQLGetData(stmt, 2, SQL_C_SLONG, &number, 0, &length));
  EXPECT_EQ(3, number);
  SQLFreeStmt(stmt, SQL_DROP);
}

TEST_F(DriverBehaviourTest, ANumberTooLargeForAnIntegerTargetIsRefusedWith22003) {
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  SQLAllocStmt(db_->client->dbc(), &stmt);
  std::string sql = "SELECT N * 10000000000, N FROM NUMS WHERE N = 3";
  ASSERT_EQ(SQL_SUCCESS, SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(sql.data()), SQL_NTS));
  ASSERT_EQ(SQL_SUCCESS, SQLFetch(stmt));
  SQLINTEGER number = 0;
  SQLLEN length = 0;
  EXPECT_EQ(SQL_ERROR, SQLGetData(stmt, 1, SQL_C_SLONG, &number, 0, &length));
  SQLCHAR state[6] = {};
  SQLINTEGER native = 0;
  SQLCHAR message[256] = {};
  SQLSMALLINT message_length = 0;
  ASSERT_EQ(SQL_SUCCESS, SQLGetDiagRec(SQL_HANDLE_STMT, stmt, 1, state, &native, message,
                                       sizeof message, &message_length));
  EXPECT_STREQ("22003", reinterpret_cast<const char*>(state));
  SQLSMALLINT small = 0;
  EXPECT_EQ(SQL_SUCCESS, SQLGetData(stmt, 2, SQL_C_SSHORT, &small, 0, &length));
  EXPECT_EQ(3, small);
  SQLFreeStmt(stmt, SQL_DROP);
}

TEST_F(DriverBehaviourTest, ErrorsCarryVendorCodesAndSqlStates) {
  QueryResult missing = db_->client->Query("SELECT * FROM NO_SUCH_TABLE");
  EXPECT_EQ(SQL_ERROR, missing.exec_rc);
  EXPECT_NE(std::string::npos, missing.error.find("ORA-00942: table or view does not exist"))
      << missing.error;
  QueryResult duplicate = db_->client->Query("INSERT INTO NUMS VALUES (1, 'again')");
  EXPECT_EQ(SQL_ERROR, duplicate.exec_rc);
  EXPECT_NE(std::string::npos, duplicate.error.find("ORA-00001")) << duplicate.error;
  EXPECT_EQ("23000", duplicate.sqlstate);
  // The Broadbase catalogue does not exist behind an Oracle data source.
  QueryResult wrong_product = db_->client->Query("SELECT COUNT(*) FROM SYSTEM.TABLES");
  EXPECT_EQ(SQL_ERROR, wrong_product.exec_rc);
  QueryResult or_join =
      db_->client->Query("SELECT A.N FROM NUMS A, NUMS B WHERE A.N = B.N (+) OR A.N = 1");
  EXPECT_EQ(SQL_ERROR, or_join.exec_rc);
  EXPECT_NE(std::string::npos, or_join.error.find("(+)")) << or_join.error;
}

TEST_F(DriverBehaviourTest, OuterJoinMarkKeepsUnmatchedRows) {
  ASSERT_TRUE(db_->client->Script(
      "CREATE TABLE TAGS (N NUMBER(3), TAG VARCHAR2(10)); "
      "INSERT INTO TAGS VALUES (2, 'even'); INSERT INTO TAGS VALUES (4, 'even')"));
  ExpectRows(
      {Row({"1", nullptr}), Row({"2", "even"}), Row({"3", nullptr}), Row({"4", "even"}),
       Row({"5", nullptr})},
      db_->client->Rows(
          "SELECT NUMS.N, TAGS.TAG FROM NUMS, TAGS WHERE NUMS.N = TAGS.N (+) ORDER BY NUMS.N"));
}

TEST_F(DriverBehaviourTest, ManualCommitModeRollsBack) {
  OdbcClient client;
  ASSERT_EQ(SQL_SUCCESS, client.Connect("ORA_BASE", "scott", "tiger"));
  SQLSetConnectAttr(client.dbc(), SQL_ATTR_AUTOCOMMIT,
                    reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0);
  ASSERT_EQ(SQL_SUCCESS, client.Query("DELETE FROM NUMS").exec_rc);
  ExpectRows({Row({"0"})}, client.Rows("SELECT COUNT(*) FROM NUMS"));
  SQLEndTran(SQL_HANDLE_DBC, client.dbc(), SQL_ROLLBACK);
  ExpectRows({Row({"5"})}, client.Rows("SELECT COUNT(*) FROM NUMS"));
}

TEST_F(DriverBehaviourTest, FailPatternRejectsMatchingStatementsOnly) {
  AddSource("ORA_FAIL", {{"FailPattern", "FROM +USER_INDEXES"},
                         {"FailMessage", "ORA-01031: insufficient privileges"}});
  OdbcClient client;
  ASSERT_EQ(SQL_SUCCESS, client.Connect("ORA_FAIL", "scott", "tiger"));
  QueryResult failed = client.Query("SELECT COUNT(*) FROM  USER_INDEXES");
  EXPECT_EQ(SQL_ERROR, failed.exec_rc);
  EXPECT_NE(std::string::npos, failed.error.find("ORA-01031: insufficient privileges"))
      << failed.error;
  EXPECT_EQ(SQL_SUCCESS, client.Query("SELECT COUNT(*) FROM USER_TABLES").exec_rc);
}

TEST_F(DriverBehaviourTest, FailAfterRowsEndsTheResultWithAnError) {
  AddSource("ORA_CUT", {{"FailAfterRows", "3"}, {"FailAfterRowsPattern", "NUMS"}});
  OdbcClient client;
  ASSERT_EQ(SQL_SUCCESS, client.Connect("ORA_CUT", "scott", "tiger"));
  QueryResult cut = client.Query("SELECT N FROM NUMS ORDER BY N");
  EXPECT_EQ(SQL_SUCCESS, cut.exec_rc);
  EXPECT_EQ(3u, cut.rows.size());
  EXPECT_EQ(SQL_ERROR, cut.end_rc);
  EXPECT_EQ("08S01", cut.sqlstate);
  QueryResult other = client.Query("SELECT COLUMN_NAME FROM USER_TAB_COLUMNS");
  EXPECT_EQ(SQL_NO_DATA, other.end_rc);
  EXPECT_EQ(2u, other.rows.size());
}

TEST_F(DriverBehaviourTest, InformationalAnswersForConnectAndExecute) {
  AddSource("ORA_INFO", {{"ConnectInfo", "password will expire in 3 days"},
                         {"ExecInfoPattern", "^SELECT COUNT"},
                         {"ExecInfoMessage", "statistics are stale"}});
  OdbcClient client;
  EXPECT_EQ(SQL_SUCCESS_WITH_INFO, client.Connect("ORA_INFO", "scott", "tiger"));
  EXPECT_NE(std::string::npos, client.ConnectionError().find("password will expire in 3 days"));
  QueryResult info = client.Query("SELECT COUNT(*) FROM NUMS");
  EXPECT_EQ(SQL_SUCCESS_WITH_INFO, info.exec_rc);
  EXPECT_NE(std::string::npos, info.error.find("statistics are stale"));
  ExpectRows({Row({"5"})}, info.rows);
  EXPECT_EQ(SQL_SUCCESS, client.Query("SELECT N FROM NUMS").exec_rc);
}

TEST_F(DriverBehaviourTest, ConnectionStringsTakeTheSameKeys) {
  OdbcClient client;
  std::string text = "DRIVER={Morvane Oracle};Database=" + database_ +
                     ";UID=scott;PWD=tiger;FailPattern={DELETE|UPDATE};FailMessage=read only";
  ASSERT_TRUE(SQL_SUCCEEDED(client.DriverConnect(text))) << client.ConnectionError();
  EXPECT_EQ(SQL_ERROR, client.Query("DELETE FROM NUMS").exec_rc);
  ExpectRows({Row({"5"})}, client.Rows("SELECT COUNT(*) FROM NUMS"));
  OdbcClient by_dsn;
  EXPECT_EQ(SQL_ERROR, by_dsn.DriverConnect("DSN=ORA_BASE;UID=scott;PWD=bad"));
}

}  // namespace
}  // namespace morvane::emulator::test
