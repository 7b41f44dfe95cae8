#include "driver/text_convert.h"

namespace morvane::emulator {
namespace {

const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);

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
  RunIconv(to_client_, utf8, out, true);
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
  return RunIconv(from_client_, cp932, out, false);
}

}  // namespace morvane::emulator
