#include "tools/sql_script.h"

#include <sqlext.h>

#include "text/codec.h"

namespace morvane::emulator {

std::vector<std::string> SplitStatements(std::string_view script) {
  std::vector<std::string> statements;
  std::string current;
  auto finish = [&] {
    size_t b = current.find_first_not_of(" \t\r\n");
    if (b != std::string::npos) {
      size_t e = current.find_last_not_of(" \t\r\n");
      statements.push_back(current.substr(b, e - b + 1));
    }
    current.clear();
  };
  size_t i = 0;
  while (i < script.size()) {
    char c = script[i];
    if (c == '\'' || c == '"') {
      size_t end = script.find(c, i + 1);
      while (end != std::string_view::npos && end + 1 < script.size() && script[end + 1] == c) {
        end = script.find(c, end + 2);
      }
      end = end == std::string_view::npos ? script.size() : end + 1;
      current.append(script.substr(i, end - i));
      i = end;
    } else if (script.substr(i, 2) == "--") {
      size_t end = script.find('\n', i);
      i = end == std::string_view::npos ? script.size() : end;
    } else if (script.substr(i, 2) == "/*") {
      size_t end = script.find("*/", i + 2);
      i = end == std::string_view::npos ? script.size() : end + 2;
    } else if (c == ';') {
      finish();
      ++i;
    } else {
      current += c;
      ++i;
    }
  }
  finish();
  return statements;
}

std::string DiagnosticText(SQLSMALLINT handle_type, SQLHANDLE handle) {
  SQLCHAR state[6] = {0};
  SQLCHAR message[1024] = {0};
  SQLINTEGER native = 0;
  SQLSMALLINT length = 0;
  if (!SQL_SUCCEEDED(SQLGetDiagRec(handle_type, handle, 1, state, &native, message, sizeof message,
                                   &length))) {
    return "(no diagnostic)";
  }
  CodecResult text = Cp932ToUtf8(reinterpret_cast<const char*>(message));
  return "[" + std::string(reinterpret_cast<const char*>(state)) + "] " +
         (text.ok ? text.text : reinterpret_cast<const char*>(message));
}

bool RunScript(SQLHDBC dbc, std::string_view utf8_script, std::string* error) {
  for (const std::string& statement : SplitStatements(utf8_script)) {
    CodecResult cp932 = Utf8ToCp932(statement);
    if (!cp932.ok) {
      if (error) *error = cp932.error + ": " + statement;
      return false;
    }
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt);
    SQLRETURN rc = SQLExecDirect(stmt, reinterpret_cast<SQLCHAR*>(cp932.text.data()), SQL_NTS);
    if (!SQL_SUCCEEDED(rc)) {
      if (error) *error = DiagnosticText(SQL_HANDLE_STMT, stmt) + "\n  in: " + statement;
      SQLFreeHandle(SQL_HANDLE_STMT, stmt);
      return false;
    }
    SQLFreeHandle(SQL_HANDLE_STMT, stmt);
  }
  return true;
}

}  // namespace morvane::emulator
