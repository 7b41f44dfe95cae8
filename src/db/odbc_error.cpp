#include "db/odbc_error.h"

#include <sqlext.h>

#include "text/codec.h"

namespace morvane {

namespace {

constexpr SQLSMALLINT kMessageBytes = 255;

std::string FirstDiagnosticMessage(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt) {
  SQLSMALLINT type = SQL_HANDLE_STMT;
  SQLHANDLE handle = stmt;
  if (handle == SQL_NULL_HANDLE) {
    type = SQL_HANDLE_DBC;
    handle = dbc;
  }
  if (handle == SQL_NULL_HANDLE) {
    type = SQL_HANDLE_ENV;
    handle = env;
  }
  if (handle == SQL_NULL_HANDLE) return {};

  SQLCHAR state[6] = {};
  SQLINTEGER native_error = 0;
  SQLCHAR message[kMessageBytes + 1] = {};
  SQLSMALLINT message_length = 0;
  SQLRETURN rc = SQLGetDiagRec(type, handle, 1, state, &native_error, message, sizeof message,
                               &message_length);
  if (!SQL_SUCCEEDED(rc)) return {};
  std::string text(reinterpret_cast<const char*>(message));
  if (message_length > kMessageBytes) text.resize(Cp932SafePrefixLength(text, kMessageBytes));
  return text;
}

}  // namespace

// "内部エラー" spelled in CP932 bytes, so the report of a failure needs no conversion that could
// fail in turn.
std::string InternalErrorText() { return "\x93\xE0\x95\x94\x83G\x83\x89\x81["; }

std::string OdbcErrorText(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt) {
  try {
    std::string message = FirstDiagnosticMessage(env, dbc, stmt);
    if (!message.empty()) return message;
  } catch (...) {
  }
  return InternalErrorText();
}

void ShowODBCError(IPrompt& prompt, SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt) {
  try {
    prompt.Error(OdbcErrorText(env, dbc, stmt));
  } catch (...) {
    // Reporting a failure must never become a failure of its own.
  }
}

}  // namespace morvane
