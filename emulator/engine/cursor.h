// A statement's result set as the driver reads it: column descriptions and rows of UTF-8 text.
#pragma once

#include <sqlite3.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/family.h"

namespace morvane::emulator {

struct ResultColumn {
  std::string name;   // UTF-8
  int sql_type = 12;  // ODBC SQL type number (SQL_VARCHAR by default)
  int size = 255;
  int decimals = 0;
  bool nullable = true;
};

class Cursor {
 public:
  virtual ~Cursor() = default;
  virtual const std::vector<ResultColumn>& columns() const = 0;
  // Moves to the next row; false after the last. Throws SqlError.
  virtual bool Next() = 0;
  // Values of the current row, columns counted from 0. Text is valid until the next call.
  virtual bool IsNull(int column) = 0;
  virtual std::string_view Text(int column) = 0;
};

// Streams the rows of a prepared SQLite statement; the first row is read when the cursor is
// made, so that errors surface at execution as the servers report them.
class SqliteCursor : public Cursor {
 public:
  SqliteCursor(sqlite3* db, sqlite3_stmt* stmt, Family family);  // takes the statement
  ~SqliteCursor() override;
  const std::vector<ResultColumn>& columns() const override { return columns_; }
  bool Next() override;
  bool IsNull(int column) override;
  std::string_view Text(int column) override;

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_;
  std::vector<ResultColumn> columns_;
  bool pending_first_ = false;
  bool done_ = false;
};

// Rows built in memory (catalogue functions, EXPLAIN output).
class RowsCursor : public Cursor {
 public:
  using Rows = std::vector<std::vector<std::optional<std::string>>>;
  RowsCursor(std::vector<ResultColumn> columns, Rows rows);
  const std::vector<ResultColumn>& columns() const override { return columns_; }
  bool Next() override;
  bool IsNull(int column) override;
  std::string_view Text(int column) override;

 private:
  std::vector<ResultColumn> columns_;
  Rows rows_;
  size_t next_ = 0;
};

}  // namespace morvane::emulator
