// The printed forms of a change list (UTF-8): text for people, tab-separated values for
// scripts, a Markdown table for a pull request or a wiki.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "diff/change.h"

namespace morvane::diff {

enum class ChangeFormat { kText, kTsv, kMarkdown };

// "text", "tsv" or "markdown"; nothing for another word.
std::optional<ChangeFormat> ChangeFormatFromWord(std::string_view word);

// A CP932 text of a change as UTF-8 (bytes that do not convert are kept as they are).
std::string ChangeText(std::string_view cp932);

// The whole list in one format; empty for an empty list.
std::string FormatChanges(const ChangeList& changes, ChangeFormat format);

}  // namespace morvane::diff
