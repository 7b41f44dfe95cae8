// The main window's side of browsing: the browser over the tree and lists, and what it asks of
// the window (connecting, fetching, importing, the toolbar and the status bar).
#include <QTreeWidget>

#include "app/gui/main_window.h"
#include "db/catalogue_fetch.h"

namespace morvane {

bool TfrmMain::TreeNodeSelect(QTreeWidgetItem* node, bool fetchIfEmpty, bool askFirst) {
  return browser_->TreeNodeSelect(node, fetchIfEmpty, askFirst);
}

void TfrmMain::SetTreeNode(QTreeWidgetItem* node) { browser_->SetTreeNode(node); }

void TfrmMain::SetList(QTreeWidgetItem* node) { browser_->SetList(node); }

void TfrmMain::SelCountShow() { browser_->SelCountShow(); }

void TfrmMain::ShowConnectDialog() { EnsureConnected(); }

bool TfrmMain::FetchCurrentDataKind() {
  if (fetcher_) return fetcher_();
  if (!ChooseOdbcSchemas()) return false;
  DbSession session{connection_, prompt_, *this, statusBar_};
  return FetchCatalogue(store_, session);
}

}  // namespace morvane
