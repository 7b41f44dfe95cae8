// A window with the widgets of the browsing side, a TBrowser over them and a host whose
// connect dialog and fetch are scripted by each test.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <functional>
#include <map>
#include <memory>

#include "browse/browser.h"
#include "browse/data_tree.h"
#include "browse/report_view.h"
#include "model/codec.h"
#include "model/new_project.h"

namespace morvane {

class FakeHost : public IBrowseHost {
 public:
  bool connected = false;
  // What the connect dialog does; by default the user connects.
  std::function<void()> connect_dialog = [this] { connected = true; };
  // The fetch; by default it fails.
  std::function<bool()> fetch = [] { return false; };
  int connect_dialogs = 0;
  std::vector<int> fetched_kinds;
  int toolbar_updates = 0;
  std::map<int, QString> status;
  TCatalogueStore* store = nullptr;

  bool Connected() const override { return connected; }
  void ShowConnectDialog() override {
    ++connect_dialogs;
    connect_dialog();
  }
  bool FetchCurrentDataKind() override {
    fetched_kinds.push_back(store->currentDataKind);
    return fetch();
  }
  bool ImportExcel() override { return false; }
  void ToolBarEnabled() override { ++toolbar_updates; }
  void SetStatusText(int panel, const QString& text) override { status[panel] = text; }
};

class BrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildWindow();
    host.store = &store;
    NewProject(store, kProductOracle8, EstimateTextWidth);
    browser = std::make_unique<TBrowser>(store, prompt, progress, host, widgets, QList<QIcon>());
    browser->RebuildTree();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  void BuildWindow() {
    widgets.trvDataType = Named(new QTreeWidget, "trvDataType");
    widgets.trvDataType->setHeaderHidden(true);
    widgets.pnlList = Named(new QWidget, "pnlList");
    widgets.sbtUp = Named(new QToolButton, "sbtUp");
    widgets.sbtUp->setEnabled(false);
    widgets.txtPath = Named(new QLineEdit, "txtPath");
    widgets.ltvData = MakeReportView("ltvData");
    widgets.ltvColumn = MakeReportView("ltvColumn");
    widgets.ltvColumn->hide();
    widgets.ltvDatabase = Named(new QListWidget, "ltvDatabase");
    widgets.ltvDatabase->hide();
    auto* list_layout = new QVBoxLayout(widgets.pnlList);
    list_layout->addWidget(widgets.sbtUp);
    list_layout->addWidget(widgets.txtPath);
    list_layout->addWidget(widgets.ltvData);
    list_layout->addWidget(widgets.ltvColumn);
    list_layout->addWidget(widgets.ltvDatabase);
    widgets.pnlSQL = Named(new QWidget, "pnlSQL");
    widgets.memSQL = Named(new QPlainTextEdit, "memSQL");
    widgets.ltvSQL = MakeReportView("ltvSQL");
    auto* sql_layout = new QVBoxLayout(widgets.pnlSQL);
    sql_layout->addWidget(widgets.memSQL);
    sql_layout->addWidget(widgets.ltvSQL);
    widgets.pnlSQL->hide();
    auto* layout = new QHBoxLayout(&window);
    layout->addWidget(widgets.trvDataType);
    layout->addWidget(widgets.pnlList);
    layout->addWidget(widgets.pnlSQL);
    window.resize(900, 600);
  }

  template <typename W>
  static W* Named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
  }

  // A catalogue record of the current product's table information: owner, name, type, size.
  TTableRec& AddTable(int kind, const std::string& owner, const std::string& type,
                      const std::string& name, const std::string& size = "", int columns = 0) {
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

  // A fetch that puts `records` into the data kind being fetched.
  void FetchGives(std::function<void(int kind)> fill) {
    host.fetch = [this, fill] {
      store.ClearDataKind(store.currentDataKind);
      fill(store.currentDataKind);
      return true;
    };
  }

  QTreeWidgetItem* KindNode(int kind) { return browser->DataKindNode(kind); }
  QTreeWidgetItem* Child(QTreeWidgetItem* node, int i) { return node->child(i); }
  TListModel* DataModel() { return ListModelOf(widgets.ltvData); }
  TListModel* ColumnModel() { return ListModelOf(widgets.ltvColumn); }

  // The cells of a list column in display order.
  std::vector<std::string> ColumnCells(TListModel* model, int column) {
    std::vector<std::string> cells;
    for (int row = 0; row < model->rowCount(); ++row) {
      cells.emplace_back(model->Cell(row, column));
    }
    return cells;
  }

  // The texts of a node's children.
  static QStringList ChildTexts(const QTreeWidgetItem* node) {
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i) texts << node->child(i)->text(0);
    return texts;
  }

  // The document outlives the window whose lists show it.
  TCatalogueStore store;
  ScriptedPrompt prompt;
  NullProgress progress;
  FakeHost host;
  QWidget window;
  TBrowseWidgets widgets;
  std::unique_ptr<TBrowser> browser;
};

}  // namespace morvane
