#include "db/odbc_catalogue_reader.h"

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>
#include <utility>

#include "db/odbc_catalogue_calls.h"
#include "db/odbc_catalogue_source.h"
#include "db/odbc_dbms/dbms_reader.h"
#include "db/odbc_error.h"
#include "db/odbc_handles.h"
#include "db/odbc_read_cache.h"
#include "db/table_index_matrix.h"
#include "db/value_replace.h"
#include "model/data_kind.h"
#include "model/odbc_default_items.h"
#include "text/codec.h"

namespace morvane {

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string NumberText(const std::optional<long>& value) {
  return value ? std::to_string(*value) : std::string();
}

std::string IndexTypeText(long type) {
  switch (type) {
    case SQL_INDEX_CLUSTERED:
      return "CLUSTERED";
    case SQL_INDEX_HASHED:
      return "HASHED";
    default:
      return "OTHER";
  }
}

std::string UniquenessText(bool unique) { return unique ? "UNIQUE" : "NONUNIQUE"; }

// The bytes a value of a non-character type takes in transfer, as ODBC defines it; nullopt for
// types whose size depends on the declaration.
std::optional<long> TypeSize(const OdbcColumnEntry& column) {
  switch (column.dataType) {
    case SQL_BIT:
    case SQL_TINYINT:
      return 1;
    case SQL_SMALLINT:
      return 2;
    case SQL_INTEGER:
    case SQL_REAL:
      return 4;
    case SQL_BIGINT:
    case SQL_FLOAT:
    case SQL_DOUBLE:
      return 8;
    case SQL_DECIMAL:
    case SQL_NUMERIC:  // digits, sign and decimal point as text
      if (column.columnSize) return *column.columnSize + 2;
      return std::nullopt;
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
    case SQL_DATE:
    case SQL_TIME:
      return 6;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP:
    case SQL_GUID:
      return 16;
    default:
      return std::nullopt;
  }
}

// The byte size of a column: the type's transfer size where ODBC fixes one, else the driver's
// octet length (character and binary types), else its BUFFER_LENGTH; empty when none is known.
// Drivers disagree on BUFFER_LENGTH of numbers and dates, so it comes last.
std::optional<long> ByteSize(const OdbcColumnEntry& column) {
  if (std::optional<long> size = TypeSize(column)) return size;
  if (column.octetLength && *column.octetLength > 0) return column.octetLength;
  return column.bufferLength;
}

// Ends the progress run on every way out once it has begun.
class ProgressRun {
 public:
  explicit ProgressRun(IProgress& progress) : progress_(progress) {}
  ~ProgressRun() {
    if (begun_) progress_.End();
  }
  void Begin(int total) {
    progress_.Begin("データ取得", total);
    begun_ = true;
  }
  // Reports `done` steps; throws OdbcCancelled when the user has asked to stop.
  void Step(int done) {
    if (progress_.Cancelled()) throw OdbcCancelled();
    progress_.Step(done);
  }

 private:
  IProgress& progress_;
  bool begun_ = false;
};

// Fills table and column remarks the driver left empty from the database's own comments.
void AddMissingComments(OdbcCatalogueCalls& calls, std::vector<OdbcTableEntry>& tables,
                        std::vector<std::vector<OdbcColumnEntry>>& columns) {
  std::vector<OdbcComment> comments = calls.MissingComments();
  if (comments.empty()) return;
  std::map<std::tuple<std::string, std::string, std::string>, std::string> by_name;
  for (OdbcComment& c : comments) by_name[{c.schema, c.table, c.column}] = std::move(c.text);
  auto find = [&](const OdbcTableEntry& t, const std::string& column) -> const std::string* {
    auto found = by_name.find({t.schema, t.name, column});
    return found == by_name.end() ? nullptr : &found->second;
  };
  for (size_t i = 0; i < tables.size(); ++i) {
    if (const std::string* text = find(tables[i], ""); text && tables[i].remarks.empty()) {
      tables[i].remarks = *text;
    }
    for (OdbcColumnEntry& column : columns[i]) {
      if (const std::string* text = find(tables[i], column.name); text && column.remarks.empty()) {
        column.remarks = *text;
      }
    }
  }
}

}  // namespace

