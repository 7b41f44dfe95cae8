// The C entry points that the driver manager looks up in the shared library. Each one turns
// the raw arguments into C++ values and calls the implementation in odbc_api.h, inside a
// guard that turns exceptions into diagnostics.
#include <cstring>

#include "driver/odbc_api.h"

using namespace morvane::emulator;
using namespace morvane::emulator::odbc;

namespace {

std::string Arg(const SQLCHAR* text, SQLINTEGER length) {
  if (!text) return "";
  const char* chars = reinterpret_cast<const char*>(text);
  if (length == SQL_NTS || length < 0) return std::string(chars);
  return std::string(chars, static_cast<size_t>(length));
}

Connection* Dbc(SQLHDBC h) { return static_cast<Connection*>(h); }
StatementHandle* Stmt(SQLHSTMT h) { return static_cast<StatementHandle*>(h); }

template <typename Work>
SQLRETURN OnConnection(SQLHDBC h, Work work) {
  if (!h) return SQL_INVALID_HANDLE;
  Connection* dbc = Dbc(h);
  return Guarded(&dbc->diag, &dbc->text, dbc->family, [&] { return work(dbc); });
}

template <typename Work>
SQLRETURN OnStatement(SQLHSTMT h, Work work) {
  if (!h) return SQL_INVALID_HANDLE;
  StatementHandle* stmt = Stmt(h);
  return Guarded(&stmt->diag, &stmt->dbc->text, stmt->dbc->family, [&] { return work(stmt); });
}

}  // namespace

extern "C" {

// ---- handles ----

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT type, SQLHANDLE input, SQLHANDLE* output) {
  Diagnostics* diag =
      DiagnosticsOf(type == SQL_HANDLE_DBC ? SQL_HANDLE_ENV : SQL_HANDLE_DBC, input);
  return Guarded(diag, nullptr, Family::kOracle, [&] { return AllocHandle(type, input, output); });
}

SQLRETURN SQL_API SQLAllocEnv(SQLHENV* env) { return AllocHandle(SQL_HANDLE_ENV, nullptr, env); }

SQLRETURN SQL_API SQLAllocConnect(SQLHENV env, SQLHDBC* dbc) {
  return AllocHandle(SQL_HANDLE_DBC, env, dbc);
}

SQLRETURN SQL_API SQLAllocStmt(SQLHDBC dbc, SQLHSTMT* stmt) {
  return AllocHandle(SQL_HANDLE_STMT, dbc, stmt);
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT type, SQLHANDLE handle) {
  return FreeHandle(type, handle);
}

SQLRETURN SQL_API SQLFreeEnv(SQLHENV env) { return FreeHandle(SQL_HANDLE_ENV, env); }

SQLRETURN SQL_API SQLFreeConnect(SQLHDBC dbc) { return FreeHandle(SQL_HANDLE_DBC, dbc); }

SQLRETURN SQL_API SQLFreeStmt(SQLHSTMT stmt, SQLUSMALLINT option) {
  return OnStatement(stmt, [&](StatementHandle* s) { return FreeStmt(s, option); });
}

SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV env, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER) {
  return SetEnvAttr(static_cast<Environment*>(env), attribute, value);
}

SQLRETURN SQL_API SQLGetEnvAttr(SQLHENV env, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER,
                                SQLINTEGER*) {
  return GetEnvAttr(static_cast<Environment*>(env), attribute, value);
}

SQLRETURN SQL_API SQLSetConnectAttr(SQLHDBC dbc, SQLINTEGER attribute, SQLPOINTER value,
                                    SQLINTEGER) {
  return OnConnection(dbc, [&](Connection* c) { return SetConnectAttr(c, attribute, value); });
}

SQLRETURN SQL_API SQLGetConnectAttr(SQLHDBC dbc, SQLINTEGER attribute, SQLPOINTER value,
                                    SQLINTEGER buffer_length, SQLINTEGER* length) {
  return OnConnection(dbc, [&](Connection* c) {
    return GetConnectAttr(c, attribute, value, buffer_length, length);
  });
}

SQLRETURN SQL_API SQLSetConnectOption(SQLHDBC dbc, SQLUSMALLINT option, SQLULEN value) {
  return OnConnection(dbc, [&](Connection* c) {
    return SetConnectAttr(c, option, reinterpret_cast<SQLPOINTER>(static_cast<uintptr_t>(value)));
  });
}

SQLRETURN SQL_API SQLGetConnectOption(SQLHDBC dbc, SQLUSMALLINT option, SQLPOINTER value) {
  return OnConnection(
      dbc, [&](Connection* c) { return GetConnectAttr(c, option, value, 256, nullptr); });
}

SQLRETURN SQL_API SQLSetStmtAttr(SQLHSTMT stmt, SQLINTEGER attribute, SQLPOINTER value,
                                 SQLINTEGER) {
  return OnStatement(stmt, [&](StatementHandle* s) { return SetStmtAttr(s, attribute, value); });
}

