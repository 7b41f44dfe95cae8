// Catalogue statements on a large generated schema (2,000 tables of 30 columns), fetched the
// way the program fetches them: every column bound as SQL_C_CHAR into a 255-byte buffer.
// Targets: Oracle table information (60,000 rows) under 1 s, table-index information under 2 s.
#include <benchmark/benchmark.h>
#include <sql.h>
#include <sqlext.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "catalogue_statements.h"
#include "text/codec.h"
#include "tools/sql_script.h"

namespace {

constexpr int kTables = 2000;
constexpr int kColumns = 30;

std::string DatabasePath() { return std::string(MORVANE_BENCH_DIR) + "/oracle_2000x30.db"; }

std::string ConnectionString(bool create) {
  return "DRIVER={Morvane Oracle};Database=" + DatabasePath() + ";UID=bench;PWD=bench" +
         (create ? ";Create=Yes" : "");
}

// One table: a primary key, a unique code, a date, numbers and text, two more indexes,
// comments in Japanese.
std::string TableDdl(int t) {
  std::string name = "BENCH_TABLE_" + std::to_string(t);
  std::string sql = "CREATE TABLE " + name + " (ID NUMBER(10) NOT NULL, CODE CHAR(8) NOT NULL";
  for (int c = 3; c <= kColumns; ++c) {
    std::string column = ",COL_" + std::to_string(c);
    switch (c % 4) {
      case 0:
        sql += column + " VARCHAR2(" + std::to_string(20 + c * 10) + ")";
        break;
      case 1:
        sql += column + " NUMBER(" + std::to_string(c % 20 + 2) + ",2)";
        break;
      case 2:
        sql += column + " DATE";
        break;
      default:
        sql += column + " NUMBER";
        break;
    }
  }
  sql +=
      ", CONSTRAINT PK_" + name + " PRIMARY KEY (ID), CONSTRAINT UQ_" + name + " UNIQUE (CODE));\n";
  sql += "CREATE INDEX IX_" + name + " ON " + name + " (COL_3, COL_4);\n";
  sql += "COMMENT ON TABLE " + name + " IS 'ベンチマーク用テーブル" + std::to_string(t) + "';\n";
  sql += "COMMENT ON COLUMN " + name + ".COL_4 IS '説明文の列';\n";
  return sql;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}

class Connection {
 public:
  explicit Connection(const std::string& text) {
    SQLAllocEnv(&env_);
    SQLAllocConnect(env_, &dbc_);
    std::string copy = text;
    ok_ = SQL_SUCCEEDED(SQLDriverConnect(dbc_, nullptr, reinterpret_cast<SQLCHAR*>(copy.data()),
                                         SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT));
  }
  ~Connection() {
    if (ok_) SQLDisconnect(dbc_);
    SQLFreeConnect(dbc_);
    SQLFreeEnv(env_);
  }
  bool ok() const { return ok_; }
  SQLHDBC dbc() const { return dbc_; }

 private:
  SQLHENV env_ = SQL_NULL_HENV;
  SQLHDBC dbc_ = SQL_NULL_HDBC;
  bool ok_ = false;
};

// Builds the schema once; later runs reuse the database file.
bool EnsureSchema(std::string* error) {
  if (FileExists(DatabasePath())) return true;
  Connection connection(ConnectionString(true));
  if (!connection.ok()) {
    *error = "cannot create " + DatabasePath();
    return false;
  }
  std::string script;
  for (int t = 1; t <= kTables; ++t) script += TableDdl(t);
  return morvane::emulator::RunScript(connection.dbc(), script, error);
}

// Executes and fetches like the program: all columns bound, rows read until the end.
size_t FetchAll(SQLHDBC dbc, const std::string& utf8_sql) {
  std::string sql = morvane::ToCp932(utf8_sql);
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  SQLAllocStmt(dbc, &stmt);
  size_t rows = 0;
  if (SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(sql.data()), SQL_NTS) == SQL_SUCCESS) {
    SQLSMALLINT count = 0;
    SQLNumResultCols(stmt, &count);
    std::vector<char> buffers(static_cast<size_t>(count) * 255);
    std::vector<SQLLEN> indicators(static_cast<size_t>(count));
    for (SQLSMALLINT i = 0; i < count; ++i) {
      SQLBindCol(stmt, static_cast<SQLUSMALLINT>(i + 1), SQL_C_CHAR,
                 &buffers[static_cast<size_t>(i) * 255], 255, &indicators[static_cast<size_t>(i)]);
    }
    while (SQL_SUCCEEDED(SQLFetch(stmt))) ++rows;
  }
  SQLFreeStmt(stmt, SQL_DROP);
  return rows;
}

void RunStatement(benchmark::State& state, const std::string& sql, size_t expected_rows) {
  std::string error;
  if (!EnsureSchema(&error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  Connection connection(ConnectionString(false));
  if (!connection.ok()) {
    state.SkipWithError("cannot connect");
    return;
  }
  FetchAll(connection.dbc(),
           "SELECT COUNT(*) FROM DUAL");  // the first statement brings the catalogue up to date
  size_t rows = 0;
  for (auto _ : state) rows = FetchAll(connection.dbc(), sql);
  state.counters["rows"] = static_cast<double>(rows);
  if (rows < expected_rows) state.SkipWithError("fewer rows than the schema has columns");
}

void BM_OracleTableInformation(benchmark::State& state) {
  RunStatement(state, std::string("SELECT 'BENCH") + morvane::emulator::test::kOracle8Tables,
               kTables * kColumns);
}

void BM_OracleTableIndexInformation(benchmark::State& state) {
  RunStatement(state, std::string("SELECT 'BENCH") + morvane::emulator::test::kOracle8TableIndexes,
               kTables * kColumns);
}

void BM_OracleIndexInformation(benchmark::State& state) {
  RunStatement(state, std::string("SELECT 'BENCH") + morvane::emulator::test::kOracle8Indexes,
               kTables * 4);
}

// One DDL statement followed by a query: the catalogue of 60,000 columns is derived again.
void BM_CatalogueRefreshAfterDdl(benchmark::State& state) {
  std::string error;
  if (!EnsureSchema(&error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  Connection connection(ConnectionString(false));
  int n = 0;
  for (auto _ : state) {
    morvane::emulator::RunScript(
        connection.dbc(), "COMMENT ON TABLE BENCH_TABLE_1 IS 'refresh " + std::to_string(++n) + "'",
        &error);
    FetchAll(connection.dbc(), "SELECT COUNT(*) FROM DUAL");
  }
}

BENCHMARK(BM_OracleTableInformation)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OracleTableIndexInformation)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OracleIndexInformation)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CatalogueRefreshAfterDdl)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  // Reach the build tree's drivers unless the caller chose other ini files.
  setenv("ODBCSYSINI", MORVANE_ODBC_DIR, 0);
  setenv("ODBCINI", MORVANE_ODBC_DIR "/user-odbc.ini", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
