// morvane-cli er-place: places tables of a project on an ER sheet and joins them with lines,
// as dragging them from the tree and between windows does, for scripted diagrams (the demo).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace morvane {

extern const char kErPlaceUsage[];

// Runs `er-place IN.vnk --sheet NAME --table NAME@LEFT,TOP[,WIDTH,HEIGHT] ...
// [--line FROM:TO ...] [--fit] --out OUT.vnk`. Each --table places a window of the first table
// information record of that name at the given sheet position, sized to show its caption and
// columns unless a size is given; each --line joins the windows placed for two of those
// tables; --fit sizes every window of the sheet to its content. The sheet is the one of that
// name, else the project's only sheet when it is still empty (renamed), else a new sheet.
// Returns 0 on success, 1 when reading or saving failed, 2 for bad arguments.
int RunErPlaceCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace morvane
