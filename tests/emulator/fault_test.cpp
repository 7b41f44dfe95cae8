// Faults found by probing the driver through the driver manager: statements and data-source
// options that used to exhaust memory, crash or hang the client, break a database for good, or
// be accepted where the servers refuse them.
#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "catalogue_fixture.h"
#include "catalogue_statements.h"

namespace morvane::emulator::test {
namespace {

constexpr const char* kSchema = R"(
CREATE TABLE NUMS (N NUMBER(3) PRIMARY KEY, LABEL VARCHAR2(30));
INSERT INTO NUMS VALUES (1, 'one');
INSERT INTO NUMS VALUES (2, 'two');
)";

class FaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A name of its own per test: the driver manager caches data-source entries by name.
    static int tests = 0;
    dsn_ = "ORA_FAULT" + std::to_string(++tests);
    db_ = std::make_unique<FixtureDatabase>(dsn_, "Morvane Oracle", "scott", "tiger", kSchema);
    database_ = db_->sources->dir() + "/" + dsn_ + ".db";
  }
  void AddSource(const std::string& name, std::map<std::string, std::string> options) {
    options.emplace("Driver", "Morvane Oracle");
    options["Database"] = database_;
    options["UID"] = "scott";
    options["PWD"] = "tiger";
    db_->sources->Add(name, options);
  }
  bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }
  std::unique_ptr<FixtureDatabase> db_;
  std::string dsn_;
  std::string database_;
};

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

TEST_F(FaultTest, DeepNestingIsRefusedAsTooComplexAndShallowNestingRuns) {
  struct Case {
    std::string expression;
    bool runs;
  };
  const Case cases[] = {
      {Repeat("(", 10000) + "1" + Repeat(")", 10000), false},
      {Repeat("DECODE(1, 1, ", 10000) + "1" + Repeat(")", 10000), false},
      {Repeat("(", 256) + "1" + Repeat(")", 256), false},
      {Repeat("(", 20) + "1" + Repeat(")", 20), true},
      {Repeat("DECODE(1, 1, ", 10) + "1" + Repeat(")", 10), true},
  };
  for (const Case& c : cases) {
    QueryResult result = db_->client->Query("SELECT " + c.expression + " FROM DUAL");
    if (c.runs) {
      EXPECT_EQ(SQL_SUCCESS, result.exec_rc) << result.error;
      ExpectRows({Row({"1"})}, result.rows);
    } else {
      EXPECT_EQ(SQL_ERROR, result.exec_rc);
      EXPECT_EQ("54001", result.sqlstate) << result.error;
    }
  }
  // Outer joins deep inside a statement are still rewritten.
  ExpectRows({Row({"1", "1"}), Row({"2", nullptr})},
             db_->client->Rows("SELECT A.N, B.N FROM ((SELECT N FROM NUMS)) A, (SELECT N FROM "
                               "NUMS WHERE N = 1) B WHERE A.N = B.N (+) ORDER BY A.N"));
}

TEST_F(FaultTest, FaultPatternsNeitherOverflowNorHang) {
  AddSource("ORA_LONG", {{"FailPattern", ".*ZZZ"}, {"FailMessage", "refused"}});
  AddSource("ORA_NESTED", {{"FailPattern", "(a+)+c$"}, {"FailMessage", "refused"}});
  OdbcClient long_statements;
  ASSERT_EQ(SQL_SUCCESS, long_statements.Connect("ORA_LONG", "scott", "tiger"))
      << long_statements.ConnectionError();
  std::string padding = "'" + std::string(100000, 'x') + "'";
  EXPECT_EQ(SQL_SUCCESS, long_statements.Query("SELECT LENGTH(" + padding + ") FROM DUAL").exec_rc);
  QueryResult refused = long_statements.Query("SELECT " + padding + " ZZZ FROM DUAL");
  EXPECT_EQ(SQL_ERROR, refused.exec_rc);
  EXPECT_TRUE(Contains(refused.error, "refused")) << refused.error;

  OdbcClient nested;
  ASSERT_EQ(SQL_SUCCESS, nested.Connect("ORA_NESTED", "scott", "tiger"));
  std::string as = std::string(5000, 'a');
  EXPECT_EQ(SQL_SUCCESS, nested.Query("SELECT '" + as + "b' FROM DUAL").exec_rc);
  EXPECT_EQ(SQL_ERROR, nested.Query("SELECT 1 FROM DUAL -- " + as + "c").exec_rc);
}

