// The main window as built: its widgets, menus and toolbar, the start state, New for every
// product, the enabling of commands, the view switch, Backspace and resizing.
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include "app/gui/help/about_form.h"
#include "app/gui/tree_images.h"
#include "main_window_fixture.h"

namespace morvane {
namespace {

using testing::Cp932;
using testing::MainWindowTest;
using testing::ModalDriver;

TEST_F(MainWindowTest, NamesEveryWidgetTheCommandsReferTo) {
  for (const char* name : {"trvDataType", "pnlList",     "pnlPath",     "sbtUp",   "txtPath",
                           "ltvData",     "ltvColumn",   "ltvDatabase", "pnlSQL",  "txtSQLMaxRow",
                           "cmdSQLExec",  "cmdSQLClear", "memSQL",      "ltvSQL",  "pnlER",
                           "pagER",       "stbMsg",      "pgbWait",     "mnuMain", "tlbMain"}) {
    EXPECT_NE(Window().findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
  }
  EXPECT_EQ(Window().SqlPanel()->cmdSQLExec->text(), QStringLiteral("実行(&S)"));
  EXPECT_EQ(Window().SqlPanel()->cmdSQLClear->text(), QStringLiteral("削除(&C)"));
  EXPECT_NE(Window().findChild<QMenu*>(QStringLiteral("popToolBar_New")), nullptr);

  auto* status = Window().findChild<QStatusBar*>(QStringLiteral("stbMsg"));
  std::vector<int> widths;
  for (int i = 0; i < 3; ++i) {
    widths.push_back(status->findChild<QLabel*>(QStringLiteral("stbMsgPanel%1").arg(i))->width());
  }
  EXPECT_EQ(widths, (std::vector<int>{70, 130, 50}));
  EXPECT_EQ(Window().Progress().Bar()->size(), QSize(151, 11));
  EXPECT_EQ(Window().Progress().Bar()->x(), 270);
  EXPECT_FALSE(Window().Progress().Bar()->isVisible());
  EXPECT_EQ(Window().DataTree()->width(), 200);
}

TEST_F(MainWindowTest, MenuItemsHaveTheirCaptionsAndShortcuts) {
  struct Item {
    const char* name;
    const char* caption;
    QKeySequence shortcut;
  };
  const Item items[] = {
      {"mnuFile_New_RedBrick", "Red Brick", QKeySequence(Qt::CTRL | Qt::Key_F1)},
      {"mnuFile_New_Oracle8", "Oracle 8", QKeySequence(Qt::CTRL | Qt::Key_F2)},
      {"mnuFile_New_Oracle7", "Oracle 7", QKeySequence(Qt::CTRL | Qt::Key_F3)},
      {"mnuFile_New_Broadbase", "Broadbase", QKeySequence(Qt::CTRL | Qt::Key_F4)},
      {"mnuFile_New_Odbc", "汎用 ODBC", QKeySequence(Qt::CTRL | Qt::Key_F5)},
      {"mnuFile_Open", "開く", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {"mnuFile_Save", "上書き保存", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {"mnuFile_SaveAs", "名前を付けて保存", QKeySequence()},
      {"mnuFile_ExcelOutput", "Excel 出力", QKeySequence(Qt::CTRL | Qt::Key_E)},
      {"mnuFile_Exit", "終了(&X)", QKeySequence()},
      {"mnuEdit_ListCopy_NoTitle", "タイトル無し", QKeySequence(Qt::CTRL | Qt::Key_C)},
      {"mnuEdit_ListCopy_Title", "タイトル有り", QKeySequence(Qt::CTRL | Qt::Key_T)},
      {"mnuEdit_SelectAll", "すべて選択", QKeySequence(Qt::CTRL | Qt::Key_A)},
      {"mnuEdit_SelectChange", "選択の切り替え(&I)", QKeySequence()},
      {"mnuShow_List", "項目", QKeySequence(Qt::Key_F3)},
      {"mnuShow_ER", "ER図", QKeySequence(Qt::Key_F4)},
      {"mnuShow_Format", "フォーマット設定", QKeySequence(Qt::CTRL | Qt::Key_F)},
      {"mnuDB_Connect", "接続", QKeySequence(Qt::Key_F5)},
      {"mnuDB_DisConnect", "切断", QKeySequence(Qt::Key_F6)},
      {"mnuDB_DataCount", "データ件数取得", QKeySequence(Qt::Key_F10)},
      {"mnuHelp_Help", "トピックの検索", QKeySequence(Qt::Key_F1)},
      {"mnuHelp_About", "バージョン情報(&A)", QKeySequence()},
  };
  for (const Item& item : items) {
    QAction* action = Action(item.name);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QString::fromUtf8(item.caption)) << item.name;
    EXPECT_EQ(action->shortcut(), item.shortcut) << item.name;
  }
  QStringList titles;
  for (const char* menu : {"mnuFile", "mnuEdit", "mnuShow", "mnuDB", "mnuHelp"}) {
    titles << Menu(menu)->title();
  }
  EXPECT_EQ(titles,
            (QStringList{"ファイル(&F)", "編集(&E)", "表示(&V)", "ﾃﾞｰﾀﾍﾞｰｽ(&D)", "ﾍﾙﾌﾟ(&H)"}));
  EXPECT_EQ(Menu("mnuFile_New")->title(), QStringLiteral("新規作成"));
  EXPECT_EQ(Menu("mnuEdit_ListCopy")->title(), QStringLiteral("リスト内容のコピー"));
}

TEST_F(MainWindowTest, ToolbarHasItsButtonsHintsAndSeparators) {
  QStringList layout;
  for (QAction* action : Window().Commands().ToolBar()->actions()) {
    layout << (action->isSeparator() ? QStringLiteral("|")
                                     : action->objectName() + "=" + action->toolTip());
  }
  EXPECT_EQ(layout, (QStringList{"tlbMain_New=新規作成", "tlbMain_Open=開く",
                                 "tlbMain_Save=上書き保存", "|", "tlbMain_Excel=Excel 出力",
                                 "tlbMain_Workbooks=ブック一覧", "|", "tlbMain_List=項目表示",
                                 "tlbMain_ER=ER図表示", "|", "tlbMain_Format=ﾌｫｰﾏｯﾄ設定", "|",
                                 "tlbMain_Connect=ﾃﾞｰﾀﾍﾞｰｽ接続", "tlbMain_DisConnect=ﾃﾞｰﾀﾍﾞｰｽ切断",
                                 "tlbMain_Fetch=最新の情報に更新", "|", "tlbMain_Help=ﾍﾙﾌﾟ"}));
  QStringList popup;
  for (QAction* action : Window().Commands().NewPopup()->actions()) popup << action->text();
  EXPECT_EQ(popup, (QStringList{"Red Brick", "Oracle 8", "Oracle 7", "Broadbase", "汎用 ODBC"}));
  EXPECT_EQ(Action("tlbMain_New")->menu(), Window().Commands().NewPopup());
}

TEST_F(MainWindowTest, StartsWithNoProjectAndOnlyTheAlwaysEnabledCommands) {
  EXPECT_EQ(Window().windowTitle(), QStringLiteral("Morvane"));
  EXPECT_EQ(Window().StatusBar().Text(0), QStringLiteral("未選択"));
  EXPECT_EQ(Window().StatusBar().Text(1), QStringLiteral("未接続"));
  EXPECT_EQ(Store().product, Product::None);
  EXPECT_FALSE(Store().modified);
  EXPECT_FALSE(Window().ListPanel()->sbtUp()->isEnabled());

  const std::pair<const char*, const char*> always[] = {
      {"mnuFile", "mnuFile_New_RedBrick"}, {"mnuFile", "mnuFile_New_Oracle8"},
      {"mnuFile", "mnuFile_New_Oracle7"},  {"mnuFile", "mnuFile_New_Broadbase"},
      {"mnuFile", "mnuFile_New_Odbc"},     {"mnuFile", "mnuFile_Open"},
      {"mnuFile", "mnuFile_Exit"},         {"mnuHelp", "mnuHelp_Help"},
      {"mnuHelp", "mnuHelp_About"}};
  for (const auto& [menu, item] : always) EXPECT_TRUE(MenuItemEnabled(menu, item)) << item;
  const std::pair<const char*, const char*> never[] = {{"mnuFile", "mnuFile_Save"},
                                                       {"mnuFile", "mnuFile_SaveAs"},
                                                       {"mnuFile", "mnuFile_ExcelOutput"},
                                                       {"mnuEdit", "mnuEdit_ListCopy_NoTitle"},
                                                       {"mnuEdit", "mnuEdit_ListCopy_Title"},
                                                       {"mnuEdit", "mnuEdit_SelectAll"},
                                                       {"mnuEdit", "mnuEdit_SelectChange"},
                                                       {"mnuShow", "mnuShow_List"},
                                                       {"mnuShow", "mnuShow_ER"},
                                                       {"mnuShow", "mnuShow_Format"},
                                                       {"mnuDB", "mnuDB_Connect"},
                                                       {"mnuDB", "mnuDB_DisConnect"},
                                                       {"mnuDB", "mnuDB_DataCount"}};
  for (const auto& [menu, item] : never) EXPECT_FALSE(MenuItemEnabled(menu, item)) << item;
  EXPECT_TRUE(Action("mnuShow_List")->isChecked());

  for (const char* button : {"tlbMain_New", "tlbMain_Open", "tlbMain_Help"}) {
    EXPECT_TRUE(ButtonEnabled(button)) << button;
  }
  for (const char* button : {"tlbMain_Save", "tlbMain_Excel", "tlbMain_List", "tlbMain_ER",
                             "tlbMain_Format", "tlbMain_Connect", "tlbMain_DisConnect"}) {
    EXPECT_FALSE(ButtonEnabled(button)) << button;
  }
  EXPECT_FALSE(Action("tlbMain_List")->isChecked());
  EXPECT_FALSE(Action("tlbMain_ER")->isChecked());
}

TEST_F(MainWindowTest, NewStartsAProjectOfEachProduct) {
  struct Case {
    Product product;
    const char* name;
  };
  for (const Case& c : {Case{Product::RedBrick, "Red Brick"}, Case{Product::Oracle8, "Oracle 8"},
                        Case{Product::Oracle7, "Oracle 7"}, Case{Product::Broadbase, "Broadbase"},
                        Case{Product::Odbc, "ODBC"}}) {
    SCOPED_TRACE(c.name);
    Window().FileNew(c.product);
    EXPECT_EQ(Store().product, c.product);
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("Morvane - [%1 新規作成]").arg(c.name));
    EXPECT_EQ(Window().StatusBar().Text(0), QString::fromUtf8(c.name));
    EXPECT_EQ(Window().SqlPanel()->txtSQLMaxRow->text(), QStringLiteral("1000"));
    EXPECT_EQ(Store().sqlMaxRow, "1000");
    EXPECT_TRUE(Window().SqlPanel()->memSQL->toPlainText().isEmpty());
    EXPECT_EQ(Store().er.sheets.size(), 1u);
    ASSERT_EQ(Window().ERPanel()->Sheets()->count(), 1);
    EXPECT_EQ(Window().ERPanel()->Sheets()->tabText(0), QStringLiteral("シート1"));
    EXPECT_FALSE(Store().modified);
    EXPECT_TRUE(Store().fileName.empty());
    EXPECT_FALSE(MenuItemEnabled("mnuFile", "mnuFile_Save"));
    EXPECT_FALSE(ButtonEnabled("tlbMain_Save"));
    EXPECT_TRUE(MenuItemEnabled("mnuFile", "mnuFile_SaveAs"));
    EXPECT_FALSE(Store().Items(DataKind::Table, 1).empty());
    EXPECT_TRUE(prompt_.shown.empty());
  }
}

TEST_F(MainWindowTest, NewBuildsTheTreeSkeleton) {
  Window().FileNew(Product::Oracle8);
  QTreeWidget* tree = Window().DataTree();
  ASSERT_EQ(tree->topLevelItemCount(), 3);
  QTreeWidgetItem* excel = tree->topLevelItem(0);
  QTreeWidgetItem* database = tree->topLevelItem(1);
  QTreeWidgetItem* sql = tree->topLevelItem(2);
  EXPECT_EQ(excel->text(0), QStringLiteral("Excelファイル"));
  EXPECT_EQ(NodeImage(excel), kImgExcelRoot);
  ASSERT_EQ(excel->childCount(), 1);
  EXPECT_EQ(excel->child(0)->text(0), QStringLiteral("Dummy"));
  EXPECT_EQ(NodeImage(excel->child(0)), kImgOwner);

  EXPECT_EQ(database->text(0), QStringLiteral("データベース"));
  EXPECT_EQ(NodeImage(database), kImgDatabaseRoot);
  EXPECT_TRUE(database->isExpanded());
  QStringList kinds;
  for (int i = 0; i < database->childCount(); ++i) {
    QTreeWidgetItem* kind = database->child(i);
    kinds << kind->text(0);
    EXPECT_EQ(NodeImage(kind), kImgKindEmpty);
    ASSERT_EQ(kind->childCount(), 1);
    EXPECT_EQ(kind->child(0)->text(0), QStringLiteral("Dummy"));
    EXPECT_EQ(NodeImage(kind->child(0)), kImgTable);
    EXPECT_FALSE(kind->isExpanded());
  }
  EXPECT_EQ(kinds, (QStringList{"テーブル情報", "インデックス情報", "テーブル・インデックス情報"}));
  EXPECT_EQ(sql->text(0), QStringLiteral("SQL入力"));
  EXPECT_EQ(NodeImage(sql), kImgSqlInput);
  EXPECT_EQ(sql->childCount(), 0);
  EXPECT_EQ(tree->currentItem(), excel);
  for (int image = 0; image < 8; ++image) EXPECT_FALSE(TreeImages()[image].isNull()) << image;
}

TEST_F(MainWindowTest, NewDisconnectsFirst) {
  Window().FileNew(Product::Oracle8);
  ConnectToEmulator();
  ASSERT_EQ(Window().StatusBar().Text(1), QString::fromLatin1(testing::kGuiDsn));
  Window().FileNew(Product::Oracle7);
  EXPECT_FALSE(Window().Connected());
  EXPECT_EQ(Window().StatusBar().Text(1), QStringLiteral("未接続"));
}

TEST_F(MainWindowTest, EnablesConnectionCommandsByConnectionState) {
  Window().FileNew(Product::RedBrick);
  EXPECT_TRUE(MenuItemEnabled("mnuDB", "mnuDB_Connect"));
  EXPECT_FALSE(MenuItemEnabled("mnuDB", "mnuDB_DisConnect"));
  EXPECT_TRUE(ButtonEnabled("tlbMain_Connect"));
  EXPECT_FALSE(ButtonEnabled("tlbMain_DisConnect"));

  ConnectToEmulator();
  EXPECT_FALSE(MenuItemEnabled("mnuDB", "mnuDB_Connect"));
  EXPECT_TRUE(MenuItemEnabled("mnuDB", "mnuDB_DisConnect"));
  EXPECT_FALSE(ButtonEnabled("tlbMain_Connect"));
  EXPECT_TRUE(ButtonEnabled("tlbMain_DisConnect"));

  mnuDB_DisConnectClick(Window());
  EXPECT_FALSE(Window().Connected());
  EXPECT_EQ(Window().StatusBar().Text(1), QStringLiteral("未接続"));
  EXPECT_TRUE(Action("tlbMain_Connect")->isEnabled());
}

TEST_F(MainWindowTest, EnablesListCommandsFromTheSelectionAndFocus) {
  Window().FileNew(Product::Oracle8);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  // New selects the Excel root: its empty table list is the current one.
  EXPECT_EQ(Store().currentDataKind, DataKind::Excel);
  EXPECT_TRUE(MenuItemEnabled("mnuEdit", "mnuEdit_ListCopy_NoTitle"));
  EXPECT_TRUE(MenuItemEnabled("mnuShow", "mnuShow_Format"));
  EXPECT_FALSE(MenuItemEnabled("mnuFile", "mnuFile_ExcelOutput"));

  // A table list of data kind 2 with one of two rows selected, the list focused.
  for (const char* name : {"EMP", "DEPT"}) {
    TTableRec& table = Store().AddRecord(DataKind::Table);
    table.owner = "SCOTT";
    table.type = "TABLE";
    table.name = name;
    table.values = {"SCOTT", name, "TABLE"};
  }
  Window().Browser().RebuildTree();
  Window().DataTree()->setCurrentItem(Window().Browser().DataKindNode(DataKind::Table));
  Window().ListPanel()->ltvData()->setFocus();
  ASSERT_EQ(Window().ListPanel()->ltvData()->model()->rowCount(), 2);
  auto row_selected = [this](int row) {
    return Window().ListPanel()->ltvData()->selectionModel()->isRowSelected(row, QModelIndex());
  };
  EXPECT_TRUE(MenuItemEnabled("mnuEdit", "mnuEdit_ListCopy_NoTitle"));
  EXPECT_TRUE(MenuItemEnabled("mnuEdit", "mnuEdit_ListCopy_Title"));
  EXPECT_TRUE(MenuItemEnabled("mnuEdit", "mnuEdit_SelectAll"));
  EXPECT_TRUE(MenuItemEnabled("mnuEdit", "mnuEdit_SelectChange"));
  EXPECT_TRUE(MenuItemEnabled("mnuShow", "mnuShow_Format"));
  EXPECT_TRUE(ButtonEnabled("tlbMain_Format"));
  EXPECT_FALSE(MenuItemEnabled("mnuFile", "mnuFile_ExcelOutput"));
  EXPECT_FALSE(ButtonEnabled("tlbMain_Excel"));

  Window().ListPanel()->ltvData()->selectionModel()->select(
      Window().ListPanel()->ltvData()->model()->index(0, 0),
      QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QCoreApplication::processEvents();  // the selection alone updates the toolbar and shortcuts
  EXPECT_TRUE(Action("tlbMain_Excel")->isEnabled());
  EXPECT_TRUE(Action("mnuFile_ExcelOutput")->isEnabled());
  EXPECT_TRUE(MenuItemEnabled("mnuFile", "mnuFile_ExcelOutput"));
  EXPECT_TRUE(ButtonEnabled("tlbMain_Excel"));
  EXPECT_FALSE(MenuItemEnabled("mnuDB", "mnuDB_DataCount"));
  ConnectToEmulator();
  EXPECT_TRUE(MenuItemEnabled("mnuDB", "mnuDB_DataCount"));

  // Invert the selection through the menu command.
  mnuEdit_SelectChangeClick(Window());
  EXPECT_FALSE(row_selected(0));
  EXPECT_TRUE(row_selected(1));
  mnuEdit_SelectAllClick(Window());
  EXPECT_TRUE(row_selected(0));

  // The tree focused: the selection commands are off, copy stays on.
  Window().DataTree()->setFocus();
  EXPECT_FALSE(MenuItemEnabled("mnuEdit", "mnuEdit_SelectAll"));
  EXPECT_FALSE(MenuItemEnabled("mnuEdit", "mnuEdit_SelectChange"));
  EXPECT_TRUE(MenuItemEnabled("mnuEdit", "mnuEdit_ListCopy_NoTitle"));

  // The SQL text focused: select all only.
  Store().currentDataKind = DataKind::Sql;
  Window().ListPanel()->hide();
  Window().SqlPanel()->show();
  Window().SqlPanel()->memSQL->setFocus();
  EXPECT_TRUE(MenuItemEnabled("mnuEdit", "mnuEdit_SelectAll"));
  EXPECT_FALSE(MenuItemEnabled("mnuEdit", "mnuEdit_SelectChange"));
}

TEST_F(MainWindowTest, ViewSwitchShowsOnePanelAndFollowsInMenusAndToolbar) {
  // Without a project the view commands do nothing, also through their shortcuts.
  mnuShow_ERClick(Window());
  EXPECT_FALSE(Store().erViewActive);

  Window().FileNew(Product::Broadbase);
  mnuShow_ERClick(Window());
  EXPECT_TRUE(Store().erViewActive);
  EXPECT_FALSE(Store().listViewActive);
  EXPECT_TRUE(Window().ERPanel()->isVisible());
  EXPECT_FALSE(Window().ListPanel()->isVisible());
  EXPECT_FALSE(Window().SqlPanel()->isVisible());
  EXPECT_TRUE(Action("tlbMain_ER")->isChecked());
  EXPECT_FALSE(Action("tlbMain_List")->isChecked());
  emit Menu("mnuShow")->aboutToShow();
  EXPECT_TRUE(Action("mnuShow_ER")->isChecked());
  EXPECT_FALSE(Action("mnuShow_List")->isChecked());
  // The ER view: Excel output and format settings on, list commands off.
  EXPECT_TRUE(MenuItemEnabled("mnuFile", "mnuFile_ExcelOutput"));
  EXPECT_TRUE(MenuItemEnabled("mnuShow", "mnuShow_Format"));
  Store().currentDataKind = DataKind::Table;
  EXPECT_FALSE(MenuItemEnabled("mnuEdit", "mnuEdit_ListCopy_NoTitle"));

  tlbMain_ListClick(Window());
  EXPECT_FALSE(Store().erViewActive);
  EXPECT_TRUE(Store().listViewActive);
  EXPECT_TRUE(Window().ListPanel()->isVisible());
  EXPECT_FALSE(Window().ERPanel()->isVisible());
  EXPECT_TRUE(Action("tlbMain_List")->isChecked());
  emit Menu("mnuShow")->aboutToShow();
  EXPECT_TRUE(Action("mnuShow_List")->isChecked());

  // Back from the ER view with the SQL input current, the SQL panel shows.
  mnuShow_ERClick(Window());
  Store().currentDataKind = DataKind::Sql;
  mnuShow_ListClick(Window());
  EXPECT_TRUE(Window().SqlPanel()->isVisible());
  EXPECT_FALSE(Window().ListPanel()->isVisible());
}

TEST_F(MainWindowTest, ShortcutsObeyTheEnablingRules) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  Window().DataTree()->setFocus();
  QTest::keyClick(&Window(), Qt::Key_S, Qt::ControlModifier);  // nothing to save
  EXPECT_EQ(chooser_.saveCalls, 0);
  QTest::keyClick(&Window(), Qt::Key_F4);  // no project: no ER view
  EXPECT_FALSE(Store().erViewActive);

  QTest::keyClick(&Window(), Qt::Key_F2, Qt::ControlModifier);  // New Oracle 8
  EXPECT_EQ(Store().product, Product::Oracle8);
  QTest::keyClick(&Window(), Qt::Key_F4);
  EXPECT_TRUE(Store().erViewActive);
  QTest::keyClick(&Window(), Qt::Key_F3);
  EXPECT_FALSE(Store().erViewActive);

  Store().SetModified();
  Window().ToolBarEnabled();
  QTest::keyClick(&Window(), Qt::Key_S, Qt::ControlModifier);  // never saved: asks for a path
  EXPECT_EQ(chooser_.saveCalls, 1);
}

TEST_F(MainWindowTest, RowLimitAndSqlTextEditTheDocument) {
  Window().FileNew(Product::RedBrick);
  Window().ListPanel()->hide();
  Window().SqlPanel()->show();
  Window().SqlPanel()->txtSQLMaxRow->setFocus();
  Window().SqlPanel()->txtSQLMaxRow->end(false);
  QTest::keyClicks(Window().SqlPanel()->txtSQLMaxRow, QStringLiteral("0"));
  EXPECT_EQ(Store().sqlMaxRow, "10000");
  EXPECT_TRUE(Store().modified);
  EXPECT_TRUE(Action("tlbMain_Save")->isEnabled());

  Window().SqlPanel()->memSQL->setPlainText(QStringLiteral("SELECT *\nFROM 社員"));
  EXPECT_EQ(Store().sqlText, (std::vector<std::string>{"SELECT *", Cp932("FROM 社員")}));
  Window().SqlPanel()->memSQL->clear();
  EXPECT_TRUE(Store().sqlText.empty());
}

TEST_F(MainWindowTest, BackspaceMovesUpTheTreeUnlessTheFocusIsOnTheTreeOrSqlText) {
  Window().FileNew(Product::Oracle8);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  QTreeWidgetItem* database = Window().DataTree()->topLevelItem(1);
  QTreeWidgetItem* tables = database->child(0);

  // On the tree itself the key belongs to the tree.
  Window().DataTree()->setCurrentItem(tables);
  Window().ListPanel()->sbtUp()->setEnabled(true);
  Window().DataTree()->setFocus();
  QTest::keyClick(Window().DataTree(), Qt::Key_Backspace);
  EXPECT_EQ(Window().DataTree()->currentItem(), tables);

  // In the list it goes up one level.
  Window().ListPanel()->ltvData()->setFocus();
  QTest::keyClick(Window().ListPanel()->ltvData(), Qt::Key_Backspace);
  EXPECT_EQ(Window().DataTree()->currentItem(), database);

  // With the up button disabled nothing happens.
  Window().DataTree()->setCurrentItem(tables);
  Window().ListPanel()->sbtUp()->setEnabled(false);
  Window().ListPanel()->ltvData()->setFocus();
  QTest::keyClick(Window().ListPanel()->ltvData(), Qt::Key_Backspace);
  EXPECT_EQ(Window().DataTree()->currentItem(), tables);

  // In the SQL text (data kind 5) the key edits the text.
  Window().ListPanel()->sbtUp()->setEnabled(true);
  Store().currentDataKind = DataKind::Sql;
  Window().ListPanel()->hide();
  Window().SqlPanel()->show();
  Window().SqlPanel()->memSQL->setPlainText(QStringLiteral("SELECT 1"));
  Window().SqlPanel()->memSQL->moveCursor(QTextCursor::End);
  Window().SqlPanel()->memSQL->setFocus();
  QTest::keyClick(Window().SqlPanel()->memSQL, Qt::Key_Backspace);
  EXPECT_EQ(Window().SqlPanel()->memSQL->toPlainText(), QStringLiteral("SELECT "));
  EXPECT_EQ(Window().DataTree()->currentItem(), tables);
}

TEST_F(MainWindowTest, ProgressBarKeepsItsPlaceAboveTheBottomWhenResized) {
  Window().resize(900, 700);
  QTest::qWait(0);
  EXPECT_EQ(Window().Progress().Bar()->y(), Window().height() - 11 - 3);
  Window().resize(640, 480);
  EXPECT_EQ(Window().Progress().Bar()->y(), Window().height() - 11 - 3);
  EXPECT_EQ(Window().Progress().Bar()->x(), 270);

  Window().Progress().Begin("データ取得", 10);
  EXPECT_TRUE(Window().Progress().Bar()->isVisible());
  EXPECT_EQ(Window().StatusBar().Text(2), QStringLiteral("データ取得"));
  Window().Progress().Step(4);
  EXPECT_EQ(Window().Progress().Bar()->value(), 4);
  Window().Progress().End();
  EXPECT_FALSE(Window().Progress().Bar()->isVisible());
}

TEST_F(MainWindowTest, HelpWarnsThroughThePromptWhenTheGuideCannotBeShown) {
  Window().Dialogs().SetUrlOpener([](const QUrl&) { return false; });
  mnuHelp_HelpClick(Window());
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].kind, PromptKind::kWarning);
}

TEST_F(MainWindowTest, AboutMenuShowsTheAboutBox) {
  QString title;
  ModalDriver driver({[&title](QWidget* modal) {
    title = modal->windowTitle();
    EXPECT_NE(qobject_cast<TfrmAbout*>(modal), nullptr);
    qobject_cast<QDialog*>(modal)->accept();
  }});
  mnuHelp_AboutClick(Window());
  EXPECT_EQ(title, QStringLiteral("バージョン情報"));
}

}  // namespace
}  // namespace morvane
