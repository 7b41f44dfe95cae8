// ファイル → 比較...: the main window's side of comparing (the work is in diff/).
#include <QDialog>

#include "app/gui/diff/compare_command.h"
#include "app/gui/main_window.h"
#include "app/gui/main_window_commands.h"
#include "app/gui/paths/project_path_chooser.h"

namespace morvane {

void mnuFile_CompareClick(TfrmMain& window) {
  TfrmCompare form(
      window.Prompt(), [&window] { return window.PathChooser().AskOpenPath(); }, &window);
  TCompareRequest request;
  if (window.Connected()) request.source = TCompareRequest::Source::kDatabase;
  form.Load(request);
  if (form.exec() != QDialog::Accepted) return;
  form.Apply(request);
  ShowComparison(window, window.Prompt(), request);
}

}  // namespace morvane
