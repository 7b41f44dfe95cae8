// A free query of 10,000 rows x 20 columns through the emulator into data kind 5, against a bare
// loop that executes the same statement and fetches the same rows into the same bindings without
// keeping anything. Target: the query takes at most 1.3 times the bare loop.
//
// Prints the median of several runs of each and their ratio; exits 1 when the target is missed.
#include <sql.h>
#include <sqlext.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "db/bound_row.h"
#include "db/db_connection.h"
#include "db/free_sql.h"
#include "model/data_kind.h"
#include "project/new_project.h"
#include "tools/sql_script.h"

namespace morvane {
namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 20;
constexpr int kRuns = 7;
constexpr double kTargetRatio = 1.3;
constexpr char kDataSource[] = "MorvaneFreeSqlBench";
constexpr char kQuery[] = "SELECT * FROM RESULTS ORDER BY ID";

std::string BenchDir() { return MORVANE_BENCH_DIR; }
std::string DatabasePath() { return BenchDir() + "/oracle_free_sql_10000x20.db"; }

void WriteDataSources() {
  std::string ini = BenchDir() + "/free-sql-bench-odbc.ini";
  std::ofstream(ini) << "[" << kDataSource
                     << "]\nDriver = Morvane Oracle\nDatabase = " << DatabasePath()
                     << "\nCreate = Yes\nUID = bench\nPWD = bench\n";
  setenv("ODBCSYSINI", MORVANE_ODBC_DIR, 1);
  setenv("ODBCINI", ini.c_str(), 1);
}

// RESULTS: ID and 19 columns of numbers, short texts and dates; 10,000 rows made by crossing a
// table of ten digits four times.
std::string Script() {
  std::string sql =
      "CREATE TABLE DIGITS (D NUMBER(1));\n"
      "CREATE TABLE RESULTS (ID NUMBER(10)";
  for (int c = 2; c <= kColumns; ++c) {
    sql += ", C" + std::to_string(c) + (c % 3 == 0 ? " NUMBER(12,2)" : " VARCHAR2(40)");
  }
  sql += ");\n";
  for (int d = 0; d < 10; ++d) sql += "INSERT INTO DIGITS VALUES (" + std::to_string(d) + ");\n";
  sql += "INSERT INTO RESULTS SELECT A.D * 1000 + B.D * 100 + C.D * 10 + E.D";
  for (int c = 2; c <= kColumns; ++c) {
    sql += c % 3 == 0 ? ", (A.D * 1000 + B.D * 100 + C.D * 10 + E.D) * 1.25"
                      : ", 'VALUE_" + std::to_string(c) + "_' || B.D || C.D || E.D";
  }
  sql += " FROM DIGITS A, DIGITS B, DIGITS C, DIGITS E;\n";
  return sql;
}

size_t BareLoop(SQLHDBC dbc) {
  StmtHandle statement = AllocateStatement(dbc);
  if (SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(kQuery)),
                    SQL_NTS) != SQL_SUCCESS) {
    return 0;
  }
  SQLSMALLINT columns = 0;
  SQLNumResultCols(statement.get(), &columns);
  BoundRow row(statement.get(), columns);
  size_t rows = 0;
  SQLRETURN rc;
  while ((rc = SQLFetch(statement.get())) == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO) ++rows;
  return rows;
}

// Connects to the bench database, building it first when it does not hold the rows.
bool ConnectWithData(TDbConnection& connection, ScriptedPrompt& prompt, NullStatusBar& status) {
  auto connect = [&] {
    return connection.Connect(Product::Oracle8, kDataSource, "bench", "bench", prompt, status);
  };
  if (!connect()) return false;
  if (BareLoop(connection.Dbc.get()) == static_cast<size_t>(kRows)) return true;
  connection.Disconnect(status);
  for (const char* suffix :
       {"", ".catalogue", "-wal", "-shm", ".catalogue-wal", ".catalogue-shm"}) {
    std::remove((DatabasePath() + suffix).c_str());
  }
  std::fprintf(stderr, "building %d rows of %d columns...\n", kRows, kColumns);
  std::string error;
  if (!connect() || !emulator::RunScript(connection.Dbc.get(), Script(), &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  return BareLoop(connection.Dbc.get()) == static_cast<size_t>(kRows);
}

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

int Run() {
  WriteDataSources();
  TCatalogueStore store;
  NewProject(store, Product::Oracle8, EstimateTextWidth);
  TDbConnection connection;
  ScriptedPrompt prompt;
  NullProgress progress;
  NullStatusBar status;
  DbSession session{connection, prompt, progress, status};
  if (!ConnectWithData(connection, prompt, status)) {
    std::fprintf(stderr, "cannot prepare the bench database\n");
    return 2;
  }

  std::vector<double> bare;
  std::vector<double> query;
  size_t rows = 0;
  for (int run = 0; run < kRuns; ++run) {
    auto start = std::chrono::steady_clock::now();
    rows = BareLoop(connection.Dbc.get());
    bare.push_back(Seconds(std::chrono::steady_clock::now() - start));

    start = std::chrono::steady_clock::now();
    bool ok = ExecuteFreeSql(store, session, kQuery, kRows, EstimateTextWidth);
    query.push_back(Seconds(std::chrono::steady_clock::now() - start));
    if (!ok || store.Records(DataKind::Sql).at(0)->columns.size() != static_cast<size_t>(kRows) ||
        !prompt.shown.empty()) {
      std::fprintf(stderr, "the query failed\n");
      for (const ScriptedPrompt::Shown& shown : prompt.shown) {
        std::fprintf(stderr, "%s\n", shown.text.c_str());
      }
      return 2;
    }
  }
  double ratio = Median(query) / Median(bare);
  std::printf("Free query, %zu rows x %d columns\n", rows, kColumns);
  std::printf("  bare execute-and-fetch loop: %.3f s (median of %d)\n", Median(bare), kRuns);
  std::printf("  ExecuteFreeSql:              %.3f s (median of %d)\n", Median(query), kRuns);
  std::printf("  ratio: %.2f (target at most %.1f)\n", ratio, kTargetRatio);
  return ratio <= kTargetRatio ? 0 : 1;
}

}  // namespace
}  // namespace morvane

int main() { return morvane::Run(); }
