// morvane-cli import: table definitions read from a workbook's sheets into a project.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace morvane {

// Usage lines of the command.
extern const char kImportUsage[];

// Runs `import PROJECT.vnk --workbook BOOK.xlsx (--sheets NAME,...|--all-sheets) [layout
// options | --layout-from-project] [--overwrite ask|yes|no|all]` with the arguments after the
// command word. Layout options change single values of the project's layout; the layout is
// checked against the workbook's first sheet as the import dialog checks it and stored in the
// project. Duplicated table names are answered by --overwrite (default: ask, at the terminal;
// when not `interactive`, a duplicate that would need asking ends the command with exit code 2,
// naming the table, and nothing saved). The project is saved only when the import succeeded.
// Returns the exit code: 0 on success, 1 when opening, importing or saving failed, 2 for bad
// arguments.
int RunImportCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                     std::ostream& err, bool interactive);

}  // namespace morvane
