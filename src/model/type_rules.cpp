#include "model/type_rules.h"

namespace morvane {

int64_t WholeNumberValue(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  constexpr int64_t kLimit = INT64_C(1000000000000000000);
  int64_t value = 0;
  for (char c : text) {
    if (value >= kLimit / 10) {  // one more digit reaches the limit
      value = kLimit;
      break;
    }
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

bool IsOneOf(std::string_view word, std::initializer_list<std::string_view> words) {
  for (std::string_view candidate : words) {
    if (word == candidate) return true;
  }
  return false;
}

const std::string& FirstNotEmpty(const std::string& first, const std::string& second) {
  return first.empty() ? second : first;
}

}  // namespace morvane
