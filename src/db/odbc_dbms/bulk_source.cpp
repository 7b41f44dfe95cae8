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

const std::map<std::string, BulkSource::Rows>& BulkSource::Loaded(
    std::optional<std::map<std::string, Rows>>& rows, const char* sql) {
  if (!rows) rows = Grouped(sql);
  return *rows;
}

std::vector<OdbcKeyColumn> BulkSource::PrimaryKey(const OdbcTableEntry& table) {
  std::vector<OdbcKeyColumn> key;
  const auto& keys = Loaded(keys_, PrimaryKeySql());
  auto found = keys.find(Key(table.owner(), table.name));
  if (found == keys.end()) return key;
  for (const auto& row : found->second) key.push_back({row[2], Number(row[3])});
  return key;
}

std::vector<OdbcIndexEntry> BulkSource::Indexes(const OdbcTableEntry& table, bool unique_only) {
  std::vector<OdbcIndexEntry> indexes;
  const auto& all = Loaded(indexes_, IndexSql());
  auto found = all.find(Key(table.owner(), table.name));
  if (found == all.end()) return indexes;
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
  std::vector<std::string> referenced;
  const auto& references = Loaded(references_, ForeignKeySql());
  auto found = references.find(Key(table.owner(), table.name));
  if (found == references.end()) return referenced;
  for (const auto& row : found->second) {
    if (std::find(referenced.begin(), referenced.end(), row[2]) == referenced.end()) {
      referenced.push_back(row[2]);
    }
  }
  return referenced;
}

}  // namespace morvane
