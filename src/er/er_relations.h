// "ﾘﾚｰｼｮﾝからﾃｰﾌﾞﾙ追加": placing the tables a window's table refers to, following the
// relations of the store recursively, and joining them with lines.
#pragma once

#include <string>

#include "er/er_fit.h"
#include "model/catalogue_store.h"
#include "model/prompt.h"

namespace morvane {

// Runs the command on `window` of `sheet`: for each table the window's table refers to (the
// first relation whose fkTable equals the caption), and for each table-information record of
// that name, joins the window to a window of that table. A table not yet placed during this run
// gets a new window (150 x 150, or sized to its content with a `fit` measure) to the right of
// the window it was found from, stacked downwards 160 apart (more below a taller window), and its
// own relations are followed in turn. Windows that were on the sheet before the run are not
// reused. Returns the number of windows added.
int AddTablesFromRelations(TCatalogueStore& store, TERSheetRec& sheet, TERTableRec& window,
                           const TColumnValuePositions& positions,
                           const TERTextMeasure* fit = nullptr);

// The window command as the user runs it: places the tables as above with the store's column
// positions, marks the document modified when a window or line was added, and tells the count
// with the information message below. Returns the number of windows added.
int RunRelationCommand(TCatalogueStore& store, TERSheetRec& sheet, TERTableRec& window,
                       IPrompt& prompt, const TERTextMeasure* fit = nullptr);

// The information message after the command: n + "件のテーブルを追加しました。" (UTF-8).
std::string TablesAddedMessage(int added);

}  // namespace morvane
