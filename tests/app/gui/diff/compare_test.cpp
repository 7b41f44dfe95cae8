// ファイル → 比較... against the connected emulator database: the changes window, its filter and
// count, double-clicking a change, and the change history appended on a second comparison.
#include <QCheckBox>
#include <QComboBox>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeView>
#include <QTreeWidget>
#include <filesystem>

#include "../main_window_fixture.h"
#include "app/gui/browse/data_tree.h"
#include "app/gui/diff/changes_window.h"
#include "app/gui/diff/compare_command.h"
#include "diff/change_format.h"

namespace morvane::testing {
namespace {

class CompareTest : public MainWindowTest {
 protected:
  void FetchTables() {
    Window().FileNew(Product::Oracle8);
    ConnectToEmulator();
    Store().currentDataKind = DataKind::Table;
    ASSERT_TRUE(Window().FetchCurrentDataKind());
    Window().Browser().RebuildTree();
  }
  TfrmChanges* CompareWithDatabase() {
    TCompareRequest request;
    request.source = TCompareRequest::Source::kDatabase;
    request.kinds = {DataKind::Table};
    return ShowComparison(Window(), prompt_, request);
  }
  // The history sheet's 名前 column as openpyxl reads it, one line per row.
  static QString HistoryNames(const QString& book) {
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, openpyxl\n"
                                 "sheet = openpyxl.load_workbook(sys.argv[1])['変更履歴']\n"
                                 "names = [str(row[3].value) for row in sheet.iter_rows()]\n"
                                 "sys.stdout.buffer.write('\\n'.join(names).encode('utf-8'))\n"),
                  book});
    python.waitForFinished();
    return QString::fromUtf8(python.readAllStandardOutput() + python.readAllStandardError());
  }
};

TEST_F(CompareTest, ShowsFiltersSelectsAndKeepsTheHistoryOfTheChanges) {
  FetchTables();
  ASSERT_TRUE(database_->client->Script(R"(
    CREATE TABLE BONUS (EMP_ID NUMBER(10), AMOUNT NUMBER(8));
    COMMENT ON COLUMN DEPT.DEPT_NAME IS '部署名';
  )"));
  TfrmChanges* changes = CompareWithDatabase();
  ASSERT_NE(changes, nullptr) << (ShownTexts().empty() ? "" : ShownTexts()[0]);
  EXPECT_EQ(diff::FormatChanges(changes->Changes(), diff::ChangeFormat::kTsv),
            "added\ttable\tSCOTT.BONUS\t\t\t\n"
            "changed\tcolumn\tSCOTT.DEPT.DEPT_NAME\tCOMMENTS\t\t部署名\n");
  EXPECT_EQ(changes->trvChanges->topLevelItemCount(), 2);  // one group per table
  EXPECT_EQ(changes->stbChanges->currentMessage(), QStringLiteral("2 件"));
  changes->cboFilter->setCurrentIndex(3);  // 変更
  EXPECT_EQ(changes->ShownCount(), 1);
  EXPECT_EQ(changes->stbChanges->currentMessage(), QStringLiteral("1 件"));

  // Double-clicking the column's change selects its table and its row in the column list.
  QTreeWidgetItem* column = changes->trvChanges->topLevelItem(0)->child(0);
  emit changes->trvChanges->itemDoubleClicked(column, 0);
  const TTableRec* selected = NodeRecord(Window().DataTree()->currentItem());
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(selected->name, "DEPT");
  EXPECT_EQ(Window().ListPanel()->ltvColumn()->currentIndex().data().toString(),
            QStringLiteral("DEPT_NAME"));

  // The history: written once, then appended by a second comparison.
  const QString book =
      QString::fromStdString(::testing::TempDir()) + QStringLiteral("/比較履歴.xlsx");
  std::filesystem::remove(book.toStdString());
  changes->SetHistoryPathChooser([&] { return std::optional<QString>(book); });
  changes->cmdHistory->click();
  TfrmChanges* again = CompareWithDatabase();
  ASSERT_NE(again, nullptr);
  again->SetHistoryPathChooser([&] { return std::optional<QString>(book); });
  again->cmdHistory->click();
  EXPECT_EQ(
      HistoryNames(book),
      QStringLiteral("名前\nSCOTT.BONUS\nSCOTT.DEPT.DEPT_NAME\nSCOTT.BONUS\nSCOTT.DEPT.DEPT_NAME"));
  EXPECT_EQ(ShownTexts().back(), "「変更履歴」シートの 4 行目から 2 件書き込みました。");
}

TEST_F(CompareTest, TheCompareFormRefusesAMissingProjectFile) {
  TfrmCompare form(prompt_, [] { return std::optional<QString>("/tmp/other.vnk"); });
  form.Load(TCompareRequest{});
  form.cmdOKClick();
  EXPECT_EQ(form.result(), QDialog::Rejected);
  EXPECT_EQ(ShownTexts().back(), "比較するプロジェクトファイルを指定してください。");
  form.cmdBrowse->click();
  form.chkIndex->setChecked(false);
  form.chkAllItems->setChecked(true);
  form.cmdOKClick();
  EXPECT_EQ(form.result(), QDialog::Accepted);
  TCompareRequest request;
  form.Apply(request);
  EXPECT_EQ(request.projectPath, QStringLiteral("/tmp/other.vnk"));
  EXPECT_EQ(request.kinds, std::vector<DataKind>{DataKind::Table});
  EXPECT_TRUE(request.allItems);
}

}  // namespace
}  // namespace morvane::testing