TEST_F(FaultTest, InvalidOptionsAreRefusedAtConnectAndLeaveTheDatabaseSound) {
  struct Case {
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"FailPattern", "(unclosed"},
      {"ExecInfoPattern", "[z-a]"},
      {"FailAfterRowsPattern", "*NUMS"},
      {"FixedClock", "2001-13-01 00:00:00"},
      {"FixedClock", "2001-02-29 00:00:00"},
      {"FixedClock", "yesterday"},
      {"FailAfterRows", "three"},
      {"FailAfterRows", "-1"},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + "=" + c.value);
    std::string dsn = "ORA_BAD" + std::to_string(++n);
    AddSource(dsn, {{c.key, c.value}});
    OdbcClient client;
    EXPECT_EQ(SQL_ERROR, client.Connect(dsn, "scott", "tiger"));
    std::string error = client.ConnectionError();
    EXPECT_TRUE(Contains(error, std::string(c.key) + " ")) << error;
    EXPECT_TRUE(Contains(error, c.value)) << error;
  }
  // DDL and the catalogue still work for everyone else.
  EXPECT_TRUE(db_->client->Script("CREATE TABLE LATER (X NUMBER(1));"));
  ExpectRows({Row({"LATER"}), Row({"NUMS"})},
             db_->client->Rows("SELECT TABLE_NAME FROM USER_TABLES ORDER BY TABLE_NAME"));
}

TEST_F(FaultTest, WritesToTheCatalogueAreRefusedWithThePrivilegeError) {
  struct Case {
    std::string dsn;
    const char* driver;
    std::string statement;
    const char* message;
  };
  db_->sources->Add("RB_CAT", {{"Driver", "Morvane Red Brick"},
                               {"Database", db_->sources->dir() + "/rb.db"},
                               {"Create", "Yes"}});
  db_->sources->Add("BB_CAT", {{"Driver", "Morvane Broadbase"},
                               {"Database", db_->sources->dir() + "/bb.db"},
                               {"Create", "Yes"}});
  const Case cases[] = {
      {dsn_, "Oracle", "DELETE FROM USER_TABLES", "ORA-01031: insufficient privileges"},
      {dsn_, "Oracle", "DELETE FROM SYS.USER_TABLES", "ORA-01031"},
      {dsn_, "Oracle", "UPDATE USER_TAB_COLUMNS SET COLUMN_NAME = 'X'", "ORA-01031"},
      {dsn_, "Oracle", "INSERT INTO USER_INDEXES (INDEX_NAME) VALUES ('X')", "ORA-01031"},
      {dsn_, "Oracle", "DELETE FROM \"mv$objects\"", "ORA-01031"},
      {"RB_CAT", "Red Brick", "DELETE FROM RBW_TABLES", "Permission denied"},
      {"BB_CAT", "Broadbase", "DELETE FROM SYSTEM.TABLES", "Permission denied"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.statement);
    OdbcClient client;
    ASSERT_TRUE(SQL_SUCCEEDED(client.Connect(c.dsn, "scott", "tiger"))) << client.ConnectionError();
    QueryResult result = client.Query(c.statement);
    EXPECT_EQ(SQL_ERROR, result.exec_rc);
    EXPECT_TRUE(Contains(result.error, c.message)) << result.error;
  }
  ExpectRows({Row({"1"})}, db_->client->Rows("SELECT COUNT(*) FROM USER_TABLES"));
  ExpectRows({Row({"2"})}, db_->client->Rows("SELECT COUNT(*) FROM USER_TAB_COLUMNS"));
}

