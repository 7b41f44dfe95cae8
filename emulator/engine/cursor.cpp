#include "engine/cursor.h"

#include <sqlext.h>

#include "engine/sql_error.h"
#include "engine/sqlite_util.h"
#include "engine/vendor_types.h"

namespace morvane::emulator {
namespace {

// Expression columns have no declared type; the first row's value tells what they hold.
void DescribeByValue(sqlite3_stmt* stmt, int i, ResultColumn& column) {
  switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER:
      column.sql_type = SQL_INTEGER;
      column.size = 10;
      break;
    case SQLITE_FLOAT:
      column.sql_type = SQL_DOUBLE;
      column.size = 15;
      break;
    default:
      column.sql_type = SQL_VARCHAR;
      column.size = std::max(255, sqlite3_column_bytes(stmt, i));
      break;
  }
}

}  // namespace

SqliteCursor::SqliteCursor(sqlite3* db, sqlite3_stmt* stmt, Family family) : db_(db), stmt_(stmt) {
  int rc = sqlite3_step(stmt_);
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
    std::string message = sqlite3_errmsg(db_);
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    throw TranslateSqliteError(message);
  }
  pending_first_ = rc == SQLITE_ROW;
  done_ = rc == SQLITE_DONE;
  int count = sqlite3_column_count(stmt_);
  for (int i = 0; i < count; ++i) {
    ResultColumn column;
    column.name = sqlite3_column_name(stmt_, i);
    const char* declared = sqlite3_column_decltype(stmt_, i);
    if (declared) {
      ColumnType type = ParseTypeText(family, declared);
      column.sql_type = OdbcSqlType(type);
      column.size = OdbcColumnSize(type);
      column.decimals = type.scale.value_or(0);
    } else if (pending_first_) {
      DescribeByValue(stmt_, i, column);
    }
    columns_.push_back(std::move(column));
  }
}

SqliteCursor::~SqliteCursor() { sqlite3_finalize(stmt_); }

bool SqliteCursor::Next() {
  if (pending_first_) {
    pending_first_ = false;
    return true;
  }
  if (done_) return false;
  int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  done_ = true;
  if (rc == SQLITE_DONE) return false;
  ThrowSqliteError(db_);
}

bool SqliteCursor::IsNull(int column) { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

std::string_view SqliteCursor::Text(int column) {
  const unsigned char* text = sqlite3_column_text(stmt_, column);
  if (!text) return {};
  return {reinterpret_cast<const char*>(text),
          static_cast<size_t>(sqlite3_column_bytes(stmt_, column))};
}

RowsCursor::RowsCursor(std::vector<ResultColumn> columns, Rows rows)
    : columns_(std::move(columns)), rows_(std::move(rows)) {}

bool RowsCursor::Next() {
  if (next_ >= rows_.size()) return false;
  ++next_;
  return true;
}

bool RowsCursor::IsNull(int column) {
  return !rows_[next_ - 1][static_cast<size_t>(column)].has_value();
}

std::string_view RowsCursor::Text(int column) {
  const auto& value = rows_[next_ - 1][static_cast<size_t>(column)];
  return value ? std::string_view(*value) : std::string_view();
}

}  // namespace morvane::emulator
