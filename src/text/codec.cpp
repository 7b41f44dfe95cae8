#include "text/codec.h"

#include <iconv.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

#include "text/iconv_loop.h"

namespace morvane {
namespace {

// The conversion descriptors of this thread, opened once per pair of character sets: opening
// one loads the character set's module, which costs far more than converting a name.
class IconvCache {
 public:
  ~IconvCache() {
    for (auto& [names, cd] : open_) {
      if (cd != kInvalid) iconv_close(cd);
    }
  }
  // The descriptor from `from` to `to`, reset to its initial state; kInvalid when iconv does not
  // know one of them.
  iconv_t Get(const char* to, const char* from) {
    auto key = std::make_pair(std::string(to), std::string(from));
    auto found = open_.find(key);
    if (found == open_.end()) found = open_.emplace(key, iconv_open(to, from)).first;
    if (found->second != kInvalid) iconv(found->second, nullptr, nullptr, nullptr, nullptr);
    return found->second;
  }
  static inline const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);

 private:
  std::map<std::pair<std::string, std::string>, iconv_t> open_;
};

// A descriptor of the thread's cache, ready for a new conversion.
class CachedIconv {
 public:
  CachedIconv(const char* to, const char* from) {
    thread_local IconvCache cache;
    cd_ = cache.Get(to, from);
  }
  bool valid() const { return cd_ != IconvCache::kInvalid; }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

CodecResult Convert(std::string_view in, const char* to, const char* from) {
  CodecResult result;
  CachedIconv cd(to, from);
  if (!cd.valid()) {
    result.error = std::string("文字コード変換を開始できません: ") + from + " -> " + to;
    return result;
  }
  std::string out;
  size_t offset = 0;
  if (!RunIconv(cd.get(), in, out, false, &offset)) {
    result.error = std::string("変換できない文字があります (") + from + " -> " + to + ", 位置 " +
                   std::to_string(offset) + ")";
    return result;
  }
  result.ok = true;
  result.text = std::move(out);
  return result;
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

namespace {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes the UTF-8 sequence at text[pos] (already checked by iconv) and advances pos.
char32_t NextUtf8(std::string_view text, size_t& pos) {
  unsigned char lead = static_cast<unsigned char>(text[pos]);
  size_t len = std::min(Utf8SequenceLength(lead), text.size() - pos);
  char32_t c = len == 1 ? lead : lead & (0x7F >> len);
  for (size_t i = 1; i < len; ++i)
    c = (c << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
  pos += len;
  return c;
}

}  // namespace

std::string Utf16ToCp932Lossy(std::u16string_view utf16) {
  std::string utf8;
  utf8.reserve(utf16.size());
  bool ascii = true;
  for (size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = '?';
    }
    ascii = ascii && c < 0x80;
    AppendUtf8(utf8, c);
  }
  return ascii ? utf8 : Utf8ToCp932Lossy(utf8);
}

bool Cp932ToUtf16(std::string_view cp932, std::u16string& utf16) {
  CodecResult utf8 = Cp932ToUtf8(cp932);
  if (!utf8.ok) return false;
  utf16.clear();
  size_t pos = 0;
  while (pos < utf8.text.size()) {
    char32_t c = NextUtf8(utf8.text, pos);
    if (c >= 0x10000) {
      utf16 += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      utf16 += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      utf16 += static_cast<char16_t>(c);
    }
  }
  return true;
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

namespace morvane {
namespace {

bool IsUtf8Name(const std::string& encoding) { return encoding == "UTF-8" || encoding == "UTF8"; }
bool IsCp932Name(const std::string& encoding) { return encoding == "CP932"; }

// `in` in `from` to UTF-8, one "?" for every byte iconv refuses.
std::string ToUtf8Lossy(std::string_view in, const std::string& from) {
  CachedIconv cd("UTF-8", from.c_str());
  if (!cd.valid()) return std::string(in.size(), '?');
  std::string out(in.size() * 3 + 16, '\0');
  char* in_ptr = const_cast<char*>(in.data());
  size_t in_left = in.size();
  char* out_ptr = out.data();
  size_t out_left = out.size();
  while (in_left > 0) {
    if (iconv(cd.get(), &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<size_t>(-1)) {
      continue;
    }
    size_t used = out.size() - out_left;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
    } else {  // an invalid or cut-off sequence: one byte becomes "?"
      out.resize(std::max(out.size(), used + 8));
      out[used++] = '?';
      ++in_ptr;
      --in_left;
    }
    out_ptr = out.data() + used;
    out_left = out.size() - used;
  }
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace

std::string EncodedToCp932Lossy(std::string_view text, const std::string& encoding) {
  if (IsAscii(text)) return std::string(text);
  if (IsCp932Name(encoding) && Cp932ToUtf8(text).ok) return std::string(text);
  if (IsUtf8Name(encoding)) {
    if (CodecResult whole = Utf8ToCp932(text); whole.ok) return std::move(whole.text);
  }
  // Through iconv's own reading first, so that a broken sequence costs only its own bytes.
  return Utf8ToCp932Lossy(ToUtf8Lossy(text, IsUtf8Name(encoding) ? "UTF-8" : encoding));
}

bool Cp932ToEncoded(std::string_view cp932, const std::string& encoding, std::string& out) {
  CodecResult utf8 = Cp932ToUtf8(cp932);
  if (!utf8.ok) return false;
  if (IsAscii(cp932) || IsCp932Name(encoding)) {
    out.assign(cp932);
  } else if (IsUtf8Name(encoding)) {
    out = std::move(utf8.text);
  } else {
    // Character by character, so that only what `encoding` lacks becomes "?".
    out.clear();
    for (size_t pos = 0; pos < utf8.text.size();) {
      size_t len = std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8.text[pos])),
                            utf8.text.size() - pos);
      CodecResult one =
          Convert(std::string_view(utf8.text).substr(pos, len), encoding.c_str(), "UTF-8");
      out += one.ok ? one.text : std::string("?");
      pos += len;
    }
  }
  return true;
}

bool IsKnownEncoding(const std::string& encoding) {
  return CachedIconv("UTF-8", encoding.c_str()).valid();
}

}  // namespace morvane
