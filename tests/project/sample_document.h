// A document that uses every field the project file stores, for round-trip and fuzz tests.
#pragma once

#include "model/catalogue_store.h"

namespace morvane::testing {

// An Oracle 8 project with records in every data kind (including a record without values and a
// column row without values), relations, two ER sheets with windows, lines and unchecked
// columns, non-default format settings and import layout, and a three-line SQL text.
void BuildSampleDocument(TCatalogueStore& store);

}  // namespace morvane::testing
