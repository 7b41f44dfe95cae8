// The copy and selection commands, the list popup menu and deleting Excel tables.
#include <QAction>
#include <QClipboard>
#include <QMenu>

#include "browser_fixture.h"

namespace morvane {
namespace {

class CommandsTest : public BrowserTest {
 protected:
  // Excel tables: NO (number), NAME, SIZE(byte), and for Oracle two counts.
  void AddSheets() {
    AddSheet("3", "ORDERS", "120");
    AddSheet("1", "ITEMS", "");
    AddSheet("2", "\x8f\xa4\x95\x69", "80");  // 商品
    browser()->RebuildTree();
  }
  void AddSheet(const std::string& no, const std::string& name, const std::string& size) {
    TTableRec& r = store.AddRecord(DataKind::Excel);
    r.name = name;
    r.values = {no, name, size, "", ""};
    TColumnRow column;
    column.values = {"1", "ID", "NUMBER"};
    r.columns.push_back(column);
  }
  void ShowExcelTables() {
    widgets().trvDataType->setCurrentItem(browser()->ExcelRoot());
    widgets().ltvData->setFocus();
    ASSERT_EQ(store.currentListLevel, 1);
  }
  void Select(std::initializer_list<int> rows) {
    for (int row : rows) {
      widgets().ltvData->selectionModel()->select(
          DataModel()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
  }
  QString Clipboard() { return QApplication::clipboard()->text(); }
  QAction* PopListEntry(const char* name) {
    return browser()->popList->findChild<QAction*>(QLatin1String(name));
  }
};

TEST_F(CommandsTest, CopyTakesTheSelectedRowsInDisplayOrderWithAndWithoutTitles) {
  AddSheets();
  ShowExcelTables();
  // Sorted by NO, a number: ITEMS, 商品, ORDERS.
  Select({2, 0});
  browser()->mnuEdit_ListCopy_NoTitleClick();
  EXPECT_EQ(Clipboard(), QStringLiteral("1\tITEMS\t\t\t\r\n3\tORDERS\t120\t\t"));
  browser()->mnuEdit_ListCopy_TitleClick();
  EXPECT_EQ(Clipboard(),
            QStringLiteral("NO\tNAME\tSIZE(byte)\t250byte以下の列数\t251byte以上の列数\r\n"
                           "1\tITEMS\t\t\t\r\n3\tORDERS\t120\t\t"));

  widgets().ltvData->clearSelection();
  Select({1});
  browser()->mnuEdit_ListCopy_NoTitleClick();
  EXPECT_EQ(Clipboard(), QStringLiteral("2\t商品\t80\t\t"));
  browser()->mnuEdit_ListCopy_TitleClick();
  EXPECT_TRUE(Clipboard().endsWith(QStringLiteral("以上の列数\r\n2\t商品\t80\t\t")));
}

TEST_F(CommandsTest, CopyWithoutASelectionOrOutsideTheListsCopiesFromTheFocusedEditor) {
  AddSheets();
  ShowExcelTables();
  QApplication::clipboard()->setText(QStringLiteral("before"));
  browser()->mnuEdit_ListCopy_NoTitleClick();
  browser()->mnuEdit_ListCopy_TitleClick();
  EXPECT_EQ(Clipboard(), QStringLiteral("before"));

  Select({0});
  widgets().memSQL->setPlainText(QStringLiteral("SELECT * FROM T"));
  widgets().memSQL->show();
  widgets().pnlSQL->show();
  widgets().memSQL->setFocus();
  widgets().memSQL->selectAll();
  browser()->mnuEdit_ListCopy_NoTitleClick();
  EXPECT_EQ(Clipboard(), QStringLiteral("SELECT * FROM T"));
}

TEST_F(CommandsTest, SelectAllInvertAndTheCountInPanelTwo) {
  AddSheets();
  ShowExcelTables();
  EXPECT_EQ(host().status[2], QStringLiteral("0個を選択"));
  browser()->mnuEdit_SelectAllClick();
  EXPECT_EQ(SelectedRows(widgets().ltvData), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(host().status[2], QStringLiteral("3個を選択"));
  browser()->mnuEdit_SelectChangeClick();
  EXPECT_TRUE(SelectedRows(widgets().ltvData).empty());
  EXPECT_EQ(host().status[2], QStringLiteral("0個を選択"));
  Select({1});
  EXPECT_EQ(host().status[2], QStringLiteral("1個を選択"));
  browser()->mnuEdit_SelectChangeClick();
  EXPECT_EQ(SelectedRows(widgets().ltvData), (std::vector<int>{0, 2}));
  EXPECT_EQ(host().status[2], QStringLiteral("2個を選択"));
}

TEST_F(CommandsTest, SelectAllInTheSqlInputSelectsTheEditorText) {
  widgets().trvDataType->setCurrentItem(browser()->SqlRoot());
  widgets().memSQL->setPlainText(QStringLiteral("SELECT 1"));
  widgets().memSQL->setFocus();
  browser()->mnuEdit_SelectAllClick();
  EXPECT_EQ(widgets().memSQL->textCursor().selectedText(), QStringLiteral("SELECT 1"));
}

TEST_F(CommandsTest, ListPopupOffersDeleteOnlyForExcelTablesAndCopyOnlyWithSelectedRows) {
  AddSheets();
  ShowExcelTables();
  browser()->PreparePopList();
  EXPECT_TRUE(PopListEntry("popList_ExcelDelete")->isVisible());
  EXPECT_TRUE(PopListEntry("popList_Line1")->isVisible());
  EXPECT_FALSE(PopListEntry("popList_Copy")->isEnabled());
  Select({0});
  browser()->PreparePopList();
  EXPECT_TRUE(PopListEntry("popList_Copy")->isEnabled());
  EXPECT_TRUE(PopListEntry("popList_CopyWithTitle")->isEnabled());
  EXPECT_TRUE(PopListEntry("popList_ExcelDelete")->isEnabled());

  widgets().trvDataType->setCurrentItem(KindNode(DataKind::Table));
  browser()->PreparePopList();
  EXPECT_FALSE(PopListEntry("popList_ExcelDelete")->isVisible());
}

TEST_F(CommandsTest, DeletingSelectedExcelTablesFromTheListAsksAndRemovesRowsNodesAndRecords) {
  AddSheets();
  ShowExcelTables();
  Select({0, 2});
  prompt.answers = {PromptButton::kNo};
  browser()->popList_ExcelDeleteClick();
  EXPECT_EQ(prompt.shown.back().text, ToCp932("選択されている項目をすべて削除しますか？"));
  EXPECT_EQ(store.Records(DataKind::Excel).size(), 3u);
  EXPECT_FALSE(store.modified);

  prompt.answers = {PromptButton::kYes};
  browser()->popList_ExcelDeleteClick();
  // ITEMS and ORDERS went; 商品 stays.
  ASSERT_EQ(store.Records(DataKind::Excel).size(), 1u);
  EXPECT_EQ(store.Records(DataKind::Excel)[0]->name, "\x8f\xa4\x95\x69");
  EXPECT_EQ(ColumnCells(DataModel(), 1), std::vector<std::string>{"\x8f\xa4\x95\x69"});
  EXPECT_EQ(ChildTexts(browser()->ExcelRoot()), QStringList{QStringLiteral("商品")});
  EXPECT_TRUE(store.modified);
  EXPECT_EQ(host().status[2], QStringLiteral("0個を選択"));
}

TEST_F(CommandsTest, DeletingTheLastExcelTableLeavesTheRootCollapsedWithItsPlaceholder) {
  AddSheet("1", "ONLY", "");
  browser()->RebuildTree();
  browser()->ExcelRoot()->setExpanded(true);
  ShowExcelTables();
  Select({0});
  prompt.answers = {PromptButton::kYes};
  browser()->popList_ExcelDeleteClick();
  EXPECT_EQ(prompt.shown.back().text, ToCp932("「ONLY」を削除しますか？"));
  EXPECT_TRUE(store.Records(DataKind::Excel).empty());
  EXPECT_EQ(ChildTexts(browser()->ExcelRoot()), QStringList{"Dummy"});
  EXPECT_FALSE(browser()->ExcelRoot()->isExpanded());
  EXPECT_EQ(DataModel()->rowCount(), 0);
  EXPECT_TRUE(store.modified);
}

TEST_F(CommandsTest, DeletingAnExcelTableFromTheTreeRemovesItsColumnListToo) {
  AddSheets();
  browser()->ExcelRoot()->setExpanded(true);
  QTreeWidgetItem* orders = browser()->ExcelRoot()->child(0);
  ASSERT_TRUE(browser()->PreparePopDataType(orders));
  EXPECT_EQ(store.currentListLevel, 2);
  EXPECT_EQ(ColumnModel()->rowCount(), 1);
  prompt.answers = {PromptButton::kYes};
  browser()->popDataType_Excel_DeleteClick();
  EXPECT_EQ(prompt.shown.back().text, ToCp932("「ORDERS」を削除しますか？"));
  EXPECT_EQ(store.Records(DataKind::Excel).size(), 2u);
  EXPECT_EQ(browser()->ExcelRoot()->childCount(), 2);
  for (int row = 0; row < ColumnModel()->rowCount(); ++row) {
    EXPECT_NE(ColumnModel()->RecordAt(row)->name, "ORDERS");
  }
  EXPECT_TRUE(store.modified);

  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(browser()->PreparePopDataType(browser()->ExcelRoot()->child(0)));
    prompt.answers = {PromptButton::kYes};
    browser()->popDataType_Excel_DeleteClick();
  }
  EXPECT_TRUE(store.Records(DataKind::Excel).empty());
  EXPECT_EQ(ChildTexts(browser()->ExcelRoot()), QStringList{"Dummy"});
  EXPECT_FALSE(browser()->ExcelRoot()->isExpanded());
}

}  // namespace
}  // namespace morvane