// The columns of every listed table: one SQLColumns call per catalog and schema.
const OdbcColumnLists& OdbcCallsSource::Columns(std::vector<OdbcTableEntry>& tables) {
  OdbcCatalogueCalls& calls = calls_;
  // (catalog, schema) -> (table name -> position in `tables`)
  std::map<std::pair<std::string, std::string>, std::map<std::string, size_t>> by_owner;
  for (size_t i = 0; i < tables.size(); ++i) {
    by_owner[{tables[i].catalog, tables[i].schema}].emplace(tables[i].name, i);
  }
  std::vector<std::vector<OdbcColumnEntry>> columns(tables.size());
  for (const auto& [owner, positions] : by_owner) {
    calls.Columns(owner.first, owner.second,
                  [&](const std::string& table, OdbcColumnEntry&& column) {
                    auto found = positions.find(table);
                    if (found != positions.end())
                      columns[found->second].push_back(std::move(column));
                  });
  }
  for (auto& list : columns) {
    std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
      return a.ordinal.value_or(0) < b.ordinal.value_or(0);
    });
    // Drivers number differently (PostgreSQL's counts on across tables, or skips dropped
    // columns): the document numbers the columns of each table from 1.
    for (size_t i = 0; i < list.size(); ++i) list[i].ordinal = static_cast<long>(i) + 1;
  }
  AddMissingComments(calls, tables, columns);
  columns_ = std::move(columns);
  return columns_;
}