SQLRETURN SQL_API SQLGetStmtAttr(SQLHSTMT stmt, SQLINTEGER attribute, SQLPOINTER value,
                                 SQLINTEGER buffer_length, SQLINTEGER* length) {
  return OnStatement(stmt, [&](StatementHandle* s) {
    return GetStmtAttr(s, attribute, value, buffer_length, length);
  });
}

SQLRETURN SQL_API SQLSetStmtOption(SQLHSTMT stmt, SQLUSMALLINT option, SQLULEN value) {
  return OnStatement(stmt, [&](StatementHandle* s) {
    return SetStmtAttr(s, option, reinterpret_cast<SQLPOINTER>(static_cast<uintptr_t>(value)));
  });
}

// ---- connections ----

SQLRETURN SQL_API SQLConnect(SQLHDBC dbc, SQLCHAR* dsn, SQLSMALLINT dsn_length, SQLCHAR* user,
                             SQLSMALLINT user_length, SQLCHAR* password,
                             SQLSMALLINT password_length) {
  return OnConnection(dbc, [&](Connection* c) {
    std::string u = Arg(user, user_length);
    std::string p = Arg(password, password_length);
    // No user name means the data source's own account.
    bool given = user && !u.empty();
    return Connect(c, Arg(dsn, dsn_length), given ? &u : nullptr, given ? &p : nullptr);
  });
}

SQLRETURN SQL_API SQLDriverConnect(SQLHDBC dbc, SQLHWND, SQLCHAR* in, SQLSMALLINT in_length,
                                   SQLCHAR* out, SQLSMALLINT out_max, SQLSMALLINT* out_length,
                                   SQLUSMALLINT) {
  return OnConnection(dbc, [&](Connection* c) {
    return DriverConnect(c, Arg(in, in_length), out, out_max, out_length);
  });
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC dbc) {
  return OnConnection(dbc, [&](Connection* c) { return Disconnect(c); });
}

SQLRETURN SQL_API SQLGetInfo(SQLHDBC dbc, SQLUSMALLINT info, SQLPOINTER value,
                             SQLSMALLINT buffer_length, SQLSMALLINT* length) {
  return OnConnection(
      dbc, [&](Connection* c) { return GetInfo(c, info, value, buffer_length, length); });
}

SQLRETURN SQL_API SQLEndTran(SQLSMALLINT handle_type, SQLHANDLE handle, SQLSMALLINT completion) {
  if (handle_type == SQL_HANDLE_DBC) {
    return OnConnection(handle,
                        [&](Connection*) { return EndTran(handle_type, handle, completion); });
  }
  return EndTran(handle_type, handle, completion);
}

SQLRETURN SQL_API SQLTransact(SQLHENV, SQLHDBC dbc, SQLUSMALLINT completion) {
  if (!dbc) return SQL_SUCCESS;
  return OnConnection(dbc, [&](Connection*) {
    return EndTran(SQL_HANDLE_DBC, dbc, static_cast<SQLSMALLINT>(completion));
  });
}

// ---- statements ----

SQLRETURN SQL_API SQLExecDirect(SQLHSTMT stmt, SQLCHAR* text, SQLINTEGER length) {
  return OnStatement(stmt, [&](StatementHandle* s) { return ExecDirect(s, Arg(text, length)); });
}

SQLRETURN SQL_API SQLPrepare(SQLHSTMT stmt, SQLCHAR* text, SQLINTEGER length) {
  return OnStatement(stmt, [&](StatementHandle* s) { return Prepare(s, Arg(text, length)); });
}

SQLRETURN SQL_API SQLExecute(SQLHSTMT stmt) {
  return OnStatement(stmt, [&](StatementHandle* s) { return Execute(s); });
}

SQLRETURN SQL_API SQLNumParams(SQLHSTMT stmt, SQLSMALLINT* count) {
  return OnStatement(stmt, [&](StatementHandle*) {
    if (count) *count = 0;
    return SQL_SUCCESS;
  });
}

SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT stmt, SQLSMALLINT* count) {
  return OnStatement(stmt, [&](StatementHandle* s) { return NumResultCols(s, count); });
}

SQLRETURN SQL_API SQLDescribeCol(SQLHSTMT stmt, SQLUSMALLINT column, SQLCHAR* name,
                                 SQLSMALLINT name_max, SQLSMALLINT* name_length, SQLSMALLINT* type,
                                 SQLULEN* size, SQLSMALLINT* decimals, SQLSMALLINT* nullable) {
  return OnStatement(stmt, [&](StatementHandle* s) {
    return DescribeCol(s, column, name, name_max, name_length, type, size, decimals, nullable);
  });
}

