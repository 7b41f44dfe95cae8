// The options the desktop program answers on the command line without opening its window.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace morvane {

// What `morvane` prints for --help (-h) or --version (-v) among `args` (the arguments after the
// program name); nullopt when neither is given and the window opens as usual.
std::optional<std::string> ProgramOptionAnswer(const std::vector<std::string>& args,
                                               const std::string& version);

}  // namespace morvane
