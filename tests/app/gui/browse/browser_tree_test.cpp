// The data tree: the fetch question on expanding, building owner/type/table nodes, the popup
// menu's entries and targets, refresh, the up button and the database kinds list.
#include <QAction>
#include <QMenu>

#include "browser_fixture.h"

namespace morvane {
namespace {

class TreeTest : public BrowserTest {
 protected:
  // Records in fetch order: an empty owner first, then runs that repeat an owner.
  void FetchSalesCatalogue() {
    FetchGives([this](DataKind kind) {
      AddTable(kind, "", "TABLE", "LOOSE");
      AddTable(kind, "HR", "TABLE", "EMP");
      AddTable(kind, "SALES", "TABLE", "ORDERS");
      AddTable(kind, "SALES", "TABLE", "ITEMS");
      AddTable(kind, "SALES", "VIEW", "V_ORDERS");
      AddTable(kind, "HR", "VIEW", "V_EMP");
    });
  }
  bool Visible(const char* action) {
    return browser()->popDataType->findChild<QAction*>(QLatin1String(action))->isVisible();
  }
  QStringList ShownEntries() {
    QStringList shown;
    for (const char* name :
         {"popDataType_Excel_Import", "popDataType_Line1", "popDataType_Excel_Delete",
          "popDataType_AllRefresh", "popDataType_Refresh"}) {
      if (Visible(name)) shown << name;
    }
    return shown;
  }

  const std::string ask_tables = ToCp932("テーブル情報を取得しますか？");
};

TEST_F(TreeTest, ExpandingAnEmptyDataKindAsksAndNoLeavesItCollapsedWithItsPlaceholder) {
  QTreeWidgetItem* tables = KindNode(DataKind::Table);
  prompt.answers = {PromptButton::kNo};
  tables->setExpanded(true);

  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].kind, PromptKind::kConfirm);
  EXPECT_EQ(prompt.shown[0].text, ask_tables);
  EXPECT_FALSE(tables->isExpanded());
  EXPECT_EQ(ChildTexts(tables), QStringList{"Dummy"});
  EXPECT_EQ(NodeImageIndex(tables), kTreeImgKindEmpty);
  EXPECT_EQ(host().connect_dialogs, 0);
  EXPECT_TRUE(host().fetched_kinds.empty());
  EXPECT_FALSE(store.modified);
  // The question selected the node.
  EXPECT_EQ(widgets().trvDataType->currentItem(), tables);
}

TEST_F(TreeTest, YesConnectsThroughTheDialogFetchesAndBuildsOwnerTypeAndTableNodes) {
  FetchSalesCatalogue();
  QTreeWidgetItem* tables = KindNode(DataKind::Table);
  prompt.answers = {PromptButton::kYes};
  tables->setExpanded(true);

  EXPECT_EQ(host().connect_dialogs, 1);
  EXPECT_EQ(host().fetched_kinds, std::vector<DataKind>{DataKind::Table});
  EXPECT_TRUE(tables->isExpanded());
  EXPECT_EQ(NodeImageIndex(tables), kTreeImgKindFilled);
  EXPECT_TRUE(store.modified);
  // Owner runs: the empty owner gets a node of its own, and HR comes twice.
  EXPECT_EQ(ChildTexts(tables), (QStringList{"", "HR", "SALES", "HR"}));
  QTreeWidgetItem* sales = tables->child(2);
  EXPECT_EQ(ChildTexts(sales), (QStringList{"TABLE", "VIEW"}));
  EXPECT_EQ(ChildTexts(sales->child(0)), (QStringList{"ORDERS", "ITEMS"}));
  QTreeWidgetItem* orders = sales->child(0)->child(0);
  EXPECT_EQ(NodeRecord(orders), store.Records(DataKind::Table)[2].get());
  EXPECT_EQ(NodeImageIndex(orders), kTreeImgTable);
  EXPECT_EQ(NodeImageIndex(sales), kTreeImgOwner);
  EXPECT_EQ(NodeImageIndex(sales->child(0)), kTreeImgType);
  EXPECT_EQ(NodeLevel(orders), 4);
  EXPECT_EQ(GetNodeLevelText(orders, 1), QStringLiteral("テーブル情報"));
  EXPECT_EQ(GetNodeLevelText(orders, 0), QStringLiteral("データベース"));
  EXPECT_EQ(GetNodeLevelText(tables, 3), QStringLiteral("テーブル情報"));
  // The table list of the data kind is shown.
  EXPECT_EQ(store.currentDataKind, DataKind::Table);
  EXPECT_EQ(DataModel()->rowCount(), 6);
}

