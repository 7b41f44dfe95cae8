#include "db/catalogue_fetch.h"

#include <sqlext.h>

#include <algorithm>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/bound_row.h"
#include "db/catalogue_sql.h"
#include "db/odbc_catalogue_fetch.h"
#include "db/odbc_error.h"
#include "db/record_assembler.h"
#include "db/record_finder.h"
#include "db/value_replace.h"
#include "model/data_kind.h"
#include "text/codec.h"

namespace morvane {

namespace {

// The number of column-level columns of table-index information, whatever its items.
constexpr int kTableIndexColumns = 5;

bool RowDelivered(SQLRETURN rc) { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

// After the last row only SQL_NO_DATA is the normal end; anything else (a lost connection, a
// server error) broke off the rows, and the statement keeps the diagnostic.
bool RowsComplete(SQLRETURN rc) { return rc == SQL_NO_DATA; }

int CountValue(std::string_view text) {
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || value > 1'000'000'000) break;
    value = value * 10 + (c - '0');
  }
  return static_cast<int>(std::min<int64_t>(value, 1'000'000'000));
}

// One run of FetchCatalogue. Each step returns false on failure and keeps the failing
// statement, so its diagnostic can be shown.
class CatalogueFetch {
 public:
  CatalogueFetch(TCatalogueStore& store, DbSession& session, DataKind data_kind)
      : store_(store), session_(session), data_kind_(data_kind) {}

  bool Run(const CatalogueSql& sql);
  SQLHSTMT statement() const { return statement_.get(); }
  void DropStatement() { statement_.Reset(); }
  bool progress_begun() const { return progress_begun_; }

 private:
  bool Execute(const std::string& sql);
  bool Count(const std::string& sql);
  bool ReadRecords(const CatalogueSql& sql);
  bool RunTablePostPass();
  bool MarkKeyColumns(const KeyMarkPass& pass, bool primary_key, const RecordFinder& finder);
  bool ReadRelationships(const char* sql);
  void FinishTableIndexMatrices(int largest_index_count);

  // Runs `sql` on a new statement and calls on_row(row) for each row it delivers.
  template <typename OnRow>
  bool ForEachRow(const char* sql, int columns, OnRow on_row);

  TCatalogueStore& store_;
  DbSession& session_;
  DataKind data_kind_;
  StmtHandle statement_;
  int total_ = 0;
  bool progress_begun_ = false;
};

bool CatalogueFetch::Run(const CatalogueSql& sql) {
  if (!Count(sql.count)) return false;
  if (!ReadRecords(sql)) return false;
  if (data_kind_ == DataKind::Table && !RunTablePostPass()) return false;
  return true;
}

bool CatalogueFetch::Execute(const std::string& sql) {
  statement_ = AllocateStatement(session_.connection.Dbc.get());
  if (!statement_) return false;
  SQLRETURN rc = SQLExecDirect(statement_.get(),
                               reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS);
  // Information from the server may mean the statement did not do what was asked.
  return rc == SQL_SUCCESS;
}

bool CatalogueFetch::Count(const std::string& sql) {
  if (!Execute(sql)) return false;
  BoundRow row(statement_.get(), 1);
  if (!RowDelivered(SQLFetch(statement_.get()))) return false;
  total_ = CountValue(row.Text(0));
  statement_.Reset();
  session_.progress.Begin("データ取得", total_);
  progress_begun_ = true;
  return true;
}

bool CatalogueFetch::ReadRecords(const CatalogueSql& sql) {
  const int table_columns = static_cast<int>(store_.Items(data_kind_, kItemLevelTable).size());
  const int column_columns =
      data_kind_ == DataKind::TableIndex
          ? kTableIndexColumns
          : static_cast<int>(store_.Items(data_kind_, kItemLevelColumn).size());
  if (!Execute(sql.catalogue)) return false;
  BoundRow row(statement_.get(), table_columns + column_columns);
  std::vector<std::string_view> table_texts(static_cast<size_t>(table_columns));
  std::vector<std::string_view> column_texts(static_cast<size_t>(column_columns));
  RecordAssembler assembler(store_.product, data_kind_);

  // The rows of one record arrive together: a row whose key differs starts the next record.
  const int key_columns = std::min(sql.key_columns, table_columns);
  int done = 0;
  SQLRETURN rc = SQLFetch(statement_.get());
  while (RowDelivered(rc)) {
    session_.progress.Step(std::min(++done, total_));
    for (int i = 0; i < table_columns; ++i) table_texts[i] = row.Text(i);
    TTableRec& record = store_.AddRecord(data_kind_);
    assembler.StartRecord(record, table_texts);
    for (;;) {
      for (int i = 0; i < column_columns; ++i) column_texts[i] = row.Text(table_columns + i);
      assembler.TakeRow(column_texts);
      rc = SQLFetch(statement_.get());
      if (!RowDelivered(rc)) break;
      for (int i = 0; i < key_columns; ++i) table_texts[i] = row.Text(i);
      if (!RowBelongsTo(record, table_texts, key_columns)) break;
    }
    assembler.FinishRecord();
  }
  if (!RowsComplete(rc)) return false;
  statement_.Reset();
  if (data_kind_ == DataKind::TableIndex) {
    FinishTableIndexMatrices(assembler.largest_index_count());
  }
  return true;
}

void CatalogueFetch::FinishTableIndexMatrices(int largest_index_count) {
  store_.Items(DataKind::TableIndex, kItemLevelColumn) = TableIndexColumnItems(largest_index_count);
  PadTableIndexRows(store_.Records(DataKind::TableIndex), largest_index_count);
}

template <typename OnRow>
bool CatalogueFetch::ForEachRow(const char* sql, int columns, OnRow on_row) {
  if (!Execute(sql)) return false;
  BoundRow row(statement_.get(), columns);
  SQLRETURN rc = SQLFetch(statement_.get());
  for (; RowDelivered(rc); rc = SQLFetch(statement_.get())) on_row(row);
  if (!RowsComplete(rc)) return false;
  statement_.Reset();
  return true;
}

bool CatalogueFetch::RunTablePostPass() {
  const ProductCatalogue* catalogue = CatalogueOf(store_.product);
  if (catalogue == nullptr) return true;
  if (catalogue->relationshipSql != nullptr) return ReadRelationships(catalogue->relationshipSql);
  if (!catalogue->keyMarks) return true;
  RecordFinder finder(store_.Records(DataKind::Table));
  return MarkKeyColumns(*catalogue->keyMarks, true, finder) &&
         MarkKeyColumns(*catalogue->keyMarks, false, finder);
}

// Rows (table or owner and table, column[, key position]): the column gets the primary-key or
// the unique mark, and a primary-key column its key position when the pass keeps one.
bool CatalogueFetch::MarkKeyColumns(const KeyMarkPass& pass, bool primary_key,
                                    const RecordFinder& finder) {
  const int column_at = pass.tableByOwner ? 2 : 1;
  const bool with_position = primary_key && pass.keyPositionEntry.has_value();
  const char* sql = primary_key ? pass.primaryKeySql : pass.uniqueSql;
  return ForEachRow(sql, column_at + (with_position ? 2 : 1), [&](const BoundRow& row) {
    TTableRec* record = pass.tableByOwner ? finder.ByOwnerAndName(row.Text(0), row.Text(1))
                                          : finder.ByName(row.Text(0));
    if (record == nullptr) return;
    TColumnRow* column = FindColumnRow(*record, pass.columnEntry, row.Text(column_at));
    if (column == nullptr) return;
    const size_t entry = primary_key ? pass.primaryKeyEntry : pass.uniqueEntry;
    if (with_position) {
      ReplaceValues(column->values,
                    {{entry, kMark}, {*pass.keyPositionEntry, row.Text(column_at + 1)}});
    } else {
      ReplaceValues(column->values, {{entry, kMark}});
    }
  });
}

// Rows (foreign-key table, referenced table), ordered by both: one relation per foreign-key
// table. The list is emptied first, so a failed statement leaves it empty.
bool CatalogueFetch::ReadRelationships(const char* sql) {
  std::vector<TRelationRec>& relations = store_.relations;
  relations.clear();
  return ForEachRow(sql, 2, [&](const BoundRow& row) {
    std::string_view fk_table = row.Text(0);
    if (relations.empty() || relations.back().fkTable != fk_table) {
      relations.push_back(TRelationRec{std::string(fk_table), {}});
    }
    relations.back().pkTables.emplace_back(row.Text(1));
  });
}

}  // namespace

bool FetchCatalogue(TCatalogueStore& store, DbSession& session) {
  if (ProfileOf(store.product).readsCatalogueFunctions) return FetchOdbcCatalogue(store, session);
  const DataKind data_kind = store.currentDataKind;
  std::optional<CatalogueSql> sql =
      BuildCatalogueSql(store.product, data_kind, session.connection.OwnerName);
  if (!sql || !session.connection.Connected) {
    // Nothing to fetch for this data kind, or no connection: nothing is touched.
    session.prompt.Error(InternalErrorText());
    return false;
  }

  session.status.SetBusy(true);
  session.status.SetPanelText(kActivityPanel, ToCp932("データ取得"));
  store.ClearDataKind(data_kind);

  CatalogueFetch fetch(store, session, data_kind);
  bool ok = false;
  try {
    ok = fetch.Run(*sql);
  } catch (const std::exception&) {
    ok = false;
  }
  if (!ok) {
    ShowODBCError(session.prompt, session.connection.Env.get(), session.connection.Dbc.get(),
                  fetch.statement());
    store.ClearDataKind(data_kind);
  }
  fetch.DropStatement();
  if (fetch.progress_begun()) session.progress.End();
  session.status.SetBusy(false);
  return ok;
}

}  // namespace morvane
