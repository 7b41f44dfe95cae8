#include "db/free_sql.h"

#include <sqlext.h>

#include <algorithm>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "db/bound_row.h"
#include "db/odbc_error.h"
#include "db/odbc_wide_text.h"
#include "model/data_kind.h"
#include "text/codec.h"

namespace morvane {
namespace {

constexpr SQLSMALLINT kColumnNameBufferBytes = 255;
constexpr size_t kMaxColumnNameBytes = 254;
// The progress bar moves in this many steps at most, however many rows arrive.
constexpr int kProgressSteps = 200;

std::string TooManyColumnsMessage() {
  return ToCp932("指定できる項目数は " + std::to_string(kMaxResultColumns) +
                 " までです。\r\n残りの項目は切り捨てます。");
}

// Reports progress only when the bar would visibly move.
class RowProgress {
 public:
  RowProgress(IProgress& progress, int start, int range)
      : progress_(progress), start_(start), range_(range) {}
  void Row(int done) {
    int step = range_ > 0 ? static_cast<int>(static_cast<int64_t>(done) * kProgressSteps / range_)
                          : kProgressSteps;
    if (step == shown_) return;
    shown_ = step;
    progress_.Step(start_ + done);
  }

 private:
  IProgress& progress_;
  int start_;
  int range_;
  int shown_ = 0;
};

// One run of ExecuteFreeSql. Each step returns false on failure and keeps the statement, so its
// diagnostic can be shown.
class FreeQuery {
 public:
  FreeQuery(TCatalogueStore& store, DbSession& session, int max_rows, const TextMeasurer& measure)
      : store_(store), session_(session), max_rows_(max_rows), measure_(measure) {}

  bool Run(const std::string& sql);
  SQLHSTMT statement() const { return statement_.get(); }
  void DropStatement() { statement_.Reset(); }

 private:
  bool Execute(const std::string& sql);
  bool DescribeColumns(int columns);
  bool ReadRows(TTableRec& record, int columns);
  // A generic ODBC data source gets the statement, names and values through the wide functions,
  // which every driver takes whatever its character set.
  bool wide() const { return ProfileOf(store_.product).readsCatalogueFunctions; }
  std::string ColumnName(int column);
  bool ReadWideRows(TTableRec& record, int columns);