TEST_F(TreeTest, AnAlreadyConnectedFetchNeedsNoDialogAndACancelledDialogFetchesNothing) {
  FetchSalesCatalogue();
  host().connect_dialog = [] {};  // the user cancels the dialog
  prompt.answers = {PromptButton::kYes};
  KindNode(DataKind::Index)->setExpanded(true);
  EXPECT_EQ(host().connect_dialogs, 1);
  EXPECT_TRUE(host().fetched_kinds.empty());
  EXPECT_FALSE(KindNode(DataKind::Index)->isExpanded());

  host().connected = true;
  prompt.answers = {PromptButton::kYes};
  KindNode(DataKind::Index)->setExpanded(true);
  EXPECT_EQ(host().connect_dialogs, 1);
  EXPECT_EQ(host().fetched_kinds, std::vector<DataKind>{DataKind::Index});
  EXPECT_TRUE(KindNode(DataKind::Index)->isExpanded());
}

TEST_F(TreeTest, AFetchWithoutRecordsLeavesThePlaceholderAndRefusesTheExpansion) {
  host().connected = true;
  FetchGives([](DataKind) {});
  prompt.answers = {PromptButton::kYes};
  QTreeWidgetItem* tables = KindNode(DataKind::Table);
  tables->setExpanded(true);
  EXPECT_EQ(host().fetched_kinds.size(), 1u);
  EXPECT_FALSE(tables->isExpanded());
  EXPECT_EQ(ChildTexts(tables), QStringList{"Dummy"});
  EXPECT_EQ(NodeImageIndex(tables), kTreeImgKindEmpty);
}

TEST_F(TreeTest, AFailedRefetchLeavesThePlaceholderAndNoRowsOfTheLostRecords) {
  host().connected = true;
  FetchSalesCatalogue();
  prompt.answers = {PromptButton::kYes};
  QTreeWidgetItem* tables = KindNode(DataKind::Table);
  tables->setExpanded(true);
  ASSERT_EQ(DataModel()->rowCount(), 6);

  // The fetch empties the data kind, then fails (its error box was shown by the fetch).
  host().fetch = [this] {
    EXPECT_EQ(DataModel()->rowCount(), 0) << "rows must be gone before the records";
    store.ClearDataKind(store.currentDataKind);
    return false;
  };
  browser()->PreparePopDataType(tables->child(2)->child(0)->child(0));
  prompt.answers = {PromptButton::kYes};
  browser()->popDataType_RefreshClick();
  EXPECT_EQ(ChildTexts(tables), QStringList{"Dummy"});
  EXPECT_EQ(NodeImageIndex(tables), kTreeImgKindEmpty);
  EXPECT_EQ(DataModel()->rowCount(), 0);
  EXPECT_EQ(widgets().trvDataType->currentItem(), tables);
}

TEST_F(TreeTest, AnEarlierVersionProjectNeverFetches) {
  store.fileVersion = kUnversionedFileVersion;
  browser()->RebuildTree();
  EXPECT_EQ(widgets().trvDataType->topLevelItemCount(), 2);  // no "SQL入力"
  KindNode(DataKind::Table)->setExpanded(true);
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_FALSE(KindNode(DataKind::Table)->isExpanded());
}

TEST_F(TreeTest, TableIndexLeavesShowTheIndexCount) {
  host().connected = true;
  FetchGives([this](DataKind kind) {
    TTableRec& r = AddTable(kind, "SALES", "TABLE", "ORDERS");
    r.values = {"SALES", "ORDERS", "TABLE", "2"};
  });
  prompt.answers = {PromptButton::kYes};
  KindNode(DataKind::TableIndex)->setExpanded(true);
  EXPECT_EQ(KindNode(DataKind::TableIndex)->child(0)->child(0)->child(0)->text(0),
            QStringLiteral("ORDERS (2)"));
}

TEST_F(TreeTest, SelectingOwnerAndTypeNodesFiltersTheTableList) {
  host().connected = true;
  FetchSalesCatalogue();
  prompt.answers = {PromptButton::kYes};
  QTreeWidgetItem* tables = KindNode(DataKind::Table);
  tables->setExpanded(true);

  widgets().trvDataType->setCurrentItem(tables->child(2)->child(1));  // SALES / VIEW
  EXPECT_EQ(store.selectedOwner, "SALES");
  EXPECT_EQ(store.selectedType, "VIEW");
  EXPECT_EQ(ColumnCells(DataModel(), 1), std::vector<std::string>{"V_ORDERS"});
  EXPECT_EQ(widgets().txtPath->text(), QStringLiteral("テーブル情報 [SALES - VIEW]"));

  widgets().trvDataType->setCurrentItem(tables->child(0));  // the empty owner
  EXPECT_EQ(store.selectedOwner, "");
  EXPECT_FALSE(store.selectedType.has_value());
  EXPECT_EQ(ColumnCells(DataModel(), 1), std::vector<std::string>{"LOOSE"});
  EXPECT_EQ(widgets().txtPath->text(), QStringLiteral("テーブル情報 []"));

  widgets().trvDataType->setCurrentItem(tables->child(1));  // the first run of HR
  EXPECT_EQ(ColumnCells(DataModel(), 1), (std::vector<std::string>{"EMP", "V_EMP"}));
  EXPECT_EQ(store.currentListLevel, 1);
  EXPECT_TRUE(widgets().sbtUp->isEnabled());
}

