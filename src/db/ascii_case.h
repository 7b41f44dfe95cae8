// Upper-casing of the ASCII letters of CP932 text. A trail byte of a double-byte character can
// look like an ASCII letter, so the text is walked character by character and double-byte
// characters are left exactly as they are.
#pragma once

#include <string>
#include <string_view>

#include "model/codec.h"

namespace morvane {

inline std::string AsciiUpperCase(std::string_view cp932) {
  std::string upper(cp932);
  for (size_t i = 0; i < upper.size(); ++i) {
    char& c = upper[i];
    if (IsCp932LeadByte(static_cast<unsigned char>(c))) {
      ++i;  // skip the trail byte
    } else if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return upper;
}

}  // namespace morvane
