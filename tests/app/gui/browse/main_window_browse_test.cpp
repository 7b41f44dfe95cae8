// Browsing inside the main window: New, the fetch through the window's connection to an
// emulator database, the Edit menu's shortcuts on the lists, the view switch and the layout reset.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "app/gui/browse/data_tree.h"
#include "app/gui/browse/report_view.h"
#include "app/gui/dialogs.h"
#include "app/gui/main_window.h"
#include "app/gui/main_window_commands.h"
#include "app/gui/window_status_bar.h"
#include "app/gui/work_progress.h"
#include "catalogue_fixture.h"
#include "text/codec.h"

namespace morvane {
namespace {

using emulator::test::FixtureDatabase;

constexpr const char* kOracleSchema = R"(
CREATE TABLE DEPT (
  DEPT_ID NUMBER(4) NOT NULL,
  DEPT_NAME VARCHAR2(30) NOT NULL,
  CONSTRAINT PK_DEPT PRIMARY KEY (DEPT_ID)
);
CREATE TABLE EMP (
  EMP_ID NUMBER(10) NOT NULL,
  EMP_NAME VARCHAR2(300),
  DEPT_ID NUMBER(4),
  CONSTRAINT PK_EMP PRIMARY KEY (EMP_ID)
);
CREATE INDEX IX_EMP_NAME ON EMP (EMP_NAME);
)";

class MainWindowBrowseTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    db_ = new FixtureDatabase("ORA_BROWSE", "Morvane Oracle", "scott", "tiger", kOracleSchema);
  }
  static void TearDownTestSuite() {
    delete db_;
    db_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(db_, nullptr) << "the fixture database could not be built";
    window = std::make_unique<TfrmMain>(prompt, QStringList{QStringLiteral("morvane")});
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->FileNew(Product::Oracle8);
  }

  // Connects the window as the connect dialog would.
  void Connect() {
    NullStatusBar status;
    ASSERT_TRUE(window->Connection().Connect(Product::Oracle8, "ORA_BROWSE", "scott", "tiger",
                                             prompt, status));
  }
  QTreeWidgetItem* KindNode(DataKind kind) { return window->Browser().DataKindNode(kind); }
  TListModel* Data() { return ListModelOf(window->ListPanel()->ltvData()); }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int row = 0; row < Data()->rowCount(); ++row) names.emplace_back(Data()->Cell(row, 1));
    return names;
  }

  static FixtureDatabase* db_;
  ScriptedPrompt prompt;
  std::unique_ptr<TfrmMain> window;
};

FixtureDatabase* MainWindowBrowseTest::db_ = nullptr;

TEST_F(MainWindowBrowseTest, NewSelectsTheExcelRootWithItsEmptyTableList) {
  EXPECT_EQ(window->DataTree()->currentItem(), window->Browser().ExcelRoot());
  EXPECT_EQ(window->Store().currentDataKind, DataKind::Excel);
  EXPECT_EQ(window->ListPanel()->txtPath()->text(), QStringLiteral("Excelファイル"));
  EXPECT_EQ(Data()->columnCount(), 5);
  EXPECT_EQ(window->StatusBar().Text(2), QStringLiteral("0個を選択"));
  EXPECT_TRUE(KindNode(DataKind::Table)->parent()->isExpanded());
}

TEST_F(MainWindowBrowseTest, ExpandingFetchesThroughTheWindowsConnection) {
  Connect();
  prompt.answers = {PromptButton::kYes};
  KindNode(DataKind::Table)->setExpanded(true);
  ASSERT_TRUE(KindNode(DataKind::Table)->isExpanded())
      << (prompt.shown.empty() ? "" : ToUtf8(prompt.shown.back().text));
  EXPECT_EQ(window->DataTree()->currentItem(), KindNode(DataKind::Table));
  EXPECT_EQ(Names(), (std::vector<std::string>{"DEPT", "EMP"}));
  EXPECT_TRUE(window->Store().modified);
  EXPECT_TRUE(window->findChild<QAction*>(QStringLiteral("tlbMain_Save"))->isEnabled());
  EXPECT_EQ(window->StatusBar().Text(2), QStringLiteral("0個を選択"));
  EXPECT_TRUE(window->Progress().Bar()->isHidden());

  // The layout reset of New empties the lists and the tree again.
  prompt.answers = {PromptButton::kNo};  // do not save
  window->FileNew(Product::Oracle8);
  EXPECT_EQ(NodeImageIndex(KindNode(DataKind::Table)), kTreeImgKindEmpty);
  EXPECT_EQ(Data()->rowCount(), 0);
  EXPECT_FALSE(window->Connected());
}

