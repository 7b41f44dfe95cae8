// ファイル → 比較...: the main window's side of comparing (the work is in diff/).
#include <QDialog>

#include "app/gui/diff/compare_command.h"
#include "app/gui/main_window.h"
#include "app/gui/paths/project_path_chooser.h"

namespace morvane {

void TfrmMain::mnuFile_CompareClick() {
  TfrmCompare form(
      prompt_, [this] { return chooser_->AskOpenPath(); }, this);
  TCompareRequest request;
  if (Connected()) request.source = TCompareRequest::Source::kDatabase;
  form.Load(request);
  if (form.exec() != QDialog::Accepted) return;
  form.Apply(request);
  ShowComparison(*this, prompt_, request);
}

}  // namespace morvane
