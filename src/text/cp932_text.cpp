#include "text/cp932_text.h"

#include <charconv>

#include "text/codec.h"

namespace morvane {
namespace {

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  size_t i = 0;
  while (i < a.size()) {
    if (IsCp932LeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      i += 2;
      continue;
    }
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    ++i;
  }
  return true;
}

std::string UpperAsciiLetters(std::string_view text) {
  std::string upper(text);
  for (size_t i = 0; i < upper.size(); ++i) {
    if (IsCp932LeadByte(static_cast<unsigned char>(upper[i]))) {
      ++i;  // the trail byte is not a letter
    } else {
      upper[i] = FoldAscii(upper[i]);
    }
  }
  return upper;
}

std::string TrimBlanks(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
  return std::string(text.substr(begin, end - begin));
}

bool ParseInt32(std::string_view text, int& value) {
  const bool had_plus = !text.empty() && text.front() == '+';
  if (had_plus) text.remove_prefix(1);
  if (text.empty()) return false;
  if (had_plus && (text.front() < '0' || text.front() > '9')) return false;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  int parsed = 0;
  auto [ptr, ec] = std::from_chars(first, last, parsed);
  if (ec != std::errc() || ptr != last) return false;
  value = parsed;
  return true;
}

std::string Cp932ForDisplay(std::string_view cp932) {
  CodecResult r = Cp932ToUtf8(cp932);
  if (r.ok) return r.text;
  std::string shown;
  for (unsigned char c : cp932) shown += c < 0x80 ? static_cast<char>(c) : '?';
  return shown;
}

}  // namespace morvane