TEST_F(MainWindowBrowseTest, TheDatabaseMenuAndToolbarFetchAndTheStatusBarTellsHowMany) {
  Connect();
  QAction* menu = window->findChild<QAction*>(QStringLiteral("mnuDB_Fetch"));
  QAction* button = window->findChild<QAction*>(QStringLiteral("tlbMain_Fetch"));
  ASSERT_TRUE(menu && button);
  EXPECT_TRUE(menu->isEnabled() && button->isEnabled());

  // With no catalogue data kind current, every data kind is fetched.
  prompt.answers = {PromptButton::kYes};
  button->trigger();
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(ToUtf8(prompt.shown[0].text), "すべての情報を更新しますか？");
  EXPECT_EQ(window->Store().Records(DataKind::Table).size(), 2u);
  EXPECT_EQ(window->Store().Records(DataKind::Index).size(), 3u);
  EXPECT_TRUE(window->StatusBar().FetchOutcomeText().startsWith(
      QStringLiteral("テーブル・インデックス情報: ")))
      << window->StatusBar().FetchOutcomeText().toStdString();

  // With the table information current, only it is fetched again, after the question.
  window->DataTree()->setCurrentItem(KindNode(DataKind::Table));
  prompt.answers = {PromptButton::kYes};
  menu->trigger();
  EXPECT_EQ(ToUtf8(prompt.shown.back().text), "テーブル情報を取得しますか？");
  EXPECT_EQ(window->StatusBar().FetchOutcomeText(),
            QStringLiteral("テーブル情報: 2 件を取得しました"));
}

TEST_F(MainWindowBrowseTest, EditMenuShortcutsCopyAndSelectTheFocusedList) {
  Connect();
  prompt.answers = {PromptButton::kYes};
  KindNode(DataKind::Table)->setExpanded(true);
  window->ListPanel()->ltvData()->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), window->ListPanel()->ltvData());
  QTest::keyClick(window->ListPanel()->ltvData(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(window->StatusBar().Text(2), QStringLiteral("2個を選択"));
  mnuEdit_SelectChangeClick(*window);
  EXPECT_EQ(window->StatusBar().Text(2), QStringLiteral("0個を選択"));

  window->ListPanel()->ltvData()->selectionModel()->select(
      Data()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  QTest::keyClick(window->ListPanel()->ltvData(), Qt::Key_T, Qt::ControlModifier);
  QString copied = QApplication::clipboard()->text();
  EXPECT_TRUE(copied.startsWith(QStringLiteral("OWNER\tTABLE NAME\tTABLE TYPE\t")))
      << copied.toStdString();
  EXPECT_TRUE(copied.contains(QStringLiteral("\r\nSCOTT\tEMP\tTABLE\t"))) << copied.toStdString();
  EXPECT_FALSE(copied.endsWith(QStringLiteral("\r\n")));
}

TEST_F(MainWindowBrowseTest, TheErViewClearsTheCountAndTheListViewFillsTheListAgain) {
  Connect();
  prompt.answers = {PromptButton::kYes};
  KindNode(DataKind::Table)->setExpanded(true);
  mnuShow_ERClick(*window);
  EXPECT_EQ(window->StatusBar().Text(2), QString());
  TTableRec& added = window->Store().AddRecord(DataKind::Table);
  added.owner = "SCOTT";
  added.type = "TABLE";
  added.name = "ADDED";
  added.values = {"SCOTT", "ADDED", "TABLE"};
  mnuShow_ListClick(*window);
  EXPECT_EQ(Names(), (std::vector<std::string>{"DEPT", "EMP", "ADDED"}));
  EXPECT_EQ(window->StatusBar().Text(2), QStringLiteral("0個を選択"));
}

}  // namespace
}  // namespace morvane
