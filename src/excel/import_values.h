// The rules that turn the cells of one imported sheet into values: the normalised length and
// scale per product and the reading of sizes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/product_profile.h"

namespace morvane::excel {

// LENGTH2 and SCALE2 of a column of `type_upper` (upper-cased, compared as a whole word) with
// the length, precision and scale cells as read, by the rules of `product`.
NormalisedLengthScale NormaliseLengthScale(Product product, std::string_view type_upper,
                                           const std::string& length, const std::string& precision,
                                           const std::string& scale);

// The size when `text` is a whole decimal integer (optional sign), otherwise nothing.
std::optional<long long> ParseSize(std::string_view text);

}  // namespace morvane::excel
