// Client-side helpers for feeding SQL scripts to a data source through the driver manager:
// used by the demo-database loader and by tests that build fixture databases.
#pragma once

#include <sql.h>

#include <string>
#include <string_view>
#include <vector>

namespace morvane::emulator {

// Splits a script at semicolons that end statements (not inside strings, quoted names or
// comments). Blank statements are dropped; a "/" alone on a line also ends a statement.
std::vector<std::string> SplitStatements(std::string_view script);

// Runs every statement of a UTF-8 script on the connection, sending it in CP932. Stops at the
// first failure and describes it in `error` (statement and driver message, UTF-8).
bool RunScript(SQLHDBC dbc, std::string_view utf8_script, std::string* error);

// The first diagnostic message of a handle, converted to UTF-8.
std::string DiagnosticText(SQLSMALLINT handle_type, SQLHANDLE handle);

}  // namespace morvane::emulator
