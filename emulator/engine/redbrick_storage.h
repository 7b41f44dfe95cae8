// How many bytes Red Brick Warehouse stores a value of each of its data types in: the LENGTH
// its catalogue (RBW_COLUMNS) reports. Worked out from each type's range of values, apart
// from the program's own size rules, so that the two can check each other.
#pragma once

#include "engine/vendor_types.h"

namespace morvane::emulator {

// RBW_COLUMNS.LENGTH of a column of the type; 0 for a type the server does not store.
int RedBrickLength(const ColumnType& type);

}  // namespace morvane::emulator
