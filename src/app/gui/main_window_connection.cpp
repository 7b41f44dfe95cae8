// The main window's side of the database connection: the connect dialog, the Connect and
// Disconnect commands, and the implicit connect of the commands that need the database.
#include "app/gui/db/connect_form.h"
#include "app/gui/main_window.h"

namespace morvane {

TfrmConnect* TfrmMain::ConnectForm() {
  if (!connectForm_) {
    connectForm_ = new TfrmConnect(connection_, store_, prompt_, statusBar_, this);
    connectForm_->SetLoginMemory(settings_.get());
  }
  return connectForm_;
}

bool TfrmMain::EnsureConnected() {
  if (!Connected()) {
    ConnectForm()->exec();
    emit documentChanged();
  }
  return Connected();
}

void TfrmMain::mnuDB_ConnectClick() {
  if (!CommandStates().connect) return;
  ConnectForm()->exec();
  emit documentChanged();
}

void TfrmMain::mnuDB_DisConnectClick() {
  if (!CommandStates().disconnect) return;
  Disconnect();
  emit documentChanged();
}

void TfrmMain::Disconnect() { connection_.Disconnect(statusBar_); }

}  // namespace morvane
