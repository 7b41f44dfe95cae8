#include "excel/import_values.h"

#include <charconv>

#include "model/data_kind.h"

namespace morvane::excel {
NormalisedLengthScale NormaliseLengthScale(Product product, std::string_view type_upper,
                                           const std::string& length, const std::string& precision,
                                           const std::string& scale) {
  const TypeRules& rules = ProfileOf(product).typeRules;
  if (rules.lengthScale == nullptr) return {};
  return rules.lengthScale(type_upper, length, precision, scale);
}

std::optional<long long> ParseSize(std::string_view text) {
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return std::nullopt;
  }
  if (text.empty()) return std::nullopt;
  long long value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace morvane::excel