TEST_F(FaultTest, TextAfterTheStatementsSemicolonIsRefused) {
  QueryResult two = db_->client->Query("SELECT N FROM NUMS; DELETE FROM NUMS");
  EXPECT_EQ(SQL_ERROR, two.exec_rc);
  EXPECT_TRUE(Contains(two.error, "ORA-00933: SQL command not properly ended")) << two.error;
  EXPECT_EQ(SQL_ERROR, db_->client->Query("DELETE FROM NUMS WHERE N = 1; SELECT 1").exec_rc);
  ExpectRows({Row({"2"})}, db_->client->Rows("SELECT COUNT(*) FROM NUMS"));
  // A closing semicolon, blanks or a comment after it are no second statement.
  EXPECT_EQ(SQL_SUCCESS, db_->client->Query("SELECT N FROM NUMS;").exec_rc);
  EXPECT_EQ(SQL_SUCCESS, db_->client->Query("SELECT N FROM NUMS ;  -- done\n").exec_rc);
  EXPECT_EQ(SQL_SUCCESS, db_->client->Query("SELECT ';' FROM NUMS").exec_rc);
}

TEST_F(FaultTest, ToDateReportsTheServersErrorForTextNotMatchingItsFormat) {
  struct Case {
    const char* call;
    const char* result;  // a date, or the error expected
  };
  const Case cases[] = {
      {"TO_DATE('2024-01-05', 'YYYY-MM-DD')", "2024-01-05 00:00:00"},
      {"TO_DATE('05-JAN-2024', 'DD-MON-YYYY')", "2024-01-05 00:00:00"},
      {"TO_DATE('2024/3/7 1:02:03 PM', 'YYYY/MM/DD HH:MI:SS AM')", "2024-03-07 13:02:03"},
      {"TO_DATE('2024-01-05', 'YYYY-MM-DD HH24:MI')", "2024-01-05 00:00:00"},
      {"TO_DATE('2024-02-30', 'YYYY-MM-DD')", "ORA-01839: date not valid for month specified"},
      {"TO_DATE('abcd', 'YYYY')", "ORA-01858"},
      {"TO_DATE('2024-01-05 extra', 'YYYY-MM-DD')", "ORA-01830"},
      {"TO_DATE('13/2024', 'MM/YYYY')", "ORA-01843: not a valid month"},
      {"TO_DATE('2024-01-05 25:00', 'YYYY-MM-DD HH24:MI')", "ORA-01850"},
      {"TO_DATE('hello', 'Month')", "ORA-01843"},
      {"TO_DATE('2024', 'XX YYYY')", "ORA-01821: date format not recognized"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    QueryResult result = db_->client->Query(std::string("SELECT ") + c.call + " FROM DUAL");
    if (std::string(c.result).rfind("ORA-", 0) == 0) {
      EXPECT_EQ(SQL_ERROR, result.exec_rc);
      EXPECT_TRUE(Contains(result.error, c.result)) << result.error;
    } else {
      ASSERT_EQ(SQL_SUCCESS, result.exec_rc) << result.error;
      ExpectRows({Row({c.result})}, result.rows);
    }
  }
}

// Descriptors of this process open on `path` (the database and its companions).
int OpenDescriptors(const std::string& path) {
  int count = 0;
  DIR* dir = opendir("/proc/self/fd");
  while (dirent* entry = readdir(dir)) {
    char target[4096] = {};
    std::string link = std::string("/proc/self/fd/") + entry->d_name;
    ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
    if (n > 0 && std::string(target, static_cast<size_t>(n)).rfind(path, 0) == 0) ++count;
  }
  closedir(dir);
  return count;
}

TEST_F(FaultTest, DisconnectingWithStatementsOpenFreesThem) {
  // A database no other connection of this process holds (SQLite keeps a file's descriptors
  // open while any connection of the process has it open).
  std::string path = db_->sources->dir() + "/open.db";
  db_->sources->Add("ORA_OPEN",
                    {{"Driver", "Morvane Oracle"}, {"Database", path}, {"Create", "Yes"}});
  SQLHENV env = SQL_NULL_HENV;
  SQLHDBC dbc = SQL_NULL_HDBC;
  SQLAllocEnv(&env);
  SQLAllocConnect(env, &dbc);
  ASSERT_EQ(SQL_SUCCESS, SQLConnect(dbc, reinterpret_cast<SQLCHAR*>(const_cast<char*>("ORA_OPEN")),
                                    SQL_NTS, nullptr, 0, nullptr, 0));
  for (const char* sql : {"SELECT DUMMY FROM DUAL", kOracleUniqueColumns}) {
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    SQLAllocStmt(dbc, &stmt);
    ASSERT_EQ(SQL_SUCCESS,
              SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql)), SQL_NTS));
    SQLFetch(stmt);  // the cursor stays open, the statement is never freed
  }
  EXPECT_GT(OpenDescriptors(path), 0);
  EXPECT_EQ(SQL_SUCCESS, SQLDisconnect(dbc));
  EXPECT_EQ(0, OpenDescriptors(path));
  // The handle connects again.
  EXPECT_EQ(SQL_SUCCESS, SQLConnect(dbc, reinterpret_cast<SQLCHAR*>(const_cast<char*>("ORA_OPEN")),
                                    SQL_NTS, nullptr, 0, nullptr, 0));
  SQLDisconnect(dbc);
  SQLFreeConnect(dbc);
  SQLFreeEnv(env);
}

