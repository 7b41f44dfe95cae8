// The positions of the values the ODBC catalogue reader fills in; the item lists themselves are
// the generic ODBC product's default lists (DefaultItemList(Product::Odbc, ...)).
#pragma once

#include <cstddef>
#include <vector>

#include "model/default_items.h"

namespace morvane {

// Value positions of table information, table level.
namespace odbc_table {
constexpr size_t kOwner = 0;  // schema, or catalog where the driver has no schemas
constexpr size_t kName = 1;
constexpr size_t kType = 2;   // as the driver names it: "TABLE", "VIEW", ...
constexpr size_t kSize = 3;   // sum of the columns' byte sizes
constexpr size_t kCount = 4;  // row count, filled by the count command
constexpr size_t kCatalog = 5;
constexpr size_t kRemarks = 6;
constexpr size_t kValueCount = 7;
}  // namespace odbc_table

// Value positions of table information, column level. The first twelve are those of the Excel
// file's list, so that the diagram, the import and the key marks find them where they look for
// every product.
namespace odbc_column {
constexpr size_t kNo = 0;  // position in the table, from 1
constexpr size_t kName = 1;
constexpr size_t kType = 2;       // the driver's type name
constexpr size_t kLength = 3;     // COLUMN_SIZE of types without a radix (characters, dates)
constexpr size_t kPrecision = 4;  // COLUMN_SIZE of numeric types
constexpr size_t kScale = 5;      // DECIMAL_DIGITS
constexpr size_t kLength2 = 6;    // COLUMN_SIZE of every type: length or precision
constexpr size_t kScale2 = 7;     // DECIMAL_DIGITS of numeric types
constexpr size_t kSize = 8;       // bytes: the type's transfer size, else the octet length
constexpr size_t kNotNull = 9;
constexpr size_t kUnique = 10;
constexpr size_t kPrimaryKey = 11;
constexpr size_t kPrimaryNo = 12;  // position in the primary key
constexpr size_t kDefault = 13;
constexpr size_t kRemarks = 14;
constexpr size_t kValueCount = 15;
}  // namespace odbc_column

// Value positions of index information, table level.
namespace odbc_index {
constexpr size_t kOwner = 0;
constexpr size_t kName = 1;
constexpr size_t kType = 2;  // "CLUSTERED", "HASHED" or "OTHER"
constexpr size_t kTableName = 3;
constexpr size_t kUniqueness = 4;  // "UNIQUE" or "NONUNIQUE"
constexpr size_t kCatalog = 5;
constexpr size_t kValueCount = 6;
}  // namespace odbc_index

// Value positions of index information, column level.
namespace odbc_index_column {
constexpr size_t kPosition = 0;
constexpr size_t kName = 1;
constexpr size_t kOrder = 2;  // "A" ascending, "D" descending, empty when unknown
constexpr size_t kValueCount = 3;
}  // namespace odbc_index_column

}  // namespace morvane
