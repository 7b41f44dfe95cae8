// Runs DDL statements (CREATE/DROP/ALTER TABLE, INDEX, VIEW, COMMENT ON, ANALYZE, TRUNCATE):
// the schema model is updated and the SQLite tables that hold the data follow it.
#pragma once

#include <sqlite3.h>

#include <functional>
#include <string>

#include "engine/family.h"
#include "engine/lexer.h"

namespace morvane::emulator {

struct DdlContext {
  sqlite3* db = nullptr;
  Family family = Family::kOracle;
  std::string owner;
  std::string now;  // creation time stamped on new objects
  // Turns a query in the family's dialect into SQLite's (used for view definitions).
  std::function<std::string(const std::string&)> rewrite_query;
};

// True when the statement's first word starts a statement this module handles.
bool IsDdlStatement(const Tokens& tokens);

// Applies the statement. The caller wraps it in a transaction; throws SqlError.
void ExecuteDdl(const DdlContext& context, const Tokens& tokens);

}  // namespace morvane::emulator