TEST_F(FaultTest, ParallelDdlAndFetchesCompleteWithoutLockErrors) {
  constexpr int kWriters = 3;
  constexpr int kReaders = 10;
  constexpr int kFetchesPerReader = 3;
  std::atomic<int> ddl_done{0};
  std::atomic<int> fetches_done{0};
  std::vector<std::string> failures(kWriters + kReaders);
  std::vector<std::thread> threads;
  for (int w = 0; w < kWriters; ++w) {
    threads.emplace_back([&, w] {
      OdbcClient client;
      if (client.Connect(dsn_, "scott", "tiger") != SQL_SUCCESS) {
        failures[w] = client.ConnectionError();
        return;
      }
      for (int i = 0; i < 3; ++i) {
        std::string table = "T" + std::to_string(w) + "_" + std::to_string(i);
        for (const std::string& ddl :
             {"CREATE TABLE " + table + " (ID NUMBER(4) PRIMARY KEY, NAME VARCHAR2(20))",
              "COMMENT ON TABLE " + table + " IS 'parallel'"}) {
          QueryResult result = client.Query(ddl);
          if (result.exec_rc != SQL_SUCCESS)
            failures[w] = result.error;
          else
            ++ddl_done;
        }
      }
    });
  }
  const std::string statement = std::string("SELECT 'SCOTT") + kOracle8Tables;
  for (int r = 0; r < kReaders; ++r) {
    threads.emplace_back([&, r] {
      OdbcClient client;
      if (client.Connect(dsn_, "scott", "tiger") != SQL_SUCCESS) {
        failures[kWriters + r] = client.ConnectionError();
        return;
      }
      for (int i = 0; i < kFetchesPerReader; ++i) {
        QueryResult result = client.Query(statement);
        if (result.exec_rc != SQL_SUCCESS || result.end_rc != SQL_NO_DATA) {
          failures[kWriters + r] = result.error;
        } else {
          ++fetches_done;
        }
      }
    });
  }
  for (std::thread& t : threads) t.join();
  for (const std::string& failure : failures) EXPECT_EQ("", failure);
  EXPECT_EQ(kWriters * 3 * 2, ddl_done.load());
  EXPECT_EQ(kReaders * kFetchesPerReader, fetches_done.load());
  ExpectRows({Row({"10"})}, db_->client->Rows("SELECT COUNT(*) FROM USER_TABLES"));
}

}  // namespace
}  // namespace morvane::emulator::test
