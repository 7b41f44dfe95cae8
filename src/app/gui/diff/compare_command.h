// The comparison behind ファイル → 比較...: the open project against another project file, the
// connected database (fetched into a document of its own; the open one is left as it is), or
// its own design definitions; the result in a TfrmChanges window, whose double-clicked changes
// select their table (or column) in the main window.
#pragma once

#include "app/gui/diff/compare_form.h"
#include "diff/change.h"

namespace morvane {

class IPrompt;
class TfrmChanges;
class TfrmMain;

// Compares as asked and shows the changes in a new window of `main`; null (after telling the
// user why) when the other side could not be read or fetched.
TfrmChanges* ShowComparison(TfrmMain& main, IPrompt& prompt, const TCompareRequest& request);

// Selects the change's table (or index) in the data tree and, for a column, its row in the
// column list. False when the document no longer holds it.
bool SelectChangeInMain(TfrmMain& main, const diff::TChange& change);

}  // namespace morvane
