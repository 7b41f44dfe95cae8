// A readable summary of a project for `morvane-cli info`.
#pragma once

#include <string>

#include "model/catalogue_store.h"

namespace morvane {

// UTF-8 text: product, file version, items per list, records per data kind, relations, and each
// ER sheet with its windows and lines.
std::string ProjectSummary(const TCatalogueStore& store);

}  // namespace morvane
