// Small RAII helpers over the SQLite C API; every failure becomes a SqlError.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morvane::emulator {

// Runs one or more statements that return no rows.
void ExecSql(sqlite3* db, const std::string& sql);

// Throws the SqlError that matches the connection's last error.
[[noreturn]] void ThrowSqliteError(sqlite3* db);

class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(int index, std::string_view text);
  Statement& Bind(int index, const std::string& text) {
    return Bind(index, std::string_view(text));
  }
  Statement& Bind(int index, const char* text) { return Bind(index, std::string_view(text)); }
  Statement& Bind(int index, int64_t value);
  Statement& Bind(int index, const std::optional<std::string>& text);
  Statement& Bind(int index, const std::optional<int>& value);
  Statement& BindNull(int index);

  // Advances to the next row; false at the end.
  bool Step();
  // Runs a statement that returns no rows, then resets it for the next use.
  void Run();
  void Reset();

  bool IsNull(int col) const;
  int64_t Int(int col) const;
  std::string Text(int col) const;
  std::optional<std::string> OptText(int col) const;
  std::optional<int> OptInt(int col) const;
  sqlite3_stmt* get() const { return stmt_; }

 private:
  sqlite3* db_;
  sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace morvane::emulator