TEST_F(TreeTest, ColumnValuePositionsFollowTheFamilyAndTheProduct) {
  widgets().trvDataType->setCurrentItem(KindNode(DataKind::Table));
  EXPECT_EQ(store.erColumnPositions.keyMark, 9);  // Oracle 8
  widgets().trvDataType->setCurrentItem(browser()->ExcelRoot());
  EXPECT_EQ(store.erColumnPositions.keyMark, 11);
  widgets().trvDataType->setCurrentItem(browser()->SqlRoot());
  EXPECT_EQ(store.erColumnPositions.keyMark, 11);  // kept from before
  EXPECT_EQ(store.currentDataKind, DataKind::Sql);
  EXPECT_TRUE(widgets().pnlList->isHidden());
  EXPECT_FALSE(widgets().pnlSQL->isHidden());
}

TEST_F(TreeTest, PopupEntriesPerNode) {
  host().connected = true;
  TTableRec& sheet = AddTable(DataKind::Excel, "", "", "SHEET1");
  sheet.values = {"1", "SHEET1", "10"};
  FetchSalesCatalogue();
  prompt.answers = {PromptButton::kYes};
  KindNode(DataKind::Index)->setExpanded(true);
  browser()->RebuildTree();
  QTreeWidgetItem* excel = browser()->ExcelRoot();
  QTreeWidgetItem* indexes = KindNode(DataKind::Index);

  EXPECT_TRUE(browser()->PreparePopDataType(excel));
  EXPECT_EQ(ShownEntries(), QStringList{"popDataType_Excel_Import"});
  EXPECT_EQ(browser()->PopupTarget(), excel);

  EXPECT_TRUE(browser()->PreparePopDataType(excel->child(0)));
  EXPECT_EQ(ShownEntries(), (QStringList{"popDataType_Excel_Import", "popDataType_Line1",
                                         "popDataType_Excel_Delete"}));

  EXPECT_TRUE(browser()->PreparePopDataType(browser()->DatabaseRoot()));
  EXPECT_EQ(ShownEntries(), QStringList{"popDataType_AllRefresh"});

  QTreeWidgetItem* index_leaf = indexes->child(2)->child(0)->child(0);
  EXPECT_TRUE(browser()->PreparePopDataType(index_leaf));
  EXPECT_EQ(ShownEntries(), QStringList{"popDataType_Refresh"});
  EXPECT_EQ(browser()->PopupTarget(), indexes);
  EXPECT_EQ(widgets().trvDataType->currentItem(), index_leaf);

  EXPECT_FALSE(browser()->PreparePopDataType(browser()->SqlRoot()));

  store.fileVersion = kUnversionedFileVersion;
  browser()->PreparePopDataType(indexes);
  EXPECT_FALSE(browser()->popDataType->findChild<QAction*>("popDataType_Refresh")->isEnabled());
}

TEST_F(TreeTest, RefreshFromATableNodeFetchesItsWholeDataKindAgain) {
  host().connected = true;
  FetchSalesCatalogue();
  prompt.answers = {PromptButton::kYes};
  QTreeWidgetItem* indexes = KindNode(DataKind::Index);
  indexes->setExpanded(true);
  ASSERT_EQ(host().fetched_kinds.size(), 1u);

  browser()->PreparePopDataType(indexes->child(2)->child(0)->child(1));
  prompt.answers = {PromptButton::kYes};
  browser()->popDataType_RefreshClick();
  ASSERT_EQ(prompt.shown.size(), 2u);
  EXPECT_EQ(prompt.shown[1].text, ToCp932("インデックス情報を取得しますか？"));
  EXPECT_EQ(host().fetched_kinds, (std::vector<DataKind>{DataKind::Index, DataKind::Index}));
  EXPECT_EQ(widgets().trvDataType->currentItem(), indexes);
  EXPECT_FALSE(store.refreshRequest);

  // Declining the question leaves the data as it was.
  browser()->PreparePopDataType(indexes);
  prompt.answers = {PromptButton::kNo};
  browser()->popDataType_RefreshClick();
  EXPECT_EQ(host().fetched_kinds.size(), 2u);
  EXPECT_FALSE(store.refreshRequest);
  EXPECT_EQ(store.Records(DataKind::Index).size(), 6u);
}

