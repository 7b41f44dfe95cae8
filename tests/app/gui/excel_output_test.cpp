// The Excel output from the main window: the workbook window as "Excel" (the template opened
// there, the output shown there unsaved and saved from there), the format dialog when the
// template rejects an address, and the ER sheet choice.
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>

#include "app/gui/browse/list_model.h"
#include "app/gui/browse/report_view.h"
#include "app/gui/er/er_view.h"
#include "app/gui/excel/er_select_form.h"
#include "app/gui/excel/format_form.h"
#include "app/gui/excel/workbook_window.h"
#include "excel/application.h"
#include "main_window_fixture.h"
#include "model/data_kind.h"
#include "model/er_data.h"
#include "scripted_workbook_chooser.h"
#include "xlsx/cell_ref.h"
#include "xlsx/workbook.h"

namespace morvane {
namespace {

using testing::MainWindowTest;
using testing::ModalDriver;
using testing::ScriptedWorkbookPaths;

class ExcelOutputTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Window().FileNew(Product::Oracle8);
    Workbooks().SetPathChooser(&paths_);
  }

  TWorkbookWindow& Workbooks() { return Window().WorkbookWindow(); }
  excel::ExcelApplication& Excel() { return Workbooks().Application(); }

  // Tables of data kind 2 listed in ltvData, with the rows of `selected` selected.
  void ListTables(std::initializer_list<const char*> names,
                  std::initializer_list<const char*> selected) {
    for (const char* name : names) {
      TTableRec& table = Store().AddRecord(DataKind::Table);
      table.owner = "SCOTT";
      table.type = "TABLE";
      table.name = name;
      table.values = {"SCOTT", name, "TABLE"};
    }
    Window().Browser().RebuildTree();
    Window().DataTree()->setCurrentItem(Window().Browser().DataKindNode(DataKind::Table));
    const TListModel* rows = ListModelOf(Window().ListPanel()->ltvData());
    ASSERT_EQ(rows->rowCount(), static_cast<int>(names.size()));
    for (int row = 0; row < rows->rowCount(); ++row) {
      for (const char* name : selected) {
        if (rows->RecordAt(row)->name != name) continue;
        Window().ListPanel()->ltvData()->selectionModel()->select(
            rows->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
      }
    }
  }

  // The listed workbooks, each as its name and its sheets' names.
  std::vector<std::string> Listing() {
    std::vector<std::string> rows;
    for (int i = 0; i < Workbooks().trvWorkbooks->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* book = Workbooks().trvWorkbooks->topLevelItem(i);
      std::string row = book->text(0).toStdString() + ":";
      for (int j = 0; j < book->childCount(); ++j)
        row += " " + book->child(j)->text(0).toStdString();
      rows.push_back(row);
    }
    return rows;
  }

  // The cell the table name goes to on an own sheet.
  xlsx::CellRef TableNameCell() {
    for (const TItemDef& item : Store().Items(DataKind::Table, kItemLevelTable)) {
      if (item.index == 1) return *xlsx::ParseCellRef(item.excelCell);
    }
    ADD_FAILURE() << "no item of the table name";
    return {};
  }

  ScriptedWorkbookPaths paths_;
  QTemporaryDir dir_;
};

TEST_F(ExcelOutputTest, TwoSelectedTablesGoIntoANewWorkbookSavedFromTheWindow) {
  ListTables({"EMP", "DEPT", "BONUS"}, {"EMP", "BONUS"});
  ASSERT_TRUE(Workbooks().OpenDefaultTemplate());
  const std::string template_sheet = ToUtf8(Excel().ActiveSheet().Name());
  const std::vector<std::string> before = Listing();

  prompt_.answers = {PromptButton::kYes};
  mnuFile_ExcelOutputClick(Window());
  ASSERT_EQ(ShownTexts(), (std::vector<std::string>{
                              "「" + template_sheet +
                                  "」シートをフォーマットにして、新規のファイルに出力します。\r\n"
                                  "よろしいですか？",
                              "終了しました。"}));
  // The new workbook is listed after the template, unsaved, with a sheet per table in list order.
  const std::vector<std::string> after = Listing();
  ASSERT_EQ(after.size(), before.size() + 1);
  EXPECT_EQ(after[0], before[0]);  // the template is not written
  const std::string emp_first = ": EMP BONUS";
  const std::string bonus_first = ": BONUS EMP";
  const std::string output = after.back();
  EXPECT_TRUE(output.ends_with(emp_first) || output.ends_with(bonus_first)) << output;
  EXPECT_EQ(Workbooks().trvWorkbooks->topLevelItem(1)->text(1), QStringLiteral("（未保存）"));
  EXPECT_TRUE(Workbooks().isVisible());
  EXPECT_FALSE(Window().Progress().Bar()->isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  const QString path = dir_.filePath(QStringLiteral("定義書.xlsx"));
  paths_.saveAnswers = {path};
  ASSERT_TRUE(Workbooks().SaveActive(true));
  auto saved = xlsx::Workbook::Open(path.toStdString());
  ASSERT_EQ(saved->SheetCount(), 2u);
  std::vector<std::string> names;
  for (size_t i = 0; i < saved->SheetCount(); ++i) {
    names.push_back(saved->CellText(saved->Sheet(i), TableNameCell()));
    EXPECT_EQ(saved->Sheet(i).name, names.back());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"BONUS", "EMP"}));
}

