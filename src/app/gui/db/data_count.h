// データ件数取得: counting the rows of the tables selected in the table list.
#pragma once

#include "db/db_session.h"

class QAbstractItemView;

namespace morvane {

class TCatalogueStore;

// Asks "データ件数を取得しますか？" and, unless the answer is No, counts the tables of the rows
// selected in `ltvData`, in list order, into their COUNT values. Returns true when counting ran;
// the caller then refills the list.
bool RunDataCount(TCatalogueStore& store, DbSession session, const QAbstractItemView* ltvData);

}  // namespace morvane
