// How the main window shows long work: which activities status panel 2 names, and the repaint
// that keeps the window drawn while the work runs on the user-interface thread.
#pragma once

#include <QString>

namespace morvane {

// True for the activities status panel 2 shows while they run ("データ取得", "件数取得",
// "Excel出力", "インポート", "表示中"); other work leaves the panel as it is.
bool IsStatusActivity(const QString& activity);

// Lets the window draw itself (a closed question box disappears, the progress bar moves)
// without taking any user input, which stays blocked until the work ends. Between two calls
// less than a few hundredths of a second apart only the first draws, unless `now` is set, so
// work that reports every row is not slowed down by it.
void RepaintDuringWork(bool now = false);

}  // namespace morvane
