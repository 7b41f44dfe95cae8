#include "engine/cp932_collation.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <memory>

namespace morvane::emulator {
namespace {

constexpr uint16_t kUnmapped = 0xFFFF;

// CP932 code of every BMP character (one byte below 0x100, two bytes as 0xHHLL), built once
// through iconv.
const std::array<uint16_t, 0x10000>& Cp932Codes() {
  static const auto table = [] {
    auto codes = std::make_unique<std::array<uint16_t, 0x10000>>();
    codes->fill(kUnmapped);
    iconv_t cd = iconv_open("CP932", "UTF-32LE");
    for (uint32_t cp = 0; cp < 0x10000; ++cp) {
      if (cp < 0x80) {
        (*codes)[cp] = static_cast<uint16_t>(cp);
        continue;
      }
      if (cd == reinterpret_cast<iconv_t>(-1) || (cp >= 0xD800 && cp < 0xE000)) continue;
      char in[4] = {static_cast<char>(cp & 0xFF), static_cast<char>((cp >> 8) & 0xFF), 0, 0};
      char out[4] = {};
      char* in_ptr = in;
      char* out_ptr = out;
      size_t in_left = sizeof in;
      size_t out_left = sizeof out;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<size_t>(-1)) continue;
      size_t written = sizeof out - out_left;
      auto byte = [&](int i) { return static_cast<uint16_t>(static_cast<unsigned char>(out[i])); };
      if (written == 1) (*codes)[cp] = byte(0);
      if (written == 2) (*codes)[cp] = static_cast<uint16_t>(byte(0) << 8 | byte(1));
    }
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    return codes;
  }();
  return *table;
}

// Hands out the CP932 bytes of a UTF-8 text one at a time. Characters without a CP932 form
// become 0xFF (no CP932 byte) followed by their code point, so they sort last but stay
// distinct; bytes that are not UTF-8 pass through unchanged.
class Cp932Bytes {
 public:
  explicit Cp932Bytes(std::string_view text) : text_(text) {}

  // The next byte, or -1 at the end.
  int Next() {
    if (queued_ < queue_size_) return queue_[queued_++];
    if (pos_ >= text_.size()) return -1;
    Queue(DecodeCodePoint());
    return queue_[queued_++];
  }

 private:
  uint32_t DecodeCodePoint() {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text_[i]); };
    unsigned char lead = byte(pos_);
    size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length <= 1 || pos_ + length > text_.size()) {
      ++pos_;
      return 0x80000000u | lead;  // a raw byte
    }
    uint32_t cp = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
      if ((byte(pos_ + i) & 0xC0) != 0x80) {
        ++pos_;
        return 0x80000000u | lead;
      }
      cp = cp << 6 | (byte(pos_ + i) & 0x3F);
    }
    pos_ += length;
    return cp;
  }

  void Queue(uint32_t cp) {
    queued_ = 0;
    queue_size_ = 0;
    if (cp & 0x80000000u) {
      queue_[queue_size_++] = static_cast<int>(cp & 0xFF);
      return;
    }
    uint16_t code = cp < 0x10000 ? Cp932Codes()[cp] : kUnmapped;
    if (code == kUnmapped) {
      queue_[queue_size_++] = 0xFF;
      for (int shift = 16; shift >= 0; shift -= 8) queue_[queue_size_++] = (cp >> shift) & 0xFF;
      return;
    }
    if (code > 0xFF) queue_[queue_size_++] = code >> 8;
    queue_[queue_size_++] = code & 0xFF;
  }

  std::string_view text_;
  size_t pos_ = 0;
  std::array<int, 4> queue_{};
  size_t queued_ = 0;
  size_t queue_size_ = 0;
};

int CollationCallback(void*, int length_a, const void* a, int length_b, const void* b) {
  return CompareAsCp932(
      std::string_view(static_cast<const char*>(a), static_cast<size_t>(length_a)),
      std::string_view(static_cast<const char*>(b), static_cast<size_t>(length_b)));
}

}  // namespace

int CompareAsCp932(std::string_view a, std::string_view b) {
  // ASCII is the same in both encodings: skip the common ASCII prefix byte by byte.
  size_t common = 0;
  while (common < a.size() && common < b.size() && a[common] == b[common] &&
         static_cast<unsigned char>(a[common]) < 0x80) {
    ++common;
  }
  Cp932Bytes x(a.substr(common));
  Cp932Bytes y(b.substr(common));
  for (;;) {
    int p = x.Next();
    int q = y.Next();
    if (p != q) return p < q ? -1 : 1;
    if (p < 0) return 0;
  }
}

void RegisterCp932Collation(sqlite3* db) {
  sqlite3_create_collation_v2(db, kCp932Collation, SQLITE_UTF8, nullptr, CollationCallback,
                              nullptr);
}

}  // namespace morvane::emulator
