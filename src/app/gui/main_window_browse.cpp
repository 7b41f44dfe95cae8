// The main window's side of browsing: the browser over the tree and lists, and what it asks of
// the window (connecting, fetching, importing, the toolbar and the status bar).
#include <QApplication>
#include <QTreeWidget>

#include "app/gui/main_window.h"
#include "app/gui/qt_text.h"
#include "db/catalogue_fetch.h"

namespace morvane {
namespace {

// The status bar as the database code writes it: CP932 texts, and the hourglass.
class WindowStatusBar : public IStatusBar {
 public:
  explicit WindowStatusBar(TfrmMain& window) : window_(window) {}
  void SetPanelText(int panel, const std::string& text_cp932) override {
    window_.SetStatusText(panel, FromCp932(text_cp932));
  }
  void SetBusy(bool busy) override {
    if (busy) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
      QApplication::restoreOverrideCursor();
    }
  }

 private:
  TfrmMain& window_;
};

}  // namespace

bool TfrmMain::TreeNodeSelect(QTreeWidgetItem* node, bool fetchIfEmpty, bool askFirst) {
  return browser_->TreeNodeSelect(node, fetchIfEmpty, askFirst);
}

void TfrmMain::SetTreeNode(QTreeWidgetItem* node) { browser_->SetTreeNode(node); }

void TfrmMain::SetList(QTreeWidgetItem* node) { browser_->SetList(node); }

void TfrmMain::SelCountShow() { browser_->SelCountShow(); }

void TfrmMain::ShowConnectDialog() { mnuDB_ConnectClick(); }

bool TfrmMain::FetchCurrentDataKind() {
  if (fetcher_) return fetcher_();
  WindowStatusBar status(*this);
  DbSession session{connection_, prompt_, *this, status};
  return FetchCatalogue(store_, session);
}

bool TfrmMain::ImportExcel() {
  CommandNotReady(QStringLiteral("ｲﾝﾎﾟｰﾄ"));
  return false;
}

}  // namespace morvane
