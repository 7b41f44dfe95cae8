#include "db/odbc_catalogue_calls.h"

#include <algorithm>

#include "db/odbc_error.h"

namespace morvane {

namespace {

// An argument that is empty means "not given" to the catalogue functions.
WideArgument OptionalArgument(const std::string& cp932, const OdbcTextMode& mode) {
  return cp932.empty() ? WideArgument() : WideArgument(cp932, mode);
}

}  // namespace

OdbcCatalogueCalls::OdbcCatalogueCalls(SQLHDBC dbc, OdbcTextMode mode, const char* comments_query)
    : dbc_(dbc), comments_query_(comments_query), mode_(mode), reader_(dbc, mode) {
  statement_ = AllocateStatement(dbc);
  if (!statement_) throw OdbcFailure(OdbcErrorText(nullptr, dbc, nullptr));
  SQLWCHAR escape[8] = {};
  SQLSMALLINT length = 0;
  SQLRETURN rc = SQLGetInfoW(dbc, SQL_SEARCH_PATTERN_ESCAPE, escape, sizeof escape, &length);
  if (rc == SQL_SUCCESS && escape[0] != 0 && escape[0] < 0x80) {
    escape_ = std::string(1, static_cast<char>(escape[0]));
  }
}

void OdbcCatalogueCalls::Close() { SQLFreeStmt(statement_.get(), SQL_CLOSE); }

std::string OdbcCatalogueCalls::EscapePattern(const std::string& text) const {
  if (escape_.empty()) return text;
  std::string out;
  for (char c : text) {
    if (c == '_' || c == '%' || c == escape_[0]) out += escape_;
    out += c;
  }
  return out;
}

std::vector<OdbcTableEntry> OdbcCatalogueCalls::Tables() {
  SQLHSTMT stmt = statement_.get();
  WideArgument all("%", mode_);
  WideArgument types("TABLE,VIEW", mode_);
  // Every schema ("%": some drivers read a missing schema as the current one only).
  SQLRETURN rc = mode_.narrow
                     ? SQLTables(stmt, nullptr, 0, all.narrow(), all.length(), all.narrow(),
                                 all.length(), types.narrow(), types.length())
                     : SQLTablesW(stmt, nullptr, 0, all.get(), all.length(), all.get(),
                                  all.length(), types.get(), types.length());
  CheckOdbc(rc, dbc_, stmt);
  std::vector<OdbcTableEntry> tables;
  while (FetchRow(dbc_, stmt)) {
    OdbcTableEntry& table = tables.emplace_back();
    table.catalog = reader_.Text(stmt, 1);
    table.schema = reader_.Text(stmt, 2);
    table.name = reader_.Text(stmt, 3);
    table.type = reader_.Text(stmt, 4);
    table.remarks = reader_.Text(stmt, 5);
  }
  Close();
  return tables;
}

void OdbcCatalogueCalls::Columns(
    const std::string& catalog, const std::string& schema,
    const std::function<void(const std::string& table, OdbcColumnEntry&&)>& on_column) {
  SQLHSTMT stmt = statement_.get();
  WideArgument catalog_arg = OptionalArgument(catalog, mode_);
  WideArgument schema_arg = OptionalArgument(EscapePattern(schema), mode_);
  WideArgument all("%", mode_);
  SQLRETURN rc =
      mode_.narrow
          ? SQLColumns(stmt, catalog_arg.narrow(), catalog_arg.length(), schema_arg.narrow(),
                       schema_arg.length(), all.narrow(), all.length(), all.narrow(), all.length())
          : SQLColumnsW(stmt, catalog_arg.get(), catalog_arg.length(), schema_arg.get(),
                        schema_arg.length(), all.get(), all.length(), all.get(), all.length());
  CheckOdbc(rc, dbc_, stmt);
  std::string table;
  while (FetchRow(dbc_, stmt)) {
    // Without an escape, a schema pattern may match others: their rows are not this schema's.
    bool other_schema = reader_.Text(stmt, 2) != schema;
    table = reader_.Text(stmt, 3);
    OdbcColumnEntry column;
    column.name = reader_.Text(stmt, 4);
    column.dataType = reader_.Integer(stmt, 5).value_or(SQL_UNKNOWN_TYPE);
    column.typeName = reader_.Text(stmt, 6);
    column.columnSize = reader_.Integer(stmt, 7);
    column.bufferLength = reader_.Integer(stmt, 8);
    column.decimalDigits = reader_.Integer(stmt, 9);
    column.radix = reader_.Integer(stmt, 10);
    column.nullable = reader_.Integer(stmt, 11).value_or(SQL_NULLABLE_UNKNOWN);
    column.remarks = reader_.Text(stmt, 12);
    column.defaultValue = reader_.Get(stmt, 13);
    column.octetLength = reader_.Integer(stmt, 16);
    column.ordinal = reader_.Integer(stmt, 17);
    if (!other_schema) on_column(table, std::move(column));
  }
  Close();
}

std::vector<OdbcKeyColumn> OdbcCatalogueCalls::PrimaryKey(const OdbcTableEntry& table) {
  SQLHSTMT stmt = statement_.get();
  WideArgument catalog = OptionalArgument(table.catalog, mode_);
  WideArgument schema = OptionalArgument(table.schema, mode_);
  WideArgument name(table.name, mode_);
  SQLRETURN rc = mode_.narrow
                     ? SQLPrimaryKeys(stmt, catalog.narrow(), catalog.length(), schema.narrow(),
                                      schema.length(), name.narrow(), name.length())
                     : SQLPrimaryKeysW(stmt, catalog.get(), catalog.length(), schema.get(),
                                       schema.length(), name.get(), name.length());
  CheckOdbc(rc, dbc_, stmt);
  std::vector<OdbcKeyColumn> key;
  while (FetchRow(dbc_, stmt)) {
    OdbcKeyColumn& column = key.emplace_back();
    column.name = reader_.Text(stmt, 4);
    column.position = reader_.Integer(stmt, 5).value_or(0);
  }
  Close();
  std::stable_sort(key.begin(), key.end(),
                   [](const auto& a, const auto& b) { return a.position < b.position; });
  return key;
}

std::vector<OdbcIndexEntry> OdbcCatalogueCalls::Indexes(const OdbcTableEntry& table,
                                                        bool unique_only) {
  SQLHSTMT stmt = statement_.get();
  WideArgument catalog = OptionalArgument(table.catalog, mode_);
  WideArgument schema = OptionalArgument(table.schema, mode_);
  WideArgument name(table.name, mode_);
  const SQLUSMALLINT which = unique_only ? SQL_INDEX_UNIQUE : SQL_INDEX_ALL;
  SQLRETURN rc =
      mode_.narrow ? SQLStatistics(stmt, catalog.narrow(), catalog.length(), schema.narrow(),
                                   schema.length(), name.narrow(), name.length(), which, SQL_QUICK)
                   : SQLStatisticsW(stmt, catalog.get(), catalog.length(), schema.get(),
                                    schema.length(), name.get(), name.length(), which, SQL_QUICK);
  CheckOdbc(rc, dbc_, stmt);
  std::vector<OdbcIndexEntry> indexes;
  std::string last_key;
  while (FetchRow(dbc_, stmt)) {
    std::optional<long> non_unique = reader_.Integer(stmt, 4);
    std::string qualifier = reader_.Text(stmt, 5);
    std::string index_name = reader_.Text(stmt, 6);
    long type = reader_.Integer(stmt, 7).value_or(SQL_INDEX_OTHER);
    if (type == SQL_TABLE_STAT) continue;
    // The rows of one index arrive together; qualifier and name tell indexes apart.
    std::string key = qualifier + '\0' + index_name;
    if (indexes.empty() || key != last_key) {
      OdbcIndexEntry& index = indexes.emplace_back();
      index.name = index_name;
      index.unique = non_unique.has_value() && *non_unique == SQL_FALSE;
      index.type = type;
      last_key = key;
    }
    OdbcIndexColumn& column = indexes.back().columns.emplace_back();
    column.position = reader_.Integer(stmt, 8).value_or(0);
    column.name = reader_.Text(stmt, 9);
    column.order = reader_.Text(stmt, 10);
  }
  Close();
  return indexes;
}

std::vector<OdbcComment> OdbcCatalogueCalls::MissingComments() {
  if (comments_query_ == nullptr) return {};
  SQLHSTMT stmt = statement_.get();
  CheckOdbc(ExecDirectText(stmt, comments_query_, mode_), dbc_, stmt);
  std::vector<OdbcComment> comments;
  while (FetchRow(dbc_, stmt)) {
    OdbcComment& comment = comments.emplace_back();
    comment.schema = reader_.Text(stmt, 1);
    comment.table = reader_.Text(stmt, 2);
    comment.column = reader_.Text(stmt, 3);
    comment.text = reader_.Text(stmt, 4);
  }
  Close();
  return comments;
}

std::vector<std::string> OdbcCatalogueCalls::ReferencedTables(const OdbcTableEntry& table) {
  SQLHSTMT stmt = statement_.get();
  WideArgument catalog = OptionalArgument(table.catalog, mode_);
  WideArgument schema = OptionalArgument(table.schema, mode_);
  WideArgument name(table.name, mode_);
  SQLRETURN rc = mode_.narrow ? SQLForeignKeys(stmt, nullptr, 0, nullptr, 0, nullptr, 0,
                                               catalog.narrow(), catalog.length(), schema.narrow(),
                                               schema.length(), name.narrow(), name.length())
                              : SQLForeignKeysW(stmt, nullptr, 0, nullptr, 0, nullptr, 0,
                                                catalog.get(), catalog.length(), schema.get(),
                                                schema.length(), name.get(), name.length());
  CheckOdbc(rc, dbc_, stmt);
  std::vector<std::string> referenced;
  while (FetchRow(dbc_, stmt)) {
    std::string pk_table = reader_.Text(stmt, 3);
    if (std::find(referenced.begin(), referenced.end(), pk_table) == referenced.end()) {
      referenced.push_back(std::move(pk_table));
    }
  }
  Close();
  return referenced;
}

}  // namespace morvane
