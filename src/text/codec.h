// Conversion between the document's CP932 (Shift-JIS) bytes and UTF-8.
//
// The document keeps every string exactly as files and ODBC give it, in CP932. Text is
// converted only where it leaves or enters that world: the Qt widgets and the .xlsx files.
// A conversion that meets a byte sequence or character the other side cannot represent fails
// and says where, so no caller can corrupt a user's text silently.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

struct CodecResult {
  bool ok = false;
  std::string text;   // the converted text when ok
  std::string error;  // a readable reason when not ok
};

// CP932 bytes to UTF-8.
CodecResult Cp932ToUtf8(std::string_view cp932);

// UTF-8 to CP932 bytes.
CodecResult Utf8ToCp932(std::string_view utf8);

// UTF-8 to CP932 bytes as automation hands text over: every character CP932 cannot hold, and
// every byte that is not UTF-8, becomes "?". Never fails.
std::string Utf8ToCp932Lossy(std::string_view utf8);

// UTF-16 (as ODBC's wide functions give it) to CP932 bytes: every character CP932 cannot hold,
// and every unpaired surrogate, becomes "?". Never fails.
std::string Utf16ToCp932Lossy(std::u16string_view utf16);

// CP932 bytes to UTF-16, for the wide ODBC functions; fails like Cp932ToUtf8.
bool Cp932ToUtf16(std::string_view cp932, std::u16string& utf16);

// Text in the character set `encoding` (an iconv name, as a driver without wide text hands
// it over) to CP932 bytes: every character CP932 cannot hold, and every byte that is not of
// that character set, becomes "?". Never fails.
std::string EncodedToCp932Lossy(std::string_view text, const std::string& encoding);
// CP932 bytes to the character set `encoding`, for drivers without wide text; a character that
// character set lacks becomes "?". Fails only when `cp932` is not CP932.
bool Cp932ToEncoded(std::string_view cp932, const std::string& encoding, std::string& out);
// True when iconv knows the character set `encoding`.
bool IsKnownEncoding(const std::string& encoding);
// Shorthands for text that is known to convert (literals, validated input): they throw
// std::runtime_error with the codec's message when it does not.
std::string ToUtf8(std::string_view cp932);
std::string ToCp932(std::string_view utf8);

// True when byte b can start a double-byte CP932 character.
constexpr bool IsCp932LeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Length of the longest prefix of cp932 that has at most max_bytes bytes and does not end in
// the middle of a double-byte character.
size_t Cp932SafePrefixLength(std::string_view cp932, size_t max_bytes);

}  // namespace morvane
