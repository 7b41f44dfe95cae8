// Statements that stress the emulator's own work rather than SQLite's: deeply nested
// expressions (refused, but only after the driver has read them) and ordering Japanese text
// by its Shift-JIS bytes. Peak memory of the process is reported as a counter.
// Targets (CPU time): a 20 KB statement nested 10,000 deep is refused within 50 ms and 64 MB;
// ordering 20,000 kanji names through the CP932 collation takes under 200 ms.
#include <benchmark/benchmark.h>
#include <sql.h>
#include <sqlext.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <string>

#include "text/codec.h"
#include "tools/sql_script.h"

namespace {

std::string DatabasePath() { return std::string(MORVANE_BENCH_DIR) + "/statements.db"; }

class Connection {
 public:
  Connection() {
    SQLAllocEnv(&env_);
    SQLAllocConnect(env_, &dbc_);
    std::string text =
        "DRIVER={Morvane Oracle};Database=" + DatabasePath() + ";Create=Yes;UID=bench;PWD=bench";
    ok_ = SQL_SUCCEEDED(SQLDriverConnect(dbc_, nullptr, reinterpret_cast<SQLCHAR*>(text.data()),
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

// Runs a statement and reads its rows; the number of rows, or -1 when it was refused.
long Run(SQLHDBC dbc, const std::string& utf8_sql) {
  std::string sql = morvane::ToCp932(utf8_sql);
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  SQLAllocStmt(dbc, &stmt);
  long rows = -1;
  if (SQL_SUCCEEDED(SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(sql.data()), SQL_NTS))) {
    rows = 0;
    char value[255];
    SQLLEN indicator = 0;
    SQLBindCol(stmt, 1, SQL_C_CHAR, value, sizeof value, &indicator);
    while (SQL_SUCCEEDED(SQLFetch(stmt))) ++rows;
  }
  SQLFreeStmt(stmt, SQL_DROP);
  return rows;
}

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

void RunRefused(benchmark::State& state, const std::string& sql) {
  Connection connection;
  if (!connection.ok()) return state.SkipWithError("cannot connect");
  for (auto _ : state) {
    if (Run(connection.dbc(), sql) != -1) state.SkipWithError("the statement was not refused");
  }
  state.counters["statement_kb"] = static_cast<double>(sql.size()) / 1024.0;
  state.counters["peak_mb"] = PeakMegabytes();
}

void BM_ParenthesesNested10000Deep(benchmark::State& state) {
  RunRefused(state, "SELECT " + Repeat("(", 10000) + "1" + Repeat(")", 10000) + " FROM DUAL");
}

void BM_DecodeNested10000Deep(benchmark::State& state) {
  RunRefused(state,
             "SELECT " + Repeat("DECODE(1, 1, ", 10000) + "1" + Repeat(")", 10000) + " FROM DUAL");
}

// The deepest nesting the rewriter takes, with an outer join mark at the bottom: every level
// is rewritten.
void BM_OuterJoinUnder255Levels(benchmark::State& state) {
  RunRefused(state, "SELECT A.DUMMY FROM DUAL A, DUAL B WHERE " + Repeat("1 = 1 AND (", 254) +
                        "A.DUMMY = B.DUMMY (+)" + Repeat(")", 254) + " AND (1 = 2 OR 1 = 1)");
}

void BM_OrderKanjiNamesByShiftJis(benchmark::State& state) {
  Connection connection;
  if (!connection.ok()) return state.SkipWithError("cannot connect");
  std::string error;
  morvane::emulator::RunScript(connection.dbc(), "DROP TABLE NAMES", &error);
  // 20,000 names of a kanji and a hiragana each, spread over the CJK block.
  bool filled =
      morvane::emulator::RunScript(connection.dbc(), "CREATE TABLE NAMES (NAME VARCHAR2(20))",
                                   &error) &&
      Run(connection.dbc(),
          "INSERT INTO NAMES SELECT CHAR(19968 + (N * 7919) % 20000, 12354 + N % 80) FROM "
          "(WITH RECURSIVE SEQ(N) AS (SELECT 1 UNION ALL SELECT N + 1 FROM SEQ WHERE N < 20000) "
          "SELECT N FROM SEQ)") == 0;
  if (!filled) return state.SkipWithError("cannot fill the table");
  long rows = 0;
  for (auto _ : state) rows = Run(connection.dbc(), "SELECT NAME FROM NAMES ORDER BY NAME");
  state.counters["rows"] = static_cast<double>(rows);
  if (rows != 20000) state.SkipWithError("the names were not all read");
}

BENCHMARK(BM_ParenthesesNested10000Deep)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_DecodeNested10000Deep)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OuterJoinUnder255Levels)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OrderKanjiNamesByShiftJis)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  setenv("ODBCSYSINI", MORVANE_ODBC_DIR, 0);
  setenv("ODBCINI", MORVANE_ODBC_DIR "/user-odbc.ini", 0);
  unlink(DatabasePath().c_str());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
