// The SQL input panel in the main window: running a query into ltvSQL, copying its rows, the
// refusals, Delete, and the row counts of the table list.
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include "app/gui/browse/browser.h"
#include "app/gui/db/connect_form.h"
#include "db/row_count.h"
#include "main_window_fixture.h"

namespace morvane {
namespace {

using testing::MainWindowTest;
using testing::ModalDriver;

class SqlPanelTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    database_ = testing::MakeGuiDatabase();
    std::string error;
    ASSERT_TRUE(database_->client->Script(
        "INSERT INTO DEPT VALUES (10, 'SALES'); INSERT INTO DEPT VALUES (20, NULL);"
        "INSERT INTO DEPT VALUES (30, '倉庫');",
        &error))
        << error;
    Window().FileNew(Product::Oracle8);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  }

  TpnlSQL& Panel() { return *Window().SqlPanel(); }
  QAbstractItemModel* Result() { return Panel().ltvSQL->model(); }

  void ShowSqlNode() {
    Window().DataTree()->setCurrentItem(Window().Browser().SqlRoot());
    ASSERT_TRUE(Panel().isVisible());
  }
  // Runs the query as the user does: types it and the limit, clicks 実行.
  void Execute(const QString& sql, const QString& limit = QStringLiteral("1000")) {
    Panel().memSQL->setPlainText(sql);
    Panel().txtSQLMaxRow->setText(limit);
    QTest::mouseClick(Panel().cmdSQLExec, Qt::LeftButton);
  }
  QString Header(int column) { return Result()->headerData(column, Qt::Horizontal).toString(); }
  QString Cell(int row, int column) { return Result()->index(row, column).data().toString(); }
};

TEST_F(SqlPanelTest, ExecuteListsTheResultAndCopiesItsRows) {
  ShowSqlNode();
  ConnectToEmulator();
  Store().modified = false;
  Execute(QStringLiteral("\n  select DEPT_ID, DEPT_NAME\nfrom DEPT order by DEPT_ID\n"));
  EXPECT_TRUE(ShownTexts().empty()) << ShownTexts().at(0);

  ASSERT_EQ(Result()->columnCount(), 2);
  ASSERT_EQ(Result()->rowCount(), 3);
  EXPECT_EQ(Header(0), QStringLiteral("DEPT_ID"));
  EXPECT_EQ(Header(1), QStringLiteral("DEPT_NAME"));
  EXPECT_EQ(Cell(1, 1), QString());  // NULL
  EXPECT_EQ(Cell(2, 1), QStringLiteral("倉庫"));
  EXPECT_GE(Panel().ltvSQL->header()->sectionSize(0), 100);
  EXPECT_TRUE(Store().modified);
  EXPECT_TRUE(Action("tlbMain_Save")->isEnabled());
  EXPECT_TRUE(Action("tlbMain_Excel")->isEnabled());  // an SQL result can be written to Excel
  EXPECT_EQ(Window().StatusBar().Text(2), QStringLiteral("0個を選択"));
  EXPECT_EQ(Store().sqlText, (std::vector<std::string>{"", "  select DEPT_ID, DEPT_NAME",
                                                       "from DEPT order by DEPT_ID"}));

  // Select all and copy with titles, by the shortcuts, while the result list has the focus.
  Panel().ltvSQL->setFocus();
  QTest::keyClick(Panel().ltvSQL, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Window().StatusBar().Text(2), QStringLiteral("3個を選択"));
  QTest::keyClick(Panel().ltvSQL, Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(),
            QStringLiteral("DEPT_ID\tDEPT_NAME\r\n10\tSALES\r\n20\t\r\n30\t倉庫"));
  Panel().ltvSQL->selectionModel()->clearSelection();
  Panel().ltvSQL->selectionModel()->select(Result()->index(2, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QTest::keyClick(Panel().ltvSQL, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("30\t倉庫"));
  // In the text box Ctrl+C copies the selected text, not the rows.
  Panel().memSQL->setFocus();
  Panel().memSQL->selectAll();
  QTest::keyClick(Panel().memSQL, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(QApplication::clipboard()->text().contains(QStringLiteral("select DEPT_ID")));
}

TEST_F(SqlPanelTest, TheRowLimitCutsTheResultWithOneWarning) {
  ShowSqlNode();
  ConnectToEmulator();
  Execute(QStringLiteral("SELECT DEPT_ID FROM DEPT"), QStringLiteral("2"));
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{"最大レコード数を超えました。"});
  EXPECT_EQ(Result()->rowCount(), 2);
  prompt_.shown.clear();
  Execute(QStringLiteral("SELECT DEPT_ID FROM DEPT"), QStringLiteral("3"));
  EXPECT_TRUE(ShownTexts().empty());
  EXPECT_EQ(Result()->rowCount(), 3);
}

TEST_F(SqlPanelTest, RefusedInputWarnsAndFocusesTheField) {
  ShowSqlNode();
  ConnectToEmulator();
  Store().modified = false;
  Execute(QStringLiteral("WITH X AS (SELECT 1 FROM DUAL) SELECT * FROM X"));
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{"SELECT 文のみ指定できます。"});
  EXPECT_EQ(QApplication::focusWidget(), Panel().memSQL);
  EXPECT_EQ(Result()->columnCount(), 0);

  // A character Shift-JIS cannot hold would reach the database as "?".
  prompt_.shown.clear();
  Execute(QStringLiteral("SELECT '\U0001F600' FROM DUAL"));
  EXPECT_EQ(ShownTexts(),
            std::vector<std::string>{"SQL 文に Shift-JIS で表せない文字が含まれています。"});
  EXPECT_EQ(QApplication::focusWidget(), Panel().memSQL);

  prompt_.shown.clear();
  Execute(QStringLiteral("SELECT 1 FROM DUAL"), QStringLiteral("abc"));
  EXPECT_EQ(ShownTexts(),
            std::vector<std::string>{"最大レコード数は 1 ～ 10000 の整数で指定して下さい。"});
  EXPECT_EQ(Panel().txtSQLMaxRow->text(), QStringLiteral("0"));
  EXPECT_EQ(Store().sqlMaxRow, "0");
  EXPECT_EQ(QApplication::focusWidget(), Panel().txtSQLMaxRow);
  EXPECT_TRUE(Store().Records(DataKind::Sql).empty());
}

TEST_F(SqlPanelTest, NotConnectedAsksForTheConnectionAndStopsWhenCancelled) {
  ShowSqlNode();
  {
    ModalDriver driver({[](QWidget* modal) {
      auto* form = qobject_cast<TfrmConnect*>(modal);
      ASSERT_NE(form, nullptr);
      form->cmdCancel->click();
    }});
    Execute(QStringLiteral("SELECT DEPT_ID FROM DEPT"));
    EXPECT_EQ(driver.Remaining(), 0u);
  }
  EXPECT_TRUE(ShownTexts().empty());
  EXPECT_TRUE(Store().Records(DataKind::Sql).empty());
}

TEST_F(SqlPanelTest, AFailingQueryShowsTheDriversMessageAndNoResult) {
  ShowSqlNode();
  ConnectToEmulator();
  Execute(QStringLiteral("SELECT DEPT_ID FROM DEPT"));
  ASSERT_EQ(Result()->rowCount(), 3);
  Execute(QStringLiteral("SELECT NO_SUCH_COLUMN FROM DEPT"));
  ASSERT_EQ(ShownTexts().size(), 1u);
  EXPECT_NE(ShownTexts()[0].find("NO_SUCH_COLUMN"), std::string::npos) << ShownTexts()[0];
  EXPECT_EQ(Result()->rowCount(), 0);
  EXPECT_TRUE(Store().Records(DataKind::Sql).empty());
}

TEST_F(SqlPanelTest, DeleteAsksThenDiscardsTheResultAndKeepsTheText) {
  ShowSqlNode();
  ConnectToEmulator();
  Execute(QStringLiteral("SELECT DEPT_ID FROM DEPT"), QStringLiteral("50"));
  prompt_.answers = {PromptButton::kNo};
  QTest::mouseClick(Panel().cmdSQLClear, Qt::LeftButton);
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{"情報を削除しますか？"});
  EXPECT_EQ(Result()->rowCount(), 3);

  Store().modified = false;
  prompt_.answers = {PromptButton::kYes};
  QTest::mouseClick(Panel().cmdSQLClear, Qt::LeftButton);
  EXPECT_EQ(Result()->rowCount(), 0);
  EXPECT_EQ(Result()->columnCount(), 0);
  EXPECT_TRUE(Store().Records(DataKind::Sql).empty());
  EXPECT_TRUE(Store().Items(DataKind::Sql, kItemLevelColumn).empty());
  EXPECT_TRUE(Store().modified);
  EXPECT_FALSE(Action("tlbMain_Excel")->isEnabled());
  EXPECT_EQ(Panel().memSQL->toPlainText(), QStringLiteral("SELECT DEPT_ID FROM DEPT"));
  EXPECT_EQ(Store().sqlMaxRow, "50");
}

