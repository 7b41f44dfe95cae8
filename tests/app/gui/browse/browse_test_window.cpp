#include "browse_test_window.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/gui/browse/list_filter_box.h"
#include "app/gui/browse/report_view.h"
#include "project/new_project.h"

namespace morvane {
namespace {

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

TBrowseWidgets BuildWidgets(QWidget& window) {
  TBrowseWidgets w;
  w.trvDataType = Named(new QTreeWidget, "trvDataType");
  w.trvDataType->setHeaderHidden(true);
  w.pnlList = Named(new QWidget, "pnlList");
  w.sbtUp = Named(new QToolButton, "sbtUp");
  w.sbtUp->setEnabled(false);
  w.txtPath = Named(new QLineEdit, "txtPath");
  w.edtFilter = MakeListFilterBox();
  w.ltvData = MakeReportView("ltvData");
  w.ltvColumn = MakeReportView("ltvColumn");
  w.ltvColumn->hide();
  w.ltvDatabase = Named(new QListWidget, "ltvDatabase");
  w.ltvDatabase->hide();
  auto* list_layout = new QVBoxLayout(w.pnlList);
  for (QWidget* widget :
       {static_cast<QWidget*>(w.sbtUp), static_cast<QWidget*>(w.txtPath),
        static_cast<QWidget*>(w.edtFilter), static_cast<QWidget*>(w.ltvData),
        static_cast<QWidget*>(w.ltvColumn), static_cast<QWidget*>(w.ltvDatabase)}) {
    list_layout->addWidget(widget);
  }
  w.pnlSQL = Named(new QWidget, "pnlSQL");
  w.memSQL = Named(new QPlainTextEdit, "memSQL");
  w.ltvSQL = MakeReportView("ltvSQL");
  auto* sql_layout = new QVBoxLayout(w.pnlSQL);
  sql_layout->addWidget(w.memSQL);
  sql_layout->addWidget(w.ltvSQL);
  w.pnlSQL->hide();
  auto* layout = new QHBoxLayout(&window);
  layout->addWidget(w.trvDataType);
  layout->addWidget(w.pnlList);
  layout->addWidget(w.pnlSQL);
  window.resize(900, 600);
  return w;
}

}  // namespace

void FakeHost::ShowConnectDialog() {
  ++connect_dialogs;
  connect_dialog();
}

bool FakeHost::FetchCurrentDataKind() {
  fetched_kinds.push_back(store->currentDataKind);
  return fetch();
}

TBrowseTestWindow::TBrowseTestWindow(TCatalogueStore& store, IPrompt& prompt, Product product,
                                     IBrowseHost* otherHost)
    : widgets(BuildWidgets(window)), store_(store) {
  host.store = &store;
  NewProject(store, product, EstimateTextWidth);
  browser = std::make_unique<TBrowser>(store, prompt, progress, otherHost ? *otherHost : host,
                                       widgets, QList<QIcon>());
  browser->RebuildTree();
  window.show();
  window.activateWindow();
}

TBrowseTestWindow::~TBrowseTestWindow() { browser.reset(); }

void TBrowseTestWindow::FetchGives(std::function<void(DataKind kind)> fill) {
  host.fetch = [this, fill] {
    store_.ClearDataKind(store_.currentDataKind);
    fill(store_.currentDataKind);
    return true;
  };
}

TTableRec& AddTableRecord(TCatalogueStore& store, DataKind kind, const std::string& owner,
                          const std::string& type, const std::string& name, const std::string& size,
                          int columns) {
  TTableRec& r = store.AddRecord(kind);
  r.owner = owner;
  r.type = type;
  r.name = name;
  r.values = {owner, name, type, size};
  for (int i = 0; i < columns; ++i) {
    TColumnRow row;
    row.values = {std::to_string(i + 1), name + "_C" + std::to_string(i + 1), "NUMBER"};
    r.columns.push_back(row);
  }
  return r;
}

}  // namespace morvane
