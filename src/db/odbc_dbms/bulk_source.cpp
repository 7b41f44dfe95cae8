#include "db/odbc_dbms/bulk_source.h"

#include <algorithm>

#include "db/odbc_error.h"
#include "db/odbc_handles.h"

namespace morvane {

namespace {

long Number(const std::string& text) { return text.empty() ? 0 : std::stol(text); }

}  // namespace

BulkSource::BulkSource(SQLHDBC dbc, const OdbcTextMode& mode)
    : OdbcCallsSource(dbc, mode), dbc_(dbc), mode_(mode) {}

std::string BulkSource::Key(const std::string& owner, const std::string& table) {
  return owner + '\0' + table;
}

std::map<std::string, BulkSource::Rows> BulkSource::Grouped(const char* sql) {
  StmtHandle statement = AllocateStatement(dbc_);
  if (!statement) throw OdbcFailure(OdbcErrorText(nullptr, dbc_, nullptr));
  SQLHSTMT stmt = statement.get();
  CheckOdbc(ExecDirectText(stmt, sql, mode_), dbc_, stmt);
  SQLSMALLINT count = 0;
  CheckOdbc(SQLNumResultCols(stmt, &count), dbc_, stmt);
  WideColumnReader reader(dbc_, mode_);
  std::map<std::string, Rows> grouped;
  while (FetchRow(dbc_, stmt)) {
    std::vector<std::string> row;
    row.reserve(count);
    for (SQLSMALLINT i = 1; i <= count; ++i) row.push_back(reader.Text(stmt, i));
    grouped[Key(row[0], row[1])].push_back(std::move(row));
  }
  return grouped;
}

void BulkSource::Load() {
  if (loaded_) return;
  keys_ = Grouped(PrimaryKeySql());
  indexes_ = Grouped(IndexSql());
  references_ = Grouped(ForeignKeySql());
  loaded_ = true;
}

std::vector<OdbcKeyColumn> BulkSource::PrimaryKey(const OdbcTableEntry& table) {
  Load();
  std::vector<OdbcKeyColumn> key;
  auto found = keys_.find(Key(table.owner(), table.name));
  if (found == keys_.end()) return key;
  for (const auto& row : found->second) key.push_back({row[2], Number(row[3])});
  return key;
}

std::vector<OdbcIndexEntry> BulkSource::Indexes(const OdbcTableEntry& table, bool unique_only) {
  Load();
  std::vector<OdbcIndexEntry> indexes;
  auto found = indexes_.find(Key(table.owner(), table.name));
  if (found == indexes_.end()) return indexes;
  for (const auto& row : found->second) {
    const bool unique = row[3] == "1";
    if (unique_only && !unique) continue;
    if (indexes.empty() || indexes.back().name != row[2]) {
      OdbcIndexEntry& index = indexes.emplace_back();
      index.name = row[2];
      index.unique = unique;
      index.type = Number(row[4]);
    }
    indexes.back().columns.push_back({Number(row[5]), row[6], row[7]});
  }
  return indexes;
}

std::vector<std::string> BulkSource::ReferencedTables(const OdbcTableEntry& table) {
  Load();
  std::vector<std::string> referenced;
  auto found = references_.find(Key(table.owner(), table.name));
  if (found == references_.end()) return referenced;
  for (const auto& row : found->second) {
    if (std::find(referenced.begin(), referenced.end(), row[2]) == referenced.end()) {
      referenced.push_back(row[2]);
    }
  }
  return referenced;
}

}  // namespace morvane
