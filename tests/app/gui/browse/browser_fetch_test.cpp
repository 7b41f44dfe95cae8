// The tree over real fetches: the catalogue of an emulator database, read through unixODBC.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "app/gui/browse/data_tree.h"
#include "app/gui/browse/report_view.h"
#include "browse_test_window.h"
#include "catalogue_fixture.h"
#include "db/catalogue_fetch.h"
#include "text/codec.h"

namespace morvane {
namespace {

using emulator::test::FixtureDatabase;

constexpr const char* kRedBrickSchema = R"(
CREATE TABLE DEPT (
  DEPT_ID INTEGER NOT NULL,
  DEPT_NAME VARCHAR(30) NOT NULL,
  PRIMARY KEY (DEPT_ID)
);
CREATE TABLE EMP (
  EMP_ID INTEGER NOT NULL,
  EMP_NAME VARCHAR(40),
  DEPT_ID INTEGER,
  PRIMARY KEY (EMP_ID),
  FOREIGN KEY (DEPT_ID) REFERENCES DEPT (DEPT_ID)
);
CREATE VIEW EMP_VIEW AS SELECT EMP_ID, EMP_NAME FROM EMP;
)";

// Connects with the fixture's account when the connect dialog is shown, and fetches for real.
class DatabaseHost : public FakeHost {
 public:
  DatabaseHost(IPrompt& prompt, Product product, std::string dsn)
      : prompt_(prompt), product_(product), dsn_(std::move(dsn)) {}
  ~DatabaseHost() override { connection_.Disconnect(status_); }

  bool Connected() const override { return connection_.Connected; }
  void ShowConnectDialog() override {
    ++connect_dialogs;
    connection_.Connect(product_, dsn_, "sales", "sales", prompt_, status_);
  }
  bool FetchCurrentDataKind() override {
    fetched_kinds.push_back(store->currentDataKind);
    DbSession session{connection_, prompt_, progress_, status_};
    return FetchCatalogue(*store, session);
  }

 private:
  IPrompt& prompt_;
  Product product_;
  std::string dsn_;
  TDbConnection connection_;
  NullProgress progress_;
  NullStatusBar status_;
};

class FetchTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    db_ = new FixtureDatabase("RB_BROWSE", "Morvane Red Brick", "sales", "sales", kRedBrickSchema);
  }
  static void TearDownTestSuite() {
    delete db_;
    db_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(db_, nullptr) << "the fixture database could not be built";
    host_ = std::make_unique<DatabaseHost>(prompt, Product::RedBrick, "RB_BROWSE");
    ui = std::make_unique<TBrowseTestWindow>(store, prompt, Product::RedBrick, host_.get());
    host_->store = &store;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ui->window));
  }
  void TearDown() override { ui.reset(); }

  static QStringList ChildTexts(const QTreeWidgetItem* node) {
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i) texts << node->child(i)->text(0);
    return texts;
  }
  // The child of `node` with `text`.
  static QTreeWidgetItem* Child(QTreeWidgetItem* node, const QString& text) {
    for (int i = 0; i < node->childCount(); ++i) {
      if (node->child(i)->text(0) == text) return node->child(i);
    }
    return nullptr;
  }

  static FixtureDatabase* db_;
  TCatalogueStore store;
  ScriptedPrompt prompt;
  std::unique_ptr<DatabaseHost> host_;
  std::unique_ptr<TBrowseTestWindow> ui;
};

FixtureDatabase* FetchTest::db_ = nullptr;

TEST_F(FetchTest, ExpandingTableInformationConnectsFetchesAndBuildsTheTree) {
  QTreeWidgetItem* tables = ui->browser->DataKindNode(DataKind::Table);
  prompt.answers = {PromptButton::kYes};
  tables->setExpanded(true);

  EXPECT_EQ(host_->connect_dialogs, 1);
  ASSERT_TRUE(tables->isExpanded()) << (prompt.shown.empty() ? "" : prompt.shown.back().text);
  EXPECT_EQ(NodeImageIndex(tables), kTreeImgKindFilled);
  QTreeWidgetItem* sales = Child(tables, QStringLiteral("SALES"));
  ASSERT_NE(sales, nullptr) << ChildTexts(tables).join(',').toStdString();
  QTreeWidgetItem* table_type = Child(sales, QStringLiteral("TABLE"));
  ASSERT_NE(table_type, nullptr) << ChildTexts(sales).join(',').toStdString();
  EXPECT_EQ(ChildTexts(table_type), (QStringList{"DEPT", "EMP"}));
  EXPECT_NE(Child(sales, QStringLiteral("VIEW")), nullptr);

  // Opening EMP from the owner's list shows its columns.
  ui->widgets.trvDataType->setCurrentItem(sales);
  TListModel* tables_list = ListModelOf(ui->widgets.ltvData);
  int emp_row = -1;
  for (int row = 0; row < tables_list->rowCount(); ++row) {
    if (tables_list->RecordAt(row)->name == "EMP") emp_row = row;
  }
  ASSERT_GE(emp_row, 0);
  ui->widgets.ltvData->selectionModel()->select(
      tables_list->index(emp_row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  ui->browser->ltvDataDblClick();
  TListModel* columns = ListModelOf(ui->widgets.ltvColumn);
  ASSERT_EQ(columns->rowCount(), 3);
  EXPECT_EQ(columns->Cell(1, 1), "EMP_NAME");
  EXPECT_EQ(ui->widgets.txtPath->text(), QStringLiteral("テーブル情報 [SALES.EMP]"));
}

TEST_F(FetchTest, RefreshAllFetchesTheThreeDataKindsAfterOneQuestion) {
  prompt.answers = {PromptButton::kYes};
  ui->browser->popDataType_AllRefreshClick();
  EXPECT_EQ(prompt.shown.size(), 1u) << prompt.shown.back().text;
  EXPECT_EQ(host_->fetched_kinds,
            (std::vector<DataKind>{DataKind::Table, DataKind::Index, DataKind::TableIndex}));
  for (DataKind kind : {DataKind::Table, DataKind::Index, DataKind::TableIndex}) {
    EXPECT_FALSE(store.Records(kind).empty()) << DataKindCode(kind);
    EXPECT_EQ(NodeImageIndex(ui->browser->DataKindNode(kind)), kTreeImgKindFilled)
        << DataKindCode(kind);
  }
  // Table-index leaves carry the index count.
  QTreeWidgetItem* table_index = ui->browser->DataKindNode(DataKind::TableIndex);
  QTreeWidgetItem* sales = Child(table_index, QStringLiteral("SALES"));
  ASSERT_NE(sales, nullptr);
  QTreeWidgetItem* emp = Child(sales->child(0), QStringLiteral("EMP (1)"));
  EXPECT_NE(emp, nullptr) << ChildTexts(sales->child(0)).join(',').toStdString();
}

}  // namespace
}  // namespace morvane
