// Two checked items of one format list written to the same place: the same column letters (or,
// for table-level items on their own sheets, the same cell) would overwrite each other.
#pragma once

#include <optional>
#include <string>

#include "excel/format_editing.h"

namespace morvane {

struct TAddressClash {
  int earlier = -1;  // rows of the list, earlier < later
  int later = -1;
};

// The first pair of checked rows whose first columns (the places edited in the list) are equal,
// ignoring letter case and blank text; nullopt when every checked row has a place of its own.
std::optional<TAddressClash> FirstAddressClash(const TFormatList& list);

// The question asked before such settings are applied (CP932): the place and both items.
std::string AddressClashQuestion(const TFormatList& list, const TAddressClash& clash);

}  // namespace morvane
