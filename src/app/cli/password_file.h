// A password kept in a file for scripts, so that it never appears in the process list.
#pragma once

#include <optional>
#include <string>

namespace morvane {

struct PasswordFileResult {
  std::optional<std::string> password;  // set when read
  std::string error;                    // UTF-8 reason when not
};

// The first line of the file at `path` (without its CR LF or LF). The file must be a plain file
// that neither its group nor other users may read; otherwise nothing is read and the reason is
// given.
PasswordFileResult ReadPasswordFile(const std::string& path);

}  // namespace morvane
