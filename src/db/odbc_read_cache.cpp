#include "db/odbc_read_cache.h"

#include <algorithm>
#include <utility>

namespace morvane {

namespace {

bool SameTables(const std::vector<OdbcTableEntry>& a, const std::vector<OdbcTableEntry>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
    return x.catalog == y.catalog && x.schema == y.schema && x.name == y.name;
  });
}

// The cached value for `key`, read through `read` the first time.
template <typename Value, typename Read>
Value Remembered(std::map<std::string, Value>& cache, const std::string& key, Read read) {
  auto found = cache.find(key);
  if (found == cache.end()) found = cache.emplace(key, read()).first;
  return found->second;
}

}  // namespace

void OdbcReadCache::Keep(std::unique_ptr<OdbcCatalogueSource> inner, bool native) {
  std::optional<ConnectionFacts> facts = facts_;
  *this = OdbcReadCache();
  facts_ = facts;
  inner_ = std::move(inner);
  native_ = native;
}

std::string OdbcReadCache::Key(const OdbcTableEntry& table) {
  return table.catalog + '\0' + table.schema + '\0' + table.name;
}

std::vector<OdbcTableEntry> OdbcReadCache::Tables() {
  if (!tables_) tables_ = inner_->Tables();
  return *tables_;
}

const OdbcColumnLists& OdbcReadCache::Columns(std::vector<OdbcTableEntry>& tables) {
  if (columns_ == nullptr || !SameTables(tables, column_tables_)) {
    column_tables_ = tables;
    columns_ = &inner_->Columns(column_tables_);
  }
  tables = column_tables_;
  return *columns_;
}

std::vector<OdbcKeyColumn> OdbcReadCache::PrimaryKey(const OdbcTableEntry& table) {
  return Remembered(keys_, Key(table), [&] { return inner_->PrimaryKey(table); });
}

std::vector<OdbcIndexEntry> OdbcReadCache::Indexes(const OdbcTableEntry& table, bool unique_only) {
  return Remembered(indexes_[unique_only ? 1 : 0], Key(table),
                    [&] { return inner_->Indexes(table, unique_only); });
}

std::vector<std::string> OdbcReadCache::ReferencedTables(const OdbcTableEntry& table) {
  return Remembered(references_, Key(table), [&] { return inner_->ReferencedTables(table); });
}

}  // namespace morvane
