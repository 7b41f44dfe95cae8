// Small text rules on CP932 byte strings that several parts of the document share.
//
// CP932 trail bytes can fall into the ASCII letter range, so case folding and trimming must
// walk the text character by character rather than byte by byte.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

// True when a and b are equal once single-byte ASCII letters are folded to one case.
// Double-byte characters (including full-width letters) must match exactly.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The text with its single-byte ASCII letters in upper case; a key for case-free lookups.
std::string UpperAsciiLetters(std::string_view text);

// Removes blanks and control characters (bytes up to 0x20) from both ends.
std::string TrimBlanks(std::string_view text);

// Parses a whole field as a signed 32-bit decimal integer (optional sign, digits only).
// Returns false for anything else, including values outside the 32-bit range.
bool ParseInt32(std::string_view text, int& value);

// CP932 text as UTF-8 for a message; bytes that do not convert are shown as '?', so a name
// read from a damaged file can still be named in an error.
std::string Cp932ForDisplay(std::string_view cp932);

}  // namespace morvane
