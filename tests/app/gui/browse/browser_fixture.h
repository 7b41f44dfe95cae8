// The fixture of the widget tests: a TBrowseTestWindow over a new Oracle 8 project.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "app/gui/browse/data_tree.h"
#include "app/gui/browse/report_view.h"
#include "browse_test_window.h"
#include "text/codec.h"

namespace morvane {

class BrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui = std::make_unique<TBrowseTestWindow>(store, prompt, Product::Oracle8);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ui->window));
  }
  void TearDown() override { ui.reset(); }

  TTableRec& AddTable(DataKind kind, const std::string& owner, const std::string& type,
                      const std::string& name, const std::string& size = "", int columns = 0) {
    return AddTableRecord(store, kind, owner, type, name, size, columns);
  }
  void FetchGives(std::function<void(DataKind kind)> fill) { ui->FetchGives(std::move(fill)); }

  QTreeWidgetItem* KindNode(DataKind kind) { return browser()->DataKindNode(kind); }
  TListModel* DataModel() { return ListModelOf(widgets().ltvData); }
  TListModel* ColumnModel() { return ListModelOf(widgets().ltvColumn); }
  TBrowser* browser() { return ui->browser.get(); }
  TBrowseWidgets& widgets() { return ui->widgets; }
  FakeHost& host() { return ui->host; }

  // The cells of a list column in display order.
  static std::vector<std::string> ColumnCells(TListModel* model, int column) {
    std::vector<std::string> cells;
    for (int row = 0; row < model->rowCount(); ++row) cells.emplace_back(model->Cell(row, column));
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
  std::unique_ptr<TBrowseTestWindow> ui;
};

}  // namespace morvane
