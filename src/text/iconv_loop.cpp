#include "text/iconv_loop.h"

#include <algorithm>
#include <cerrno>

namespace morvane {
namespace {

// Doubles out, keeping what was written, and points the write position after it.
void Grow(std::string& out, char*& out_ptr, size_t& out_left) {
  size_t used = out.size() - out_left;
  out.resize(out.size() * 2);
  out_ptr = out.data() + used;
  out_left = out.size() - used;
}

}  // namespace

bool RunIconv(iconv_t cd, std::string_view in, std::string& out, bool substitute,
              size_t* failed_at) {
  out.assign(in.size() * 2 + 16, '\0');
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in_ptr = const_cast<char*>(in.data());
  size_t in_left = in.size();
  char* out_ptr = out.data();
  size_t out_left = out.size();
  while (in_left > 0) {
    if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) {
      Grow(out, out_ptr, out_left);
      continue;
    }
    if (!substitute) {
      if (failed_at) *failed_at = in.size() - in_left;
      return false;
    }
    size_t skip = std::min(in_left, Utf8SequenceLength(static_cast<unsigned char>(*in_ptr)));
    in_ptr += skip;
    in_left -= skip;
    if (out_left == 0) Grow(out, out_ptr, out_left);
    *out_ptr++ = '?';
    --out_left;
  }
  out.resize(out.size() - out_left);
  return true;
}

bool IsAscii(std::string_view text) {
  for (unsigned char c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

}  // namespace morvane
