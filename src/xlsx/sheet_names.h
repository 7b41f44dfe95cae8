// Excel's rules for sheet names, and the few UTF-8 helpers they count characters with.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morvane::xlsx {

constexpr size_t kMaxSheetNameLength = 31;

// Number of characters (code points) in UTF-8 text.
size_t CharacterCount(std::string_view utf8);
// The first `count` characters of UTF-8 text.
std::string FirstCharacters(std::string_view utf8, size_t count);
// Appends one character (code point) as UTF-8.
void AppendUtf8(std::string& out, char32_t code);

// Why a name cannot be a sheet name, in Japanese, or nothing when it can: it must have 1 to 31
// characters, none of : \ / ? * [ ], must not begin or end with an apostrophe and must not be
// the reserved name "History".
std::optional<std::string> SheetNameProblem(std::string_view utf8);

// A key under which names that Excel treats as the same sheet name compare equal: letter case,
// full-width and half-width forms, and hiragana and katakana are not told apart.
std::string SheetNameKey(std::string_view utf8);

}  // namespace morvane::xlsx
