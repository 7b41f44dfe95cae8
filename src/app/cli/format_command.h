// morvane-cli format: writes a designed set of output format settings into a project.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace morvane {

extern const char kFormatUsage[];

// Runs `format PROJECT.vnk --preset standard [--out OUT.vnk]`: the standard layout of the
// project's product (item placement, format settings and import layout) replaces the old ones;
// records, ER sheets and everything else stay. The project is saved in place unless --out
// names another file. Returns 0 on success, 1 when reading or saving failed, 2 for bad
// arguments.
int RunFormatCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace morvane
