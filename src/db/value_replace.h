// Changing values of a value list. A value list keeps its values packed and is rebuilt on every
// change, so several changes are made in one rebuild.
#pragma once

#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "model/value_list.h"

namespace morvane {

// The mark ("○" in CP932) a catalogue value holds for a set flag: not null, unique, key.
inline constexpr std::string_view kMark = "\x81\x9B";

// Replaces the values at the given positions; positions beyond the list are ignored.
inline void ReplaceValues(TValueList& values,
                          std::initializer_list<std::pair<size_t, std::string_view>> replacements) {
  std::vector<std::string_view> texts(values.begin(), values.end());
  bool changed = false;
  for (const auto& [i, text] : replacements) {
    if (i < texts.size()) {
      texts[i] = text;
      changed = true;
    }
  }
  if (!changed) return;
  TValueList replaced;
  replaced.Append(texts);
  values = std::move(replaced);
}

}  // namespace morvane