TEST_F(ExcelOutputTest, TheNextOutputOffersTheTemplateAgainNotTheWorkbookJustWritten) {
  ListTables({"EMP", "DEPT"}, {"DEPT"});
  ASSERT_TRUE(Workbooks().OpenDefaultTemplate());
  prompt_.answers = {PromptButton::kYes, PromptButton::kOk, PromptButton::kYes};
  mnuFile_ExcelOutputClick(Window());
  EXPECT_EQ(ToUtf8(Excel().ActiveSheet().Name()), "DEPT");  // the new workbook, to look at
  mnuFile_ExcelOutputClick(Window());
  const std::string question =
      "「テーブル定義」シートをフォーマットにして、新規のファイルに出力します。\r\nよろしいですか"
      "？";
  EXPECT_EQ(ShownTexts(),
            (std::vector<std::string>{question, "終了しました。", question, "終了しました。"}));
  EXPECT_EQ(Listing().size(), 3u);
}

TEST_F(ExcelOutputTest, ABadAddressShowsTheFormatDialogModelessAndMakesNoWorkbook) {
  ListTables({"EMP"}, {"EMP"});
  Store().Items(DataKind::Table, kItemLevelTable)[0].excelCell.clear();
  ASSERT_TRUE(Workbooks().OpenDefaultTemplate());

  prompt_.answers = {PromptButton::kYes};
  mnuFile_ExcelOutputClick(Window());
  const std::vector<std::string> shown = ShownTexts();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[1], "フォーマットが不正です。");
  EXPECT_EQ(shown[2], "出力に失敗しました。");
  TfrmFormat* format = Window().Dialogs().Format();
  EXPECT_TRUE(format->isVisible());
  EXPECT_FALSE(format->isModal());
  EXPECT_EQ(Workbooks().trvWorkbooks->topLevelItemCount(), 1);
  EXPECT_FALSE(Window().Progress().Bar()->isVisible());
  format->close();
}

TEST_F(ExcelOutputTest, WithNoWorkbookOpenTheUserOpensTheTemplateInTheWindow) {
  ListTables({"EMP"}, {"EMP"});
  excel::ExcelApplication maker;
  maker.Workbooks().OpenDefaultTemplate();
  const QString template_path = dir_.filePath(QStringLiteral("template.xlsx"));
  maker.ActiveWorkbook().SaveAs(template_path.toStdString());

  // "Open a sheet" OK, the Open dialog answers with the template, then Yes about its sheet.
  paths_.openAnswers = {template_path};
  prompt_.answers = {PromptButton::kOk, PromptButton::kYes};
  mnuFile_ExcelOutputClick(Window());
  EXPECT_EQ(paths_.openCalls, 1);
  EXPECT_EQ(ShownTexts().back(), "終了しました。");
  ASSERT_EQ(Workbooks().trvWorkbooks->topLevelItemCount(), 2);
  EXPECT_EQ(Workbooks().trvWorkbooks->topLevelItem(0)->text(0), QStringLiteral("template.xlsx"));
  EXPECT_EQ(Listing().back().substr(Listing().back().find(':')), ": EMP");
}

TEST_F(ExcelOutputTest, TheERViewWritesTheChosenSheets) {
  Store().er.sheets.clear();
  for (const char* name : {"全体", "受注", "在庫"}) {
    auto sheet = std::make_unique<TERSheetRec>();
    sheet->name = ToCp932(name);
    Store().er.sheets.push_back(std::move(sheet));
  }
  Store().er.currentIndex = 0;
  Window().ERPanel()->View().Rebuild();
  mnuShow_ERClick(Window());
  ASSERT_TRUE(Workbooks().OpenDefaultTemplate());

  // OK with nothing selected warns and keeps the dialog; then the third and first are chosen.
  prompt_.answers = {PromptButton::kOk, PromptButton::kYes};
  ModalDriver driver({[this](QWidget* modal) {
    auto* form = qobject_cast<TfrmERSelect*>(modal);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ER図シート選択"));
    ASSERT_EQ(form->lstSheet->count(), 3);
    form->cmdOK->click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(ShownTexts().back(), "選択されていません。");
    form->lstSheet->item(2)->setSelected(true);
    form->lstSheet->item(0)->setSelected(true);
    form->cmdOK->click();
  }});
  mnuFile_ExcelOutputClick(Window());
  EXPECT_EQ(driver.Remaining(), 0u);
  EXPECT_EQ(Store().erOutputSheets, (std::vector<std::string>{ToCp932("全体"), ToCp932("在庫")}));
  EXPECT_EQ(ShownTexts().back(), "終了しました。");
  EXPECT_EQ(Listing().back().substr(Listing().back().find(':')), ": 全体 在庫");
  // The bundled template's ER sheet was the one offered, and the boxes sit on a copy of it.
  EXPECT_EQ(ShownTexts()[ShownTexts().size() - 2].rfind("「ER図」シートをフォーマットにして", 0),
            0u);

  // Cancel chooses nothing and writes nothing.
  const size_t books = Listing().size();
  ModalDriver cancel(
      {[](QWidget* modal) { qobject_cast<TfrmERSelect*>(modal)->cmdCancel->click(); }});
  prompt_.shown.clear();
  mnuFile_ExcelOutputClick(Window());
  EXPECT_TRUE(Store().erOutputSheets.empty());
  EXPECT_TRUE(prompt_.shown.empty());
  EXPECT_EQ(Listing().size(), books);
}

}  // namespace
}  // namespace morvane
