// morvane-cli er-image: draws one ER sheet of a project as SVG or PNG without a display.
//
//   morvane-cli er-image PROJECT.vnk [--sheet NAME] --out FILE.svg|FILE.png
//
// Without --sheet the first sheet is drawn. The sheet name is compared ignoring ASCII case.
#pragma once

#include <string>
#include <vector>

namespace morvane {

inline constexpr char kErImageUsage[] =
    "  morvane-cli er-image PROJECT.vnk [--sheet NAME] --out FILE.svg|FILE.png\n";

// Runs the command on the arguments after "er-image"; returns the exit code. Messages go to
// standard error.
int RunErImageCommand(const std::vector<std::string>& args);

}  // namespace morvane
