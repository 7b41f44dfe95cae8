#include "app/gui/forms.h"

#include "app/gui/dialogs.h"
#include "app/gui/main_window.h"

namespace morvane {

std::unique_ptr<TForms> CreateForms(IPrompt& prompt, const QStringList& arguments) {
  auto forms = std::make_unique<TForms>();
  forms->main = std::make_unique<TfrmMain>(prompt, arguments);
  TDialogs& dialogs = forms->main->Dialogs();
  forms->erTable = dialogs.ERTable();
  forms->about = dialogs.About();
  forms->connect = dialogs.Connect();
  forms->format = dialogs.Format();
  forms->erSelect = dialogs.ERSelect();
  forms->import = dialogs.Import();
  return forms;
}

}  // namespace morvane
