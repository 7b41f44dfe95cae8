// Fetching one data kind of a generic ODBC project through the driver's catalogue functions.
#pragma once

#include "db/db_session.h"
#include "model/catalogue_store.h"

namespace morvane {

// Fetches the current data kind of `store` (2, 3 or 4) of a generic ODBC project, with the same
// rules as FetchCatalogue: every record of that data kind is replaced; table information also
// replaces the relation list with the one its foreign keys give; table-index information
// rebuilds its column-level items. On failure the driver's message (or "内部エラー") is shown
// through the session's prompt, the data kind is left empty and, for table information, so is
// the relation list. A read the user cancels through the session's progress changes nothing
// and shows nothing. Only the owners chosen on the connection (OdbcSchemas) are read. Returns
// true on success.
bool FetchOdbcCatalogue(TCatalogueStore& store, DbSession& session);

}  // namespace morvane
