#include "model/codec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace morvane {
namespace {

// One iconv conversion descriptor, closed when it goes out of scope.
class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~IconvHandle() {
    if (valid()) iconv_close(cd_);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

CodecResult Convert(std::string_view in, const char* to, const char* from) {
  CodecResult result;
  IconvHandle cd(to, from);
  if (!cd.valid()) {
    result.error = std::string("文字コード変換を開始できません: ") + from + " -> " + to;
    return result;
  }
  std::string out(in.size() * 2 + 16, '\0');
  char* in_ptr = const_cast<char*>(in.data());
  size_t in_left = in.size();
  char* out_ptr = out.data();
  size_t out_left = out.size();
  while (in_left > 0) {
    if (iconv(cd.get(), &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<size_t>(-1)) {
      continue;
    }
    if (errno == E2BIG) {
      size_t used = out.size() - out_left;
      out.resize(out.size() * 2);
      out_ptr = out.data() + used;
      out_left = out.size() - used;
      continue;
    }
    size_t offset = in.size() - in_left;
    result.error = std::string("変換できない文字があります (") + from + " -> " + to + ", 位置 " +
                   std::to_string(offset) + ")";
    return result;
  }
  out.resize(out.size() - out_left);
  result.ok = true;
  result.text = std::move(out);
  return result;
}

bool IsAscii(std::string_view text) {
  for (unsigned char c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

// Length of the UTF-8 sequence a lead byte starts; 1 for a byte that starts none.
size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

}  // namespace

CodecResult Cp932ToUtf8(std::string_view cp932) {
  if (IsAscii(cp932)) return {true, std::string(cp932), {}};
  return Convert(cp932, "UTF-8", "CP932");
}

CodecResult Utf8ToCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return {true, std::string(utf8), {}};
  return Convert(utf8, "CP932", "UTF-8");
}

std::string Utf8ToCp932Lossy(std::string_view utf8) {
  CodecResult whole = Utf8ToCp932(utf8);
  if (whole.ok) return std::move(whole.text);
  // Converts one character at a time so that only the ones CP932 lacks are replaced.
  std::string out;
  size_t pos = 0;
  while (pos < utf8.size()) {
    size_t len =
        std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8[pos])), utf8.size() - pos);
    CodecResult one = Utf8ToCp932(utf8.substr(pos, len));
    out += one.ok ? one.text : std::string("?");
    pos += len;
  }
  return out;
}

std::string ToUtf8(std::string_view cp932) {
  CodecResult r = Cp932ToUtf8(cp932);
  if (!r.ok) throw std::runtime_error(r.error);
  return r.text;
}

std::string ToCp932(std::string_view utf8) {
  CodecResult r = Utf8ToCp932(utf8);
  if (!r.ok) throw std::runtime_error(r.error);
  return r.text;
}

size_t Cp932SafePrefixLength(std::string_view cp932, size_t max_bytes) {
  size_t pos = 0;
  while (pos < cp932.size()) {
    size_t width = IsCp932LeadByte(static_cast<unsigned char>(cp932[pos])) ? 2 : 1;
    if (pos + width > max_bytes) break;
    pos += width;
  }
  return pos;
}

}  // namespace morvane
