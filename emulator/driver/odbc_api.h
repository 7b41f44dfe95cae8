// The driver's ODBC functions behind the exported C entry points (exports.cpp). The exported
// names are thin wrappers: calls inside the driver go to these, never through the driver
// manager's symbols of the same name.
#pragma once

#include "driver/diagnostics.h"
#include "driver/handles.h"

namespace morvane::emulator::odbc {

// Handles and attributes.
SQLRETURN AllocHandle(SQLSMALLINT type, SQLHANDLE input, SQLHANDLE* output);
SQLRETURN FreeHandle(SQLSMALLINT type, SQLHANDLE handle);
SQLRETURN FreeStmt(StatementHandle* stmt, SQLUSMALLINT option);
SQLRETURN SetEnvAttr(Environment* env, SQLINTEGER attribute, SQLPOINTER value);
SQLRETURN GetEnvAttr(Environment* env, SQLINTEGER attribute, SQLPOINTER value);
SQLRETURN SetConnectAttr(Connection* dbc, SQLINTEGER attribute, SQLPOINTER value);
SQLRETURN GetConnectAttr(Connection* dbc, SQLINTEGER attribute, SQLPOINTER value,
                         SQLINTEGER buffer_length, SQLINTEGER* length);
SQLRETURN SetStmtAttr(StatementHandle* stmt, SQLINTEGER attribute, SQLPOINTER value);
SQLRETURN GetStmtAttr(StatementHandle* stmt, SQLINTEGER attribute, SQLPOINTER value,
                      SQLINTEGER buffer_length, SQLINTEGER* length);

// Connections.
SQLRETURN Connect(Connection* dbc, const std::string& dsn, const std::string* user,
                  const std::string* password);
SQLRETURN DriverConnect(Connection* dbc, const std::string& connection_string, SQLCHAR* out,
                        SQLSMALLINT out_max, SQLSMALLINT* out_length);
SQLRETURN Disconnect(Connection* dbc);
SQLRETURN GetInfo(Connection* dbc, SQLUSMALLINT info, SQLPOINTER value, SQLSMALLINT buffer_length,
                  SQLSMALLINT* length);
SQLRETURN EndTran(SQLSMALLINT handle_type, SQLHANDLE handle, SQLSMALLINT completion);

// Statements.
SQLRETURN ExecDirect(StatementHandle* stmt, const std::string& text);
SQLRETURN Prepare(StatementHandle* stmt, const std::string& text);
SQLRETURN Execute(StatementHandle* stmt);
SQLRETURN NumResultCols(StatementHandle* stmt, SQLSMALLINT* count);
SQLRETURN DescribeCol(StatementHandle* stmt, SQLUSMALLINT column, SQLCHAR* name,
                      SQLSMALLINT name_max, SQLSMALLINT* name_length, SQLSMALLINT* type,
                      SQLULEN* size, SQLSMALLINT* decimals, SQLSMALLINT* nullable);
SQLRETURN ColAttribute(StatementHandle* stmt, SQLUSMALLINT column, SQLUSMALLINT field,
                       SQLPOINTER text, SQLSMALLINT buffer_length, SQLSMALLINT* length,
                       SQLLEN* number);
SQLRETURN RowCount(StatementHandle* stmt, SQLLEN* count);
SQLRETURN CloseCursor(StatementHandle* stmt);

// Results.
SQLRETURN BindCol(StatementHandle* stmt, SQLUSMALLINT column, SQLSMALLINT c_type, SQLPOINTER target,
                  SQLLEN buffer_length, SQLLEN* indicator);
SQLRETURN Fetch(StatementHandle* stmt);
SQLRETURN GetData(StatementHandle* stmt, SQLUSMALLINT column, SQLSMALLINT c_type, SQLPOINTER target,
                  SQLLEN buffer_length, SQLLEN* indicator);

// Catalogue functions.
SQLRETURN Tables(StatementHandle* stmt, const std::string& table_pattern, const std::string& types);
SQLRETURN Columns(StatementHandle* stmt, const std::string& table_pattern,
                  const std::string& column_pattern);

// Diagnostics.
SQLRETURN GetDiagRec(SQLSMALLINT handle_type, SQLHANDLE handle, SQLSMALLINT record,
                     SQLCHAR* sqlstate, SQLINTEGER* native, SQLCHAR* message,
                     SQLSMALLINT message_max, SQLSMALLINT* message_length);
SQLRETURN GetDiagField(SQLSMALLINT handle_type, SQLHANDLE handle, SQLSMALLINT record,
                       SQLSMALLINT field, SQLPOINTER value, SQLSMALLINT buffer_length,
                       SQLSMALLINT* length);
SQLRETURN Error(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt, SQLCHAR* sqlstate, SQLINTEGER* native,
                SQLCHAR* message, SQLSMALLINT message_max, SQLSMALLINT* message_length);

// The diagnostics of a handle of the given type.
Diagnostics* DiagnosticsOf(SQLSMALLINT handle_type, SQLHANDLE handle);

// Runs `work`, turning exceptions into diagnostics on `diag`.
template <typename Work>
SQLRETURN Guarded(Diagnostics* diag, TextConverter* text, Family family, Work work) {
  try {
    return work();
  } catch (const SqlError& e) {
    if (!diag) return SQL_ERROR;
    return Fail(*diag, DescribeError(family, e.kind(), e.what()), text);
  } catch (const std::exception& e) {
    if (!diag) return SQL_ERROR;
    diag->Add("HY000", 0, std::string("[Morvane][Catalogue Emulator ODBC Driver]") + e.what());
    return SQL_ERROR;
  }
}

}  // namespace morvane::emulator::odbc
