// Case conversion of ASCII letters only: every other byte, including both bytes of a
// double-byte CP932 character, stays as it is.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

inline std::string AsciiUpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

}  // namespace morvane
