// Reading one data kind of the connected database's catalogue into the document.
#pragma once

#include "db/db_session.h"
#include "model/catalogue_store.h"

namespace morvane {

// Fetches the current data kind of `store` (2 table, 3 index or 4 table-index information) for
// the store's product, replacing every record of that data kind; records of other data kinds
// are untouched. Table information also gets its primary-key and unique marks and, for Red
// Brick, rebuilds the relation list; table-index information rebuilds its column-level items.
//
// Requires an open connection. Returns true on success. On failure the first diagnostic of the
// failing statement (or "内部エラー") is shown through the session's prompt and the data kind is
// left empty. Progress goes to the session's progress, "データ取得" to status panel 2.
bool FetchCatalogue(TCatalogueStore& store, DbSession& session);

}  // namespace morvane
