// The main window's side of the format settings dialog: showing it, and refilling the list
// after its settings were applied.
#include <QTreeWidget>

#include "app/gui/excel/format_form.h"
#include "app/gui/main_window.h"

namespace morvane {

TfrmFormat* TfrmMain::FormatForm() {
  if (!formatForm_) {
    formatForm_ = new TfrmFormat(this);
    formatForm_->SetPrompt(&prompt_);
    connect(formatForm_, &TfrmFormat::Applied, this, [this] {
      // The list's columns follow the new order and output flags.
      if (store_.listRebuild) SetList(trvDataType_->currentItem());
      emit documentChanged();
    });
  }
  return formatForm_;
}

void TfrmMain::ShowFormatForm(bool modal) {
  TfrmFormat* form = FormatForm();
  form->Load(store_, store_.currentDataKind, store_.erViewActive);
  if (!modal) {
    form->show();
    form->raise();
    form->activateWindow();
    return;
  }
  if (form->isVisible()) form->hide();  // shown modeless: show it again as a modal dialog
  form->exec();
}

}  // namespace morvane
