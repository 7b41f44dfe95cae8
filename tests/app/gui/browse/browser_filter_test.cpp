// The filter box above the table list: which rows it leaves, and the selection commands, the
// copy, the count and the Excel delete over the shown rows only.
#include <QClipboard>
#include <QKeyEvent>

#include "app/gui/browse/list_model.h"
#include "browse/list_order.h"
#include "browser_fixture.h"

namespace morvane {
namespace {

class FilterTest : public BrowserTest {
 protected:
  void SetUp() override {
    BrowserTest::SetUp();
    // Sorted by NO: ITEMS, ORDERS, order_log, 商品, CUSTOMERS.
    const char* sheets[][2] = {
        {"1", "ITEMS"}, {"2", "ORDERS"}, {"3", "order_log"}, {"4", "商品"}, {"5", "CUSTOMERS"}};
    for (const auto& sheet : sheets) {
      TTableRec& r = store.AddRecord(DataKind::Excel);
      r.name = ToCp932(sheet[1]);
      r.values = {sheet[0], r.name, "", "", ""};
      TColumnRow column;
      column.values = {"1", "ID", "NUMBER"};
      r.columns.push_back(column);
    }
    browser()->RebuildTree();
    widgets().trvDataType->setCurrentItem(browser()->ExcelRoot());
    widgets().ltvData->setFocus();
    store.modified = false;
  }

  QLineEdit* Box() { return widgets().edtFilter; }
  void Type(const QString& text) {
    Box()->setFocus();
    QTest::keyClicks(Box(), text);
  }
  std::vector<std::string> ShownNames() {
    std::vector<std::string> names;
    for (int row = 0; row < DataModel()->rowCount(); ++row) {
      names.push_back(ToUtf8(DataModel()->RecordAt(row)->name));
    }
    return names;
  }
  std::vector<std::string> SelectedNames() {
    std::vector<std::string> names;
    for (int row : SelectedRows(widgets().ltvData)) {
      names.push_back(ToUtf8(DataModel()->RecordAt(row)->name));
    }
    return names;
  }
  QString Panel2() { return host().status[2]; }

