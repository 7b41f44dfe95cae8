#include "excel/import_values.h"

#include <charconv>
#include <initializer_list>

#include "model/data_kind.h"

namespace morvane::excel {
namespace {

bool IsOneOf(std::string_view word, std::initializer_list<std::string_view> words) {
  for (std::string_view candidate : words) {
    if (word == candidate) return true;
  }
  return false;
}

const std::string& FirstNotEmpty(const std::string& first, const std::string& second) {
  return first.empty() ? second : first;
}

}  // namespace

NormalisedLengthScale NormaliseLengthScale(Product product, std::string_view type_upper,
                                           const std::string& length, const std::string& precision,
                                           const std::string& scale) {
  const TypeRules rules = ProfileOf(product).typeRules;
  if (rules == TypeRules::kRedBrick) {
    if (IsOneOf(type_upper, {"VARCHAR", "CHARACTER", "CHAR"})) return {length, ""};
    if (IsOneOf(type_upper, {"TIME", "TIMESTAMP"})) return {"", FirstNotEmpty(precision, scale)};
    if (IsOneOf(type_upper, {"DECIMAL", "DEC", "NUMERIC", "NUM"})) {
      return {FirstNotEmpty(length, precision), scale};
    }
  } else if (rules == TypeRules::kOracle) {
    if (IsOneOf(type_upper, {"CHAR", "NCHAR", "VARCHAR2", "NVARCHAR2"})) return {length, ""};
    if (type_upper == "NUMBER") return {FirstNotEmpty(length, precision), scale};
    if (type_upper == "ROW") return {FirstNotEmpty(length, precision), ""};
  } else if (rules == TypeRules::kOdbc) {
    if (IsOneOf(type_upper, {"CHAR", "CHARACTER", "VARCHAR", "CHARACTER VARYING", "BPCHAR",
                             "BINARY", "VARBINARY"})) {
      return {length, ""};
    }
    if (IsOneOf(type_upper, {"DECIMAL", "DEC", "NUMERIC"})) {
      return {FirstNotEmpty(length, precision), scale};
    }
  }
  return {};
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
