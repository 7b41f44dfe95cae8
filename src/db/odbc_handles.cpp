#include "db/odbc_handles.h"

namespace morvane {

namespace {

SQLHANDLE Allocate(SQLSMALLINT type, SQLHANDLE parent) {
  SQLHANDLE handle = SQL_NULL_HANDLE;
  SQLRETURN rc = SQLAllocHandle(type, parent, &handle);
  if (!SQL_SUCCEEDED(rc)) {
    // A failed allocation may still have produced a handle that only carries diagnostics.
    if (handle != SQL_NULL_HANDLE) SQLFreeHandle(type, handle);
    return SQL_NULL_HANDLE;
  }
  return handle;
}

}  // namespace

EnvHandle AllocateEnvironment() {
  EnvHandle env(Allocate(SQL_HANDLE_ENV, SQL_NULL_HANDLE));
  if (env) {
    SQLSetEnvAttr(env.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  }
  return env;
}

DbcHandle AllocateConnection(SQLHENV env) { return DbcHandle(Allocate(SQL_HANDLE_DBC, env)); }

StmtHandle AllocateStatement(SQLHDBC dbc) { return StmtHandle(Allocate(SQL_HANDLE_STMT, dbc)); }

}  // namespace morvane
