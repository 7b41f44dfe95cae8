#include "app/gui/forms.h"

#include "app/gui/er/er_table_form.h"
#include "app/gui/excel/er_select_form.h"
#include "app/gui/excel/format_form.h"
#include "app/gui/excel/import_form.h"
#include "app/gui/help/about_form.h"
#include "app/gui/main_window.h"

namespace morvane {

std::unique_ptr<TForms> CreateForms(IPrompt& prompt, const QStringList& arguments) {
  auto forms = std::make_unique<TForms>();
  forms->main = std::make_unique<TfrmMain>(prompt, arguments);
  TfrmMain* main = forms->main.get();
  forms->erTable = new TfrmERTable(main);
  forms->erTable->hide();
  forms->about = new TfrmAbout(main);
  forms->connect = main->ConnectForm();
  forms->format = main->FormatForm();
  forms->erSelect = new TfrmERSelect(prompt, main);
  forms->import = new TfrmImport(prompt, main);
  main->SetForms(forms.get());
  return forms;
}

}  // namespace morvane
