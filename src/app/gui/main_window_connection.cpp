// The main window's side of the database: the implicit connect of the commands that need it,
// the schema choice of a generic ODBC fetch, the fetch the browser asks for and its outcome in
// the status bar, and the handlers of the Database menu.
#include <QTreeWidget>

#include "app/gui/browse/list_panel.h"
#include "app/gui/db/connect_form.h"
#include "app/gui/db/data_count.h"
#include "app/gui/db/schema_choice_form.h"
#include "app/gui/dialogs.h"
#include "app/gui/main_window.h"
#include "app/gui/main_window_commands.h"
#include "app/gui/qt_text.h"
#include "app/gui/window_status_bar.h"
#include "app/gui/work_progress.h"
#include "db/catalogue_fetch.h"
#include "db/odbc_error.h"
#include "db/odbc_schema_list.h"
#include "db/odbc_wide_text.h"
#include "model/data_kind.h"
#include "model/product_profile.h"

namespace morvane {

bool TfrmMain::EnsureConnected() {
  if (!Connected()) {
    dialogs_->Connect()->exec();
    emit documentChanged();
  }
  return Connected();
}

void TfrmMain::ShowConnectDialog() { EnsureConnected(); }

void TfrmMain::Disconnect() { connection_.Disconnect(*statusBar_); }

bool TfrmMain::ChooseOdbcSchemas() {
  if (!ProfileOf(store_.product).readsCatalogueFunctions || connection_.OdbcSchemas) return true;
  TSchemaChoice choice;
  try {
    choice.schemas = ListOdbcSchemas(connection_.Dbc.get());
  } catch (const OdbcFailure& failure) {
    prompt_.Error(failure.message().empty() ? InternalErrorText() : failure.message());
    return false;
  }
  const QString dsn = FromCp932(ConnectedDataSource(connection_.Dbc.get()));
  choice.checked = settings_->OdbcSchemas(dsn);
  TfrmSchemaChoice form(this);
  form.Load(choice);
  if (form.exec() != QDialog::Accepted) return false;
  form.Apply(choice);
  settings_->SetOdbcSchemas(dsn, *choice.checked);
  connection_.OdbcSchemas = std::move(choice.chosen);
  return true;
}

bool TfrmMain::FetchCurrentDataKind() {
  const DataKind kind = store_.currentDataKind;
  bool fetched = false;
  if (fetcher_) {
    fetched = fetcher_();
  } else if (ChooseOdbcSchemas()) {
    DbSession session{connection_, prompt_, *progress_, *statusBar_};
    fetched = FetchCatalogue(store_, session);
  }
  statusBar_->ShowFetchOutcome(DataKindCaption(kind), fetched, store_.Records(kind).size());
  return fetched;
}

void mnuDB_ConnectClick(TfrmMain& window) {
  if (!window.CommandStates().connect) return;
  window.Dialogs().Connect()->exec();
  emit window.documentChanged();
}

void mnuDB_DisConnectClick(TfrmMain& window) {
  if (!window.CommandStates().disconnect) return;
  window.Disconnect();
  emit window.documentChanged();
}

void mnuDB_FetchClick(TfrmMain& window) {
  if (!window.CommandStates().fetch) return;
  window.Browser().RefreshCurrentDataKind();
  emit window.documentChanged();
}

void mnuDB_DataCountClick(TfrmMain& window) {
  if (!window.CommandStates().dataCount) return;
  auto refill = [&window] {
    window.Store().listRebuild = true;
    window.Browser().SetList(window.DataTree()->currentItem());
    window.Browser().SelCountShow();
  };
  try {
    if (RunDataCount(
            window.Store(),
            DbSession{window.Connection(), window.Prompt(), window.Progress(), window.StatusBar()},
            window.ListPanel()->ltvData()))
      refill();
  } catch (...) {
    refill();  // the counts made so far are shown
    throw;
  }
}

}  // namespace morvane
