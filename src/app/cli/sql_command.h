// morvane-cli sql: runs a free query into a project's SQL input (data kind 5) and saves it.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace morvane {

extern const char kSqlUsage[];

// Runs `sql PROJECT.vnk --dsn NAME [--uid U] [--pwd P] (--query TEXT | --query-file FILE)
// [--max-rows N]` with the arguments after the command word. The query passes the checks of
// the SQL panel (statement kind, row limit from --max-rows or else the project's own); its
// result replaces data kind 5, the query and the limit become the project's SQL text and row
// limit, and the project is saved in place. Messages (warnings too) go to `err`.
// Returns 0 on success (also when the result was cut at the row limit), 1 when the query was
// refused or failed, or connecting, reading or saving failed (the file then stays as it was),
// 2 for bad arguments.
int RunSqlCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace morvane
