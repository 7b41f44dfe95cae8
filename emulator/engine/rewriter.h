// Brings a statement written in a family's dialect to SQLite's: Oracle-style outer joins with
// (+) become LEFT OUTER JOINs, table functions such as SYSTEM.BBCOLUMNS() become tables,
// three-part names of aliased tables use the alias, SYSDATE becomes a function call.
#pragma once

#include <string>

#include "engine/family.h"
#include "engine/lexer.h"

namespace morvane::emulator {

// Throws SqlError (kTooDeep) when parentheses nest deeper than kMaxNesting.
void CheckNesting(const Tokens& tokens);

// Throws SqlError when an outer join cannot be expressed (e.g. (+) under OR).
std::string RewriteDialect(Family family, const std::string& sql);

}  // namespace morvane::emulator
