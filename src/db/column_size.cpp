#include "db/column_size.h"

#include "model/data_kind.h"
#include "text/cp932_text.h"

namespace morvane {

namespace {

bool IsWholeNumber(std::string_view text) {
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// The text itself when it is a whole decimal number, otherwise "0".
std::string NumberOrZero(std::string_view text) {
  return IsWholeNumber(text) ? std::string(text) : std::string("0");
}

}  // namespace

std::string ColumnByteSize(Product product, std::string_view data_type,
                           std::string_view length_or_precision, std::string_view scale) {
  const TypeRules& rules = ProfileOf(product).typeRules;
  if (rules.byteSize == nullptr) return "0";
  return rules.byteSize(UpperAsciiLetters(data_type), NumberOrZero(length_or_precision),
                        NumberOrZero(scale));
}

}  // namespace morvane
