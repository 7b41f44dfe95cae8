#include "engine/sqlite_util.h"

#include "engine/sql_error.h"

namespace morvane::emulator {

void ThrowSqliteError(sqlite3* db) { throw TranslateSqliteError(sqlite3_errmsg(db)); }

void ExecSql(sqlite3* db, const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    std::string text = message ? message : "unknown error";
    sqlite3_free(message);
    throw TranslateSqliteError(text);
  }
}

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
  if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) !=
      SQLITE_OK) {
    ThrowSqliteError(db);
  }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement& Statement::Bind(int index, std::string_view text) {
  sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  return *this;
}

Statement& Statement::Bind(int index, int64_t value) {
  sqlite3_bind_int64(stmt_, index, value);
  return *this;
}

Statement& Statement::Bind(int index, const std::optional<std::string>& text) {
  return text ? Bind(index, std::string_view(*text)) : BindNull(index);
}

Statement& Statement::Bind(int index, const std::optional<int>& value) {
  return value ? Bind(index, static_cast<int64_t>(*value)) : BindNull(index);
}

Statement& Statement::BindNull(int index) {
  sqlite3_bind_null(stmt_, index);
  return *this;
}

bool Statement::Step() {
  int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  ThrowSqliteError(db_);
}

void Statement::Run() {
  Step();
  Reset();
}

void Statement::Reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

bool Statement::IsNull(int col) const { return sqlite3_column_type(stmt_, col) == SQLITE_NULL; }

int64_t Statement::Int(int col) const { return sqlite3_column_int64(stmt_, col); }

std::string Statement::Text(int col) const {
  const unsigned char* text = sqlite3_column_text(stmt_, col);
  return text ? std::string(reinterpret_cast<const char*>(text),
                            static_cast<size_t>(sqlite3_column_bytes(stmt_, col)))
              : std::string();
}

std::optional<std::string> Statement::OptText(int col) const {
  if (IsNull(col)) return std::nullopt;
  return Text(col);
}

std::optional<int> Statement::OptInt(int col) const {
  if (IsNull(col)) return std::nullopt;
  return static_cast<int>(Int(col));
}

}  // namespace morvane::emulator
