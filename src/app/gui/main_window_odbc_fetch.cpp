// The main window's side of a generic ODBC fetch: the schema choice after connecting, and the
// cancel request of the progress bar.
#include <QProgressBar>

#include "app/gui/db/schema_choice_form.h"
#include "app/gui/main_window.h"
#include "app/gui/qt_text.h"
#include "app/gui/work_cancel.h"
#include "db/odbc_error.h"
#include "db/odbc_schema_list.h"
#include "db/odbc_wide_text.h"
#include "model/product_profile.h"

namespace morvane {

bool TfrmMain::ChooseOdbcSchemas() {
  if (!ProfileOf(store_.product).readsCatalogueFunctions || connection_.OdbcSchemas) return true;
  std::vector<OdbcSchemaEntry> schemas;
  try {
    schemas = ListOdbcSchemas(connection_.Dbc.get());
  } catch (const OdbcFailure& failure) {
    prompt_.Error(failure.message().empty() ? InternalErrorText() : failure.message());
    return false;
  }
  const QString dsn = FromCp932(ConnectedDataSource(connection_.Dbc.get()));
  TfrmSchemaChoice form(this);
  form.Load(schemas, settings_->OdbcSchemas(dsn));
  if (form.exec() != QDialog::Accepted) return false;
  settings_->SetOdbcSchemas(dsn, form.CheckedNames());
  connection_.OdbcSchemas = form.Apply();
  return true;
}

bool TfrmMain::Cancelled() const {
  if (!workCancel_) workCancel_ = new TWorkCancel(const_cast<TfrmMain*>(this), pgbWait_);
  return workCancel_->Poll();
}

void TfrmMain::StopCancelWatch() {
  if (workCancel_) workCancel_->Stop();
}

}  // namespace morvane
