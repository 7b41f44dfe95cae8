#include "driver/text_convert.h"

#include <cerrno>

namespace morvane::emulator {
namespace {

const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);

size_t Utf8SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

// Runs iconv over the whole input; on an unconvertible sequence either substitutes '?' and
// skips it (substitute) or gives up.
bool Run(iconv_t cd, std::string_view in, std::string& out, bool substitute) {
  out.assign(in.size() * 2 + 8, '\0');
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in_ptr = const_cast<char*>(in.data());
  size_t in_left = in.size();
  char* out_ptr = out.data();
  size_t out_left = out.size();
  while (in_left > 0) {
    if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<size_t>(-1)) continue;
    if (errno == E2BIG) {
      size_t used = out.size() - out_left;
      out.resize(out.size() * 2);
      out_ptr = out.data() + used;
      out_left = out.size() - used;
      continue;
    }
    if (!substitute) return false;
    size_t skip = std::min(in_left, Utf8SequenceLength(static_cast<unsigned char>(*in_ptr)));
    in_ptr += skip;
    in_left -= skip;
    if (out_left == 0) {
      size_t used = out.size();
      out.resize(out.size() * 2);
      out_ptr = out.data() + used;
      out_left = out.size() - used;
    }
    *out_ptr++ = '?';
    --out_left;
  }
  out.resize(out.size() - out_left);
  return true;
}

}  // namespace

TextConverter::TextConverter()
    : to_client_(iconv_open("CP932", "UTF-8")), from_client_(iconv_open("UTF-8", "CP932")) {}

TextConverter::~TextConverter() {
  if (to_client_ != kInvalid) iconv_close(to_client_);
  if (from_client_ != kInvalid) iconv_close(from_client_);
}

void TextConverter::ToClient(std::string_view utf8, std::string& out) {
  if (IsAscii(utf8) || to_client_ == kInvalid) {
    out.assign(utf8);
    return;
  }
  Run(to_client_, utf8, out, true);
}

std::string TextConverter::ToClient(std::string_view utf8) {
  std::string out;
  ToClient(utf8, out);
  return out;
}

bool TextConverter::FromClient(std::string_view cp932, std::string& out) {
  if (IsAscii(cp932)) {
    out.assign(cp932);
    return true;
  }
  if (from_client_ == kInvalid) return false;
  return Run(from_client_, cp932, out, false);
}

}  // namespace morvane::emulator
