// The item lists a new project starts with, per database product.
#pragma once

#include <vector>

#include "model/catalogue_store.h"
#include "model/product_profile.h"

namespace morvane {

// The default items of list (data kind, item level) for a product, in list order (the position
// is the item's index). Lists built elsewhere (4,2), (5,1), (5,2) and the catalogue lists of
// product 0 are empty.
std::vector<DefaultItem> DefaultItemList(Product product, DataKind dataKind, int itemLevel);

// Fills the item lists of a product into a store whose lists are empty, and sets the default
// output format settings. lineType is left to the caller (New sets it).
void BuildDefaultItems(TCatalogueStore& store, Product product, const TextMeasurer& measure);

}  // namespace morvane
