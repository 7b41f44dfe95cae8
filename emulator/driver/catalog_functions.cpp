// SQLTables and SQLColumns, answered from the live schema (isql's "help" uses them).
#include <sqlext.h>

#include "driver/diagnostics.h"
#include "driver/odbc_api.h"
#include "engine/vendor_types.h"

namespace morvane::emulator::odbc {
namespace {

// Search pattern of the catalogue functions: % any run, _ one character; empty matches all.
bool Like(std::string_view pattern, std::string_view text) {
  if (pattern.empty()) return true;
  if (pattern == "%") return true;
  size_t p = 0, t = 0, star = std::string_view::npos, mark = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == '_' || pattern[p] == text[t])) {
      ++p;
      ++t;
    } else if (p < pattern.size() && pattern[p] == '%') {
      star = p++;
      mark = t;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      t = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '%') ++p;
  return p == pattern.size();
}

bool TypeWanted(const std::string& types, bool is_view) {
  if (types.empty() || types == "%") return true;
  return types.find(is_view ? "VIEW" : "TABLE") != std::string::npos;
}

ResultColumn Column(const char* name, int type = SQL_VARCHAR, int size = 128) {
  ResultColumn c;
  c.name = name;
  c.sql_type = type;
  c.size = size;
  return c;
}

std::optional<std::string> Number(int64_t n) { return std::to_string(n); }

SQLRETURN Answer(StatementHandle* stmt, std::vector<ResultColumn> columns, RowsCursor::Rows rows) {
  stmt->cursor = std::make_unique<RowsCursor>(columns, std::move(rows));
  stmt->columns = std::move(columns);
  stmt->row_count = -1;
  stmt->rows_delivered = 0;
  stmt->fail_after_rows = -1;
  stmt->on_row = false;
  return SQL_SUCCESS;
}

}  // namespace

SQLRETURN Tables(StatementHandle* stmt, const std::string& table_pattern,
                 const std::string& types) {
  stmt->diag.Clear();
  SchemaModel model = stmt->dbc->session->Schema();
  std::string pattern;
  stmt->dbc->text.FromClient(table_pattern, pattern);
  RowsCursor::Rows rows;
  for (const ObjectDef& o : model.objects) {
    if (!Like(pattern, o.name) || !TypeWanted(types, o.is_view)) continue;
    rows.push_back(
        {std::nullopt, model.owner, o.name, std::string(o.is_view ? "VIEW" : "TABLE"), o.remarks});
  }
  return Answer(stmt,
                {Column("TABLE_CAT"), Column("TABLE_SCHEM"), Column("TABLE_NAME"),
                 Column("TABLE_TYPE"), Column("REMARKS", SQL_VARCHAR, 254)},
                std::move(rows));
}

SQLRETURN Columns(StatementHandle* stmt, const std::string& table_pattern,
                  const std::string& column_pattern) {
  stmt->diag.Clear();
  SchemaModel model = stmt->dbc->session->Schema();
  std::string tables, columns;
  stmt->dbc->text.FromClient(table_pattern, tables);
  stmt->dbc->text.FromClient(column_pattern, columns);
  RowsCursor::Rows rows;
  for (const ObjectDef& o : model.objects) {
    if (!Like(tables, o.name)) continue;
    int64_t position = 1;
    for (const ColumnDef& c : o.columns) {
      if (!Like(columns, c.name)) {
        ++position;
        continue;
      }
      int type = OdbcSqlType(c.type);
      int size = OdbcColumnSize(c.type);
      rows.push_back(
          {std::nullopt, model.owner, o.name, c.name, Number(type), TypeText(c.type), Number(size),
           Number(size), c.type.scale ? Number(*c.type.scale) : std::nullopt, Number(10),
           Number(c.nullable ? SQL_NULLABLE : SQL_NO_NULLS), c.remarks, c.default_text,
           Number(type == SQL_TYPE_TIMESTAMP || type == SQL_TYPE_TIME ? SQL_DATETIME : type),
           type == SQL_TYPE_TIMESTAMP ? Number(SQL_CODE_TIMESTAMP) : std::nullopt,
           c.type.length ? Number(*c.type.length) : std::nullopt, Number(position++),
           std::string(c.nullable ? "YES" : "NO")});
    }
  }
  return Answer(
      stmt,
      {Column("TABLE_CAT"), Column("TABLE_SCHEM"), Column("TABLE_NAME"), Column("COLUMN_NAME"),
       Column("DATA_TYPE", SQL_SMALLINT, 5), Column("TYPE_NAME"),
       Column("COLUMN_SIZE", SQL_INTEGER, 10), Column("BUFFER_LENGTH", SQL_INTEGER, 10),
       Column("DECIMAL_DIGITS", SQL_SMALLINT, 5), Column("NUM_PREC_RADIX", SQL_SMALLINT, 5),
       Column("NULLABLE", SQL_SMALLINT, 5), Column("REMARKS", SQL_VARCHAR, 254),
       Column("COLUMN_DEF", SQL_VARCHAR, 254), Column("SQL_DATA_TYPE", SQL_SMALLINT, 5),
       Column("SQL_DATETIME_SUB", SQL_SMALLINT, 5), Column("CHAR_OCTET_LENGTH", SQL_INTEGER, 10),
       Column("ORDINAL_POSITION", SQL_INTEGER, 10), Column("IS_NULLABLE", SQL_VARCHAR, 3)},
      std::move(rows));
}

}  // namespace morvane::emulator::odbc
