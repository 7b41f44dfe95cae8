// The rules by which a product's column types give byte sizes and an imported length and scale.
// Each product that has them defines them in its own file under products/.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace morvane {

// LENGTH2 and SCALE2 of an imported column.
struct NormalisedLengthScale {
  std::string length2;
  std::string scale2;
};

struct TypeRules {
  // The size in bytes, as decimal text ("0" when the rules know none), of a column of `type`
  // (upper case) with `length` (length or precision) and `scale`, both whole decimal numbers.
  std::string (*byteSize)(const std::string& type, const std::string& length,
                          const std::string& scale) = nullptr;
  // LENGTH2 and SCALE2 of a column of `type` (upper case) from its length, precision and scale
  // cells as read.
  NormalisedLengthScale (*lengthScale)(std::string_view type, const std::string& length,
                                       const std::string& precision,
                                       const std::string& scale) = nullptr;
};

// Value of a whole decimal number (optional sign); magnitudes beyond any real size saturate
// instead of overflowing.
int64_t WholeNumberValue(std::string_view text);
bool IsOneOf(std::string_view word, std::initializer_list<std::string_view> words);
const std::string& FirstNotEmpty(const std::string& first, const std::string& second);

}  // namespace morvane