  TCatalogueStore& store_;
  DbSession& session_;
  int max_rows_;
  const TextMeasurer& measure_;
  StmtHandle statement_;
};

bool FreeQuery::Run(const std::string& sql) {
  if (!Execute(sql)) return false;
  session_.progress.Step(max_rows_);
  SQLSMALLINT count = 0;
  if (!SQL_SUCCEEDED(SQLNumResultCols(statement_.get(), &count))) return false;
  int columns = count;
  if (columns > kMaxResultColumns) {
    session_.prompt.Warn(TooManyColumnsMessage());
    columns = kMaxResultColumns;
  }
  if (!DescribeColumns(columns)) return false;
  auto record = std::make_unique<TTableRec>();
  if (!ReadRows(*record, columns)) return false;
  store_.Records(DataKind::Sql).push_back(std::move(record));
  return true;
}

bool FreeQuery::Execute(const std::string& sql) {
  statement_ = AllocateStatement(session_.connection.Dbc.get());
  if (!statement_) return false;
  if (wide()) {
    WideArgument text(sql);
    const SQLRETURN rc = SQLExecDirectW(statement_.get(), text.get(), text.length());
    if (rc == SQL_SUCCESS) return true;
    // The driver's message read through the wide function too; information counts as failure.
    CheckOdbc(SQL_ERROR, session_.connection.Dbc.get(), statement_.get());
    return false;
  }
  SQLRETURN rc = SQLExecDirect(statement_.get(),
                               reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS);
  return rc == SQL_SUCCESS;
}

// The driver's name of a result column through the wide function, as CP932; throws OdbcFailure.
std::string FreeQuery::ColumnName(int column) {
  SQLWCHAR name[kColumnNameBufferBytes + 1] = {};
  SQLSMALLINT name_length = 0, data_type = 0, digits = 0, nullable = 0;
  SQLULEN size = 0;
  CheckOdbc(
      SQLDescribeColW(statement_.get(), static_cast<SQLUSMALLINT>(column + 1), name,
                      kColumnNameBufferBytes, &name_length, &data_type, &size, &digits, &nullable),
      session_.connection.Dbc.get(), statement_.get());
  const size_t length =
      std::min<size_t>(std::max<SQLSMALLINT>(name_length, 0), kColumnNameBufferBytes);
  return Utf16ToCp932Lossy(std::u16string_view(reinterpret_cast<const char16_t*>(name), length));
}

bool FreeQuery::DescribeColumns(int columns) {
  store_.Items(DataKind::Sql, kItemLevelTable).clear();
  ItemList& items = store_.Items(DataKind::Sql, kItemLevelColumn);
  items.clear();
  for (int i = 0; i < columns && wide(); ++i) {
    std::string name = ColumnName(i);
    name.resize(Cp932SafePrefixLength(name, kMaxColumnNameBytes));
    items.push_back(
        MakeDefaultItem(std::move(name), kValueKindText, i, kItemLevelColumn, measure_));
  }
  for (int i = 0; i < columns && !wide(); ++i) {
    char name[kColumnNameBufferBytes + 1] = {};
    SQLSMALLINT name_length = 0, data_type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    SQLRETURN rc = SQLDescribeCol(statement_.get(), static_cast<SQLUSMALLINT>(i + 1),
                                  reinterpret_cast<SQLCHAR*>(name), kColumnNameBufferBytes,
                                  &name_length, &data_type, &size, &digits, &nullable);
    if (!SQL_SUCCEEDED(rc)) return false;
    std::string_view text(name);
    text = text.substr(0, Cp932SafePrefixLength(text, kMaxColumnNameBytes));
    items.push_back(
        MakeDefaultItem(std::string(text), kValueKindText, i, kItemLevelColumn, measure_));
  }
  return true;
}

// Keeps at most max_rows_ rows; one more row tells that the result was cut. A fetch that ends
// with an error is a failure, not the end of the result.
bool FreeQuery::ReadRows(TTableRec& record, int columns) {
  if (wide()) return ReadWideRows(record, columns);
  BoundRow row(statement_.get(), columns);
  std::vector<std::string_view> texts(static_cast<size_t>(columns));
  RowProgress progress(session_.progress, max_rows_, max_rows_);
  for (int counter = 1;; ++counter) {
    SQLRETURN rc = SQLFetch(statement_.get());
    if (rc == SQL_NO_DATA) break;
    if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) return false;
    if (counter > max_rows_) {
      session_.prompt.Warn(ToCp932("最大レコード数を超えました。"));
      break;
    }
    for (int i = 0; i < columns; ++i) texts[i] = row.Text(i);
    record.columns.emplace_back().values.Append(texts);
    progress.Row(counter);
  }
  return true;
}

// The same through the wide interface; values are cut to the length the bound rows keep.
bool FreeQuery::ReadWideRows(TTableRec& record, int columns) {
  SQLHDBC dbc = session_.connection.Dbc.get();
  WideColumnReader reader(dbc);
  std::vector<std::string> texts(static_cast<size_t>(columns));
  RowProgress progress(session_.progress, max_rows_, max_rows_);
  for (int counter = 1; FetchRow(dbc, statement_.get()); ++counter) {
    if (counter > max_rows_) {
      session_.prompt.Warn(ToCp932("最大レコード数を超えました。"));
      break;
    }
    for (int i = 0; i < columns; ++i) {
      texts[i] = reader.Text(statement_.get(), static_cast<SQLUSMALLINT>(i + 1));
      texts[i].resize(Cp932SafePrefixLength(texts[i], kValueBufferBytes - 1));
    }
    record.columns.emplace_back().values.Append(
        std::vector<std::string_view>(texts.begin(), texts.end()));
    progress.Row(counter);
  }
  return true;
}

}  // namespace

bool ExecuteFreeSql(TCatalogueStore& store, DbSession& session, const std::string& sql,
                    int max_rows, const TextMeasurer& measure) {
  if (!session.connection.Connected) {
    session.prompt.Error(InternalErrorText());
    return false;
  }
  session.status.SetBusy(true);
  session.status.SetPanelText(kActivityPanel, ToCp932("データ取得"));
  session.progress.Begin("データ取得", 2 * max_rows);
  store.ClearDataKind(DataKind::Sql);

  FreeQuery query(store, session, max_rows, measure);
  bool ok = false;
  std::string failure_text;  // the driver's message of a failed wide call
  try {
    ok = query.Run(sql);
  } catch (const OdbcFailure& failure) {
    failure_text = failure.message();
  } catch (const std::exception&) {
    ok = false;
  }
  if (!ok && !failure_text.empty()) {
    session.prompt.Error(failure_text);
  } else if (!ok) {
    ShowODBCError(session.prompt, session.connection.Env.get(), session.connection.Dbc.get(),
                  query.statement());
  }
  if (!ok) {
    store.ClearDataKind(DataKind::Sql);
  }
  query.DropStatement();
  session.progress.End();
  session.status.SetBusy(false);
  return ok;
}

void ClearFreeSqlResult(TCatalogueStore& store) {
  store.Items(DataKind::Sql, kItemLevelTable).clear();
  store.Items(DataKind::Sql, kItemLevelColumn).clear();
  store.ClearDataKind(DataKind::Sql);
}

}  // namespace morvane
