// New: what starting a new project for a database product does to the document.
#pragma once

#include "model/catalogue_store.h"

namespace morvane {

// Resets the store and builds a new project: the product, its default item lists and format
// settings, connector type straight, file version 280, row limit "1000", empty SQL text,
// one ER sheet named シート1, no file name, modified flag clear. The view state goes back to the
// list view with no sorting and no selection filter. The caller disconnects first.
void NewProject(TCatalogueStore& store, Product product, const TextMeasurer& measure);

// The view-state part of the layout reset shared by New and Open: list view active, ER view
// off, no sort column or direction, every ER sheet removed.
void ResetLayoutState(TCatalogueStore& store);

}  // namespace morvane
