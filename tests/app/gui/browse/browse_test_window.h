// A window with the widgets of the browsing side and a TBrowser over them, for the tests and
// benchmarks of the tree and lists. The host's connect dialog and fetch are scripted.
#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "app/gui/browse/browser.h"
#include "model/catalogue_store.h"

namespace morvane {

class FakeHost : public IBrowseHost {
 public:
  bool connected = false;
  // What the connect dialog does; by default the user connects.
  std::function<void()> connect_dialog = [this] { connected = true; };
  // The fetch; by default it fails.
  std::function<bool()> fetch = [] { return false; };
  int connect_dialogs = 0;
  std::vector<DataKind> fetched_kinds;
  std::map<int, QString> status;
  TCatalogueStore* store = nullptr;

  bool Connected() const override { return connected; }
  void ShowConnectDialog() override;
  bool FetchCurrentDataKind() override;
  bool ImportExcel() override { return false; }
  void DocumentChanged() override {}
  void SetStatusText(int panel, const QString& text) override { status[panel] = text; }
};

class TBrowseTestWindow {
 public:
  // A new project of `product` in `store`, the widgets shown in a window, the tree built. The
  // browser asks `host`, or the scripted `host` member when none is given.
  TBrowseTestWindow(TCatalogueStore& store, IPrompt& prompt, Product product,
                    IBrowseHost* otherHost = nullptr);
  ~TBrowseTestWindow();

  QWidget window;
  TBrowseWidgets widgets;
  NullProgress progress;
  FakeHost host;
  std::unique_ptr<TBrowser> browser;

  // A fetch that empties the data kind being fetched and lets `fill` add its records.
  void FetchGives(std::function<void(DataKind kind)> fill);

 private:
  TCatalogueStore& store_;
};

// Adds a record of a catalogue data kind: values owner, name, type, size, and `columns` column
// rows (number, name, type).
TTableRec& AddTableRecord(TCatalogueStore& store, DataKind kind, const std::string& owner,
                          const std::string& type, const std::string& name,
                          const std::string& size = "", int columns = 0);

}  // namespace morvane