SQLRETURN SQL_API SQLColAttribute(SQLHSTMT stmt, SQLUSMALLINT column, SQLUSMALLINT field,
                                  SQLPOINTER text, SQLSMALLINT buffer_length, SQLSMALLINT* length,
                                  SQLLEN* number) {
  return OnStatement(stmt, [&](StatementHandle* s) {
    return ColAttribute(s, column, field, text, buffer_length, length, number);
  });
}

SQLRETURN SQL_API SQLColAttributes(SQLHSTMT stmt, SQLUSMALLINT column, SQLUSMALLINT field,
                                   SQLPOINTER text, SQLSMALLINT buffer_length, SQLSMALLINT* length,
                                   SQLLEN* number) {
  return OnStatement(stmt, [&](StatementHandle* s) {
    return ColAttribute(s, column, field, text, buffer_length, length, number);
  });
}

SQLRETURN SQL_API SQLRowCount(SQLHSTMT stmt, SQLLEN* count) {
  return OnStatement(stmt, [&](StatementHandle* s) { return RowCount(s, count); });
}

SQLRETURN SQL_API SQLCloseCursor(SQLHSTMT stmt) {
  return OnStatement(stmt, [&](StatementHandle* s) { return CloseCursor(s); });
}

SQLRETURN SQL_API SQLMoreResults(SQLHSTMT stmt) {
  return OnStatement(stmt, [&](StatementHandle*) { return SQL_NO_DATA; });
}

SQLRETURN SQL_API SQLCancel(SQLHSTMT stmt) {
  return OnStatement(stmt, [&](StatementHandle*) { return SQL_SUCCESS; });
}

// ---- results ----

SQLRETURN SQL_API SQLBindCol(SQLHSTMT stmt, SQLUSMALLINT column, SQLSMALLINT c_type,
                             SQLPOINTER target, SQLLEN buffer_length, SQLLEN* indicator) {
  return OnStatement(stmt, [&](StatementHandle* s) {
    return BindCol(s, column, c_type, target, buffer_length, indicator);
  });
}

SQLRETURN SQL_API SQLFetch(SQLHSTMT stmt) {
  return OnStatement(stmt, [&](StatementHandle* s) { return Fetch(s); });
}

SQLRETURN SQL_API SQLFetchScroll(SQLHSTMT stmt, SQLSMALLINT orientation, SQLLEN) {
  return OnStatement(stmt, [&](StatementHandle* s) {
    if (orientation != SQL_FETCH_NEXT) {
      s->diag.Clear();
      return Fail(s->diag, "HY106",
                  DriverMessage("Fetch type out of range: the cursor is forward-only"));
    }
    return Fetch(s);
  });
}

SQLRETURN SQL_API SQLGetData(SQLHSTMT stmt, SQLUSMALLINT column, SQLSMALLINT c_type,
                             SQLPOINTER target, SQLLEN buffer_length, SQLLEN* indicator) {
  return OnStatement(stmt, [&](StatementHandle* s) {
    return GetData(s, column, c_type, target, buffer_length, indicator);
  });
}

// ---- catalogue functions ----

SQLRETURN SQL_API SQLTables(SQLHSTMT stmt, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT,
                            SQLCHAR* table, SQLSMALLINT table_length, SQLCHAR* types,
                            SQLSMALLINT types_length) {
  return OnStatement(stmt, [&](StatementHandle* s) {
    return Tables(s, Arg(table, table_length), Arg(types, types_length));
  });
}

SQLRETURN SQL_API SQLColumns(SQLHSTMT stmt, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT,
                             SQLCHAR* table, SQLSMALLINT table_length, SQLCHAR* column,
                             SQLSMALLINT column_length) {
  return OnStatement(stmt, [&](StatementHandle* s) {
    return Columns(s, Arg(table, table_length), Arg(column, column_length));
  });
}

// ---- diagnostics ----

SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT handle_type, SQLHANDLE handle, SQLSMALLINT record,
                                SQLCHAR* sqlstate, SQLINTEGER* native, SQLCHAR* message,
                                SQLSMALLINT message_max, SQLSMALLINT* message_length) {
  return GetDiagRec(handle_type, handle, record, sqlstate, native, message, message_max,
                    message_length);
}

SQLRETURN SQL_API SQLGetDiagField(SQLSMALLINT handle_type, SQLHANDLE handle, SQLSMALLINT record,
                                  SQLSMALLINT field, SQLPOINTER value, SQLSMALLINT buffer_length,
                                  SQLSMALLINT* length) {
  return GetDiagField(handle_type, handle, record, field, value, buffer_length, length);
}

SQLRETURN SQL_API SQLError(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt, SQLCHAR* sqlstate,
                           SQLINTEGER* native, SQLCHAR* message, SQLSMALLINT message_max,
                           SQLSMALLINT* message_length) {
  return Error(env, dbc, stmt, sqlstate, native, message, message_max, message_length);
}

}  // extern "C"
