#include "db/products/product_catalogue.h"

namespace morvane {

StatementTexts ProductCatalogue::For(DataKind data_kind) const {
  switch (data_kind) {
    case DataKind::Table:
      return tables;
    case DataKind::Index:
      return indexes;
    case DataKind::TableIndex:
      return tableIndexes;
    default:
      return {};
  }
}

const ProductCatalogue* CatalogueOf(Product product) {
  // One line a product.
  for (const ProductCatalogue* catalogue :
       {&RedBrickCatalogue(), &Oracle8Catalogue(), &Oracle7Catalogue(), &BroadbaseCatalogue()}) {
    if (catalogue->product == product) return catalogue;
  }
  return nullptr;
}

}  // namespace morvane
