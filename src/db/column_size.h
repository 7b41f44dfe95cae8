// Storage size in bytes of a column, computed from its data type where the catalogue does not
// state it (Oracle tables, columns imported from Excel).
#pragma once

#include <string>
#include <string_view>

#include "model/product_profile.h"

namespace morvane {

// The size in bytes, as decimal text, of a column of `data_type` with `length_or_precision`
// (the length of character types, the precision of numeric types) and `scale` (the scale of
// numeric types, the fractional-second precision of Red Brick TIME and TIMESTAMP), by the rules
// of `product`. "0" when the rules know no size. Never fails.
std::string ColumnByteSize(Product product, std::string_view data_type,
                           std::string_view length_or_precision, std::string_view scale);

}  // namespace morvane
