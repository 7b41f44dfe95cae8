// The statements that read each product's catalogue.
//
// For every product and fetchable data kind there is one catalogue statement that returns every
// table (or index) together with its columns in a single result set, ordered so that the rows of
// one table arrive together, and one count statement whose single value sizes the progress bar.
// Texts are CP932 bytes and are sent exactly as they stand.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/data_kind.h"
#include "model/product_catalogue.h"
#include "model/product_profile.h"

namespace morvane {

struct CatalogueSql {
  std::string catalogue;  // table (or index) rows joined with their columns
  std::string count;      // one row, one column: the number of tables (or indexes)
  int key_columns = 2;    // leading table-level columns that identify a record (owner, name)
};

// The statements of `product` for `data_kind` (2 table, 3 index, 4 table-index information);
// nothing for a product or data kind without statements. The Oracle statements name the
// connected user as the owner of every record: `owner_name` is placed into a string literal with
// its single quotes doubled, so no name can end the literal early.
std::optional<CatalogueSql> BuildCatalogueSql(Product product, DataKind data_kind,
                                              std::string_view owner_name);

// The statements of a product read by them, or null for a product read otherwise (or none).
const ProductCatalogue* CatalogueOf(Product product);

}  // namespace morvane
