// Fetching Oracle table information of 2,000 tables with 30 columns each through the emulator,
// against a bare loop that executes the same statement and fetches the same rows into the same
// bindings without keeping anything. Target: the fetch takes at most 1.3 times the bare loop.
//
// Prints the median of several runs of each and their ratio; exits 1 when the target is missed.
#include <sql.h>
#include <sqlext.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "db/bound_row.h"
#include "db/catalogue_fetch.h"
#include "db/catalogue_sql.h"
#include "db/db_connection.h"
#include "model/data_kind.h"
#include "project/new_project.h"
#include "tools/sql_script.h"

namespace morvane {
namespace {

constexpr int kTables = 2000;
constexpr int kColumns = 30;
constexpr int kRuns = 5;
constexpr double kTargetRatio = 1.3;
constexpr char kDataSource[] = "MorvaneFetchBench";

std::string BenchDir() { return MORVANE_BENCH_DIR; }
std::string DatabasePath() { return BenchDir() + "/oracle_fetch_2000x30.db"; }

// A table with a two-column primary key, a unique column, an index and all the Oracle types
// whose sizes are computed.
std::string TableDdl(int t) {
  std::string name = "T" + std::to_string(t);
  std::string sql = "CREATE TABLE " + name + " (ID NUMBER(10) NOT NULL, LINE NUMBER(4) NOT NULL";
  static const char* kTypes[] = {"VARCHAR2(40)", "NUMBER(12,2)", "DATE",
                                 "CHAR(8)",      "NUMBER",       "VARCHAR2(300)"};
  for (int c = 3; c <= kColumns; ++c) {
    sql += ", C" + std::to_string(c) + " " + kTypes[c % 6];
  }
  sql += ", CONSTRAINT PK_" + name + " PRIMARY KEY (ID, LINE), CONSTRAINT UQ_" + name +
         " UNIQUE (C3));\n";
  sql += "CREATE INDEX IX_" + name + " ON " + name + " (C4, C5);\n";
  sql += "COMMENT ON TABLE " + name + " IS 'テーブル" + std::to_string(t) + "';\n";
  return sql;
}

// A user data-source file of the bench's own, naming the generated database.
void WriteDataSources() {
  std::string ini = BenchDir() + "/bench-odbc.ini";
  std::ofstream(ini) << "[" << kDataSource
                     << "]\nDriver = Morvane Oracle\nDatabase = " << DatabasePath()
                     << "\nCreate = Yes\nUID = bench\nPWD = bench\n";
  setenv("ODBCSYSINI", MORVANE_ODBC_DIR, 1);
  setenv("ODBCINI", ini.c_str(), 1);
}

bool DatabaseExists() {
  struct stat info {};
  return stat(DatabasePath().c_str(), &info) == 0;
}

// Builds the schema once; later runs reuse the database file.
bool EnsureSchema(TDbConnection& connection) {
  if (DatabaseExists() && std::ifstream(DatabasePath() + ".done")) return true;
  std::fprintf(stderr, "building %d tables of %d columns...\n", kTables, kColumns);
  std::string script;
  for (int t = 1; t <= kTables; ++t) script += TableDdl(t);
  std::string error;
  if (!emulator::RunScript(connection.Dbc.get(), script, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  std::ofstream(DatabasePath() + ".done") << "ok\n";
  return true;
}

// The same statement, the same 70 bindings, every row fetched and nothing kept.
size_t BareLoop(SQLHDBC dbc, const std::string& sql, int columns) {
  StmtHandle statement = AllocateStatement(dbc);
  size_t rows = 0;
  if (SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())),
                    SQL_NTS) != SQL_SUCCESS) {
    return 0;
  }
  BoundRow row(statement.get(), columns);
  SQLRETURN rc;
  while ((rc = SQLFetch(statement.get())) == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO) ++rows;
  return rows;
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
  if (!connection.Connect(Product::Oracle8, kDataSource, "bench", "bench", prompt, status) ||
      !EnsureSchema(connection)) {
    std::fprintf(stderr, "cannot prepare the bench database\n");
    return 2;
  }

  const std::string sql = BuildCatalogueSql(Product::Oracle8, DataKind::Table, "BENCH")->catalogue;
  const int columns = static_cast<int>(store.Items(DataKind::Table, kItemLevelTable).size() +
                                       store.Items(DataKind::Table, kItemLevelColumn).size());
  store.currentDataKind = DataKind::Table;
  // The first statement after the schema was built brings the emulator's catalogue up to date.
  BareLoop(connection.Dbc.get(), sql, columns);

  std::vector<double> bare;
  std::vector<double> fetch;
  size_t rows = 0;
  for (int run = 0; run < kRuns; ++run) {
    auto start = std::chrono::steady_clock::now();
    rows = BareLoop(connection.Dbc.get(), sql, columns);
    bare.push_back(Seconds(std::chrono::steady_clock::now() - start));

    start = std::chrono::steady_clock::now();
    bool ok = FetchCatalogue(store, session);
    fetch.push_back(Seconds(std::chrono::steady_clock::now() - start));
    if (!ok || store.Records(DataKind::Table).size() != static_cast<size_t>(kTables)) {
      std::fprintf(stderr, "the fetch failed\n");
      return 2;
    }
  }
  double ratio = Median(fetch) / Median(bare);
  std::printf("Oracle table information, %d tables x %d columns (%zu rows, %d bound columns)\n",
              kTables, kColumns, rows, columns);
  std::printf("  bare execute-and-fetch loop: %.3f s (median of %d)\n", Median(bare), kRuns);
  std::printf("  FetchCatalogue:              %.3f s (median of %d)\n", Median(fetch), kRuns);
  std::printf("  ratio: %.2f (target at most %.1f)\n", ratio, kTargetRatio);
  return ratio <= kTargetRatio ? 0 : 1;
}

}  // namespace
}  // namespace morvane

int main() { return morvane::Run(); }
