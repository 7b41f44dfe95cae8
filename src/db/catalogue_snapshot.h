// The database's catalogue as it is now, fetched into a store of its own so that the open
// document stays as it is (for comparing the two).
#pragma once

#include <memory>
#include <vector>

#include "db/db_session.h"
#include "model/catalogue_store.h"

namespace morvane {

// A new project of `product` with the data kinds (2, 3, 4) fetched through the session's open
// connection, in the order given. Null when a fetch failed; its message went to the session's
// prompt.
std::unique_ptr<TCatalogueStore> FetchCatalogueSnapshot(Product product,
                                                        const std::vector<DataKind>& kinds,
                                                        DbSession& session);

}  // namespace morvane