  using Names = std::vector<std::string>;
};

TEST_F(FilterTest, TypingNarrowsTheRowsAndClearingShowsThemAllWithTheDocumentUntouched) {
  EXPECT_TRUE(Box()->isVisible());
  EXPECT_EQ(Box()->placeholderText(), QStringLiteral("テーブル名で絞り込み"));
  Type(QStringLiteral("ord"));
  EXPECT_EQ(ShownNames(), (Names{"ORDERS", "order_log"}));
  EXPECT_EQ(Panel2(), QStringLiteral("0 / 2個を選択"));
  Box()->setText(QStringLiteral("o*s"));
  EXPECT_EQ(ShownNames(), (Names{"ORDERS", "CUSTOMERS"}));
  Box()->setText(QStringLiteral("商"));
  EXPECT_EQ(ShownNames(), (Names{"商品"}));
  Box()->setText(QStringLiteral("🙂"));  // no CP932 form: in no name
  EXPECT_TRUE(ShownNames().empty());
  EXPECT_EQ(Panel2(), QStringLiteral("0 / 0個を選択"));

  Box()->clear();
  EXPECT_EQ(ShownNames(), (Names{"ITEMS", "ORDERS", "order_log", "商品", "CUSTOMERS"}));
  EXPECT_EQ(Panel2(), QStringLiteral("0個を選択"));
  EXPECT_FALSE(store.modified);
  EXPECT_EQ(store.Records(DataKind::Excel).size(), 5u);
  EXPECT_EQ(browser()->ExcelRoot()->childCount(), 5);
}

TEST_F(FilterTest, SelectAllInvertAndCopyActOnTheShownRowsOnly) {
  Type(QStringLiteral("ord"));
  widgets().ltvData->setFocus();
  browser()->mnuEdit_SelectAllClick();
  EXPECT_EQ(SelectedNames(), (Names{"ORDERS", "order_log"}));
  EXPECT_EQ(Panel2(), QStringLiteral("2 / 2個を選択"));
  browser()->mnuEdit_ListCopy_NoTitleClick();
  EXPECT_EQ(QApplication::clipboard()->text(),
            QStringLiteral("2\tORDERS\t\t\t\r\n3\torder_log\t\t\t"));

  SelectListRows(widgets().ltvData, {0});
  browser()->mnuEdit_SelectChangeClick();
  EXPECT_EQ(SelectedNames(), (Names{"order_log"}));
  EXPECT_EQ(Panel2(), QStringLiteral("1 / 2個を選択"));

  // Back to every row: the selection stays with its table.
  Box()->clear();
  EXPECT_EQ(SelectedNames(), (Names{"order_log"}));
  EXPECT_EQ(Panel2(), QStringLiteral("1個を選択"));
}

TEST_F(FilterTest, RowsTheFilterHidesLoseTheirSelection) {
  browser()->mnuEdit_SelectAllClick();
  Box()->setText(QStringLiteral("s"));
  EXPECT_EQ(SelectedNames(), (Names{"ITEMS", "ORDERS", "CUSTOMERS"}));
  Box()->setText(QStringLiteral("ORDERS"));
  EXPECT_EQ(SelectedNames(), (Names{"ORDERS"}));
  Box()->clear();
  EXPECT_EQ(SelectedNames(), (Names{"ORDERS"}));
}

TEST_F(FilterTest, DeletingExcelTablesTakesOnlyTheShownSelectedOnes) {
  Box()->setText(QStringLiteral("ord"));
  browser()->mnuEdit_SelectAllClick();
  prompt.answers = {PromptButton::kYes};
  browser()->popList_ExcelDeleteClick();
  EXPECT_TRUE(ShownNames().empty());
  Box()->clear();
  EXPECT_EQ(ShownNames(), (Names{"ITEMS", "商品", "CUSTOMERS"}));
  EXPECT_EQ(store.Records(DataKind::Excel).size(), 3u);
  EXPECT_EQ(browser()->ExcelRoot()->childCount(), 3);
}

TEST_F(FilterTest, TheFilterHoldsThroughSortingAndTheColumnListAndBack) {
  Box()->setText(QStringLiteral("o"));
  EXPECT_EQ(ShownNames(), (Names{"ORDERS", "order_log", "CUSTOMERS"}));
  browser()->ltvDataColumnClick(1);  // NAME, as CP932 bytes: capitals first
  EXPECT_EQ(ShownNames(), (Names{"CUSTOMERS", "ORDERS", "order_log"}));
  browser()->ltvDataColumnClick(1);
  EXPECT_EQ(ShownNames(), (Names{"order_log", "ORDERS", "CUSTOMERS"}));

  // Opening a table shows its columns without the box; going up brings both back.
  SelectListRows(widgets().ltvData, {1});
  browser()->ltvDataDblClick();
  ASSERT_EQ(store.currentListLevel, 2);
  EXPECT_FALSE(Box()->isVisible());
  EXPECT_EQ(Panel2(), QStringLiteral("0個を選択"));
  browser()->sbtUpClick();
  ASSERT_EQ(store.currentListLevel, 1);
  EXPECT_TRUE(Box()->isVisible());
  EXPECT_EQ(Box()->text(), QStringLiteral("o"));
  EXPECT_EQ(ShownNames(), (Names{"order_log", "ORDERS", "CUSTOMERS"}));
  EXPECT_EQ(Panel2(), QStringLiteral("0 / 3個を選択"));
  // The focus command from a column list goes back to the tables as well.
  SelectListRows(widgets().ltvData, {0});
  browser()->ltvDataDblClick();
  ASSERT_EQ(store.currentListLevel, 2);
  EXPECT_TRUE(browser()->FocusListFilter());
  EXPECT_EQ(store.currentListLevel, 1);
  EXPECT_EQ(QApplication::focusWidget(), Box());
  EXPECT_EQ(Box()->selectedText(), QStringLiteral("o"));

  // The database kinds list has no box either.
  widgets().trvDataType->setCurrentItem(browser()->DatabaseRoot());
  EXPECT_FALSE(Box()->isVisible());
}

TEST_F(FilterTest, KeysInTheBox) {
  Type(QStringLiteral("ord"));
  // Backspace edits the text rather than going up the tree.
  EXPECT_FALSE(browser()->BackspaceGoesUp());
  QTest::keyClick(Box(), Qt::Key_Backspace);
  EXPECT_EQ(Box()->text(), QStringLiteral("or"));
  // Down goes on to the rows, the first one selected.
  QTest::keyClick(Box(), Qt::Key_Down);
  EXPECT_EQ(QApplication::focusWidget(), widgets().ltvData);
  EXPECT_EQ(SelectedNames(), (Names{"ORDERS"}));
  // Escape clears the filter.
  Box()->setFocus();
  QTest::keyClick(Box(), Qt::Key_Escape);
  EXPECT_TRUE(Box()->text().isEmpty());
  EXPECT_EQ(DataModel()->rowCount(), 5);
}

TEST_F(FilterTest, ANewLayoutStartsUnfiltered) {
  Box()->setText(QStringLiteral("ord"));
  browser()->ResetLists();
  EXPECT_TRUE(Box()->text().isEmpty());
  store.listRebuild = true;
  browser()->SetList(browser()->ExcelRoot());
  EXPECT_EQ(DataModel()->rowCount(), 5);
}

}  // namespace
}  // namespace morvane

