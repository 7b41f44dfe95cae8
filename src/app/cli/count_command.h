// morvane-cli count: row counts of a project's tables, saved into the project.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace morvane {

extern const char kCountUsage[];

// Runs `count PROJECT.vnk --dsn NAME [--uid U] [--pwd P] (--tables NAME,... | --all-tables)`
// with the arguments after the command word. Counts the named tables of the project's table
// information (a name is a table name, or OWNER.NAME to pick one owner's table), or all of them,
// stores each count in the table's COUNT value and saves the project in place. Prints one line
// per table; a failing table prints its error and gets -1 while the others are still counted.
// Returns 0 when every table was counted, 1 when one failed or connecting, reading or saving
// failed, 2 for bad arguments or a name the table information does not hold.
int RunCountCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace morvane
