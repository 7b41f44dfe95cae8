// CP932 on the client side, UTF-8 in SQLite: the driver converts statements on the way in and
// values, names and messages on the way out, with conversion descriptors kept open for speed.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

#include "text/iconv_loop.h"

namespace morvane::emulator {

class TextConverter {
 public:
  TextConverter();
  ~TextConverter();
  TextConverter(const TextConverter&) = delete;
  TextConverter& operator=(const TextConverter&) = delete;

  // UTF-8 to CP932; a character CP932 lacks becomes '?', as a server's conversion would.
  void ToClient(std::string_view utf8, std::string& out);
  std::string ToClient(std::string_view utf8);
  // CP932 to UTF-8; false when the bytes are not valid CP932.
  bool FromClient(std::string_view cp932, std::string& out);

 private:
  iconv_t to_client_;
  iconv_t from_client_;
};

}  // namespace morvane::emulator