TEST_F(SqlPanelTest, DataCountCountsTheSelectedTables) {
  ConnectToEmulator();
  prompt_.answers = {PromptButton::kYes};  // fetch the table information
  QTreeWidgetItem* tables = Window().Browser().DataKindNode(DataKind::Table);
  Window().DataTree()->setCurrentItem(tables);
  tables->setExpanded(true);
  ASSERT_EQ(Window().ListPanel()->ltvData()->model()->rowCount(), 2);
  Store().modified = false;
  Window().ListPanel()->ltvData()->setFocus();
  Window().ListPanel()->ltvData()->selectAll();
  QCoreApplication::processEvents();
  ASSERT_TRUE(MenuItemEnabled("mnuDB", "mnuDB_DataCount"));

  prompt_.shown.clear();
  prompt_.answers = {PromptButton::kYes};
  QTest::keyClick(&Window(), Qt::Key_F10);
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{"データ件数を取得しますか？"});
  const size_t entry = *CountValueIndex(Product::Oracle8);
  for (const auto& table : Store().Records(DataKind::Table)) {
    EXPECT_EQ(table->values.ValueOr(entry), table->name == "DEPT" ? "3" : "0") << table->name;
  }
  EXPECT_FALSE(Store().modified);
  // The list shows the counts.
  bool shown = false;
  for (int c = 0; c < Window().ListPanel()->ltvData()->model()->columnCount(); ++c) {
    if (Window().ListPanel()->ltvData()->model()->headerData(c, Qt::Horizontal).toString() !=
        "COUNT")
      continue;
    for (int r = 0; r < 2; ++r) {
      shown |= Window().ListPanel()->ltvData()->model()->index(r, c).data().toString() ==
               QStringLiteral("3");
    }
  }
  EXPECT_TRUE(shown);

  // Answered No: nothing is counted.
  Window().ListPanel()->ltvData()->selectAll();
  QCoreApplication::processEvents();
  database_->client->Script("INSERT INTO EMP VALUES (1, 10);", nullptr);
  prompt_.answers = {PromptButton::kNo};
  mnuDB_DataCountClick(Window());
  for (const auto& table : Store().Records(DataKind::Table)) {
    if (table->name == "EMP") {
      EXPECT_EQ(table->values.ValueOr(entry), "0");
    }
  }
}

}  // namespace
}  // namespace morvane
