// Row counts of tables: one "SELECT COUNT(*) FROM" statement per table, the count kept in the
// table record's COUNT value.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/db_session.h"
#include "model/catalogue_store.h"

namespace morvane {

// The table-level value that holds a table's row count (the item "COUNT"), as the product's
// profile places it; nothing for a product whose tables keep none, or without a product.
std::optional<size_t> CountValueIndex(Product product);

// `name` as a quoted identifier: between double quotes, a double quote inside doubled.
std::string QuotedIdentifier(std::string_view name);

// "SELECT COUNT(*) FROM " and the table's quoted name, qualified by its quoted owner when the
// record has one, so a table of another owner is counted and not its namesake in the connected
// user's schema.
std::string CountStatement(const TTableRec& table);

// Counts the rows of `table` and stores the count as decimal text in its COUNT value; a failure
// shows the driver's message (or "内部エラー") and stores "-1". With no product nothing is stored.
// Returns true when the table was counted.
bool FetchRowCount(Product product, DbSession& session, TTableRec& table);

// Counts each of `tables`, in the order given, among the table information (data kind 2) of
// `store`; entries that are not records of it are skipped. A failing table gets "-1" and the
// others are still counted. Progress and status panel 2 show "件数取得". Returns true when every
// table was counted. Does not mark the document modified.
bool GetTableCount(TCatalogueStore& store, DbSession& session,
                   const std::vector<const TTableRec*>& tables);

}  // namespace morvane
