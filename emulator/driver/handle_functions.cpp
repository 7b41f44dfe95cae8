// Allocation, release and attributes of the handles.
#include <cstring>

#include "driver/diagnostics.h"
#include "driver/odbc_api.h"

namespace morvane::emulator::odbc {
namespace {

SQLULEN AsUnsigned(SQLPOINTER value) {
  return static_cast<SQLULEN>(reinterpret_cast<uintptr_t>(value));
}

template <typename T>
void Store(SQLPOINTER target, T value) {
  if (target) std::memcpy(target, &value, sizeof value);
}

}  // namespace

SQLRETURN AllocHandle(SQLSMALLINT type, SQLHANDLE input, SQLHANDLE* output) {
  if (!output) return SQL_ERROR;
  switch (type) {
    case SQL_HANDLE_ENV:
      *output = new Environment();
      return SQL_SUCCESS;
    case SQL_HANDLE_DBC:
      *output = new Connection(static_cast<Environment*>(input));
      return SQL_SUCCESS;
    case SQL_HANDLE_STMT: {
      auto* dbc = static_cast<Connection*>(input);
      if (!dbc->session) {
        Fail(dbc->diag, "08003", DriverMessage("Connection not open"));
        return SQL_ERROR;
      }
      auto* stmt = new StatementHandle(dbc);
      dbc->statements.insert(stmt);
      *output = stmt;
      return SQL_SUCCESS;
    }
    default:
      *output = SQL_NULL_HANDLE;
      return SQL_ERROR;
  }
}

SQLRETURN FreeHandle(SQLSMALLINT type, SQLHANDLE handle) {
  switch (type) {
    case SQL_HANDLE_ENV:
      delete static_cast<Environment*>(handle);
      return SQL_SUCCESS;
    case SQL_HANDLE_DBC:
      delete static_cast<Connection*>(handle);
      return SQL_SUCCESS;
    case SQL_HANDLE_STMT: {
      auto* stmt = static_cast<StatementHandle*>(handle);
      stmt->dbc->statements.erase(stmt);
      delete stmt;
      return SQL_SUCCESS;
    }
    default:
      return SQL_ERROR;
  }
}

SQLRETURN FreeStmt(StatementHandle* stmt, SQLUSMALLINT option) {
  switch (option) {
    case SQL_CLOSE:
      return CloseCursor(stmt);
    case SQL_UNBIND:
      stmt->bindings.clear();
      return SQL_SUCCESS;
    case SQL_RESET_PARAMS:
      return SQL_SUCCESS;
    case SQL_DROP:
      return FreeHandle(SQL_HANDLE_STMT, stmt);
    default:
      return Fail(stmt->diag, "HY092", DriverMessage("Invalid option"));
  }
}

SQLRETURN SetEnvAttr(Environment* env, SQLINTEGER attribute, SQLPOINTER value) {
  if (attribute == SQL_ATTR_ODBC_VERSION)
    env->odbc_version = static_cast<SQLINTEGER>(AsUnsigned(value));
  return SQL_SUCCESS;
}

SQLRETURN GetEnvAttr(Environment* env, SQLINTEGER attribute, SQLPOINTER value) {
  switch (attribute) {
    case SQL_ATTR_ODBC_VERSION:
      Store<SQLINTEGER>(value, env->odbc_version);
      break;
    case SQL_ATTR_OUTPUT_NTS:
      Store<SQLINTEGER>(value, SQL_TRUE);
      break;
    default:
      Store<SQLINTEGER>(value, 0);
      break;
  }
  return SQL_SUCCESS;
}

SQLRETURN SetConnectAttr(Connection* dbc, SQLINTEGER attribute, SQLPOINTER value) {
  if (attribute == SQL_ATTR_AUTOCOMMIT) {
    dbc->autocommit = AsUnsigned(value) == SQL_AUTOCOMMIT_ON;
    if (dbc->session) dbc->session->SetAutocommit(dbc->autocommit);
  }
  return SQL_SUCCESS;  // timeouts, packet size, tracing: accepted and ignored
}

SQLRETURN GetConnectAttr(Connection* dbc, SQLINTEGER attribute, SQLPOINTER value,
                         SQLINTEGER buffer_length, SQLINTEGER* length) {
  switch (attribute) {
    case SQL_ATTR_AUTOCOMMIT:
      Store<SQLUINTEGER>(value, dbc->autocommit ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF);
      break;
    case SQL_ATTR_CONNECTION_DEAD:
      Store<SQLUINTEGER>(value, dbc->session ? SQL_CD_FALSE : SQL_CD_TRUE);
      break;
    case SQL_ATTR_CURRENT_CATALOG:
      CopyString(dbc->text.ToClient(dbc->options.database), value, buffer_length, length);
      break;
    case SQL_ATTR_ACCESS_MODE:
      Store<SQLUINTEGER>(value, SQL_MODE_READ_WRITE);
      break;
    case SQL_ATTR_TXN_ISOLATION:
      Store<SQLUINTEGER>(value, SQL_TXN_SERIALIZABLE);
      break;
    default:
      Store<SQLUINTEGER>(value, 0);
      break;
  }
  return SQL_SUCCESS;
}

SQLRETURN SetStmtAttr(StatementHandle* stmt, SQLINTEGER attribute, SQLPOINTER value) {
  switch (attribute) {
    case SQL_ATTR_ROWS_FETCHED_PTR:
      stmt->rows_fetched_ptr = static_cast<SQLULEN*>(value);
      return SQL_SUCCESS;
    case SQL_ATTR_ROW_STATUS_PTR:
      stmt->row_status_ptr = static_cast<SQLUSMALLINT*>(value);
      return SQL_SUCCESS;
    case SQL_ATTR_MAX_ROWS:
      stmt->max_rows = AsUnsigned(value);
      return SQL_SUCCESS;
    case SQL_ATTR_ROW_ARRAY_SIZE:
    case SQL_ROWSET_SIZE:
      if (AsUnsigned(value) == 1) return SQL_SUCCESS;
      Warn(stmt->diag, "01S02", DriverMessage("Option value changed: one row per fetch"));
      return SQL_SUCCESS_WITH_INFO;
    default:
      return SQL_SUCCESS;  // cursor type, concurrency, query timeout: accepted and ignored
  }
}

SQLRETURN GetStmtAttr(StatementHandle* stmt, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER,
                      SQLINTEGER*) {
  switch (attribute) {
    case SQL_ATTR_APP_ROW_DESC:
    case SQL_ATTR_APP_PARAM_DESC:
    case SQL_ATTR_IMP_ROW_DESC:
    case SQL_ATTR_IMP_PARAM_DESC:
      Store<SQLPOINTER>(value, &stmt->descriptors[attribute - SQL_ATTR_APP_ROW_DESC]);
      break;
    case SQL_ATTR_ROWS_FETCHED_PTR:
      Store<SQLPOINTER>(value, stmt->rows_fetched_ptr);
      break;
    case SQL_ATTR_ROW_STATUS_PTR:
      Store<SQLPOINTER>(value, stmt->row_status_ptr);
      break;
    case SQL_ATTR_MAX_ROWS:
      Store<SQLULEN>(value, stmt->max_rows);
      break;
    case SQL_ATTR_ROW_ARRAY_SIZE:
    case SQL_ROWSET_SIZE:
      Store<SQLULEN>(value, 1);
      break;
    case SQL_ATTR_CURSOR_TYPE:
      Store<SQLULEN>(value, SQL_CURSOR_FORWARD_ONLY);
      break;
    case SQL_ATTR_CONCURRENCY:
      Store<SQLULEN>(value, SQL_CONCUR_READ_ONLY);
      break;
    default:
      Store<SQLULEN>(value, 0);
      break;
  }
  return SQL_SUCCESS;
}

}  // namespace morvane::emulator::odbc