namespace {

// Whether an index covers exactly the primary-key columns: it is the key's own index.
bool IsPrimaryKeyIndex(const OdbcIndexEntry& index, const std::vector<OdbcKeyColumn>& key) {
  if (key.empty() || index.columns.size() != key.size()) return false;
  return std::all_of(index.columns.begin(), index.columns.end(), [&](const OdbcIndexColumn& c) {
    return std::any_of(key.begin(), key.end(), [&](const auto& k) { return k.name == c.name; });
  });
}

using ValueRows = std::vector<std::vector<std::string>>;

std::vector<std::string>* ColumnNamed(ValueRows& rows, std::string_view name) {
  for (auto& row : rows) {
    if (row[odbc_column::kName] == name) return &row;
  }
  return nullptr;
}

std::vector<std::string> ColumnValues(const OdbcColumnEntry& column) {
  std::vector<std::string> values(odbc_column::kValueCount);
  values[odbc_column::kNo] = NumberText(column.ordinal);
  values[odbc_column::kName] = column.name;
  values[odbc_column::kType] = column.typeName;
  // Numeric types have a radix (10 or 2): their column size is a precision, anything else's a
  // length.
  bool numeric = column.radix == 10 || column.radix == 2;
  values[numeric ? odbc_column::kPrecision : odbc_column::kLength] = NumberText(column.columnSize);
  values[odbc_column::kScale] = NumberText(column.decimalDigits);
  values[odbc_column::kLength2] = NumberText(column.columnSize);
  if (numeric) values[odbc_column::kScale2] = NumberText(column.decimalDigits);
  values[odbc_column::kSize] = NumberText(ByteSize(column));
  if (column.nullable == SQL_NO_NULLS) values[odbc_column::kNotNull] = kMark;
  values[odbc_column::kDefault] = column.defaultValue.value_or("");
  values[odbc_column::kRemarks] = column.remarks;
  return values;
}

// Primary-key marks with the key position, and unique marks for the columns of every unique
// index other than the key's own.
void MarkKeys(ValueRows& rows, const std::vector<OdbcKeyColumn>& key,
              const std::vector<OdbcIndexEntry>& unique_indexes) {
  for (const OdbcKeyColumn& key_column : key) {
    if (auto* row = ColumnNamed(rows, key_column.name)) {
      (*row)[odbc_column::kPrimaryKey] = kMark;
      (*row)[odbc_column::kPrimaryNo] = std::to_string(key_column.position);
    }
  }
  for (const OdbcIndexEntry& index : unique_indexes) {
    if (!index.unique || IsPrimaryKeyIndex(index, key)) continue;
    for (const OdbcIndexColumn& column : index.columns) {
      if (auto* row = ColumnNamed(rows, column.name)) (*row)[odbc_column::kUnique] = kMark;
    }
  }
}

TTableRec TableRecord(const OdbcTableEntry& table, const ValueRows& rows, long total_size) {
  TTableRec record;
  record.owner = table.owner();
  record.name = table.name;
  record.type = table.type;
  record.columns.reserve(rows.size());
  for (const auto& row : rows) record.columns.push_back(TColumnRow{TValueList(row)});
  std::vector<std::string> values(odbc_table::kValueCount);
  values[odbc_table::kOwner] = record.owner;
  values[odbc_table::kName] = record.name;
  values[odbc_table::kType] = record.type;
  values[odbc_table::kSize] = std::to_string(total_size);
  values[odbc_table::kCatalog] = table.catalog;
  values[odbc_table::kRemarks] = table.remarks;
  record.values = TValueList(values);
  return record;
}

void ReadTableInformation(OdbcCatalogueSource& calls, std::vector<OdbcTableEntry>& tables,
                          ProgressRun& progress, OdbcCatalogue& out) {
  const OdbcColumnLists& columns = calls.Columns(tables);
  out.records.reserve(tables.size());
  for (size_t i = 0; i < tables.size(); ++i) {
    ValueRows rows;
    long total_size = 0;
    for (const OdbcColumnEntry& column : columns[i]) {
      rows.push_back(ColumnValues(column));
      total_size += ByteSize(column).value_or(0);
    }
    MarkKeys(rows, calls.PrimaryKey(tables[i]), calls.Indexes(tables[i], true));
    out.records.push_back(TableRecord(tables[i], rows, total_size));
    std::vector<std::string> referenced = calls.ReferencedTables(tables[i]);
    if (!referenced.empty()) out.relations.push_back({tables[i].name, std::move(referenced)});
    progress.Step(static_cast<int>(i) + 1);
  }
}

void ReadIndexInformation(OdbcCatalogueSource& calls, const std::vector<OdbcTableEntry>& tables,
                          ProgressRun& progress, OdbcCatalogue& out) {
  for (size_t i = 0; i < tables.size(); ++i) {
    const OdbcTableEntry& table = tables[i];
    for (const OdbcIndexEntry& index : calls.Indexes(table, false)) {
      TTableRec& record = out.records.emplace_back();
      record.owner = table.owner();
      record.name = index.name;
      record.type = IndexTypeText(index.type);
      std::vector<std::string> values(odbc_index::kValueCount);
      values[odbc_index::kOwner] = record.owner;
      values[odbc_index::kName] = record.name;
      values[odbc_index::kType] = record.type;
      values[odbc_index::kTableName] = table.name;
      values[odbc_index::kUniqueness] = UniquenessText(index.unique);
      values[odbc_index::kCatalog] = table.catalog;
      record.values = TValueList(values);
      for (const OdbcIndexColumn& column : index.columns) {
        std::vector<std::string> row(odbc_index_column::kValueCount);
        row[odbc_index_column::kPosition] = std::to_string(column.position);
        row[odbc_index_column::kName] = column.name;
        row[odbc_index_column::kOrder] = column.order;
        record.columns.push_back(TColumnRow{TValueList(row)});
      }
    }
    progress.Step(static_cast<int>(i) + 1);
  }
}

// Per table: its columns in order, each on one matrix row per index it is in (or one row with
// no index), as the other products' table-index statements deliver them.
void ReadTableIndexInformation(OdbcCatalogueSource& calls, std::vector<OdbcTableEntry>& tables,
                               ProgressRun& progress, OdbcCatalogue& out) {
  const OdbcColumnLists& columns = calls.Columns(tables);
  TableIndexMatrixBuilder matrix;
  for (size_t i = 0; i < tables.size(); ++i) {
    const OdbcTableEntry& table = tables[i];
    std::vector<OdbcIndexEntry> indexes = calls.Indexes(table, false);
    TTableRec& record = out.records.emplace_back();
    record.owner = table.owner();
    record.name = table.name;
    record.type = table.type;
    matrix.StartRecord();
    for (const OdbcColumnEntry& column : columns[i]) {
      bool in_any = false;
      for (const OdbcIndexEntry& index : indexes) {
        for (const OdbcIndexColumn& index_column : index.columns) {
          if (index_column.name != column.name) continue;
          std::string position = std::to_string(index_column.position);
          std::string type = UniquenessText(index.unique);
          matrix.TakeRow({column.name, column.typeName, index.name, type, position});
          in_any = true;
        }
      }
      if (!in_any) matrix.TakeRow({column.name, column.typeName, "", "", ""});
    }
    int index_count = matrix.FinishRecord(record);
    record.values = TValueList(std::vector<std::string>{record.owner, record.name, record.type,
                                                        std::to_string(index_count)});
    progress.Step(static_cast<int>(i) + 1);
  }
  out.largestIndexCount = matrix.largest_index_count();
  size_t width = static_cast<size_t>(out.largestIndexCount) + 2;
  for (TTableRec& record : out.records) {
    for (TColumnRow& row : record.columns) {
      if (row.values.size() < width) row.values.resize(width);
    }
  }
}

}  // namespace

bool IsSystemTable(std::string_view owner, std::string_view name) {
  static constexpr std::string_view kSystemOwners[] = {"information_schema", "pg_catalog", "mysql",
                                                       "performance_schema", "sys"};
  for (std::string_view system : kSystemOwners) {
    if (EqualsIgnoringCase(owner, system)) return true;
  }
  // PostgreSQL reserves every schema name starting "pg_", SQLite every table name "sqlite_".
  return StartsWithIgnoringCase(owner, "pg_") || StartsWithIgnoringCase(name, "sqlite_");
}

// Whether a table's owner is among the chosen ones.
bool IsChosen(const OdbcTableEntry& table, const OdbcReadOptions& options) {
  if (!options.schemas) return true;
  return std::find(options.schemas->begin(), options.schemas->end(), table.owner()) !=
         options.schemas->end();
}

