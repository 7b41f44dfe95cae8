// morvane-cli excel: table-definition or ER diagram workbooks of a project.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace morvane {

// Usage lines of the command.
extern const char kExcelUsage[];

// Runs `excel PROJECT.vnk [--template BOOK.xlsx] [--sheet NAME] --out OUT.xlsx` followed by
// `--kind N` with `--tables NAME,...` or `--all-tables` (table output of data kind N, records in
// store order), or by `--er SHEET,...` (ER output). Without --template the bundled template is
// the format sheet; --sheet picks a sheet of the template book. Every question is answered with
// its default button and every message goes to `err`. OUT.xlsx is written (replacing an
// existing file) only when the whole output succeeded. Returns 0 on success, 1 when the output
// failed, 2 for bad arguments.
int RunExcelCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace morvane
