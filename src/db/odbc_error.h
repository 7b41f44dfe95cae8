// The one way ODBC failures reach the user.
#pragma once

#include <sql.h>

#include <string>

#include "model/prompt.h"

namespace morvane {

// The first diagnostic message of the most specific non-null handle (statement, then
// connection, then environment), cut to 255 bytes without splitting a double-byte character;
// "内部エラー" (in CP932) when there is none. Never throws.
std::string OdbcErrorText(SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt);

// Shows OdbcErrorText in an error box with one OK button. Never throws.
void ShowODBCError(IPrompt& prompt, SQLHENV env, SQLHDBC dbc, SQLHSTMT stmt);

// "内部エラー" in CP932: shown when a failure left no diagnostic.
std::string InternalErrorText();

}  // namespace morvane