TEST_F(TreeTest, RefreshAllAsksOnceAndFetchesTheThreeKindsInOrder) {
  FetchSalesCatalogue();
  prompt.answers = {PromptButton::kNo};
  browser()->popDataType_AllRefreshClick();
  EXPECT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, ToCp932("すべての情報を更新しますか？"));
  EXPECT_TRUE(host().fetched_kinds.empty());
  EXPECT_EQ(host().connect_dialogs, 0);

  prompt.answers = {PromptButton::kYes};
  browser()->popDataType_AllRefreshClick();
  EXPECT_EQ(prompt.shown.size(), 2u);  // no question per data kind
  EXPECT_EQ(host().connect_dialogs, 1);
  EXPECT_EQ(host().fetched_kinds,
            (std::vector<DataKind>{DataKind::Table, DataKind::Index, DataKind::TableIndex}));
  EXPECT_EQ(widgets().trvDataType->currentItem(), browser()->DatabaseRoot());
  for (DataKind kind : {DataKind::Table, DataKind::Index, DataKind::TableIndex}) {
    EXPECT_EQ(NodeImageIndex(KindNode(kind)), kTreeImgKindFilled);
  }
}

TEST_F(TreeTest, RefreshAllStopsAtTheFirstFailure) {
  host().connected = true;
  int calls = 0;
  host().fetch = [&] {
    if (++calls == 2) return false;
    AddTable(store.currentDataKind, "A", "T", "X");
    return true;
  };
  prompt.answers = {PromptButton::kYes};
  browser()->popDataType_AllRefreshClick();
  EXPECT_EQ(host().fetched_kinds, (std::vector<DataKind>{DataKind::Table, DataKind::Index}));
  EXPECT_EQ(store.Records(DataKind::Table).size(), 1u);
}

TEST_F(TreeTest, UpButtonClimbsToTheRootAndThenDisablesItself) {
  host().connected = true;
  FetchSalesCatalogue();
  prompt.answers = {PromptButton::kYes};
  QTreeWidgetItem* tables = KindNode(DataKind::Table);
  tables->setExpanded(true);
  widgets().trvDataType->setCurrentItem(tables->child(2));
  EXPECT_TRUE(widgets().sbtUp->isEnabled());
  widgets().ltvData->setFocus();
  EXPECT_TRUE(browser()->BackspaceGoesUp());
  browser()->sbtUpClick();
  EXPECT_EQ(widgets().trvDataType->currentItem(), tables);
  EXPECT_TRUE(widgets().sbtUp->isEnabled());
  browser()->sbtUpClick();
  EXPECT_EQ(widgets().trvDataType->currentItem(), browser()->DatabaseRoot());
  EXPECT_FALSE(widgets().sbtUp->isEnabled());
  EXPECT_FALSE(browser()->BackspaceGoesUp());
}

TEST_F(TreeTest, DatabaseRootShowsItsKindsAndOpeningOneAsksToFetchIt) {
  widgets().trvDataType->setCurrentItem(browser()->DatabaseRoot());
  EXPECT_FALSE(widgets().ltvDatabase->isHidden());
  EXPECT_TRUE(widgets().ltvData->isHidden());
  EXPECT_EQ(widgets().txtPath->text(), QStringLiteral("データベース"));
  ASSERT_EQ(widgets().ltvDatabase->count(), 3);
  EXPECT_EQ(widgets().ltvDatabase->item(2)->text(), QStringLiteral("テーブル・インデックス情報"));

  EXPECT_TRUE(browser()->PreparePopDatabase());
  EXPECT_EQ(ShownEntries(), QStringList{"popDataType_AllRefresh"});
  widgets().ltvDatabase->item(1)->setSelected(true);
  EXPECT_TRUE(browser()->PreparePopDatabase());
  EXPECT_EQ(ShownEntries(), QStringList{"popDataType_Refresh"});
  EXPECT_EQ(browser()->PopupTarget(), KindNode(DataKind::Index));

  prompt.answers = {PromptButton::kNo};
  browser()->ltvDatabaseDblClick();
  EXPECT_EQ(widgets().trvDataType->currentItem(), KindNode(DataKind::Index));
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, ToCp932("インデックス情報を取得しますか？"));
  EXPECT_TRUE(widgets().ltvDatabase->isHidden());
  EXPECT_FALSE(widgets().ltvData->isHidden());
}

}  // namespace
}  // namespace morvane
