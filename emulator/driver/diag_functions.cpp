// Reading the diagnostics recorded on a handle.
#include <cstring>

#include "driver/diagnostics.h"
#include "driver/odbc_api.h"

namespace morvane::emulator::odbc {

Diagnostics* DiagnosticsOf(SQLSMALLINT handle_type, SQLHANDLE handle) {
  if (!handle) return nullptr;
  switch (handle_type) {
    case SQL_HANDLE_ENV:
      return &static_cast<Environment*>(handle)->diag;
    case SQL_HANDLE_DBC:
      return &static_cast<Connection*>(handle)->diag;
    case SQL_HANDLE_STMT:
      return &static_cast<StatementHandle*>(handle)->diag;
    default:
      return nullptr;
  }
}

SQLRETURN GetDiagRec(SQLSMALLINT handle_type, SQLHANDLE handle, SQLSMALLINT record,
                     SQLCHAR* sqlstate, SQLINTEGER* native, SQLCHAR* message,
                     SQLSMALLINT message_max, SQLSMALLINT* message_length) {
  Diagnostics* diag = DiagnosticsOf(handle_type, handle);
  if (!diag) return SQL_INVALID_HANDLE;
  if (record < 1) return SQL_ERROR;
  if (static_cast<size_t>(record) > diag->records.size()) return SQL_NO_DATA;
  const DiagRecord& r = diag->records[static_cast<size_t>(record - 1)];
  if (sqlstate) CopyString(r.sqlstate, sqlstate, 6);
  if (native) *native = r.native_error;
  return CopyString(r.message, message, message_max, message_length) ? SQL_SUCCESS_WITH_INFO
                                                                     : SQL_SUCCESS;
}

SQLRETURN GetDiagField(SQLSMALLINT handle_type, SQLHANDLE handle, SQLSMALLINT record,
                       SQLSMALLINT field, SQLPOINTER value, SQLSMALLINT buffer_length,
                       SQLSMALLINT* length) {
  Diagnostics* diag = DiagnosticsOf(handle_type, handle);
  if (!diag) return SQL_INVALID_HANDLE;
  auto integer = [&](SQLINTEGER n) {
    if (value) std::memcpy(value, &n, sizeof n);
    return SQL_SUCCESS;
  };
  if (record == 0) {
    switch (field) {
      case SQL_DIAG_NUMBER:
        return integer(static_cast<SQLINTEGER>(diag->records.size()));
      case SQL_DIAG_RETURNCODE: {
        SQLRETURN rc = diag->return_code;
        if (value) std::memcpy(value, &rc, sizeof rc);
        return SQL_SUCCESS;
      }
      case SQL_DIAG_ROW_COUNT: {
        SQLLEN rows =
            handle_type == SQL_HANDLE_STMT ? static_cast<StatementHandle*>(handle)->row_count : 0;
        if (value) std::memcpy(value, &rows, sizeof rows);
        return SQL_SUCCESS;
      }
      default:
        return SQL_ERROR;
    }
  }
  if (record < 1 || static_cast<size_t>(record) > diag->records.size()) return SQL_NO_DATA;
  const DiagRecord& r = diag->records[static_cast<size_t>(record - 1)];
  auto text = [&](const std::string& s) {
    return CopyString(s, static_cast<SQLCHAR*>(value), buffer_length, length)
               ? SQL_SUCCESS_WITH_INFO
               : SQL_SUCCESS;
  };
  switch (field) {
    case SQL_DIAG_SQLSTATE:
      return text(r.sqlstate);
    case SQL_DIAG_NATIVE:
      return integer(r.native_error);
    case SQL_DIAG_MESSAGE_TEXT:
      return text(r.message);
    case SQL_DIAG_CLASS_ORIGIN:
    case SQL_DIAG_SUBCLASS_ORIGIN:
      return text(r.sqlstate.rfind("IM", 0) == 0 ? "ODBC 3.0" : "ISO 9075");
    case SQL_DIAG_CONNECTION_NAME:
    case SQL_DIAG_SERVER_NAME:
      return text("");
    case SQL_DIAG_COLUMN_NUMBER:
    case SQL_DIAG_ROW_NUMBER:
      return integer(-1);
    default:
      return SQL_ERROR;
  }
}

// ODBC 2: hands out the oldest record of the most specific handle given and removes it.
SQLRETURN Error(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt, SQLCHAR* sqlstate, SQLINTEGER* native,
                SQLCHAR* message, SQLSMALLINT message_max, SQLSMALLINT* message_length) {
  Diagnostics* diag = stmt  ? DiagnosticsOf(SQL_HANDLE_STMT, stmt)
                      : dbc ? DiagnosticsOf(SQL_HANDLE_DBC, dbc)
                            : DiagnosticsOf(SQL_HANDLE_ENV, env);
  if (!diag) return SQL_INVALID_HANDLE;
  if (diag->records.empty()) return SQL_NO_DATA;
  DiagRecord r = diag->records.front();
  diag->records.erase(diag->records.begin());
  if (sqlstate) CopyString(r.sqlstate, sqlstate, 6);
  if (native) *native = r.native_error;
  return CopyString(r.message, message, message_max, message_length) ? SQL_SUCCESS_WITH_INFO
                                                                     : SQL_SUCCESS;
}

}  // namespace morvane::emulator::odbc