namespace {

// Runs a statement when it goes out of scope, ignoring its result.
class FinalStatement {
 public:
  FinalStatement(SQLHDBC dbc, std::string sql, const OdbcTextMode& mode)
      : dbc_(dbc), sql_(std::move(sql)), mode_(mode) {}
  ~FinalStatement() {
    if (sql_.empty()) return;
    if (StmtHandle statement = AllocateStatement(dbc_)) {
      ExecDirectText(statement.get(), sql_, mode_);
    }
  }

 private:
  SQLHDBC dbc_;
  std::string sql_;
  OdbcTextMode mode_;
};

}  // namespace

OdbcCatalogue ReadOdbcCatalogue(SQLHDBC dbc, DataKind data_kind, IProgress& progress,
                                const OdbcReadOptions& options) {
  // A command reading several data kinds asks the driver once.
  const OdbcReadCache::ConnectionFacts* known = options.cache ? options.cache->facts() : nullptr;
  const DbmsReader* reader = known ? known->reader : FindDbmsReader(DbmsName(dbc));
  OdbcTextMode mode = known ? known->mode : DetectTextMode(dbc, reader);
  if (options.cache != nullptr && known == nullptr) options.cache->KeepFacts({reader, mode});
  FinalStatement restore(dbc, reader ? reader->UseLosslessText(dbc, mode) : std::string(), mode);
  const bool native = reader != nullptr && options.native;
  std::unique_ptr<OdbcCatalogueSource> source;
  if (options.cache == nullptr || !options.cache->Holds(native)) {
    source = native ? reader->Open(dbc, mode, options.schemas)
                    : std::make_unique<OdbcCallsSource>(dbc, mode,
                                                        reader ? reader->CommentsQuery() : nullptr);
  }
  if (options.cache != nullptr && source) options.cache->Keep(std::move(source), native);
  OdbcCatalogueSource& calls = options.cache != nullptr ? *options.cache : *source;
  std::vector<OdbcTableEntry> tables = calls.Tables();
  std::erase_if(tables, [&](const OdbcTableEntry& t) {
    return IsSystemTable(t.owner(), t.name) || !IsChosen(t, options);
  });

  ProgressRun run(progress);
  run.Begin(static_cast<int>(tables.size()));
  OdbcCatalogue out;
  out.native = native;
  switch (data_kind) {
    case DataKind::Table:
      ReadTableInformation(calls, tables, run, out);
      break;
    case DataKind::Index:
      ReadIndexInformation(calls, tables, run, out);
      break;
    case DataKind::TableIndex:
      ReadTableIndexInformation(calls, tables, run, out);
      break;
    default:
      break;
  }
  return out;
}

std::string OdbcCountSql(std::string_view quote, std::string_view owner, std::string_view name) {
  // Quotes inside a name are doubled; the second byte of a double-byte character may look like
  // a quote (a backquote) and is left alone.
  auto quoted = [&](std::string_view part) {
    if (quote.size() != 1) return std::string(part);
    std::string out(quote);
    for (size_t pos = 0; pos < part.size(); ++pos) {
      if (IsCp932LeadByte(static_cast<unsigned char>(part[pos])) && pos + 1 < part.size()) {
        out += part.substr(pos++, 2);
        continue;
      }
      out += part[pos];
      if (part[pos] == quote[0]) out += quote;
    }
    return out + std::string(quote);
  };
  std::string sql = "SELECT COUNT(*) FROM ";
  if (!owner.empty()) sql += quoted(owner) + ".";
  return sql + quoted(name);
}

std::string IdentifierQuote(SQLHDBC dbc) {
  SQLWCHAR quote[8] = {};
  SQLSMALLINT length = 0;
  SQLRETURN rc = SQLGetInfoW(dbc, SQL_IDENTIFIER_QUOTE_CHAR, quote, sizeof quote, &length);
  if ((rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) || quote[0] == 0 || quote[0] == ' ') {
    return {};
  }
  return std::string(1, static_cast<char>(quote[0]));
}

std::string OdbcQueryValue(SQLHDBC dbc, std::string_view sql_cp932) {
  StmtHandle statement = AllocateStatement(dbc);
  if (!statement) throw OdbcFailure(OdbcErrorText(nullptr, dbc, nullptr));
  const OdbcTextMode mode = DetectTextMode(dbc, FindDbmsReader(DbmsName(dbc)));
  CheckOdbc(ExecDirectText(statement.get(), sql_cp932, mode), dbc, statement.get());
  if (!FetchRow(dbc, statement.get())) return {};
  WideColumnReader reader(dbc, mode);
  return reader.Text(statement.get(), 1);
}

}  // namespace morvane
