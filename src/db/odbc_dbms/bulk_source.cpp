#include "db/odbc_dbms/bulk_source.h"

#include <algorithm>
#include <charconv>
#include <numeric>

#include "db/odbc_error.h"
#include "db/odbc_handles.h"
#include "text/codec.h"

namespace morvane {

namespace {

long Number(const std::string& text) { return text.empty() ? 0 : std::stol(text); }

// A whole number written in decimal digits; 0 for anything else.
long Digits(std::string_view text) {
  long value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

BulkSource::BulkSource(SQLHDBC dbc, const OdbcTextMode& mode,
                       std::optional<std::vector<std::string>> schemas, const char* comments_query)
    : OdbcCallsSource(dbc, mode, comments_query),
      dbc_(dbc),
      mode_(mode),
      schemas_(std::move(schemas)) {}

std::string BulkSource::OwnerCondition(const std::string& owner_sql) const {
  if (!schemas_) return UserOwnerCondition(owner_sql);
  if (schemas_->empty()) return "1 = 0";
  std::string condition = owner_sql + " IN (";
  for (size_t i = 0; i < schemas_->size(); ++i) {
    if (i > 0) condition += ", ";
    condition += TextLiteral(Cp932ToUtf8((*schemas_)[i]).text);
  }
  return condition + ")";
}

void BulkSource::EachRow(const std::string& sql, std::string_view kinds,
                         const std::function<void(Row&)>& on_row) {
  StmtHandle statement = AllocateStatement(dbc_);
  if (!statement) throw OdbcFailure(OdbcErrorText(nullptr, dbc_, nullptr));
  SQLHSTMT stmt = statement.get();
  CheckOdbc(ExecDirectText(stmt, sql, mode_), dbc_, stmt);
  SQLSMALLINT count = 0;
  CheckOdbc(SQLNumResultCols(stmt, &count), dbc_, stmt);
  std::string all_kinds(kinds);
  all_kinds.resize(static_cast<size_t>(count), kinds.empty() ? 't' : kinds.back());
  WideColumnReader reader(dbc_, mode_);
  Row row;
  row.text.resize(all_kinds.size());
  row.number.resize(all_kinds.size());
  std::string bytes;
  while (FetchRow(dbc_, stmt)) {
    for (size_t i = 0; i < all_kinds.size(); ++i) {
      const auto column = static_cast<SQLUSMALLINT>(i + 1);
      switch (all_kinds[i]) {
        case 'n':
          row.number[i] = reader.Integer(stmt, column);
          break;
        case 'u':
          row.text[i] = ReadBytes(stmt, column, bytes)
                            ? std::optional<std::string>(Utf8ToCp932Lossy(bytes))
                            : std::nullopt;
          break;
        case 'd':
          row.number[i] =
              ReadBytes(stmt, column, bytes) ? std::optional<long>(Digits(bytes)) : std::nullopt;
          break;
        default:
          row.text[i] = reader.Get(stmt, column);
      }
    }
    on_row(row);
  }
}

bool BulkSource::ReadBytes(SQLHSTMT stmt, SQLUSMALLINT column, std::string& bytes) {
  bytes.clear();
  char chunk[1024];
  for (;;) {
    SQLLEN indicator = 0;
    SQLRETURN rc = SQLGetData(stmt, column, SQL_C_BINARY, chunk, sizeof chunk, &indicator);
    if (rc == SQL_NO_DATA) break;
    CheckOdbc(rc, dbc_, stmt);
    if (indicator == SQL_NULL_DATA) return false;
    size_t size = sizeof chunk;
    if (indicator != SQL_NO_TOTAL && static_cast<size_t>(indicator) < size) {
      size = static_cast<size_t>(indicator);
    }
    bytes.append(chunk, size);
    if (rc == SQL_SUCCESS) break;
  }
  return true;
}

std::string BulkSource::Key(const std::string& owner, const std::string& table) {
  return owner + '\0' + table;
}

std::string BulkSource::Hex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 15];
  }
  return hex;
}

BulkSource::TableFinder::TableFinder(const std::vector<OdbcTableEntry>& tables)
    : last_(tables.size()), none_(tables.size()) {
  for (size_t i = 0; i < tables.size(); ++i) positions_[Key(tables[i].owner(), tables[i].name)] = i;
}

size_t BulkSource::TableFinder::Find(const std::optional<std::string>& owner,
                                     const std::optional<std::string>& name) {
  std::string key = Key(owner.value_or(""), name.value_or(""));
  if (key == last_key_) return last_;
  auto found = positions_.find(key);
  last_ = found == positions_.end() ? none_ : found->second;
  last_key_ = std::move(key);
  return last_;
}

OdbcColumnEntry& BulkSource::ColumnCollector::Add(size_t position) {
  return all_.emplace_back(position, OdbcColumnEntry()).second;
}

OdbcColumnLists BulkSource::ColumnCollector::Finish() {
  // Sorts the places, not the columns, which are large.
  std::vector<size_t> order(all_.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    if (all_[a].first != all_[b].first) return all_[a].first < all_[b].first;
    return all_[a].second.ordinal.value_or(0) < all_[b].second.ordinal.value_or(0);
  });
  std::vector<size_t> counts(tables_, 0);
  for (const auto& entry : all_) ++counts[entry.first];
  OdbcColumnLists columns(tables_);
  for (size_t i = 0; i < tables_; ++i) columns[i].reserve(counts[i]);
  for (size_t i : order) {
    std::vector<OdbcColumnEntry>& list = columns[all_[i].first];
    list.push_back(std::move(all_[i].second));
    list.back().ordinal = static_cast<long>(list.size());
  }
  all_.clear();
  return columns;
}

std::map<std::string, BulkSource::Rows> BulkSource::Grouped(const std::string& sql) {
  std::map<std::string, Rows> grouped;
  EachRow(sql, std::string(1, TextKind()), [&](Row& row) {
    std::vector<std::string> values;
    values.reserve(row.text.size());
    for (auto& text : row.text) values.push_back(text.value_or(""));
    grouped[Key(values[0], values[1])].push_back(std::move(values));
  });
  return grouped;
}

const std::map<std::string, BulkSource::Rows>& BulkSource::Loaded(
    std::optional<std::map<std::string, Rows>>& rows, const std::string& sql) {
  if (!rows) rows = Grouped(sql);
  return *rows;
}

std::vector<OdbcKeyColumn> BulkSource::PrimaryKey(const OdbcTableEntry& table) {
  std::vector<OdbcKeyColumn> key;
  const auto& all = Loaded(indexes_, IndexSql());
  auto found = all.find(Key(table.owner(), table.name));
  if (found == all.end()) return key;
  for (const auto& row : found->second) {
    if (row[8] == "1") key.push_back({row[6], Number(row[5])});
  }
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
