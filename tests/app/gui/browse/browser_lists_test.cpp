// The lists: filling, column widths, sorting by header clicks, opening a table's column list.
#include <QHeaderView>

#include "browser_fixture.h"

namespace morvane {
namespace {

class ListsTest : public BrowserTest {
 protected:
  // Oracle 8 table information, fetched: the list shows OWNER, TABLE NAME, TABLE TYPE,
  // SIZE(byte) (a number), ... in that order.
  void ShowTables() {
    host().connected = true;
    FetchGives([this](DataKind kind) {
      AddTable(kind, "S", "TABLE", "b_lower", "100", 2);
      AddTable(kind, "S", "TABLE", "B_UPPER", "", 3);
      AddTable(kind, "S", "TABLE", "a_lower", "9", 1);
      AddTable(kind, "S", "TABLE", "A_UPPER", "", 0);
      AddTable(kind, "S", "TABLE", "C", "-5", 1000);
    });
    prompt.answers = {PromptButton::kYes};
    KindNode(DataKind::Table)->setExpanded(true);
    ASSERT_EQ(DataModel()->rowCount(), 5);
  }
  std::vector<std::string> Names() { return ColumnCells(DataModel(), 1); }
  std::vector<std::string> Sizes() { return ColumnCells(DataModel(), 3); }
  void SelectDataRows(std::initializer_list<int> rows) {
    for (int row : rows) {
      widgets().ltvData->selectionModel()->select(
          DataModel()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
  }
};

TEST_F(ListsTest, TheTableListHasTheShownItemsAsColumnsWithTheirWidths) {
  store.Items(DataKind::Table, 1)[2].output = 0;  // TABLE TYPE hidden
  store.Items(DataKind::Table, 1)[1].width = -3;
  ShowTables();
  EXPECT_EQ(DataModel()->columnCount(), 42);
  EXPECT_EQ(DataModel()->Columns()[2].caption, "SIZE(byte)");
  EXPECT_EQ(widgets().ltvData->header()->sectionSize(1), 100);
  EXPECT_EQ(store.Items(DataKind::Table, 1)[1].width, 100);
  EXPECT_EQ(
      DataModel()->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
      Qt::AlignRight);
  EXPECT_FALSE(widgets().ltvData->isHidden());
  EXPECT_TRUE(widgets().ltvColumn->isHidden());
  EXPECT_EQ(host().status[2], QStringLiteral("0個を選択"));
}

TEST_F(ListsTest, DraggedWidthsAreSavedIntoTheItemsWhenTheColumnsAreRebuilt) {
  ShowTables();
  widgets().ltvData->header()->resizeSection(1, 234);
  // Another data kind's list rebuilds the columns and saves the widths of the last ones.
  widgets().trvDataType->setCurrentItem(browser()->ExcelRoot());
  EXPECT_EQ(store.Items(DataKind::Table, 1)[1].width, 234);
  widgets().trvDataType->setCurrentItem(KindNode(DataKind::Table));
  EXPECT_EQ(widgets().ltvData->header()->sectionSize(1), 234);
}

TEST_F(ListsTest, HeaderClicksSortAscendingThenDescendingAndAnotherColumnAscending) {
  ShowTables();
  EXPECT_EQ(Names(), (std::vector<std::string>{"b_lower", "B_UPPER", "a_lower", "A_UPPER", "C"}))
      << "sorted by OWNER, all equal: fill order";
  browser()->ltvDataColumnClick(1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"A_UPPER", "B_UPPER", "C", "a_lower", "b_lower"}));
  browser()->ltvDataColumnClick(1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"b_lower", "a_lower", "C", "B_UPPER", "A_UPPER"}));
  EXPECT_EQ(store.sortDirection[DataKindIndex(DataKind::Table)], 1);
  browser()->ltvDataColumnClick(3);
  EXPECT_EQ(store.sortColumn[DataKindIndex(DataKind::Table)], 3);
  EXPECT_EQ(store.sortDirection[DataKindIndex(DataKind::Table)], 0);
  EXPECT_EQ(Sizes(), (std::vector<std::string>{"", "", "-5", "9", "100"}));
  browser()->ltvDataColumnClick(3);
  EXPECT_EQ(Sizes(), (std::vector<std::string>{"100", "9", "-5", "", ""}));
  EXPECT_EQ(widgets().ltvData->header()->sortIndicatorSection(), 3);
  EXPECT_EQ(widgets().ltvData->header()->sortIndicatorOrder(), Qt::DescendingOrder);
}

TEST_F(ListsTest, TheSortIsKeptWhenTheListIsFilledAgainAndSelectionMovesWithItsRows) {
  ShowTables();
  browser()->ltvDataColumnClick(1);
  SelectDataRows({0});  // A_UPPER
  browser()->ltvDataColumnClick(1);
  EXPECT_EQ(SelectedRows(widgets().ltvData), std::vector<int>{4});
  store.listRebuild = true;
  browser()->SetList(widgets().trvDataType->currentItem());
  EXPECT_EQ(Names().front(), "b_lower");
}

