// Reading table information of 2,000 tables with 30 columns each from a PostgreSQL server
// through the ODBC catalogue reader, against a bare loop that makes the same catalogue calls
// and fetches the same rows and columns without building anything. Target: the reader takes at
// most 1.3 times the bare loop.
//
// Starts its own server in a temporary folder; prints the median of several runs of each and
// their ratio; exits 1 when the target is missed, 2 when the server cannot run here.
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "db/odbc_catalogue_reader.h"
#include "db/odbc_dbms/dbms_reader.h"
#include "model/data_kind.h"
#include "server_fixture.h"

namespace morvane {
namespace {

using server_test::ServerKind;

constexpr int kTables = 2000;
constexpr int kColumns = 30;
constexpr int kRuns = 3;
constexpr double kTargetRatio = 1.3;

// Tables with a two-column primary key, a unique column, an index, a foreign key to the first
// table and a comment.
std::string Schema() {
  static const char* kTypes[] = {"varchar(40)", "numeric(12,2)", "date",
                                 "char(8)",     "integer",       "varchar(300)"};
  std::string sql;
  for (int t = 0; t < kTables; ++t) {
    std::string name = "t" + std::to_string(t);
    sql += "CREATE TABLE " + name + " (id integer NOT NULL, line integer NOT NULL";
    for (int c = 3; c <= kColumns; ++c) sql += ", c" + std::to_string(c) + " " + kTypes[c % 6];
    sql += ", PRIMARY KEY (id, line), UNIQUE (c3)";
    if (t > 0) sql += ", FOREIGN KEY (id, line) REFERENCES t0 (id, line)";
    sql += ");\n";
    sql += "CREATE INDEX ix_" + name + " ON " + name + " (c4, c5);\n";
    sql += "COMMENT ON TABLE " + name + " IS 'テーブル" + std::to_string(t) + "';\n";
  }
  return sql;
}

// Fetches every row of the statement, reading `text_columns` as UTF-16 and `number_columns` as
// integers in increasing column order, as the reader does, keeping nothing.
void Drain(SQLHSTMT stmt, std::vector<SQLUSMALLINT> text_columns,
           std::vector<SQLUSMALLINT> number_columns) {
  std::vector<SQLUSMALLINT> all = text_columns;
  all.insert(all.end(), number_columns.begin(), number_columns.end());
  std::sort(all.begin(), all.end());
  SQLWCHAR text[257];
  SQLINTEGER number = 0;
  SQLLEN indicator = 0;
  while (SQLFetch(stmt) == SQL_SUCCESS) {
    for (SQLUSMALLINT column : all) {
      bool is_text =
          std::find(text_columns.begin(), text_columns.end(), column) != text_columns.end();
      SQLRETURN rc =
          is_text ? SQLGetData(stmt, column, SQL_C_WCHAR, text, sizeof text, &indicator)
                  : SQLGetData(stmt, column, SQL_C_SLONG, &number, sizeof number, &indicator);
      while (is_text && rc == SQL_SUCCESS_WITH_INFO) {
        rc = SQLGetData(stmt, column, SQL_C_WCHAR, text, sizeof text, &indicator);
      }
    }
  }
  SQLFreeStmt(stmt, SQL_CLOSE);
}

std::u16string U(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }
SQLWCHAR* W(std::u16string& text) { return reinterpret_cast<SQLWCHAR*>(text.data()); }

// The calls the reader makes for table information, with nothing built from their rows.
void BareLoop(SQLHDBC dbc) {
  SQLHSTMT stmt = nullptr;
  SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt);
  std::u16string all = u"%", types = u"TABLE,VIEW";
  SQLTablesW(stmt, nullptr, 0, W(all), SQL_NTS, W(all), SQL_NTS, W(types), SQL_NTS);
  std::vector<std::u16string> names;
  {
    SQLWCHAR name[257];
    SQLLEN indicator = 0;
    while (SQLFetch(stmt) == SQL_SUCCESS) {
      SQLGetData(stmt, 3, SQL_C_WCHAR, name, sizeof name, &indicator);
      names.emplace_back(reinterpret_cast<char16_t*>(name));
      SQLGetData(stmt, 4, SQL_C_WCHAR, name, sizeof name, &indicator);
      SQLGetData(stmt, 5, SQL_C_WCHAR, name, sizeof name, &indicator);
    }
    SQLFreeStmt(stmt, SQL_CLOSE);
  }
  std::u16string schema = u"public";
  SQLColumnsW(stmt, nullptr, 0, W(schema), SQL_NTS, W(all), SQL_NTS, W(all), SQL_NTS);
  Drain(stmt, {1, 2, 3, 4, 6, 12, 13}, {5, 7, 8, 9, 10, 11, 16, 17});
  std::u16string comments = U(PostgresReader().CommentsQuery());
  SQLExecDirectW(stmt, W(comments), SQL_NTS);
  Drain(stmt, {1, 2, 3, 4}, {});
  for (std::u16string& name : names) {
    SQLPrimaryKeysW(stmt, nullptr, 0, W(schema), SQL_NTS, W(name), SQL_NTS);
    Drain(stmt, {4}, {5});
    SQLStatisticsW(stmt, nullptr, 0, W(schema), SQL_NTS, W(name), SQL_NTS, SQL_INDEX_UNIQUE,
                   SQL_QUICK);
    Drain(stmt, {5, 6, 9, 10}, {4, 7, 8});
    SQLForeignKeysW(stmt, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, W(schema), SQL_NTS,
                    W(name), SQL_NTS);
    Drain(stmt, {3}, {});
  }
  SQLFreeHandle(SQL_HANDLE_STMT, stmt);
}

template <typename Work>
double Seconds(Work work) {
  auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

int Main() {
  setlocale(LC_CTYPE, "C.UTF-8");
  server_test::InstallOdbcIni("");
  if (auto missing = server_test::MissingServerPart(ServerKind::kPostgres)) {
    std::printf("skipped: %s\n", missing->c_str());
    return 2;
  }
  std::printf("loading %d tables x %d columns...\n", kTables, kColumns);
  std::fflush(stdout);
  auto server = server_test::StartServer(ServerKind::kPostgres, Schema());
  server_test::TestConnection connection(server->Dsn());
  if (!connection.connected()) return 2;

  // Runs alternate, so that a busy machine slows both alike.
  size_t records = 0;
  NullProgress progress;
  std::vector<double> reader_times;
  std::vector<double> bare_times;
  for (int run = 0; run < kRuns; ++run) {
    reader_times.push_back(Seconds([&] {
      records = ReadOdbcCatalogue(connection.dbc(), DataKind::Table, progress).records.size();
    }));
    bare_times.push_back(Seconds([&] { BareLoop(connection.dbc()); }));
    std::printf("run %d: reader %.3f s, bare loop %.3f s\n", run + 1, reader_times.back(),
                bare_times.back());
    std::fflush(stdout);
  }
  double reader = Median(reader_times);
  double bare = Median(bare_times);
  double ratio = reader / bare;
  std::printf("records: %zu\n", records);
  std::printf("reader: %.3f s, bare loop: %.3f s, ratio %.2f (target <= %.1f)\n", reader, bare,
              ratio, kTargetRatio);
  return records == kTables && ratio <= kTargetRatio ? 0 : 1;
}

}  // namespace
}  // namespace morvane

int main() { return morvane::Main(); }