namespace morvane {
namespace {

// The model's own bookkeeping: shown rows against all rows through sorting and removing.
class FilteredModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"d", "B", "c", "A", "e"}) {
      auto record = std::make_unique<TTableRec>();
      record->name = name;
      record->values = {name};
      records.push_back(std::move(record));
    }
    model.SetColumns({TListColumn{"NAME", kValueKindText, 0, 100}});
    Fill();
  }
  void Fill() {
    std::vector<TListRow> rows;
    for (const auto& record : records) rows.push_back({&record->values, record.get()});
    model.SetRows(std::move(rows));
  }
  void HideCapitals() {
    model.SetRowFilter([](const TListRow& row) { return row.record->name[0] >= 'a'; });
  }
  std::string Shown() {
    std::string names;
    for (int row = 0; row < model.rowCount(); ++row) names += model.Cell(row, 0);
    return names;
  }

  std::vector<std::unique_ptr<TTableRec>> records;
  TListModel model;
};

TEST_F(FilteredModelTest, HiddenRowsKeepTheirPlaceThroughSortRefillAndRemove) {
  HideCapitals();
  EXPECT_EQ(Shown(), "dce");
  EXPECT_TRUE(model.Filtered());
  EXPECT_EQ(model.FilledRowCount(), 5);
  model.SortRows(0, kValueKindText, kSortAscending);
  EXPECT_EQ(Shown(), "cde");
  EXPECT_EQ(model.RecordAt(0), records[2].get());
  model.SetRowFilter({});
  EXPECT_EQ(Shown(), "ABcde");

  HideCapitals();
  model.RemoveListRow(1);  // d
  model.SetRowFilter({});
  EXPECT_EQ(Shown(), "ABce");
  HideCapitals();
  model.RemoveRecordRows(records[3].get());  // A, hidden
  model.SortRows(0, kValueKindText, kSortDescending);
  EXPECT_EQ(Shown(), "ec");
  model.SetRowFilter({});
  EXPECT_EQ(Shown(), "ecB");

  HideCapitals();
  Fill();  // a new fill is filtered too
  EXPECT_EQ(Shown(), "dce");
}

TEST_F(FilteredModelTest, SortingMovesTheSelectionOfShownRowsWithThem) {
  QTreeView view;
  view.setModel(&model);
  HideCapitals();
  view.selectionModel()->select(model.index(0, 0),  // d
                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
  model.SortRows(0, kValueKindText, kSortAscending);
  EXPECT_EQ(SelectedRows(&view), std::vector<int>{1});
  EXPECT_EQ(model.Cell(1, 0), "d");
}

}  // namespace
}  // namespace morvane