TEST_F(ListsTest, TheSameNodeIsNotFilledAgainUnlessTheRebuildFlagIsSet) {
  ShowTables();
  QTreeWidgetItem* node = widgets().trvDataType->currentItem();
  store.Records(DataKind::Table)[0]->values.Set(1, "RENAMED");
  browser()->SetList(node);
  EXPECT_EQ(Names().front(), "RENAMED") << "rows show the store's values as they are";
  AddTable(DataKind::Table, "S", "TABLE", "NEW");
  browser()->SetList(node);
  EXPECT_EQ(DataModel()->rowCount(), 5);
  store.listRebuild = true;
  browser()->SetList(node);
  EXPECT_EQ(DataModel()->rowCount(), 6);
  EXPECT_FALSE(store.listRebuild);
}

TEST_F(ListsTest, DoubleClickOpensTheColumnListOfTheFirstSelectedRow) {
  ShowTables();
  browser()->ltvDataColumnClick(1);
  SelectDataRows({4, 2});  // b_lower and C, in display order C first
  browser()->ltvDataDblClick();
  EXPECT_EQ(store.currentListLevel, 2);
  EXPECT_TRUE(widgets().ltvData->isHidden());
  EXPECT_FALSE(widgets().ltvColumn->isHidden());
  EXPECT_EQ(ColumnModel()->rowCount(), 1000);
  EXPECT_EQ(ColumnModel()->Cell(999, 1), "C_C1000");
  EXPECT_EQ(widgets().txtPath->text(), QStringLiteral("テーブル情報 [S.C]"));
  EXPECT_EQ(NodeRecord(widgets().trvDataType->currentItem())->name, "C");
  EXPECT_EQ(QApplication::focusWidget(), widgets().ltvColumn);
  // Header clicks do nothing in a column list.
  browser()->ltvDataColumnClick(2);
  EXPECT_EQ(store.sortColumn[DataKindIndex(DataKind::Table)], 1);
}

TEST_F(ListsTest, NothingOpensWithoutASelectedRow) {
  ShowTables();
  QTreeWidgetItem* before = widgets().trvDataType->currentItem();
  browser()->ltvDataDblClick();
  EXPECT_EQ(widgets().trvDataType->currentItem(), before);
  EXPECT_EQ(store.currentListLevel, 1);
}

TEST_F(ListsTest, ATableWithoutColumnsShowsAnEmptyColumnList) {
  ShowTables();
  QTreeWidgetItem* a_upper = KindNode(DataKind::Table)->child(0)->child(0)->child(3);
  widgets().trvDataType->setCurrentItem(a_upper);
  EXPECT_EQ(ColumnModel()->rowCount(), 0);
  EXPECT_EQ(ColumnModel()->columnCount(), 27);
  EXPECT_EQ(widgets().txtPath->text(), QStringLiteral("テーブル情報 [S.A_UPPER]"));
}

TEST_F(ListsTest, EnterOpensTheColumnListLikeADoubleClick) {
  ShowTables();
  SelectDataRows({0});
  widgets().ltvData->setFocus();
  QTest::keyClick(widgets().ltvData, Qt::Key_Return);
  EXPECT_EQ(store.currentListLevel, 2);
  EXPECT_EQ(ColumnModel()->rowCount(), 2);  // b_lower, the first row in fill order
}

TEST_F(ListsTest, TheSqlInputShowsTheResultRowsOfItsRecord) {
  store.Items(DataKind::Sql, 2) = {MakeDefaultItem("A", 1, 0, 2, EstimateTextWidth),
                                   MakeDefaultItem("B", 1, 1, 2, EstimateTextWidth)};
  TTableRec& result = store.AddRecord(DataKind::Sql);
  for (const char* cell : {"1", "2", "3"}) {
    TColumnRow row;
    row.values = {cell, std::string("x") + cell};
    result.columns.push_back(row);
  }
  store.listRebuild = true;
  widgets().trvDataType->setCurrentItem(browser()->SqlRoot());
  TListModel* sql = ListModelOf(widgets().ltvSQL);
  ASSERT_EQ(sql->rowCount(), 3);
  EXPECT_EQ(sql->Cell(2, 1), "x3");
  EXPECT_EQ(browser()->ListInUse(), widgets().ltvSQL);
}

TEST_F(ListsTest, ATableDragStartsOnlyFromASelectedTableWhileTheErViewIsShown) {
  ShowTables();
  QTreeWidgetItem* table = KindNode(DataKind::Table)->child(0)->child(0)->child(0);
  widgets().trvDataType->setCurrentItem(table);
  EXPECT_FALSE(browser()->CanStartTableDrag());
  store.erViewActive = true;
  EXPECT_TRUE(browser()->CanStartTableDrag());
  widgets().trvDataType->setCurrentItem(KindNode(DataKind::Table));
  EXPECT_FALSE(browser()->CanStartTableDrag());
  widgets().trvDataType->setCurrentItem(KindNode(DataKind::Index));
  EXPECT_FALSE(browser()->CanStartTableDrag());
}

}  // namespace
}  // namespace morvane
