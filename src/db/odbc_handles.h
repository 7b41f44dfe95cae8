// Owning wrappers of unixODBC handles: each frees its handle when it goes out of scope, so no
// path through the database code can leak an environment, connection or statement.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <utility>

namespace morvane {

template <SQLSMALLINT kHandleType>
class OdbcHandle {
 public:
  OdbcHandle() = default;
  explicit OdbcHandle(SQLHANDLE handle) : handle_(handle) {}
  OdbcHandle(const OdbcHandle&) = delete;
  OdbcHandle& operator=(const OdbcHandle&) = delete;
  OdbcHandle(OdbcHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  OdbcHandle& operator=(OdbcHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  ~OdbcHandle() { Reset(); }

  SQLHANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

  // Frees the handle (result ignored: nothing useful can be done about it) and leaves null.
  void Reset() {
    if (handle_ != nullptr) SQLFreeHandle(kHandleType, std::exchange(handle_, nullptr));
  }

 private:
  SQLHANDLE handle_ = nullptr;
};

using EnvHandle = OdbcHandle<SQL_HANDLE_ENV>;
using DbcHandle = OdbcHandle<SQL_HANDLE_DBC>;
using StmtHandle = OdbcHandle<SQL_HANDLE_STMT>;

// A new environment handle declared for ODBC 3 behaviour; null when allocation fails.
EnvHandle AllocateEnvironment();
// A new connection handle on `env`; null when allocation fails.
DbcHandle AllocateConnection(SQLHENV env);
// A new statement handle on `dbc`; null when allocation fails.
StmtHandle AllocateStatement(SQLHDBC dbc);

}  // namespace morvane
