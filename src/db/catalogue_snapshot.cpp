#include "db/catalogue_snapshot.h"

#include "db/catalogue_fetch.h"
#include "project/new_project.h"

namespace morvane {

std::unique_ptr<TCatalogueStore> FetchCatalogueSnapshot(Product product,
                                                        const std::vector<DataKind>& kinds,
                                                        DbSession& session) {
  auto store = std::make_unique<TCatalogueStore>();
  NewProject(*store, product, EstimateTextWidth);
  for (DataKind kind : kinds) {
    store->currentDataKind = kind;
    if (!FetchCatalogue(*store, session)) return nullptr;
  }
  store->currentDataKind = DataKind::None;
  return store;
}

}  // namespace morvane
