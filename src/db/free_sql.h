// The free query of the SQL panel: its result is kept as the one record of data kind 5 (SQL
// input), with one column-level item per result column, so it is listed, copied and written to
// Excel like catalogue data.
#pragma once

#include <string>

#include "db/db_session.h"
#include "model/catalogue_store.h"
#include "model/item_def.h"

namespace morvane {

// Result columns beyond this number are neither described nor kept.
constexpr int kMaxResultColumns = 256;

// Runs `sql` (CP932, sent exactly as given) on the session's connection and replaces data kind 5
// with its result: one record with empty owner, type and name and one column row per result row,
// values read by the value text rule (NULL as the empty string, long values cut to 254 bytes on
// a character boundary). The column-level items of data kind 5 become one text item per result
// column, named as the driver names the column and `measure`d for their default width; the
// table-level items are emptied.
//
// At most `max_rows` rows are kept; when the result has more, the warning "最大レコード数を超えま
// した。" is shown once. More than 256 result columns show a warning and keep the first 256.
// A statement that fails to execute, or whose rows end with an error, is a failure: the driver's
// message is shown and data kind 5 is left empty. Requires an open connection. Progress and
// status panel 2 show "データ取得". Returns true on success.
bool ExecuteFreeSql(TCatalogueStore& store, DbSession& session, const std::string& sql,
                    int max_rows, const TextMeasurer& measure);

// Discards the result of the last query: both item lists and the record of data kind 5. The SQL
// text and the row limit stay.
void ClearFreeSqlResult(TCatalogueStore& store);

}  // namespace morvane
